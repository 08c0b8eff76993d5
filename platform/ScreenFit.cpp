#include "platform/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// The frame around Window's contents. Before the window manager has framed
// a new window its frame is not known yet; it will get the frame of the
// windows already shown, as Qt guesses for a dialog's place.
QMargins FrameOf(const QWidget& Window) {
  const QRect Inner = Window.geometry(), Outer = Window.frameGeometry();
  QMargins Frame(Inner.left() - Outer.left(), Inner.top() - Outer.top(),
                 Outer.right() - Inner.right(), Outer.bottom() - Inner.bottom());
  if (!Frame.isNull()) return Frame;
  for (const QWidget* Other : QApplication::topLevelWidgets())
    if (Other != &Window && Other->isVisible() && Other->windowType() == Qt::Window)
      if (const QRect In = Other->geometry(), Out = Other->frameGeometry(); In != Out)
        return {In.left() - Out.left(), In.top() - Out.top(), Out.right() - In.right(),
                Out.bottom() - In.bottom()};
  return Frame;
}

bool IsFramedWindow(const QWidget& Widget) {
  return Widget.isWindow() &&
         (Widget.windowType() == Qt::Window || Widget.windowType() == Qt::Dialog);
}

// Fits Window into its screen's available area.
void FitOnScreen(QWidget& Window) {
  const QScreen* Screen = Window.screen();
  if (!Screen) return;
  const QRect Area = Screen->availableGeometry();
  const QMargins Frame = FrameOf(Window);
  const QSize Room = Area.size().shrunkBy(Frame);
  if (Window.width() > Room.width() || Window.height() > Room.height())
    Window.resize(Window.size().boundedTo(Room));
  const QRect Framed = Window.geometry().marginsAdded(Frame);
  const int Left =
      std::max(Area.left(), std::min(Framed.left(), Area.right() + 1 - Framed.width()));
  const int Top = std::max(Area.top(), std::min(Framed.top(), Area.bottom() + 1 - Framed.height()));
  if (Left != Framed.left() || Top != Framed.top()) Window.move(Left, Top);
}

class TScreenKeeper : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (!Watched->isWidgetType()) return false;
    auto* Widget = static_cast<QWidget*>(Watched);
    const bool Placing =
        Event->type() == QEvent::Show || (Event->type() == QEvent::Resize && Widget->isVisible());
    if (Placing && IsFramedWindow(*Widget)) FitOnScreen(*Widget);
    return false;
  }
};

} // namespace

void KeepWindowsOnScreen(QApplication& Application) {
  Application.installEventFilter(new TScreenKeeper(&Application));
}
