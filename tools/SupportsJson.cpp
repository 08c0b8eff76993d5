#include "tools/SupportsJson.h"

#include "analysis/BeamData.h"
#include "platform/Exceptions.h"
#include "tools/JsonFields.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::array<const char*, 3> KindKeys = {"pin", "roller", "fixed"};
constexpr std::array<const char*, PresetCount> PresetKeys = {
    "simple", "cantilever", "left_fixed", "overhang", "fixed_fixed", "propped", "continuous"};

// The type "preset" names, else Type when it is a preset with supports.
std::optional<std::int32_t> GivenPreset(const nlohmann::json& Root, std::int32_t Type) {
  if (!Root.contains("preset")) {
    if (Type >= bpLeftFixed && Type < PresetCount) return Type;
    return std::nullopt;
  }
  const nlohmann::json& Value = Root.at("preset");
  for (std::int32_t P = bpLeftFixed; P < PresetCount; ++P)
    if (Value == P || Value == PresetKeys[P] || Value == PresetNames[P]) return P;
  throw Exception("\"preset\" は 2 から 6 までの整数か left_fixed, overhang, fixed_fixed, "
                  "propped, continuous でなければなりません");
}

TSupport ReadSupport(const nlohmann::json& Item, double L, const std::string& Where) {
  if (!Item.is_object()) throw Exception("\"supports\" の要素はオブジェクトでなければなりません");
  RefuseUnknownKeys(Item, {"x", "kind", "end"}, Where);
  if (!Item.contains("x")) throw Exception("\"x\" がありません" + Where);
  const double X = ReadNumber(Item, "x", Where);
  const std::string Kind = ReadText(Item, "kind", Where);
  const auto Found = std::find(KindKeys.begin(), KindKeys.end(), Kind);
  if (Found == KindKeys.end())
    throw Exception("\"kind\" は pin, roller, fixed のいずれかでなければなりません" + Where);
  // "end": true marks the right end, which a span of no length cannot tell
  // from x = 0.
  bool End = false;
  if (Item.contains("end")) {
    if (!Item.at("end").is_boolean())
      throw Exception("\"end\" は true か false でなければなりません" + Where);
    End = Item.at("end").get<bool>();
  }
  const bool AtEnd = End || (X == L && X > 0);
  return {static_cast<TSupportKind>(Found - KindKeys.begin()), AtEnd ? 0 : X, AtEnd};
}

} // namespace

std::string SupportsToJson(const TData& Data, TJsonNumbers& Number) {
  std::string Out = "[";
  for (const TSupport& S : Data.SupportList()) {
    if (Out.size() > 1) Out += ',';
    Out += "{\"x\":" + Number(S.At(Data.Length()), "supports[].x") + ",\"kind\":\"" +
           KindKeys.at(S.Kind) + '"' + (S.AtEnd ? ",\"end\":true}" : "}");
  }
  return Out + ']';
}

std::string ReactionsToJson(const std::vector<TReaction>& Reactions, const std::string& Field,
                            TJsonNumbers& Number) {
  std::string Out = "[";
  for (const TReaction& R : Reactions) {
    if (Out.size() > 1) Out += ',';
    Out += "{\"x\":" + Number(R.X, Field + "[].x") + ",\"R\":" + Number(R.R, Field + "[].R") +
           ",\"M\":" + (R.Fixed ? Number(R.M, Field + "[].M") : "null") + '}';
  }
  return Out + ']';
}

void SupportsFromJson(const nlohmann::json& Root, TData& Data) {
  if (!Root.contains("supports")) {
    if (Root.contains("preset")) throw Exception("\"preset\" には \"supports\" が必要です");
    return;
  }
  const std::optional<std::int32_t> Given = GivenPreset(Root, Data.BeamType());
  const nlohmann::json& List = Root.at("supports");
  if (!List.is_array()) throw Exception("\"supports\" は配列でなければなりません");
  TSupports Supports;
  for (const nlohmann::json& Item : List)
    Supports.push_back(
        ReadSupport(Item, Data.Length(), Place("支点", static_cast<int>(Supports.size()))));
  SortSupports(Supports);
  const std::int32_t Match = ListPreset(Supports, Given.value_or(-1));
  if (IsPlainPreset(Match)) {
    if (Data.Preset() != Match) Data.SetBeamType(Match);
    return;
  }
  Data.SetSupports(Match, std::move(Supports));
}
