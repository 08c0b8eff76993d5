#include "platform/PaintBox.h"

#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* Parent) : QWidget(Parent) {
  setMouseTracking(true);
}

TCanvas& TPaintBox::Canvas() {
  if (!FCanvas) throw Exception("描画中ではありません");
  return *FCanvas;
}

void TPaintBox::paintEvent(QPaintEvent*) {
  // The canvas paints an image of its own pixel by pixel far faster than a
  // painter paints the widget, so the box is painted there and copied.
  const bool Buffered = devicePixelRatioF() == 1.0;
  if (Buffered) {
    if (FBuffer.size() != size()) FBuffer = QImage(size(), QImage::Format_RGB32);
    FBuffer.fill(palette().color(backgroundRole()));
  }
  {
    QPainter Painter;
    Painter.begin(Buffered ? static_cast<QPaintDevice*>(&FBuffer) : this);
    if (Buffered) Painter.setFont(font());
    TQtCanvas Canvas(Painter);
    FCanvas = &Canvas;
    struct TReset {
      TCanvas*& Slot;
      ~TReset() { Slot = nullptr; }
    } Reset{FCanvas};
    if (OnPaint) OnPaint(this);
  }
  if (Buffered) QPainter(this).drawImage(0, 0, FBuffer);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* Event) {
  if (OnMouseMove) {
    const QPoint P = Event->position().toPoint();
    OnMouseMove(this, 0, P.x(), P.y());
  }
  QWidget::mouseMoveEvent(Event);
}
