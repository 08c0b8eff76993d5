#pragma once

#include "platform/Canvas.h"
#include "platform/KnownTexts.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPolygon>
#include <QRect>
#include <optional>
#include <string>
#include <unordered_map>

class QPainter;

// Turns a TColor into a QColor, resolving system colours from the
// application's palette.
QColor ToQColor(TColor Color);
// The QFont for a canvas font: the family by name (substitutes apply),
// the height in pixels, the style bits, and no antialiasing so that text
// lands on whole pixels like the rest of the drawing.
QFont ToQFont(const TFont& Font);

class QImage;
class QRect;
// The pixels of an image as a bitmap of plain colours.
TBitmap BitmapFromImage(const QImage& Image);
// A bitmap as an image; with Transparent, its transparent colour (the
// bottom-left pixel) becomes fully transparent.
QImage ImageFromBitmap(const TBitmap& Bitmap, bool Transparent);
// A rectangle with exclusive right and bottom edges as a QRect.
QRect ToQRect(const TRect& R);

// A canvas over a QPainter (of a widget or a QImage), antialiasing off.
// Lines one pixel wide are laid out pixel by pixel here so that they stop
// short of their last point; wider lines have round ends and joins.
// Lines are painted lazily: runs of lines in one colour and width go to
// the painter as one batch, before the next drawing of another kind, when
// Painter() is asked for, and at the latest when the canvas is destroyed.
// Texts are measured once per text and font, and kept for later canvases;
// on a raster device a text drawn by an earlier canvas is stamped from a bitmap of its
// pixels (see KnownTexts.h).
class TQtCanvas : public TCanvas {
public:
  explicit TQtCanvas(QPainter& Painter);
  ~TQtCanvas() override;

  void FillRect(const TRect& R) override;
  void Rectangle(const TRect& R) override;
  void Polyline(const std::vector<TPoint>& Points) override;
  void Polygon(const std::vector<TPoint>& Points) override;
  void Ellipse(const TRect& R) override;
  void Arc(const TRect& R, TPoint Start, TPoint End) override;
  void TextOut(int X, int Y, const std::string& Text) override;
  TSize TextExtent(const std::string& Text) override;
  void Draw(int X, int Y, const TBitmap& Bitmap, bool Transparent) override;
  void SetClipRect(const TRect* R) override;

  // The painter, with every line drawn so far painted.
  QPainter& Painter() {
    FlushLines();
    FPainterHasFont = false;
    return FPainter;
  }

protected:
  void Line(TPoint From, TPoint To) override;

private:
  void ApplyPen();
  void ApplyBrush();
  // The Qt font and metrics of the current Font, rebuilt when it changes.
  const QFontMetrics& FontMetrics();
  // The lines through Count points, and back to the first one if Closed.
  void PolylineOf(const TPoint* Points, std::size_t Count, bool Closed);
  void FillPixelRuns(const QPolygon& Pixels, int Nib, const QColor& Color);
  void FlushLines();
  // What is known of Text in the current Font, measuring it if it is new.
  TKnownText& Know(const std::string& Text);
  // Whether a stamp paints exactly what drawText would on this painter.
  bool StampsFit() const;
  // Whether Known has a stamp, making it if this canvas may make another.
  bool HasStamp(TKnownText& Known, const QString& Text);

  QPainter& FPainter;
  std::optional<TFont> FMetricsFont;
  QFont FQtFont;
  std::optional<QFontMetrics> FMetrics;
  TKnownTexts* FKnown = nullptr; // in the metrics' font
  std::uint64_t FNumber;         // of this canvas among all made
  static constexpr int MaxNewStamps = 2000;
  int FNewStamps = 0; // stamps this canvas made
  bool FPainterHasFont = false;
  QList<QRect> FLineRects; // lines not yet painted, all in FLineColor
  QColor FLineColor;
  QPolygon FPixels; // a scratch list of pixels, reused by every line
};
