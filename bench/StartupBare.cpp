// The yardstick for the program's start-up: a bare Qt main window of the
// program's design size, with a plain central widget and a menu bar of one
// menu, in Qt's own font, started as main.cpp starts the program. With
// VANTREL_QUIT_AFTER_FIRST_PAINT set, both quit after their first painted
// window, so that timing the two processes whole compares the program's
// start-up with Qt's own. With VANTREL_BARE_JAPANESE set, the menu's title
// is Japanese in the program's application font, which tells what showing
// any Japanese at all costs.
#include "mainwindow/InputUnitLayout.h"
#include "platform/FirstPaint.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  const bool Japanese = qEnvironmentVariableIsSet("VANTREL_BARE_JAPANESE");
  if (Japanese) InstallFontSubstitutes();
  QMainWindow Window;
  Window.setCentralWidget(new QWidget(&Window));
  Window.menuBar()->addMenu(Japanese ? QStringLiteral("ファイル(&F)") : QStringLiteral("&File"));
  Window.resize(Layout::ClientWidth, Layout::ClientHeight + Layout::StatusHeight +
                                         Window.menuBar()->sizeHint().height());
  QuitAfterFirstPaintIfAsked(Window);
  Window.show();
  return Application.exec();
}
