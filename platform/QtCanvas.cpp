#include "platform/QtCanvas.h"

#include "platform/FontMemory.h"
#include "platform/Fonts.h"
#include "platform/ShapeStamps.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygon>
#include <cmath>
#include <cstdlib>

QColor ToQColor(TColor Color) {
  if (IsSystemColor(Color)) {
    const QPalette Palette = QGuiApplication::palette();
    switch (Color) {
    case clWindow:
      return Palette.color(QPalette::Active, QPalette::Base);
    case clWindowText:
      return Palette.color(QPalette::Active, QPalette::Text);
    case clHighlight:
      return Palette.color(QPalette::Active, QPalette::Highlight);
    case clHighlightText:
      return Palette.color(QPalette::Active, QPalette::HighlightedText);
    case clBtnFace:
    case clScrollBar:
    case clBackground:
      return Palette.color(QPalette::Active, QPalette::Button);
    case clBtnShadow:
      return Palette.color(QPalette::Active, QPalette::Dark);
    case clGrayText:
      return Palette.color(QPalette::Disabled, QPalette::Text);
    case clBtnText:
      return Palette.color(QPalette::Active, QPalette::ButtonText);
    case clBtnHighlight:
      return Palette.color(QPalette::Active, QPalette::Light);
    case cl3DDkShadow:
      return Palette.color(QPalette::Active, QPalette::Shadow);
    case cl3DLight:
      return Palette.color(QPalette::Active, QPalette::Midlight);
    default:
      return Palette.color(QPalette::Active, QPalette::Window);
    }
  }
  return QColor(GetRValue(Color), GetGValue(Color), GetBValue(Color));
}

QFont ToQFont(const TFont& Font) {
  QFont Result = FontFor(QString::fromStdString(Font.Name));
  Result.setPixelSize(std::max(1, Font.Height));
  Result.setBold((Font.Style & fsBold) != 0);
  Result.setItalic((Font.Style & fsItalic) != 0);
  Result.setUnderline((Font.Style & fsUnderline) != 0);
  Result.setStrikeOut((Font.Style & fsStrikeOut) != 0);
  Result.setStyleStrategy(QFont::NoAntialias);
  return Result;
}

QRect ToQRect(const TRect& R) {
  return QRect(R.Left, R.Top, R.Width(), R.Height());
}

QImage ImageFromBitmap(const TBitmap& Bitmap, bool Transparent) {
  QImage Image(Bitmap.Width, Bitmap.Height, QImage::Format_ARGB32);
  const TColor Clear = Bitmap.TransparentColor();
  for (int Y = 0; Y < Bitmap.Height; ++Y)
    for (int X = 0; X < Bitmap.Width; ++X) {
      const TColor C = Bitmap.Pixel(X, Y);
      Image.setPixel(X, Y, Transparent && C == Clear ? 0u : ToQColor(C).rgb());
    }
  return Image;
}

TBitmap BitmapFromImage(const QImage& Image) {
  TBitmap Bitmap;
  Bitmap.Width = Image.width();
  Bitmap.Height = Image.height();
  Bitmap.Pixels.reserve(static_cast<std::size_t>(Bitmap.Width * Bitmap.Height));
  for (int Y = 0; Y < Bitmap.Height; ++Y)
    for (int X = 0; X < Bitmap.Width; ++X) {
      const QRgb P = Image.pixel(X, Y);
      Bitmap.Pixels.push_back(RGB(qRed(P), qGreen(P), qBlue(P)));
    }
  return Bitmap;
}

