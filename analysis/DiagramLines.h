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
// Draws the shown lines in the order of the list, each in its colour and
// pen width; k is pixels per metre, Origin the beam's left end on the axis.
// A line some sample of which gives no pixel (a value that is infinite, no
// number or too far out) is left out; returns those left out.
TShownQuantities DrawDiagramLines(TCanvas& Canvas, const std::vector<TCalcPoint>& Points,
                                  const TShownQuantities& Shown, double k, TPoint Origin);
