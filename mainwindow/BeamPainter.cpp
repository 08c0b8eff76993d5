#include "mainwindow/BeamPainter.h"

#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "mainwindow/DiagramExtremes.h"
#include "platform/PixelMath.h"
#include "platform/WinDraw.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>
#include <vector>

namespace {

// Writes Text in Color with its lower edge at Bottom, from Left, or ending at
// Right when Left is negative; returns the text's top.
int NoteAt(TCanvas& Canvas, TColor Color, const QString& Text, int Left, int Right, int Bottom) {
  Canvas.Brush.Style = bsClear;
  Canvas.Font.Color = Color;
  const std::string Line = Text.toStdString();
  const TSize Size = Canvas.TextExtent(Line);
  Canvas.TextOut(Left >= 0 ? Left : Right - Size.cx, Bottom - Size.cy, Line);
  return Bottom - Size.cy;
}

// Says in the lower left of R, in the line's colour, why a line that is
// shown is missing.
void DrawMissingLineNotes(TCanvas& Canvas, const TRect& R, const TShownQuantities& Missing) {
  int Bottom = R.Bottom - 4;
  for (auto It = Quantities().rbegin(); It != Quantities().rend(); ++It)
    if (Missing[It->Id])
      Bottom = NoteAt(
          Canvas, It->Colour,
          QCoreApplication::translate("BeamPainter", "%1 は範囲外の値を含むため表示できません")
              .arg(QString::fromUtf8(It->Symbol)),
          R.Left + 6, 0, Bottom);
}

// States in the lower right how much the bent beam is exaggerated: its
// pixels per mm of deflection over the beam's pixels per mm of length.
void DrawDeflectionScale(const TData& Data, TCanvas& Canvas, const TRect& R, double k, int y0) {
  const double Times = DiagramScale(Data.Points(), qDeflection, y0) * 1000 / k;
  const QString Number = Times >= 10 ? QLocale::c().toString(std::round(Times), 'f', 0)
                                     : QString::number(Times, 'g', 3);
  NoteAt(Canvas, QuantityInfo(qDeflection).Colour,
         QCoreApplication::translate("BeamPainter", "たわみ図の倍率 ×%1").arg(Number), -1,
         R.Right - 6, R.Bottom - 4);
}

// Why nothing was calculated, in the lower left of R, where the notes of
// missing lines go (a beam that was not calculated has none), wrapped into
// R's width.
void DrawRefusal(TCanvas& Canvas, const TRect& R, const std::string& Refusal) {
  if (Refusal.empty()) return;
  Canvas.Brush.Style = bsClear;
  Canvas.Font.Color = clRed;
  constexpr unsigned Flags = DT_WORDBREAK | DT_NOPREFIX;
  TRect Box{R.Left + 6, 0, R.Right - 6, 0};
  const int Height = DrawText(Canvas, Refusal, Box, Flags | DT_CALCRECT);
  Box = {R.Left + 6, R.Bottom - 4 - Height, R.Right - 6, R.Bottom - 4};
  DrawText(Canvas, Refusal, Box, Flags);
}

// One support of a list at its place on the axis through Origin, added to
// Boxes. A support off the span (while the span is retyped) is left out,
// and so is a fixed end that is at neither end: the beam is then not
// calculated, and the refusal says why.
void DrawListSupport(TCanvas& Canvas, const TSupport& S, double L, double k, TPoint Origin,
                     std::vector<TRect>& Boxes) {
  const double X = S.At(L);
  if (!(X >= 0 && X <= L)) return;
  const TPoint P{Round(X * k) + Origin.X, Origin.Y};
  if (S.Kind == skPin) Boxes.push_back(DrawPinSupport(Canvas, P, 16));
  if (S.Kind == skRoller) Boxes.push_back(DrawRollerSupport(Canvas, P, 16));
  if (S.Kind == skFixed && (X == 0 || X == L))
    Boxes.push_back(DrawFixedSupport(Canvas, P, X == 0 ? -8 : 8));
}

// The supports on the axis from x0 to x1: the plain types' as they always
// were (two pins, or the cantilever's wall at the right end), a list's
// each where it stands. Returns the boxes of a list's symbols, which the
// extreme labels keep clear of; the plain types' labels stay where they
// always were.
std::vector<TRect> DrawSupports(const TData& Data, TCanvas& Canvas, double k, int x0, int x1,
                                int y0) {
  std::vector<TRect> Boxes;
  if (!Data.Supports().empty()) {
    for (const TSupport& S : Data.Supports())
      DrawListSupport(Canvas, S, Data.Length(), k, {x0, y0}, Boxes);
  } else if (Data.IsCantilever()) {
    DrawFixedSupport(Canvas, {x1, y0}, 8);
  } else {
    DrawPinSupport(Canvas, {x0, y0}, 16);
    DrawPinSupport(Canvas, {x1, y0}, 16);
  }
  return Boxes;
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
  // The labels keep within R and clear of one another.
  if (Layers.Loads) Data.DrawLoads(Canvas, k, {x0, y0}, R);
  TShownQuantities Shown = Layers.Lines();
  for (const TQuantityInfo& Q : Quantities())
    Shown[Q.Id] = Shown[Q.Id] && Data.Results().Has(Q.Id);
  const TShownQuantities Missing = Data.DrawDiagrams(Canvas, Shown, k, {x0, y0});

  Canvas.Pen.Color = clBlack;
  Canvas.Pen.Width = 3;
  Canvas.MoveTo(x0, y0);
  Canvas.LineTo(x1, y0);
  const std::vector<TRect> Supports = DrawSupports(Data, Canvas, k, x0, x1, y0);
  DrawMissingLineNotes(Canvas, R, Missing);
  DrawRefusal(Canvas, R, Data.Results().Refusal);
  if (Shown[qDeflection] && !Missing[qDeflection]) DrawDeflectionScale(Data, Canvas, R, k, y0);
  if (Layers.Extremes) DrawExtremeLabels(Data, Canvas, R, k, {x0, y0}, Layers, Supports);
  if (Remember) *Remember = TDiagramScale{k, x0, y0};
}
