// main() of the test binaries that need Qt: an offscreen application at a
// device pixel ratio of 1, with the program's fonts pinned to the IPA fonts
// the reference images were made with.
#include "tests/kit/OffscreenApplication.h"
#include "tests/kit/ProgramFonts.h"

#include <QString>
#include <exception>
#include <gtest/gtest.h>
#include <iostream>
#include <ostream>

void PrintTo(const QString& Text, std::ostream* Out) {
  *Out << '"' << Text.toStdString() << '"';
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TOffscreenApplication App(argc, argv);
  try {
    PinProgramFonts();
  } catch (const std::exception& Missing) {
    std::cerr << Missing.what() << '\n';
    return 1;
  }
  return RUN_ALL_TESTS();
}
