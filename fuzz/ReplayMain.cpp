// Feeds every file of the folders named on the command line once to the
// fuzz target it is linked with, as libFuzzer replays a corpus, so that
// the checked-in corpora run with the tests, in every build. A target
// aborts on what it finds; a run that found no file fails too.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

int main(int argc, char** argv) {
  int Inputs = 0;
  for (int I = 1; I < argc; ++I)
    for (const auto& Entry : std::filesystem::directory_iterator(argv[I])) {
      if (!Entry.is_regular_file()) continue;
      std::ifstream In(Entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> Bytes((std::istreambuf_iterator<char>(In)),
                                            std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(Bytes.data(), Bytes.size());
      ++Inputs;
    }
  std::printf("%d inputs\n", Inputs);
  return Inputs > 0 ? 0 : 1;
}
