#pragma once

#include "analysis/Quantities.h"
#include "platform/Canvas.h"

#include <array>
#include <vector>

struct TCalcPoint;

// Which quantities' lines a diagram shows.
using TShownQuantities = std::array<bool, QuantityCount>;

// Pixels per unit of Q's line for an axis at OriginY: the largest sampled
// magnitude reaches Q's share of OriginY (a line that is 0 everywhere is
// scaled as if its largest magnitude were 1).
double DiagramScale(const std::vector<TCalcPoint>& Points, TQuantity Q, int OriginY);
// Whether every sample of Q's line gives a pixel (no value is infinite
// or no number, none is too far out).
bool LineIsDrawable(const std::vector<TCalcPoint>& Points, TQuantity Q, double k, int OriginY);
// Draws the shown lines that are drawable, in the order of the list, each
// in its colour and pen width; k is pixels per metre, Origin the beam's left
// end on the axis.
void DrawDiagramLines(TCanvas& Canvas, const std::vector<TCalcPoint>& Points,
                      const TShownQuantities& Shown, double k, TPoint Origin);
