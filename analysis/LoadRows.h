#pragma once

#include "analysis/KajyuData.h"

#include <span>

// What the row placement of the load figures leaves for the drawing.
struct TLoadRows {
  int Upper = 0;       // rows used above the axis
  int Lower = 0;       // rows used below it
  double Greatest = 0; // greatest |Intensity| of the placed loads
};

// Sets every load's FLevel: moments stay in row 0; downward loads (positive
// intensity) get rows 1, 2, … above the axis, the others -1, -2, … below.
// The rows are filled in passes over the list in order: a pass opens a row
// with the first waiting load of its side and adds every later waiting
// load that lies wholly left or right of what the pass has placed so far
// (touching fits). A pass whose loads all end at or left of x = 0 does not
// use up its row number.
TLoadRows PlaceLoadRows(std::span<TKajyuData> Loads);
