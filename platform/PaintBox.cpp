#include "platform/PaintBox.h"

#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* Parent) : QWidget(Parent) {
  setMouseTracking(true);
}

TCanvas& TPaintBox::Canvas() {
  if (!FCanvas) throw Exception("描画中ではありません");
  return *FCanvas;
}

void TPaintBox::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  TQtCanvas Canvas(Painter);
  FCanvas = &Canvas;
  struct TReset {
    TCanvas*& Slot;
    ~TReset() { Slot = nullptr; }
  } Reset{FCanvas};
  if (OnPaint) OnPaint(this);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* Event) {
  if (OnMouseMove) {
    const QPoint P = Event->position().toPoint();
    OnMouseMove(this, 0, P.x(), P.y());
  }
  QWidget::mouseMoveEvent(Event);
}