namespace {

// Hands Pixel the pixels of a one-pixel line from From towards To, To
// itself left out.
template <typename TPixel> void ForEachLinePixel(TPoint From, TPoint To, const TPixel& Pixel) {
  const long long Dx = std::llabs(static_cast<long long>(To.X) - From.X);
  const long long Dy = -std::llabs(static_cast<long long>(To.Y) - From.Y);
  const int Sx = From.X < To.X ? 1 : -1, Sy = From.Y < To.Y ? 1 : -1;
  long long Error = Dx + Dy;
  int X = From.X, Y = From.Y;
  while (X != To.X || Y != To.Y) {
    Pixel(X, Y);
    const long long E2 = 2 * Error;
    if (E2 >= Dy) {
      Error += Dy;
      X += Sx;
    }
    if (E2 <= Dx) {
      Error += Dx;
      Y += Sy;
    }
  }
}

// The pixels of a straight line from A to B, both in, drawn with a square
// nib of Nib pixels.
TRect NibRect(TPoint A, TPoint B, int Nib) {
  const int Offset = -Nib / 2;
  return {std::min(A.X, B.X) + Offset, std::min(A.Y, B.Y) + Offset,
          std::max(A.X, B.X) + Offset + Nib, std::max(A.Y, B.Y) + Offset + Nib};
}

// One step back from To towards From along one axis (0 where they agree).
int StepBack(int From, int To) {
  return (From > To) - (From < To);
}

// The same for a line across or down from From towards To, To left out.
TRect RunRect(TPoint From, TPoint To, int Nib) {
  if (From == To) return {};
  return NibRect(From, {To.X + StepBack(From.X, To.X), To.Y + StepBack(From.Y, To.Y)}, Nib);
}

// Hands Fill one rectangle per straight run of neighbouring pixels, each
// pixel drawn with a square nib of Nib pixels.
template <typename TFill> void ForEachRun(const QPolygon& Pixels, int Nib, const TFill& Fill) {
  for (qsizetype I = 0; I < Pixels.size();) {
    const QPoint Start = Pixels[I];
    qsizetype J = I + 1;
    if (J < Pixels.size()) {
      const QPoint Step = Pixels[J] - Start;
      if ((Step.x() == 0) != (Step.y() == 0) && std::abs(Step.x() + Step.y()) == 1)
        while (J < Pixels.size() && Pixels[J] - Pixels[J - 1] == Step)
          ++J;
    }
    const QPoint End = Pixels[J - 1];
    Fill(NibRect({Start.x(), Start.y()}, {End.x(), End.y()}, Nib));
    I = J;
  }
}

} // namespace

TQtCanvas::TQtCanvas(QPainter& Painter) : FPainter(Painter) {
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setRenderHint(QPainter::TextAntialiasing, false);
  FRaster = TImageRaster::Of(FPainter);
}

TQtCanvas::~TQtCanvas() {
  FlushLines();
}

QPainter& TQtCanvas::Painter() {
  FlushLines();
  FPainterHasFont = false;
  // Its caller may transform or clip it in ways the raster does not follow.
  FRaster.reset();
  return FPainter;
}

TImageRaster* TQtCanvas::RasterFor(const TCanvasColour& Colour) {
  return Colour.Opaque ? FRaster.get() : nullptr;
}

void TQtCanvas::FlushLines() {
  // Only lines for the painter wait here; the raster takes its own at once.
  if (FLineRects.isEmpty()) return;
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(FLineColour.Qt);
  FPainter.drawRects(FLineRects.constData(), static_cast<int>(FLineRects.size()));
  FLineRects.clear();
}

const TQtCanvas::TCanvasColour& TQtCanvas::Colour(TColor Color) const {
  // The palette stays as it is while a canvas paints, so a colour is
  // resolved once; a few slots serve the handful a painting uses.
  TCanvasColour& Slot = FColours[(Color * 2654435761u) >> 29];
  if (!Slot.Known || Slot.Color != Color) {
    const QColor Qt = ToQColor(Color);
    Slot = {true, Color, Qt, Qt.rgb(), Qt.alpha() == 255};
  }
  return Slot;
}

QPen TQtCanvas::QtPen() const {
  QPen Result(Colour(Pen.Color).Qt);
  Result.setWidth(std::max(1, Pen.Width));
  Result.setCapStyle(Qt::SquareCap);
  Result.setJoinStyle(Qt::BevelJoin);
  return Result;
}

QBrush TQtCanvas::QtBrush() const {
  return Brush.Style == bsClear ? QBrush(Qt::NoBrush) : QBrush(Colour(Brush.Color).Qt);
}

const QFontMetrics& TQtCanvas::FontMetrics() {
  if (!FMetricsFont || !(*FMetricsFont == Font)) {
    FMetricsFont = Font;
    FQtFont = ToQFont(Font);
    FMetrics.emplace(FQtFont);
    FFontMemory = &FontMemoryOf(FQtFont);
    FPainterHasFont = false;
  }
  return *FMetrics;
}

void TQtCanvas::FillRect(const TRect& R) {
  if (Brush.Style == bsClear || R.IsEmpty()) return;
  FlushLines();
  const TCanvasColour& Fill = Colour(Brush.Color);
  if (TImageRaster* Raster = RasterFor(Fill))
    Raster->FillRect(R, Fill.Rgb);
  else
    FPainter.fillRect(ToQRect(R), Fill.Qt);
}

