// main() of the test binaries that need Qt: an offscreen application at a
// device pixel ratio of 1, with the program's font mapping.
#include "platform/Fonts.h"

#include <QApplication>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const QString& Text, std::ostream* Out) {
  *Out << '"' << Text.toStdString() << '"';
}

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_FONT_DPI");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication App(argc, argv);
  InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
