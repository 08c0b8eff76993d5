#include "mainwindow/VectorCanvas.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

void TVectorCanvas::Polyline(const std::vector<TPoint>& Points) {
  if (Points.size() < 2) return;
  QPolygon Line;
  for (const TPoint& P : Points)
    Line.append(QPoint(P.X, P.Y));
  QPen QtPen(ToQColor(Pen.Color));
  QtPen.setWidth(std::max(1, Pen.Width));
  QtPen.setCapStyle(Qt::RoundCap);
  QtPen.setJoinStyle(Qt::RoundJoin);
  Painter().setPen(QtPen);
  Painter().setBrush(Qt::NoBrush);
  Painter().drawPolyline(Line);
}

void TVectorCanvas::Line(TPoint From, TPoint To) {
  Polyline({From, To});
}