void TQtCanvas::Rectangle(const TRect& R) {
  if (R.IsEmpty()) return;
  FillRect(R);
  const TPoint Corners[] = {{R.Left, R.Top},
                            {R.Right - 1, R.Top},
                            {R.Right - 1, R.Bottom - 1},
                            {R.Left, R.Bottom - 1},
                            {R.Left, R.Top}};
  Polyline(std::vector<TPoint>(std::begin(Corners), std::end(Corners)));
  // The closing corner is the first one, which the outline already covers.
}

void TQtCanvas::Line(TPoint From, TPoint To) {
  const TPoint Points[] = {From, To};
  PolylineOf(Points, 2, false);
}

void TQtCanvas::Polyline(const std::vector<TPoint>& Points) {
  PolylineOf(Points.data(), Points.size(), false);
}

void TQtCanvas::PolylineOf(const TPoint* Points, std::size_t Count, bool Closed) {
  if (Count < (Closed ? 1 : 2)) return;
  const TCanvasColour& Line = Colour(Pen.Color);
  TImageRaster* Raster = RasterFor(Line);
  if (Raster || Line.Color != FLineColour.Color) FlushLines();
  FLineColour = Line;
  // Lines on the raster are painted at once, others batched for the painter.
  const auto Fill = [this, Raster, Rgb = Line.Rgb](const TRect& R) {
    if (Raster)
      Raster->FillRect(R, Rgb);
    else
      FLineRects.append(ToQRect(R));
  };
  const int Nib = std::max(1, Pen.Width);
  QPolygon& Pixels = FPixels;
  Pixels.clear();
  const std::size_t Segments = Closed ? Count : Count - 1;
  for (std::size_t I = 0; I < Segments; ++I) {
    const TPoint From = Points[I], To = Points[(I + 1) % Count];
    // A straight line across or down is one rectangle already.
    if (From.X == To.X || From.Y == To.Y)
      Fill(RunRect(From, To, Nib));
    else if (Raster && Nib == 1 && Raster->Map().IsIdentity())
      ForEachLinePixel(From, To, [Raster, &Line](int X, int Y) { Raster->Dot(X, Y, Line.Rgb); });
    else
      ForEachLinePixel(From, To, [&Pixels](int X, int Y) { Pixels.append(QPoint(X, Y)); });
  }
  const TPoint Last = Closed ? Points[0] : Points[Count - 1];
  // A wide pen is a square nib stamped on every pixel of the centre line,
  // the last point included.
  if (Nib > 1) Pixels.append(QPoint(Last.X, Last.Y));
  ForEachRun(Pixels, Nib, Fill);
}

void TQtCanvas::Polygon(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  if (Brush.Style != bsClear) {
    FlushLines();
    const TCanvasColour& Fill = Colour(Brush.Color);
    TImageRaster* Raster = RasterFor(Fill);
    if (!Raster || !Raster->FillPolygon(Points.data(), Points.size(), Fill.Rgb)) {
      QPolygon& Shape = FPixels;
      Shape.clear();
      for (const TPoint& P : Points)
        Shape.append(QPoint(P.X, P.Y));
      FPainter.setPen(Qt::NoPen);
      FPainter.setBrush(Fill.Qt);
      FPainter.drawPolygon(Shape, Qt::OddEvenFill);
    }
  }
  PolylineOf(Points.data(), Points.size(), true);
}

void TQtCanvas::Ellipse(const TRect& R) {
  if (R.IsEmpty()) return;
  FlushLines();
  const QPen ShapePen = QtPen();
  const QBrush ShapeBrush = QtBrush();
  PaintShape({0, R.Width(), R.Height(), 0, 0}, R, [&](QPainter& Painter, QPoint At) {
    Painter.setPen(ShapePen);
    Painter.setBrush(ShapeBrush);
    Painter.drawEllipse(QRect(At.x(), At.y(), R.Width() - 1, R.Height() - 1));
  });
}

