// main() of the test binaries that need Qt: an offscreen application at a
// device pixel ratio of 1, with the program's font mapping.
#include "tests/kit/OffscreenApplication.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const QString& Text, std::ostream* Out) {
  *Out << '"' << Text.toStdString() << '"';
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TOffscreenApplication App(argc, argv);
  return RUN_ALL_TESTS();
}
