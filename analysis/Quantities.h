#pragma once

#include "platform/Canvas.h"

#include <array>

// The quantities along the beam. Each is described once here, and the
// drawing, the readout, the extremes, the results, the report, the CSV and
// vbdtool go through this list: a new quantity is one more entry.
enum TQuantity : int {
  qShear,      // S
  qMoment,     // M
  qSlope,      // θ
  qDeflection, // δ
  QuantityCount
};

struct TQuantityInfo {
  TQuantity Id;
  const char* Symbol; // "S"
  const char* Key;    // in ASCII, for keys of vbdtool's JSON: "S", "theta"
  const char* Name;   // "せん断力" (Japanese source text, translated where shown)
  const char* Unit;   // "kN", as shown in parentheses after a value
  // What a positive value means (Japanese source text).
  const char* SignRule;
  int Decimals; // of every value shown or written
  // Its line in the diagram: whether it has one, its colour and pen width,
  // and how far its largest magnitude reaches, as a share of the half
  // height (positive values below the axis).
  bool Drawn;
  TColor Colour;
  int PenWidth;
  double Reach;
  // Exists only for a document whose section gives E and I.
  bool NeedsStiffness;
};

const std::array<TQuantityInfo, QuantityCount>& Quantities();
const TQuantityInfo& QuantityInfo(TQuantity Q);
