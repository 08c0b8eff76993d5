#pragma once

#include "platform/Canvas.h"

// Whether two rectangles share a pixel, and whether Box lies wholly in Area:
// what tests of labels placed in a drawing ask of the recorded texts.
inline bool Overlap(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

inline bool Inside(const TRect& Box, const TRect& Area) {
  return Box.Left >= Area.Left && Box.Top >= Area.Top && Box.Right <= Area.Right &&
         Box.Bottom <= Area.Bottom;
}
