#include "platform/PaintBox.h"

#include "platform/DeviceMap.h"
#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <optional>

TPaintBox::TPaintBox(QWidget* Parent) : QWidget(Parent) {
  setMouseTracking(true);
}

TCanvas& TPaintBox::Canvas() {
  if (!FCanvas) throw Exception("描画中ではありません");
  return *FCanvas;
}

void TPaintBox::paintEvent(QPaintEvent*) {
  QPainter Screen(this);
  // The canvas paints an image of its own pixel by pixel far faster than a
  // painter paints the widget, so the box is painted there and copied, when
  // the box lies on whole device pixels.
  const std::optional<TDeviceMap> Map = TDeviceMap::Of(Screen.deviceTransform());
  const bool Buffered = Map && Map->Phase({0, 0}) == TPoint{0, 0};
  QPainter BufferPainter;
  if (Buffered) {
    const QSize Size(Map->EdgeX(width()) - Map->EdgeX(0), Map->EdgeY(height()) - Map->EdgeY(0));
    if (FBuffer.size() != Size || FBuffer.devicePixelRatio() != Map->Ratio()) {
      FBuffer = QImage(Size, QImage::Format_RGB32);
      FBuffer.setDevicePixelRatio(Map->Ratio());
    }
    FBuffer.fill(palette().color(backgroundRole()));
    BufferPainter.begin(&FBuffer);
    BufferPainter.setFont(font());
  }
  {
    TQtCanvas Canvas(Buffered ? BufferPainter : Screen);
    FCanvas = &Canvas;
    struct TReset {
      TCanvas*& Slot;
      ~TReset() { Slot = nullptr; }
    } Reset{FCanvas};
    if (OnPaint) OnPaint(this);
  }
  if (Buffered) {
    BufferPainter.end();
    Screen.drawImage(0, 0, FBuffer);
  }
}

void TPaintBox::mouseMoveEvent(QMouseEvent* Event) {
  if (OnMouseMove) {
    const QPoint P = Event->position().toPoint();
    OnMouseMove(this, 0, P.x(), P.y());
  }
  QWidget::mouseMoveEvent(Event);
}
