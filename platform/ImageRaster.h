#pragma once

#include "platform/Canvas.h"
#include "platform/DeviceMap.h"

#include <QImage>
#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

class QPainter;

// Pixels of one row, [X0, X1) at row Y, all in one opaque colour.
struct TPixelRun {
  int Y, X0, X1;
  QRgb Colour;
};
// Runs of pixels with the rectangle they lie in.
struct TPixelRuns {
  std::vector<TPixelRun> Runs;
  TRect Bounds;
  void Add(const TPixelRun& Run);
};

// Paints opaque pixels straight into the 32-bit image a QPainter paints
// on, exactly as that painter would without antialiasing, but without its
// per-call cost: filled rectangles, polygons (the raster engine's scan
// conversion: an edge crosses the rows whose centres lie below its upper
// end down to its lower end, included; a row's boundary on an edge is its
// x at the row's centre plus one half, in 16.16 fixed point with the slope
// cut towards zero, rounded down) and ready-made runs of pixels. Rectangles,
// polygons and the clip are given in the painter's logical pixels and
// placed on the image by its device map (DeviceMap.h); runs and dots in
// device pixels. Every pixel stays inside the clip rectangle.
class TImageRaster {
public:
  // The raster of the image Painter paints on, when painting there pixel by
  // pixel gives what the painter gives: a 32-bit image, a device transform
  // TDeviceMap takes, plain source-over painting, and no clip or (at one
  // device pixel per pixel) a rectangular one; nullptr otherwise.
  static std::unique_ptr<TImageRaster> Of(QPainter& Painter);
  // The raster of a 32-bit image, not clipped, at one device pixel per pixel.
  explicit TImageRaster(QImage& Image, const TDeviceMap& Map = {});

  const TDeviceMap& Map() const { return FMap; }
  // Restricts painting to R within the image; nullptr to the whole image.
  void SetClip(const TRect* R);
  void FillRect(const TRect& R, QRgb Colour);
  // Fills a polygon of at most MaxVertices vertices with the odd-even rule;
  // false, with nothing painted, when it has more or a vertex lies outside
  // the image (where the painter clips the edges first).
  bool FillPolygon(const TPoint* Points, std::size_t Count, QRgb Colour);
  static constexpr std::size_t MaxVertices = 8;
  void Dot(int X, int Y, QRgb Colour) {
    if (FClip.Contains({X, Y})) reinterpret_cast<QRgb*>(FBits + FStride * Y)[X] = Colour;
  }
  // Paints Runs moved by (X, Y) device pixels, in their colours or all in
  // Colour.
  void Paint(const TPixelRuns& Runs, int X, int Y);
  void Paint(const TPixelRuns& Runs, int X, int Y, QRgb Colour);

private:
  template <typename TColourOf>
  void PaintRuns(const TPixelRuns& Runs, int X, int Y, TColourOf ColourOf);
  void Span(int Y, int X0, int X1, QRgb Colour) {
    if (Y < FClip.Top || Y >= FClip.Bottom) return;
    X0 = std::max(X0, FClip.Left);
    X1 = std::min(X1, FClip.Right);
    if (X0 >= X1) return;
    auto* Row = reinterpret_cast<QRgb*>(FBits + FStride * Y);
    std::fill(Row + X0, Row + X1, Colour);
  }

  uchar* FBits;
  qsizetype FStride;
  TDeviceMap FMap;
  TRect FImage;
  TRect FClip; // in device pixels
};

// The opaque pixels of Image as runs, relative to Origin; false when a pixel
// is neither clear nor opaque.
bool RunsOfImage(const QImage& Image, QPoint Origin, TPixelRuns& Runs);
