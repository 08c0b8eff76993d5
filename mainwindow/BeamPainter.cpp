#include "mainwindow/BeamPainter.h"

#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "mainwindow/DiagramExtremes.h"
#include "platform/PixelMath.h"

#include <QCoreApplication>
#include <cmath>

namespace {

// Whether a sample of the line Value picks is not finite, so that
// TData::DrawDiagrams leaves the line out.
bool HasNonFinite(const TData& Data, double TCalcPoint::*Value) {
  return std::any_of(Data.Points().begin(), Data.Points().end(), [Value](const TCalcPoint& P) {
    return !std::isfinite(P.X) || !std::isfinite(P.*Value);
  });
}

// Says in the lower left of R, in the line's colour, why a line that is
// shown is missing.
void DrawMissingLineNotes(const TData& Data, TCanvas& Canvas, const TRect& R,
                          const TDiagramLayers& Layers) {
  int Bottom = R.Bottom - 4;
  const auto Note = [&](TColor Color, const QString& Text) {
    Canvas.Brush.Style = bsClear;
    Canvas.Font.Color = Color;
    const std::string Line = Text.toStdString();
    Bottom -= Canvas.TextHeight(Line);
    Canvas.TextOut(R.Left + 6, Bottom, Line);
  };
  if (Layers.Moment && HasNonFinite(Data, &TCalcPoint::M))
    Note(clBlue,
         QCoreApplication::translate("BeamPainter", "M は範囲外の値を含むため表示できません"));
  if (Layers.Shear && HasNonFinite(Data, &TCalcPoint::S))
    Note(clGreen,
         QCoreApplication::translate("BeamPainter", "S は範囲外の値を含むため表示できません"));
}

} // namespace

void DrawBeam(TData& Data, TCanvas& Canvas, const TRect& R, const TDiagramLayers& Layers,
              TDiagramScale* Remember) {
  Canvas.Brush.Color = clWhite;
  Canvas.Brush.Style = bsSolid;
  Canvas.FillRect(R);
  const double L = Data.Length();
  if (!(L > 0)) return;

  // Too narrow for the 30-pixel margins: nothing to draw, nothing to read
  // (a negative scale would mirror the beam and the readout).
  if (R.Right - R.Left <= 60) {
    if (Remember) Remember->FScale = 0;
    return;
  }
  const double k = (R.Right - R.Left - 60) / L;
  const int y0 = (R.Bottom - R.Top) / 2;
  const int x0 = 30;
  const int x1 = Round(L * k) + 30;
  if (Layers.Loads) Data.DrawLoads(Canvas, k, {x0, y0});
  Data.DrawDiagrams(Canvas, Layers.Shear, Layers.Moment, k, {x0, y0});

  Canvas.Pen.Color = clBlack;
  Canvas.Pen.Width = 3;
  Canvas.MoveTo(x0, y0);
  Canvas.LineTo(x1, y0);
  if (Data.BeamType() != btSimple) {
    DrawFixedSupport(Canvas, {x1, y0}, 8);
  } else {
    DrawPinSupport(Canvas, {x0, y0}, 16);
    DrawPinSupport(Canvas, {x1, y0}, 16);
  }
  DrawMissingLineNotes(Data, Canvas, R, Layers);
  if (Layers.Extremes) DrawExtremeLabels(Data, Canvas, R, k, {x0, y0}, Layers);
  if (Remember) *Remember = TDiagramScale{k, x0, y0};
}
