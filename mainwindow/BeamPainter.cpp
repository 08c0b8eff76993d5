#include "mainwindow/BeamPainter.h"

#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "mainwindow/DiagramExtremes.h"
#include "platform/PixelMath.h"

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
  if (Layers.Extremes) DrawExtremeLabels(Data, Canvas, R, k, {x0, y0}, Layers);
  if (Remember) *Remember = TDiagramScale{k, x0, y0};
}
