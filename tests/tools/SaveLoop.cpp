// save_loop A B OUT: opens the documents A and B, then saves them over OUT
// by turns until killed, writing one line to stdout after each save.
#include "analysis/BeamData.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: save_loop A B OUT\n");
    return 2;
  }
  try {
    TData Documents[2];
    Documents[0].LoadFromFile(argv[1]);
    Documents[1].LoadFromFile(argv[2]);
    for (unsigned long I = 0;; ++I) {
      Documents[I % 2].SaveToFile(argv[3]);
      std::printf("%lu\n", I + 1);
      std::fflush(stdout);
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
}
