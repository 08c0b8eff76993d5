#pragma once

#include "analysis/LoadLabels.h"
#include "platform/Canvas.h"

#include <string>

class TKajyuData;

// 1 for a positive value, -1 for a negative one, 0 otherwise (NaN too).
int SignOf(double Value);

// A load's figure in its row (FLevel): the filled shape with its hatch
// arrows, the arrow of a concentrated load or the arc of a moment, and the
// label, Label's text (none when empty) written in Label's box. v is pixels
// per unit of intensity, k pixels per metre, h the row height. A figure
// whose coordinates are not numbers is left out.
void DrawLoadFigure(const TKajyuData& Load, TCanvas& Canvas, TPoint Origin, double v, double k,
                    int h, const TLoadLabel& Label);
// Whether DrawLoadFigure draws Load at all.
bool IsDrawnFigure(const TKajyuData& Load, double v, double k);
// Where the label Text goes by the figure's own rule: centred over the
// figure on the side it points from, as measured on Canvas.
TRect FigureLabelBox(const TKajyuData& Load, const std::string& Text, TCanvas& Canvas,
                     TPoint Origin, double v, double k, int h);
// An arrow ending at Tip; a positive length points downward.
void DrawArrow(TCanvas& Canvas, TPoint Tip, int Length);
// Half a circle with an arrowhead at its top: the left half turning
// clockwise for a positive moment, the right half for a negative one.
void DrawMomentArc(TCanvas& Canvas, TPoint Centre, int Size, double Moment);
// The support symbols; each returns the box it drew in.
// A pin support: a triangle outline hanging from Apex.
TRect DrawPinSupport(TCanvas& Canvas, TPoint Apex, int Size);
// A roller support: the pin's triangle with a line under it, a gap apart.
TRect DrawRollerSupport(TCanvas& Canvas, TPoint Apex, int Size);
// A fixed support: a wall through Point with hatching on the side of Size
// (right of the wall when positive, left when negative).
TRect DrawFixedSupport(TCanvas& Canvas, TPoint Point, int Size);
