#pragma once

#include "platform/Canvas.h"
#include "platform/FontMemory.h"
#include "platform/ImageRaster.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPen>
#include <QPolygon>
#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
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
// Lines are laid out pixel by pixel here so that they stop short of their
// last point; a wider pen is a square nib stamped on every pixel. Lines
// for the painter are painted lazily: runs of lines in one colour go to it
// as one batch, before the next drawing of another kind, when Painter() is
// asked for, and at the latest when the canvas is destroyed.
// Texts are measured once per text and font, and kept for later canvases.
// On a 32-bit image (the window paints through one) the canvas paints the
// pixels itself where that gives what the painter gives (ImageRaster.h):
// lines, rectangles, polygons, shapes from stamps (ShapeStamps.h) at any
// device pixel ratio DeviceMap.h takes, and texts from stamps of their
// characters (GlyphStamps.h) at one device pixel per pixel.
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

  // The painter, with every line drawn so far painted; the canvas paints
  // through it alone from then on.
  QPainter& Painter();

protected:
  void Line(TPoint From, TPoint To) override;

private:
  // A colour as the painter and the raster take it.
  struct TCanvasColour {
    bool Known = false;
    TColor Color = 0;
    QColor Qt;
    QRgb Rgb = 0;
    bool Opaque = false;
  };
  const TCanvasColour& Colour(TColor Color) const;
  QPen QtPen() const;
  QBrush QtBrush() const;
  // The raster to paint Colour on, or nullptr when the painter must.
  TImageRaster* RasterFor(const TCanvasColour& Colour);
  // A shape Draw paints with its box's top-left corner at the point given,
  // stamped when it can be; Form tells it from other shapes of the pen and
  // brush.
  void PaintShape(std::array<std::int64_t, 5> Form, const TRect& Box,
                  const std::function<void(QPainter&, QPoint)>& Draw);
  // The Qt font and metrics of the current Font, rebuilt when it changes.
  const QFontMetrics& FontMetrics();
  // The lines through Count points, and back to the first one if Closed.
  void PolylineOf(const TPoint* Points, std::size_t Count, bool Closed);
  void FlushLines();

  QPainter& FPainter;
  std::optional<TFont> FMetricsFont;
  QFont FQtFont;
  std::optional<QFontMetrics> FMetrics;
  TFontMemory* FFontMemory = nullptr; // of the metrics' font
  std::unique_ptr<TImageRaster> FRaster;
  bool FPainterHasFont = false;
  QList<QRect> FLineRects; // lines not yet painted, all in FLineColour
  TCanvasColour FLineColour;
  QPolygon FPixels;                              // a scratch list of pixels, reused by every line
  mutable std::array<TCanvasColour, 8> FColours; // resolved so far
};
