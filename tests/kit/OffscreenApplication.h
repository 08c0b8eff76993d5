// The application of the tests, the painting benchmarks and the tools that
// paint without a screen.
#pragma once

#include <QApplication>

// Puts Qt on the offscreen platform, unless QT_QPA_PLATFORM names another,
// at the device pixel ratio PixelRatio whatever the scaling variables of
// the caller's environment say. Takes effect for an application made after.
void UseOffscreenPlatform(double PixelRatio = 1);

// Sets up the environment before the QApplication base is made.
struct TOffscreenEnvironment {
  explicit TOffscreenEnvironment(double PixelRatio) { UseOffscreenPlatform(PixelRatio); }
};

// A QApplication on the offscreen platform with the program's font mapping,
// its windows at PixelRatio.
class TOffscreenApplication : private TOffscreenEnvironment, public QApplication {
public:
  TOffscreenApplication(int& argc, char** argv, double PixelRatio = 1);
};
