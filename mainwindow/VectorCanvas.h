#pragma once

#include "platform/QtCanvas.h"

// A canvas for paper, PDF and SVG: lines are drawn as lines of the device
// (the screen canvas lays them out pixel by pixel), so they stay sharp at
// any resolution and in any scaling of the painter. Everything else is the
// screen canvas's.
class TVectorCanvas : public TQtCanvas {
public:
  explicit TVectorCanvas(QPainter& Painter) : TQtCanvas(Painter) {}

  void Polyline(const std::vector<TPoint>& Points) override;

protected:
  void Line(TPoint From, TPoint To) override;
};
