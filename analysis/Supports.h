// Where the beam is held: a list of supports along it, each a vertical
// support (pin or roller: a force, no moment) or a fixed end (a force and a
// moment, only at either end of the beam).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TStream;

enum TSupportKind : std::int32_t {
  skPin = 0,
  skRoller = 1,
  skFixed = 2,
};

struct TSupport {
  TSupportKind Kind = skPin;
  // Metres from the left end; not used when AtEnd.
  double X = 0;
  // At the right end, wherever the span puts it.
  bool AtEnd = false;

  double At(double L) const { return AtEnd ? L : X; }
  bool operator==(const TSupport&) const = default;
};

// In order along the beam.
using TSupports = std::vector<TSupport>;

// The beam types the window offers. The first two are the types the plain
// data file knows; the others are stored with their support list.
enum TBeamPreset : std::int32_t {
  bpSimple = 0,
  bpCantilever = 1, // fixed at the right end
  bpLeftFixed = 2,  // cantilever fixed at the left end
  bpOverhang = 3,
  bpFixedFixed = 4,
  bpPropped = 5, // fixed at the left end, a pin at the right
  bpContinuous = 6,
};
constexpr int PresetCount = 7;

// "単純梁", "片持ち梁", …, indexed by preset.
extern const std::array<const char*, PresetCount> PresetNames;
// "ピン", "ローラー", "固定", indexed by kind.
extern const std::array<const char*, 3> SupportKindNames;

constexpr bool IsPreset(std::int32_t Code) {
  return Code >= bpSimple && Code < PresetCount;
}
// The two types the plain data file knows, which keep no support list.
constexpr bool IsPlainPreset(std::int32_t Preset) {
  return Preset == bpSimple || Preset == bpCantilever;
}
// Whether the user places the preset's supports (the others follow from
// the span).
constexpr bool PresetHasPositions(std::int32_t Preset) {
  return Preset == bpOverhang || Preset == bpContinuous;
}

// The supports a preset starts with on a span L: the ends as the type
// says; an overhanging beam held at 0 and 0.8·L, a continuous beam over two
// equal spans (positions to the millimetre).
TSupports PresetSupports(std::int32_t Preset, double L);

// The preset a list (in order) is named after: Given where the list has
// Given's fixed ends (the left-fixed cantilever alone, a propped beam with
// one support or more besides), else the preset whose own list it is, or
// the one whose shape it has (two pins or rollers an overhanging beam, a
// fixed left end and a support at the right end a propped one), else a
// continuous beam.
std::int32_t ListPreset(const TSupports& Supports, std::int32_t Given);

// The most supports a list may hold.
constexpr int MaxSupports = 20;

// Why the list cannot hold a beam of span L, as a cause ending in "ため"
// ("固定端が梁の端にないため"); empty when it can. A list without a fixed end
// needs two supports; a fixed end stands at x = 0 or at the right end.
// The positions are checked against the span only when it is positive:
// each inside 0..L, no two at one position.
std::string SupportsProblem(const TSupports& Supports, double L);

// Why a beam of span L cannot be calculated, as a cause ending in "ため"
// ("スパンが正でないため"); empty for a positive finite span.
std::string SpanProblem(double L);

// The list in order of the positions, the right end last; equal
// positions keep their order.
void SortSupports(TSupports& Supports);
// A list as the user gives it for span L, made the document's: a support
// placed at x = L is the right end (which follows the span), the right
// end keeps no position, and the list is sorted.
void NormaliseSupports(TSupports& Supports, double L);

// The list in a data file: its count, then per support the kind, 1 for the
// right end (else 0) and the position.
void WriteSupports(TStream& Stream, const TSupports& Supports);
// Reads a list as WriteSupports writes it; a list that no document holds
// (a count, kind or position SupportsProblem refuses whatever the span, two
// supports placed at one position, or out of order) fails with
// EReadError(SInvalidDataFile). A list that cannot hold the file's span is
// read as it was saved: the document's span may have been retyped.
TSupports ReadSupports(TStream& Stream);
