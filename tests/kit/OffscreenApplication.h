// The application of the tests, the painting benchmarks and the tools that
// paint without a screen.
#pragma once

#include <QApplication>

// Puts Qt on the offscreen platform, unless QT_QPA_PLATFORM names another,
// at a device pixel ratio of 1 whatever the scaling variables of the
// caller's environment say. Takes effect for an application made after.
void UseOffscreenPlatform();

// Sets up the environment before the QApplication base is made.
struct TOffscreenEnvironment {
  TOffscreenEnvironment() { UseOffscreenPlatform(); }
};

// A QApplication on the offscreen platform with the program's font mapping.
class TOffscreenApplication : private TOffscreenEnvironment, public QApplication {
public:
  TOffscreenApplication(int& argc, char** argv);
};
