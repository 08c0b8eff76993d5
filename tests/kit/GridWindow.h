// The window of the grid tests: a real grid with another focusable widget
// beside it to take the focus away.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Makes Window 420 × 300 with Grid, a child of it, 400 × GridHeight at
// the top and a line edit near the bottom; returns the line edit.
inline QLineEdit* LayOutGridWindow(QWidget& Window, QWidget& Grid, int GridHeight) {
  Window.resize(420, 300);
  Grid.setGeometry(0, 0, 400, GridHeight);
  auto* Other = new QLineEdit(&Window);
  Other->setGeometry(0, 260, 100, 24);
  return Other;
}

// Shows Window as the active window with the focus in Focus.
inline void ShowActive(QWidget& Window, QWidget& Focus) {
  Window.show();
  Window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  Focus.setFocus();
  QApplication::processEvents();
}
