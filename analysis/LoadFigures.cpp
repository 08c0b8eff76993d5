#include "analysis/LoadFigures.h"

#include "analysis/KajyuData.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

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

TRect DrawPinSupport(TCanvas& Canvas, TPoint Apex, int Size) {
  Canvas.Pen.Color = clBlue;
  Canvas.Pen.Width = 1;
  const int HalfBase = Round(Size * 0.5), Height = Round(Size * 0.866);
  const int x = Apex.X, y = Apex.Y;
  Canvas.Polyline({{x, y}, {x + HalfBase, y + Height}, {x - HalfBase, y + Height}, {x, y}});
  return {x - HalfBase, y, x + HalfBase + 1, y + Height + 1};
}

TRect DrawRollerSupport(TCanvas& Canvas, TPoint Apex, int Size) {
  TRect Box = DrawPinSupport(Canvas, Apex, Size);
  const int y = Box.Bottom - 1 + std::max(2, Size / 5);
  Canvas.MoveTo(Box.Left, y);
  Canvas.LineTo(Box.Right, y);
  Box.Bottom = y + 1;
  return Box;
}

TRect DrawFixedSupport(TCanvas& Canvas, TPoint Point, int Size) {
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
  // The wall's two-pixel pen reaches one pixel left of and above its line.
  return {std::min(x - 1, x + s + 1), y - 4 * a - 1, std::max(x + 1, x + s), y + 5 * a};
}

namespace {

// Where a figure stands in pixels: its two ends, the baseline of its row
// and the height of its (peak) intensity.
struct TFigureFrame {
  int xs, xe, yb, Height;
};

TFigureFrame FrameOf(const TKajyuData& Load, TPoint Origin, double v, double k, int h) {
  const long long Level = Load.FLevel;
  constexpr long long PixelRange = static_cast<long long>(PixelLimit);
  const long long Base = Level >= 0 ? Origin.Y + h / 2 - h * Level : Origin.Y - h / 2 - h * Level;
  return {Round(k * Load.FX) + Origin.X, Round(k * (Load.FX + Load.FWidth)) + Origin.X,
          static_cast<int>(std::clamp<long long>(Base, -PixelRange, PixelRange)),
          Round(v * Load.Intensity())};
}

// The outline of a distributed load, with the brush set to its colour;
// empty for the other kinds.
std::vector<TPoint> DistributedOutline(std::int32_t Kind, const TFigureFrame& F, TCanvas& Canvas) {
  const int xs = F.xs, xe = F.xe, yb = F.yb, Top = F.yb - F.Height;
  switch (Kind) {
  case lkUniform:
    Canvas.Brush.Color = clAqua;
    return {{xs, yb}, {xs, Top}, {xe, Top}, {xe, yb}};
  case lkLeftTriangle:
    Canvas.Brush.Color = clYellow;
    return {{xs, yb}, {xs, Top}, {xe, yb}};
  case lkRightTriangle:
    Canvas.Brush.Color = clFuchsia;
    return {{xs, yb}, {xe, Top}, {xe, yb}};
  default:
    return {};
  }
}

// Hatch arrows about m pixels apart. A load at most 15 pixels wide has no
// interval; it shows one arrow of its full height at its start. The
// interval count stays at 10 even for widths beyond the pixel range.
void DrawHatchArrows(const TKajyuData& Load, TCanvas& Canvas, const TFigureFrame& F, double v,
                     double k, int x0) {
  const double X = Load.FX, Width = Load.FWidth, I = Load.Intensity();
  const int m = std::max(30, Round(k * Width) / 10);
  const int N = std::min(10, Round(k * Width / m));
  if (N <= 0) {
    DrawArrow(Canvas, {F.xs, F.yb}, F.Height);
    return;
  }
  for (int i = 0; i <= N; ++i) {
    const int Tip = Round(k * X + i * k * Width / N) + x0;
    int Length;
    if (IsUniformKind(Load.FKind))
      Length = F.Height;
    else if (PeaksAtStart(Load.FKind))
      Length = Round(v * I * (N - i) / N);
    else
      Length = Round(v * I * i / N);
    DrawArrow(Canvas, {Tip, F.yb}, Length);
  }
}

// The value label where the figure's own rule puts it: centred over the
// figure on the side it points from.
TRect LabelBox(const TKajyuData& Load, const std::string& Text, TCanvas& Canvas,
               const TFigureFrame& F, double k) {
  const TSize Extent = Canvas.TextExtent(Text);
  const int tw = Extent.cx, th = Extent.cy;
  const int x = F.xs + (Round(k * Load.FWidth) - tw) / 2;
  const int y = F.yb - F.Height - Round(th * SignOf(Load.Intensity()));
  return {x, y, x + tw, y + th};
}

} // namespace

bool IsDrawnFigure(const TKajyuData& Load, double v, double k) {
  return IsPixelValue(k * Load.FX) && IsPixelValue(k * (Load.FX + Load.FWidth)) &&
         IsPixelValue(v * Load.Intensity()) && IsKnownKind(Load.FKind);
}

TRect FigureLabelBox(const TKajyuData& Load, const std::string& Text, TCanvas& Canvas,
                     TPoint Origin, double v, double k, int h) {
  return LabelBox(Load, Text, Canvas, FrameOf(Load, Origin, v, k, h), k);
}

void DrawLoadFigure(const TKajyuData& Load, TCanvas& Canvas, TPoint Origin, double v, double k,
                    int h, const TLoadLabel& Label) {
  if (!IsDrawnFigure(Load, v, k)) return;
  const TFigureFrame F = FrameOf(Load, Origin, v, k, h);
  Canvas.Pen.Color = clBlue;
  Canvas.Pen.Width = 1;
  if (IsConcentratedKind(Load.FKind)) {
    Canvas.Pen.Color = clRed;
    DrawArrow(Canvas, {F.xs, F.yb}, F.Height);
  } else if (IsMomentKind(Load.FKind)) {
    Canvas.Pen.Color = clRed;
    Canvas.Ellipse({F.xs - 2, Origin.Y - 2, F.xs + 3, Origin.Y + 3});
    DrawMomentArc(Canvas, {F.xs, Origin.Y}, 40, Load.FW);
  } else {
    const std::vector<TPoint> Outline = DistributedOutline(Load.FKind, F, Canvas);
    if (Load.FWidth > 0) {
      Canvas.Brush.Style = bsSolid;
      Canvas.Polygon(Outline);
      DrawHatchArrows(Load, Canvas, F, v, k, Origin.X);
    }
  }
  Canvas.Brush.Style = bsClear;
  if (!Label.Text.empty()) Canvas.TextOut(Label.Box.Left, Label.Box.Top, Label.Text);
}
