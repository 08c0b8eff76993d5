// The values of a calculated beam at the positions where the samples can
// miss them: supports, point loads and applied moments, and the extremes.
#pragma once

#include "analysis/BeamData.h"

#include <vector>

// Which value of a position a point holds: just left of a jump, the only
// one where nothing jumps, or just right of a jump.
enum TPointSide : int { psLeft = -1, psOnly = 0, psRight = 1 };

struct TExactPoint {
  TCalcPoint Point;
  TPointSide Side;
};

// Every support, point load, applied moment and extreme of the results
// strictly inside the span (the ends are samples already), in order along
// the beam; where S or M jumps, the value just left of the position and
// then the one just right of it. θ and δ as the samples have them (they
// do not jump), 0 without them. None without results.
std::vector<TExactPoint> ExactPoints(const TData& Data);