void TQtCanvas::Arc(const TRect& R, TPoint Start, TPoint End) {
  if (R.IsEmpty()) return;
  const double Cx = (R.Left + R.Right) / 2.0, Cy = (R.Top + R.Bottom) / 2.0;
  const double Pi = std::acos(-1.0);
  const double A0 = std::atan2(Cy - Start.Y, Start.X - Cx) * 180 / Pi;
  const double A1 = std::atan2(Cy - End.Y, End.X - Cx) * 180 / Pi;
  double Span = A1 - A0;
  while (Span <= 0)
    Span += 360;
  FlushLines();
  const QPen ShapePen = QtPen();
  const int From = static_cast<int>(std::lround(A0 * 16));
  const int Length = static_cast<int>(std::lround(Span * 16));
  PaintShape({1, R.Width(), R.Height(), From, Length}, R, [&](QPainter& Painter, QPoint At) {
    Painter.setPen(ShapePen);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawArc(QRect(At.x(), At.y(), R.Width() - 1, R.Height() - 1), From, Length);
  });
}

void TQtCanvas::PaintShape(std::array<std::int64_t, 5> Form, const TRect& Box,
                           const std::function<void(QPainter&, QPoint)>& Draw) {
  // A shape far larger than the figures here is painted as it is.
  constexpr int LargestStamp = 256;
  const QColor PenColour = Colour(Pen.Color).Qt;
  const QColor BrushColour =
      Brush.Style == bsClear ? QColor(Qt::transparent) : Colour(Brush.Color).Qt;
  const bool Opaque =
      PenColour.alpha() == 255 && (Brush.Style == bsClear || BrushColour.alpha() == 255);
  if (FRaster && Opaque &&
      std::max(Box.Width(), Box.Height()) * FRaster->Map().Ratio8() <= LargestStamp * 8) {
    const TShapeKey Key{Form[0],
                        Form[1],
                        Form[2],
                        Form[3],
                        Form[4],
                        PenColour.rgba(),
                        std::max(1, Pen.Width),
                        BrushColour.rgba()};
    const int Reach = std::max(Box.Width(), Box.Height()) + 2 * std::max(1, Pen.Width) + 2;
    const TDeviceMap& Map = FRaster->Map();
    const TPoint Corner{Box.Left, Box.Top};
    if (const TPixelRuns* Runs = ShapeStamp(Key, Reach, Map.Ratio8(), Map.Phase(Corner), Draw)) {
      const TPoint At = Map.Pixel(Corner);
      FRaster->Paint(*Runs, At.X, At.Y);
      return;
    }
  }
  Draw(FPainter, QPoint(Box.Left, Box.Top));
}

void TQtCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (Text.empty()) return;
  FlushLines();
  const QFontMetrics& Metrics = FontMetrics();
  if (Brush.Style != bsClear) FillRect({X, Y, X + TextExtent(Text).cx, Y + Metrics.height()});
  const TCanvasColour& Ink = Colour(Font.Color);
  if (TImageRaster* Raster = RasterFor(Ink))
    if (FFontMemory->Glyphs.Paint(*Raster, X, Y, Text, Ink.Rgb)) return;
  FPainter.setPen(Ink.Qt);
  if (!FPainterHasFont) {
    FPainter.setFont(FQtFont);
    FPainterHasFont = true;
  }
  FPainter.drawText(QPoint(X, Y + Metrics.ascent()), QString::fromStdString(Text));
}

TSize TQtCanvas::TextExtent(const std::string& Text) {
  const QFontMetrics& Metrics = FontMetrics();
  // A canvas with a raster has its font's glyph stamps probed already or
  // soon, and they measure a text far faster than a lookup, by the font's
  // metrics, which are the same at every device pixel ratio.
  if (int Width; FRaster && FFontMemory->Glyphs.Width(Text, Width))
    return {Width, Metrics.height()};
  std::unordered_map<std::string, int>& Widths = FFontMemory->Widths;
  auto Known = Widths.find(Text);
  if (Known == Widths.end()) {
    if (Widths.size() >= MaxKnownWidths) Widths.clear();
    Known = Widths.emplace(Text, Metrics.horizontalAdvance(QString::fromStdString(Text))).first;
  }
  return {Known->second, Metrics.height()};
}

void TQtCanvas::Draw(int X, int Y, const TBitmap& Bitmap, bool Transparent) {
  if (Bitmap.Width <= 0 || Bitmap.Height <= 0) return;
  FlushLines();
  FPainter.drawImage(X, Y, ImageFromBitmap(Bitmap, Transparent));
}

void TQtCanvas::SetClipRect(const TRect* R) {
  FlushLines();
  if (R)
    FPainter.setClipRect(ToQRect(*R));
  else
    FPainter.setClipping(false);
  if (FRaster) FRaster->SetClip(R);
}
