// What a dialog of fixed size must look like to the window manager.
#pragma once

#include <QWidget>
#include <gtest/gtest.h>

// Window is a dialog whose title bar has the system menu and the close
// button but neither a minimise nor a maximise button.
inline void ExpectFixedDialogFrame(const QWidget& Window) {
  const Qt::WindowFlags Flags = Window.windowFlags();
  EXPECT_EQ(Flags & Qt::WindowType_Mask, Qt::Dialog);
  // Only a customised frame leaves out the buttons not asked for.
  EXPECT_TRUE(Flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
  EXPECT_FALSE(Flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}
