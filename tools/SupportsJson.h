// The supports and reactions in vbdtool's JSON (DocumentJson.h).
#pragma once

#include "analysis/Reactions.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class TData;
class TJsonNumbers;

// [{"x":…,"kind":"pin"|"roller"|"fixed"}, …]: the supports of any beam,
// the plain types' as their presets have them, the right end at x = L.
std::string SupportsToJson(const TData& Data, TJsonNumbers& Number);

// [{"x":…,"R":…,"M":…}, …]: R in kN, upward positive; M in kN·m,
// clockwise positive, at a fixed end only and null at any other support.
// Field names the list in Number's notes ("reactions").
std::string ReactionsToJson(const std::vector<TReaction>& Reactions, const std::string& Field,
                            TJsonNumbers& Number);

// Sets the beam of Data, whose span is set already, from Root's
// "supports" when it has them. A support at x equal to a positive span
// stands at the right end. The list decides the beam type: the simple
// beam's list (a pin at 0, a roller at the right end) and the
// cantilever's (one fixed end at the right) make those plain types (a
// cantilever code Data holds already stays); any other list goes with the
// type "preset" names (2..6, or a name of PresetKeys or PresetNames),
// else with Data's type when that is 2..6 (as dump writes it), else with
// the type it matches best. Fails with Exception for a kind or position
// that is no support, for a "preset" without "supports", and with the
// model's message for a list the span cannot take.
void SupportsFromJson(const nlohmann::json& Root, TData& Data);
