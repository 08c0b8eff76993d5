#include "platform/FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Watches every event until a widget of its window is painted. The
// window's widgets and the copy to the screen are painted in one go, so a
// quit queued at the first paint event comes after all of them.
class TFirstPaintWatch : public QObject {
public:
  explicit TFirstPaintWatch(QWidget& Window) : QObject(&Window), FWindow(Window) {}

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && Watched->isWidgetType() &&
        static_cast<QWidget*>(Watched)->window() == &FWindow) {
      qApp->removeEventFilter(this);
      QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    return false;
  }

private:
  QWidget& FWindow;
};

} // namespace

void QuitAfterFirstPaintIfAsked(QWidget& Window) {
  if (qEnvironmentVariableIsEmpty("VANTREL_QUIT_AFTER_FIRST_PAINT")) return;
  qApp->installEventFilter(new TFirstPaintWatch(Window));
}
