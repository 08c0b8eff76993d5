#include "tests/kit/OffscreenApplication.h"

#include "platform/Fonts.h"

#include <cstdlib>
#include <string>

void UseOffscreenPlatform(double PixelRatio) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  if (PixelRatio == 1)
    unsetenv("QT_SCALE_FACTOR");
  else
    setenv("QT_SCALE_FACTOR", std::to_string(PixelRatio).c_str(), 1);
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_FONT_DPI");
}

TOffscreenApplication::TOffscreenApplication(int& argc, char** argv, double PixelRatio)
    : TOffscreenEnvironment(PixelRatio), QApplication(argc, argv) {
  InstallFontSubstitutes();
}
