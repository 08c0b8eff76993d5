#pragma once

#include "platform/Canvas.h"

#include <vector>

// Images of one size, addressed by index.
struct TImageList {
  int Width = 16;
  int Height = 16;
  std::vector<TBitmap> Images;
  int Count() const { return static_cast<int>(Images.size()); }
};
