#pragma once

#include <algorithm>
#include <cmath>

// Pixel coordinates are kept within this range before they become ints, so
// that any value a document holds (1e300, infinity) stays harmless.
constexpr double PixelLimit = 1e6;

// Rounds to the nearest pixel, halves to even, clamped into ±PixelLimit.
// NaN gives 0; callers that must not draw NaN check IsPixelValue first.
inline int Round(double Value) {
  if (std::isnan(Value)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(Value, -PixelLimit, PixelLimit)));
}

inline bool IsPixelValue(double Value) {
  return !std::isnan(Value);
}
