// save_loop A B OUT [COUNT]: opens the documents A and B, then saves them
// over OUT by turns, COUNT times or until killed, writing one line to
// stdout after each save.
#include "analysis/BeamData.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: save_loop A B OUT [COUNT]\n");
    return 2;
  }
  const unsigned long Count = argc == 5 ? std::strtoul(argv[4], nullptr, 10) : ULONG_MAX;
  try {
    TData Documents[2];
    Documents[0].LoadFromFile(argv[1]);
    Documents[1].LoadFromFile(argv[2]);
    for (unsigned long I = 0; I < Count; ++I) {
      Documents[I % 2].SaveToFile(argv[3]);
      std::printf("%lu\n", I + 1);
      std::fflush(stdout);
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
}
