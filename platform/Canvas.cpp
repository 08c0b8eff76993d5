#include "platform/Canvas.h"

void TCanvas::LineTo(int X, int Y) {
  Line(FPenPos, {X, Y});
  FPenPos = {X, Y};
}
