#include "analysis/LoadFigures.h"

#include "analysis/KajyuData.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cstdlib>

int SignOf(double Value) {
  return Value > 0 ? 1 : Value < 0 ? -1 : 0;
}

void DrawArrow(TCanvas& Canvas, TPoint Tip, int Length) {
  Canvas.Pen.Width = 1;
  const int e = std::min(6, std::abs(Length) / 4);
  const int Sign = Length < 0 ? -1 : 1;
  const int x = Tip.X, y = Tip.Y;
  Canvas.MoveTo(x, y - Length);
  Canvas.LineTo(x, y);
  Canvas.LineTo(x - e, y - Sign * e);
  Canvas.MoveTo(x + e, y - Sign * e);
  Canvas.LineTo(x, y);
}

void DrawMomentArc(TCanvas& Canvas, TPoint Centre, int Size, double Moment) {
  if (Moment == 0 || std::isnan(Moment)) return;
  const int r = Size / 2, cx = Centre.X, cy = Centre.Y;
  Canvas.Pen.Color = clGreen;
  Canvas.Pen.Width = 1;
  const TRect Box{cx - r, cy - r, cx + r, cy + r};
  const TPoint Top{cx, cy - r}, Bottom{cx, cy + r};
  int BarbX;
  if (Moment > 0) {
    Canvas.Arc(Box, Top, Bottom); // counter-clockwise from the top: the left half
    BarbX = cx - Size / 4;
  } else {
    Canvas.Arc(Box, Bottom, Top); // the right half
    BarbX = cx + Size / 4;
  }
  Canvas.MoveTo(BarbX, cy - r - Size / 6);
  Canvas.LineTo(Top.X, Top.Y);
  Canvas.LineTo(BarbX, cy - r + Size / 6);
}

void DrawPinSupport(TCanvas& Canvas, TPoint Apex, int Size) {
  Canvas.Pen.Color = clBlue;
  Canvas.Pen.Width = 1;
  const int HalfBase = Round(Size * 0.5), Height = Round(Size * 0.866);
  const int x = Apex.X, y = Apex.Y;
  Canvas.Polyline({{x, y}, {x + HalfBase, y + Height}, {x - HalfBase, y + Height}, {x, y}});
}

void DrawFixedSupport(TCanvas& Canvas, TPoint Point, int Size) {
  const int s = Size, a = std::abs(Size), x = Point.X, y = Point.Y;
  Canvas.Pen.Color = clBlue;
  Canvas.Pen.Width = 2;
  Canvas.MoveTo(x, y - 4 * a);
  Canvas.LineTo(x, y + 4 * a);
  Canvas.Pen.Width = 1;
  const int Step = std::max(1, a / 2);
  for (int d = y - 4 * a; d <= y + 4 * a; d += Step) {
    Canvas.MoveTo(x, d);
    Canvas.LineTo(x + s, d + a);
  }
}

void DrawLoadFigure(const TKajyuData& Load, TCanvas& Canvas, TPoint Origin, double v, double k,
                    int h) {
  const double X = Load.FX, Width = Load.FWidth, I = Load.Intensity();
  if (!IsPixelValue(k * X) || !IsPixelValue(k * (X + Width)) || !IsPixelValue(v * I)) return;
  const int x0 = Origin.X, y0 = Origin.Y;
  const long long Level = Load.FLevel;
  constexpr long long PixelRange = static_cast<long long>(PixelLimit);
  Canvas.Pen.Color = clBlue;
  Canvas.Pen.Width = 1;

  const long long Base = Level >= 0 ? y0 + h / 2 - h * Level : y0 - h / 2 - h * Level;
  const int yb = static_cast<int>(std::clamp<long long>(Base, -PixelRange, PixelRange));
  const int xs = Round(k * X) + x0;
  const int xe = Round(k * (X + Width)) + x0;
  const int Height = Round(v * I);
  const int m = std::max(30, Round(k * Width) / 10);

  const std::string Label = Load.LabelText();
  std::vector<TPoint> Figure;
  switch (Load.FKind) {
  case lkUniform:
    Canvas.Brush.Color = clAqua;
    Figure = {{xs, yb}, {xs, yb - Height}, {xe, yb - Height}, {xe, yb}};
    break;
  case lkLeftTriangle:
    Canvas.Brush.Color = clYellow;
    Figure = {{xs, yb}, {xs, yb - Height}, {xe, yb}};
    break;
  case lkRightTriangle:
    Canvas.Brush.Color = clFuchsia;
    Figure = {{xs, yb}, {xe, yb - Height}, {xe, yb}};
    break;
  case lkConcentrated:
    Canvas.Pen.Color = clRed;
    DrawArrow(Canvas, {xs, yb}, Height);
    break;
  case lkMoment:
    Canvas.Pen.Color = clRed;
    Canvas.Ellipse({xs - 2, y0 - 2, xs + 3, y0 + 3});
    DrawMomentArc(Canvas, {xs, y0}, 40, Load.FW);
    break;
  default:
    return;
  }

  if (!Figure.empty() && Width > 0) {
    Canvas.Brush.Style = bsSolid;
    Canvas.Polygon(Figure);
    // Hatch arrows about m pixels apart. A load at most 15 pixels wide has
    // no interval; it shows one arrow of its full height at its start. The
    // interval count stays at 10 even for widths beyond the pixel range.
    const int N = std::min(10, Round(k * Width / m));
    if (N <= 0) {
      DrawArrow(Canvas, {xs, yb}, Height);
    } else {
      for (int i = 0; i <= N; ++i) {
        const int Tip = Round(k * X + i * k * Width / N) + x0;
        int Length;
        if (Load.FKind == lkUniform)
          Length = Height;
        else if (Load.FKind == lkLeftTriangle)
          Length = Round(v * I * (N - i) / N);
        else
          Length = Round(v * I * i / N);
        DrawArrow(Canvas, {Tip, yb}, Length);
      }
    }
  }

  const int tw = Canvas.TextWidth(Label);
  Canvas.Brush.Style = bsClear;
  const int th = Canvas.TextHeight(Label);
  Canvas.TextOut(xs + (Round(k * Width) - tw) / 2, yb - Height - Round(th * SignOf(I)), Label);
}
