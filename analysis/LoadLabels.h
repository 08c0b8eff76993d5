#pragma once

#include "platform/Canvas.h"

#include <string>
#include <vector>

// A load's value label: its text, the box the figure's own rule gives it,
// the load's number in the list (what stands in when the text finds no
// room) and the way it looks first for another row.
struct TLoadLabel {
  std::string Text;
  TRect Box;
  std::string Number;
  bool Upward = true; // rows above first (a label over its figure)
};

// An area wider than any drawing: no label leaves it.
constexpr TRect AnyArea{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29};

// Keeps every label that lies inside Area and clear of all the others
// where it is. The rest, in list order, take the nearest row (a step of
// their own height at a time, Upward's way first) where they lie inside
// Area, pushed sideways within it, and clear of every label placed; one
// with no such row shows its Number instead, placed the same way, and one
// that still finds none is left out (Text empty). So no label is cut by
// Area's edge and no two overprint. Texts are measured on Canvas.
void PlaceLoadLabels(std::vector<TLoadLabel>& Labels, const TRect& Area, TCanvas& Canvas);
