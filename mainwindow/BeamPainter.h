#pragma once

#include "analysis/DiagramLines.h"
#include "platform/Canvas.h"

class TData;

// Which layers of the diagram area are shown.
struct TDiagramLayers {
  bool Loads = true;
  bool Shear = true;
  bool Moment = true;
  // The largest and smallest values labelled on the lines shown.
  bool Extremes = false;
  // The bent beam, for a document whose section gives E and I.
  bool Deflection = true;

  // The quantities whose lines these layers show.
  TShownQuantities Lines() const { return {Shear, Moment, false, Deflection}; }
};

// What the mouse readout needs to turn a pixel back into metres.
struct TDiagramScale {
  double FScale = 0; // pixels per metre; 0 until a beam has been painted
  int FOriginX = 0;  // x of the beam's left end
  int FOriginY = 0;  // y of the beam axis
};

// Paints the whole diagram area R: white ground, then (for a positive span)
// the load figures, the lines of the quantities shown, the beam and its
// supports, and the scale of the bent beam; a shown line that cannot be
// drawn because a sample is out of range is named in a note at the lower
// left instead, and so is the reason when the supports cannot hold the
// beam and nothing was calculated.
// Stores scale and origin in Remember when it is given; an area too narrow
// for the margins gets the ground only and a scale of 0.
void DrawBeam(TData& Data, TCanvas& Canvas, const TRect& R, const TDiagramLayers& Layers,
              TDiagramScale* Remember);
