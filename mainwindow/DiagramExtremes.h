#pragma once

#include "analysis/Results.h"
#include "mainwindow/BeamPainter.h"

#include <string>
#include <vector>

class TData;

// The text of one extreme of Q as it labels the diagram, e.g.
// "最大 M = 24.000(kN･m)  X = 4.000(m)".
std::string ExtremeLabelText(TQuantity Q, bool Largest, const TExtreme& Extreme);

// Where a label of Size goes beside the point P: the first of the places
// around P, stepping away from it, that lies inside Area and overlaps none
// of Taken; when none does, the first place pushed into Area.
TRect PlaceLabel(TPoint P, TSize Size, const TRect& Area, const std::vector<TRect>& Taken);

// Marks the largest and smallest value of each line shown (S, M, δ) of the
// last calculation with a dot and a boxed label, the labels inside R and
// clear of each other and of Keep (the support symbols). k and Origin are
// those of the diagrams.
void DrawExtremeLabels(const TData& Data, TCanvas& Canvas, const TRect& R, double k, TPoint Origin,
                       const TDiagramLayers& Layers, std::vector<TRect> Keep);
