#include "tests/kit/OffscreenApplication.h"

#include "platform/Fonts.h"

#include <cstdlib>

void UseOffscreenPlatform() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_FONT_DPI");
}

TOffscreenApplication::TOffscreenApplication(int& argc, char** argv) : QApplication(argc, argv) {
  InstallFontSubstitutes();
}
