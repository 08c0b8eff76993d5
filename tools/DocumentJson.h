#pragma once

#include <string>

class TData;

// The JSON view of a document used by vbdtool: "type" (the file's code:
// 0 simple, any other cantilever, or with a support list its preset
// 2..6), "L", "supports" ([{"x", "kind": "pin"|"roller"|"fixed"}, …] for
// every beam, "end": true at the right end, SupportsJson.h), "loads" (kind, X, W, width, remark as
// UTF-8 (with "remark_hex" beside it when the stored bytes are no code page 932 text), and the
// computed shares of the reactions: "RA" and "RB" on the two plain types, and on every beam
// "reactions", one {"x", "R", "M"} per support in the order of "supports", M null except at a fixed
// end, none when nothing was calculated) and "points" ([X, S, M] per sample); "section" (name, E,
// I, Z, Aw, fb, fs, n) when the document has one, and "deflection" ([X, θ, δ] per sample) when it
// gives E and I. Numbers are written in the shortest form that reads back to the same double; a
// value that is not finite as null, named in "not_finite" (JsonFields.h). DocumentFromJson reads
// the strings "NaN", "Infinity" and "-Infinity" as those values.
std::string DocumentToJson(const TData& Data);

// Fills an empty document from the JSON shape above through its setters
// (the computed fields are ignored); "supports", with an optional
// "preset", sets the beam as SupportsFromJson says. Throws Exception on
// malformed input: JSON nested deeper than 64 levels, a field of the
// wrong type, a "type" or "kind" that is no 32-bit integer, supports the
// span cannot take.
void DocumentFromJson(const std::string& Json, TData& Data);

// The reactions and extremes of a calculated document: {"RA", "RB"
// (null with a support list), "M_fixed" (null except on the
// plain cantilever), "supports", "reactions" (one {"x", "R", "M"} per support,
// as in a load's), "refusal" (why nothing was calculated, else null),
// "S_max", "S_min", "M_max", "M_min" as
// [value, x], then "theta_max", "theta_min", "delta_max", "delta_min" when
// the section gives E and I, and the checks the section allows: "sigma_b",
// "tau", "deflection_ratio" as {"value", "allowed", "ratio", "ok"}},
// numbers written as above (the notes' fields "S_max[0]", "reactions[].M",
// "sigma_b.ratio"); every value null when nothing was calculated
// (a span that is not positive, or a refusal).
std::string ResultsToJson(const TData& Data);
