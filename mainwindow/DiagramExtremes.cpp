#include "mainwindow/DiagramExtremes.h"

#include "analysis/BeamData.h"
#include "platform/PixelMath.h"
#include "support/QvxTools.h"

#include <QCoreApplication>
#include <cmath>

namespace {

constexpr int Gap = 6;     // between a point and its label
constexpr int Padding = 3; // inside the label's box

bool Overlaps(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

TRect PushedInto(TRect Box, const TRect& Area) {
  const int dx = std::max(Area.Left - Box.Left, std::min(0, Area.Right - Box.Right));
  const int dy = std::max(Area.Top - Box.Top, std::min(0, Area.Bottom - Box.Bottom));
  return {Box.Left + dx, Box.Top + dy, Box.Right + dx, Box.Bottom + dy};
}

struct TMark {
  TQuantity Quantity;
  bool Largest;
  TExtreme Extreme;
  double Scale; // pixels per unit of the value
  TColor Color;
};

// The point on the border of Box nearest to P.
TPoint NearestOnBox(TPoint P, const TRect& Box) {
  return {std::clamp(P.X, Box.Left, Box.Right - 1), std::clamp(P.Y, Box.Top, Box.Bottom - 1)};
}

void DrawMark(TCanvas& Canvas, const TMark& Mark, TPoint P, const TRect& Box,
              const std::string& Text) {
  Canvas.Pen.Color = Mark.Color;
  Canvas.Pen.Width = 1;
  const TPoint Near = NearestOnBox(P, Box);
  Canvas.MoveTo(P.X, P.Y);
  Canvas.LineTo(Near.X, Near.Y);
  Canvas.Brush.Style = bsSolid;
  Canvas.Brush.Color = Mark.Color;
  Canvas.Ellipse({P.X - 3, P.Y - 3, P.X + 4, P.Y + 4});
  Canvas.Brush.Color = clWhite;
  Canvas.Rectangle(Box);
  Canvas.Brush.Style = bsClear;
  Canvas.Font.Color = Mark.Color;
  Canvas.TextOut(Box.Left + Padding, Box.Top + Padding, Text);
}

std::vector<TMark> MarksToDraw(const TData& Data, int OriginY, const TDiagramLayers& Layers) {
  const TBeamResults& R = Data.Results();
  const TShownQuantities Shown = Layers.Lines();
  std::vector<TMark> Marks;
  for (const TQuantityInfo& Q : Quantities()) {
    if (!Q.Drawn || !Shown[Q.Id] || !R.Has(Q.Id)) continue;
    const double Scale = DiagramScale(Data.Points(), Q.Id, OriginY);
    const TExtreme &Max = R.Largest(Q.Id), &Min = R.Smallest(Q.Id);
    Marks.push_back({Q.Id, true, Max, Scale, Q.Colour});
    // A line that is flat over the whole beam has one extreme.
    if (Min.Value != Max.Value || Min.X != Max.X)
      Marks.push_back({Q.Id, false, Min, Scale, Q.Colour});
  }
  return Marks;
}

} // namespace

std::string ExtremeLabelText(TQuantity Q, bool Largest, const TExtreme& Extreme) {
  const TQuantityInfo& Info = QuantityInfo(Q);
  const QString Name = Largest ? QCoreApplication::translate("DiagramExtremes", "最大 %1")
                               : QCoreApplication::translate("DiagramExtremes", "最小 %1");
  return QStringLiteral("%1 = %2(%3)  X = %4(m)")
      .arg(Name.arg(QString::fromUtf8(Info.Symbol)), FormatReal(Extreme.Value, Info.Decimals),
           QString::fromUtf8(Info.Unit), FormatReal3(Extreme.X))
      .toStdString();
}

TRect PlaceLabel(TPoint P, TSize Size, const TRect& Area, const std::vector<TRect>& Taken) {
  const int Step = Size.cy + 2;
  const int Steps = std::max(1, Area.Height() / Step);
  const TRect First{P.X + Gap, P.Y + Gap, P.X + Gap + Size.cx, P.Y + Gap + Size.cy};
  const auto Free = [&](const TRect& Box) {
    return Inside(Box, Area) && std::none_of(Taken.begin(), Taken.end(),
                                             [&Box](const TRect& T) { return Overlaps(Box, T); });
  };
  // Beside the point first, then the same rows pushed sideways into the
  // area, stepping away from the point's height.
  for (int n = 0; n <= Steps; ++n) {
    const int Right = P.X + Gap, Left = P.X - Gap - Size.cx;
    const int Below = P.Y + Gap + n * Step, Above = P.Y - Gap - Size.cy - n * Step;
    for (const bool Pushed : {false, true})
      for (const TPoint Corner :
           {TPoint{Right, Below}, TPoint{Right, Above}, TPoint{Left, Below}, TPoint{Left, Above}}) {
        TRect Box{Corner.X, Corner.Y, Corner.X + Size.cx, Corner.Y + Size.cy};
        if (Pushed) Box = PushedInto(Box, Area);
        if (Free(Box)) return Box;
      }
  }
  return PushedInto(First, Area);
}

void DrawExtremeLabels(const TData& Data, TCanvas& Canvas, const TRect& R, double k, TPoint Origin,
                       const TDiagramLayers& Layers, std::vector<TRect> Keep) {
  if (!Data.Results().Valid || Data.Points().empty()) return;
  std::vector<TRect> Taken = std::move(Keep);
  for (const TMark& Mark : MarksToDraw(Data, Origin.Y, Layers)) {
    const double x = Mark.Extreme.X * k, y = Mark.Extreme.Value * Mark.Scale;
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    const TPoint P{Round(x) + Origin.X, Round(y) + Origin.Y};
    const std::string Text = ExtremeLabelText(Mark.Quantity, Mark.Largest, Mark.Extreme);
    const TSize Extent = Canvas.TextExtent(Text);
    const TRect Box = PlaceLabel(P, {Extent.cx + 2 * Padding, Extent.cy + 2 * Padding}, R, Taken);
    Taken.push_back(Box);
    DrawMark(Canvas, Mark, P, Box, Text);
  }
}
