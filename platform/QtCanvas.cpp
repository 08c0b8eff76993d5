#include "platform/QtCanvas.h"

#include "platform/KnownTexts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
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
  QFont Result(QString::fromStdString(Font.Name));
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

// The pixels of a one-pixel line from From towards To, To itself excluded.
void AddLinePixels(TPoint From, TPoint To, QPolygon& Pixels) {
  const long long Dx = std::llabs(static_cast<long long>(To.X) - From.X);
  const long long Dy = -std::llabs(static_cast<long long>(To.Y) - From.Y);
  const int Sx = From.X < To.X ? 1 : -1, Sy = From.Y < To.Y ? 1 : -1;
  long long Error = Dx + Dy;
  int X = From.X, Y = From.Y;
  while (X != To.X || Y != To.Y) {
    Pixels.append(QPoint(X, Y));
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

} // namespace

TQtCanvas::TQtCanvas(QPainter& Painter) : FPainter(Painter) {
  static std::uint64_t Canvases = 0;
  FNumber = ++Canvases;
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setRenderHint(QPainter::TextAntialiasing, false);
}

TQtCanvas::~TQtCanvas() {
  FlushLines();
}

void TQtCanvas::FlushLines() {
  if (FLineRects.isEmpty()) return;
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(FLineColor);
  FPainter.drawRects(FLineRects.constData(), static_cast<int>(FLineRects.size()));
  FLineRects.clear();
}

void TQtCanvas::ApplyPen() {
  QPen QtPen(ToQColor(Pen.Color));
  QtPen.setWidth(std::max(1, Pen.Width));
  QtPen.setCapStyle(Qt::SquareCap);
  QtPen.setJoinStyle(Qt::BevelJoin);
  FPainter.setPen(QtPen);
}

void TQtCanvas::ApplyBrush() {
  if (Brush.Style == bsClear)
    FPainter.setBrush(Qt::NoBrush);
  else
    FPainter.setBrush(ToQColor(Brush.Color));
}

const QFontMetrics& TQtCanvas::FontMetrics() {
  if (!FMetricsFont || !(*FMetricsFont == Font)) {
    FMetricsFont = Font;
    FQtFont = ToQFont(Font);
    FMetrics.emplace(FQtFont);
    FKnown = &KnownTexts(FQtFont);
    FPainterHasFont = false;
  }
  return *FMetrics;
}

void TQtCanvas::FillRect(const TRect& R) {
  if (Brush.Style == bsClear || R.IsEmpty()) return;
  FlushLines();
  FPainter.fillRect(ToQRect(R), ToQColor(Brush.Color));
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
  QPolygon& Pixels = FPixels;
  Pixels.clear();
  for (std::size_t I = 1; I < Count; ++I)
    AddLinePixels(Points[I - 1], Points[I], Pixels);
  if (Closed) AddLinePixels(Points[Count - 1], Points[0], Pixels);
  const TPoint Last = Closed ? Points[0] : Points[Count - 1];
  // A wide pen is a square nib stamped on every pixel of the centre line,
  // the last point included.
  if (Pen.Width > 1) Pixels.append(QPoint(Last.X, Last.Y));
  FillPixelRuns(Pixels, std::max(1, Pen.Width), ToQColor(Pen.Color));
}

void TQtCanvas::FillPixelRuns(const QPolygon& Pixels, int Nib, const QColor& Color) {
  // Straight runs of neighbouring pixels become one rectangle each, added
  // to the batch of lines of the same colour.
  if (Color != FLineColor) FlushLines();
  FLineColor = Color;
  const int Offset = -Nib / 2;
  QList<QRect>& Rects = FLineRects;
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
    Rects.append(
        QRect(QPoint(std::min(Start.x(), End.x()) + Offset, std::min(Start.y(), End.y()) + Offset),
              QPoint(std::max(Start.x(), End.x()) + Offset + Nib - 1,
                     std::max(Start.y(), End.y()) + Offset + Nib - 1)));
    I = J;
  }
}

void TQtCanvas::Polygon(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  if (Brush.Style != bsClear) {
    QPolygon& Shape = FPixels;
    Shape.clear();
    for (const TPoint& P : Points)
      Shape.append(QPoint(P.X, P.Y));
    FlushLines();
    FPainter.setPen(Qt::NoPen);
    ApplyBrush();
    FPainter.drawPolygon(Shape, Qt::OddEvenFill);
  }
  PolylineOf(Points.data(), Points.size(), true);
}

void TQtCanvas::Ellipse(const TRect& R) {
  if (R.IsEmpty()) return;
  FlushLines();
  ApplyPen();
  ApplyBrush();
  FPainter.drawEllipse(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
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
  ApplyPen();
  FPainter.setBrush(Qt::NoBrush);
  FPainter.drawArc(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1),
                   static_cast<int>(std::lround(A0 * 16)),
                   static_cast<int>(std::lround(Span * 16)));
}

void TQtCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (Text.empty()) return;
  FlushLines();
  const QFontMetrics& Metrics = FontMetrics();
  TKnownText& Known = Know(Text);
  if (Brush.Style != bsClear)
    FPainter.fillRect(QRect(X, Y, Known.Width, Metrics.height()), ToQColor(Brush.Color));
  FPainter.setPen(ToQColor(Font.Color));
  const QString String = QString::fromStdString(Text);
  // A text drawn by an earlier canvas is stamped: its pixels come from a
  // bitmap painted in the pen's colour, as drawText would set them. Making
  // a stamp costs about two drawings of the text, so one canvas makes at
  // most MaxNewStamps of them and leaves the rest to later paintings.
  if (Known.FirstCanvas == 0) Known.FirstCanvas = FNumber;
  if (Known.FirstCanvas != FNumber && StampsFit() && HasStamp(Known, String)) {
    FPainter.drawPixmap(QPoint(X, Y) + Known.Offset, Known.Stamp);
    return;
  }
  if (!FPainterHasFont) {
    FPainter.setFont(FQtFont);
    FPainterHasFont = true;
  }
  FPainter.drawText(QPoint(X, Y + Metrics.ascent()), String);
}

bool TQtCanvas::HasStamp(TKnownText& Known, const QString& Text) {
  if (!Known.Stamp.isNull()) return true;
  if (FNewStamps >= MaxNewStamps) return false;
  ++FNewStamps;
  return MakeStamp(Known, Text, FQtFont, *FMetrics);
}

bool TQtCanvas::StampsFit() const {
  // Vector devices keep their text as text; a scaled or rotated painter,
  // or one that blends otherwise, would not paint what drawText paints.
  const QPaintEngine* Engine = FPainter.paintEngine();
  return Engine && Engine->type() == QPaintEngine::Raster &&
         FPainter.worldTransform().type() <= QTransform::TxTranslate &&
         FPainter.backgroundMode() == Qt::TransparentMode &&
         FPainter.compositionMode() == QPainter::CompositionMode_SourceOver &&
         FPainter.opacity() == 1.0;
}

TKnownText& TQtCanvas::Know(const std::string& Text) {
  const QFontMetrics& Metrics = FontMetrics();
  auto Known = FKnown->find(Text);
  if (Known == FKnown->end()) {
    if (FKnown->size() >= MaxKnownTexts) FKnown->clear();
    Known = FKnown->emplace(Text, TKnownText{}).first;
    Known->second.Width = Metrics.horizontalAdvance(QString::fromStdString(Text));
  }
  return Known->second;
}

TSize TQtCanvas::TextExtent(const std::string& Text) {
  const int Width = Know(Text).Width;
  return {Width, FMetrics->height()};
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
}
