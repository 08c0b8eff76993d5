#pragma once

#include "platform/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <optional>

class QTransform;

// Where a painter puts the canvas's pixels on its device, when pixels set
// by hand can match what it paints: a logical x lies at Ratio·x + Dx device
// pixels (y likewise, the same ratio), the ratio and the offsets in whole
// eighths of a pixel (every device pixel ratio a desktop offers: 1, 1.25,
// 1.5, 1.75, 2, …). Without antialiasing the painter puts a rectangle's
// edge at that position rounded half up, and scan-converts a polygon from
// its vertices at those exact positions.
class TDeviceMap {
public:
  TDeviceMap() = default; // one device pixel per pixel
  // The map of Transform (a painter's device transform) when it is such a
  // scale and offset; none otherwise.
  static std::optional<TDeviceMap> Of(const QTransform& Transform);

  bool IsIdentity() const { return FRatio8 == 8 && FDx8 == 0 && FDy8 == 0; }
  double Ratio() const { return FRatio8 / 8.0; }
  // A rectangle's edges on the device.
  int EdgeX(int X) const { return Rounded(Eighths(X, FDx8)); }
  int EdgeY(int Y) const { return Rounded(Eighths(Y, FDy8)); }
  TRect Rect(const TRect& R) const {
    return {EdgeX(R.Left), EdgeY(R.Top), EdgeX(R.Right), EdgeY(R.Bottom)};
  }
  // A point's exact device position in 16.16 fixed point.
  std::int64_t FixedX(int X) const { return Eighths(X, FDx8) << 13; }
  std::int64_t FixedY(int Y) const { return Eighths(Y, FDy8) << 13; }
  // The device pixel a point falls in, and the eighths it lies past that
  // pixel's top-left corner: the painter paints a shape whose corner falls
  // at the same eighths alike, moved by whole pixels.
  TPoint Pixel(TPoint P) const { return {Floor8(Eighths(P.X, FDx8)), Floor8(Eighths(P.Y, FDy8))}; }
  TPoint Phase(TPoint P) const {
    return {static_cast<int>(Eighths(P.X, FDx8) & 7), static_cast<int>(Eighths(P.Y, FDy8) & 7)};
  }
  int Ratio8() const { return FRatio8; }
  // The device column a glyph whose origin lies at X plus Sixty4ths/64
  // logical pixels starts at: the one its exact device position falls in.
  int GlyphX(int X, std::int64_t Sixty4ths) const {
    const std::int64_t Device512ths = (static_cast<std::int64_t>(X) * 64 + Sixty4ths) * FRatio8 +
                                      static_cast<std::int64_t>(FDx8) * 64;
    return Floor8(Device512ths >> 6);
  }

private:
  TDeviceMap(int Ratio8, int Dx8, int Dy8) : FRatio8(Ratio8), FDx8(Dx8), FDy8(Dy8) {}
  std::int64_t Eighths(int V, int Offset8) const {
    return static_cast<std::int64_t>(V) * FRatio8 + Offset8;
  }
  static int Floor8(std::int64_t Eighths) {
    return static_cast<int>(std::clamp<std::int64_t>(Eighths >> 3, -(1 << 30), 1 << 30));
  }
  static int Rounded(std::int64_t Eighths) { return Floor8(Eighths + 4); }

  int FRatio8 = 8, FDx8 = 0, FDy8 = 0;
};
