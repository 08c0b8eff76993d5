#pragma once

#include <string>
#include <string_view>
#include <vector>

// The built-in table of standard sections. The table is data: the nominal
// dimensions of each section (resources/sections/), from which the
// properties are computed here by the usual formulas, fillets and corner
// radii included.

enum TSectionFamily : int {
  sfWideH,      // H-sections, wide flange series
  sfMediumH,    // H-sections, medium flange series
  sfNarrowH,    // H-sections, narrow flange series
  sfChannel,    // channels
  sfSquareTube, // square hollow sections
  sfRectTube,   // rectangular hollow sections
  sfRoundTube,  // round tubes
  sfTimber,     // rectangular timber b × h
  SectionFamilyCount
};

// One section of the table: its name as listed and its nominal dimensions
// in mm. H-sections: depth H, flange width B, web t1, flange t2, root
// radius r. Channels: the same, with r the root radius and r2 the radius at
// the flange tips. Hollow sections: H × B × wall t1 and the outer corner
// radius r, which the table sets to 2·t1 (the radius JIS G 3466 computes its
// properties with; the inner corners are concentric, r − t1). Round tubes:
// outer diameter H, wall t1. Timber: width B, depth H.
struct TSectionShape {
  TSectionFamily Family = sfTimber;
  std::string Name; // UTF-8, e.g. "H-200×200×8×12"
  double H = 0, B = 0, t1 = 0, t2 = 0, r = 0, r2 = 0;
};

// Properties for bending about the strong axis (the depth H vertical). Z is
// I / (H / 2). Aw is the area whose mean shear stress S / Aw is the one
// checked: the web between the flanges, (H − 2·t2)·t1, for H-sections and
// channels; both webs, 2·(H − 2·t1)·t1, for hollow sections; half the area
// for round tubes (whose largest stress is twice the mean); b·h / 1.5 for
// timber (a rectangle's largest stress is 1.5 times the mean).
struct TSectionProperties {
  double A = 0;  // cm²
  double I = 0;  // cm⁴
  double Z = 0;  // cm³
  double Aw = 0; // shear area, cm²
};

TSectionProperties ComputeProperties(const TSectionShape& Shape);

// The family's name as the dialog lists it (Japanese, UTF-8).
const char* SectionFamilyName(TSectionFamily Family);

// Reads the table's text (resources/sections/sections.txt describes the
// format); throws Exception naming the line of anything it cannot read.
std::vector<TSectionShape> ParseSectionTable(std::string_view Text);

// A material the dialog proposes, labelled as typical values, never as a
// code value for the user's case.
struct TMaterial {
  const char* Name; // Japanese, UTF-8
  double E;         // N/mm²
  double Fb;        // allowable bending stress (long-term), N/mm²
  double Fs;        // allowable shear stress (long-term), N/mm²
};

const std::vector<TMaterial>& TypicalMaterials();
