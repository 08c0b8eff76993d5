#pragma once

#include "platform/Canvas.h"
#include "platform/Events.h"

#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

using TMouseMoveEvent = std::function<void(TObject* Sender, unsigned Shift, int X, int Y)>;

// A plain drawing surface: OnPaint draws it on a canvas during a paint;
// OnMouseMove reports the mouse over it (also without a button pressed).
class TPaintBox : public QWidget, public TObject {
public:
  explicit TPaintBox(QWidget* Parent = nullptr);

  TNotifyEvent OnPaint;
  TMouseMoveEvent OnMouseMove;

  // The canvas of the paint in progress (only valid inside OnPaint).
  TCanvas& Canvas();
  TRect ClientRect() const { return {0, 0, width(), height()}; }

protected:
  void paintEvent(QPaintEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;

private:
  TCanvas* FCanvas = nullptr;
  QImage FBuffer; // what the box paints, in device pixels at the box's ratio
};
