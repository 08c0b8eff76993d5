// The start-up timing switch: with it the event loop ends right after the
// window's first painting, with the whole window painted; without it the
// loop runs on.
#include "platform/FirstPaint.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class TCountingWidget : public QWidget {
public:
  using QWidget::QWidget;
  int Paints = 0;

protected:
  void paintEvent(QPaintEvent*) override { ++Paints; }
};

// Runs the event loop on a new window of two widgets with the switch set
// as Switch; the loop is ended with 1 after Deadline ms at the latest.
int RunFirstWindow(const char* Switch, int Deadline, int& WindowPaints, int& ChildPaints) {
  setenv("VANTREL_QUIT_AFTER_FIRST_PAINT", Switch, 1);
  TCountingWidget Window;
  auto* Child = new TCountingWidget(&Window);
  Child->setGeometry(10, 10, 50, 50);
  Window.resize(100, 100);
  QuitAfterFirstPaintIfAsked(Window);
  unsetenv("VANTREL_QUIT_AFTER_FIRST_PAINT");
  Window.show();
  QTimer::singleShot(Deadline, qApp, [] { QCoreApplication::exit(1); });
  const int Code = QApplication::exec();
  WindowPaints = Window.Paints;
  ChildPaints = Child->Paints;
  return Code;
}

} // namespace

TEST(FirstPaint, QuitsOnceTheWholeWindowIsPaintedOnlyWhenAsked) {
  int WindowPaints = 0, ChildPaints = 0;
  EXPECT_EQ(RunFirstWindow("1", 10000, WindowPaints, ChildPaints), 0);
  EXPECT_EQ(WindowPaints, 1);
  EXPECT_EQ(ChildPaints, 1);
  EXPECT_EQ(RunFirstWindow("", 300, WindowPaints, ChildPaints), 1);
  EXPECT_GE(ChildPaints, 1);
}
