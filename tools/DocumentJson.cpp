#include "tools/DocumentJson.h"

#include "analysis/BeamData.h"
#include "analysis/LoadSpan.h"
#include "analysis/SectionChecks.h"
#include "platform/Exceptions.h"
#include "support/Cp932.h"
#include "tools/JsonFields.h"
#include "tools/SupportsJson.h"

#include <cmath>

namespace {

// The deepest nesting of arrays and objects that is read.
constexpr int MaxDepth = 64;

// The parsed JSON. Nesting deeper than MaxDepth is refused as soon as the
// parser opens it, before the rest is read.
nlohmann::json Parse(const std::string& Json) {
  const nlohmann::json::parser_callback_t Shallow =
      [](int Depth, nlohmann::json::parse_event_t Event, nlohmann::json&) {
        if (Depth >= MaxDepth && (Event == nlohmann::json::parse_event_t::object_start ||
                                  Event == nlohmann::json::parse_event_t::array_start))
          throw Exception("JSON の入れ子が深すぎます (" + std::to_string(MaxDepth) + " 段まで)");
        return true;
      };
  try {
    return nlohmann::json::parse(Json, Shallow);
  } catch (const nlohmann::json::exception& E) {
    throw Exception(std::string("JSON を読めません: ") + E.what());
  }
}

// "remark":"<text>", and for bytes that are no code page 932 text the text
// with U+FFFD in their place and "remark_hex":"<the bytes in hex>".
std::string RemarkFields(const std::string& Bytes) {
  try {
    return "\"remark\":" + Quoted(Cp932ToUtf8(Bytes));
  } catch (const Exception&) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string Digits;
    for (const unsigned char Byte : Bytes) {
      Digits += Hex[Byte >> 4];
      Digits += Hex[Byte & 15];
    }
    return "\"remark\":" + Quoted(Cp932ToDisplay(Bytes)) + ",\"remark_hex\":\"" + Digits + '"';
  }
}

// The fields of the section, as "section" holds them.
struct TSectionField {
  const char* Key;
  double TSection::*Field;
};
constexpr TSectionField SectionFields[] = {
    {"E", &TSection::E},   {"I", &TSection::I},   {"Z", &TSection::Z}, {"Aw", &TSection::Aw},
    {"fb", &TSection::Fb}, {"fs", &TSection::Fs}, {"n", &TSection::N}};

std::string SectionToJson(const TSection& S, TJsonNumbers& Number) {
  std::string Out = ",\"section\":{\"name\":" + Quoted(Cp932ToDisplay(S.Name));
  for (const TSectionField& F : SectionFields)
    Out += ",\"" + std::string(F.Key) + "\":" + Number(S.*F.Field, std::string("section.") + F.Key);
  return Out + '}';
}

TSection SectionFromJson(const nlohmann::json& Object) {
  if (!Object.is_object()) throw Exception("\"section\" はオブジェクトでなければなりません");
  RefuseUnknownKeys(Object, {"name", "E", "I", "Z", "Aw", "fb", "fs", "n"}, " (section)");
  TSection S;
  S.Name = Utf8ToCp932(ReadText(Object, "name"));
  for (const TSectionField& F : SectionFields) {
    if (!Object.contains(F.Key)) continue;
    const double Value = ReadNumber(Object, F.Key);
    // What the file would keep but never read back as a section.
    if (!(Value >= 0) || !std::isfinite(Value))
      throw Exception(std::string("\"") + F.Key + "\" は 0 以上の有限の数でなければなりません");
    S.*F.Field = Value;
  }
  return S;
}

// "deflection":[[x, θ, δ], …] at the samples.
std::string BendingToJson(const TData& Data, TJsonNumbers& Number) {
  std::string Out = ",\"deflection\":[";
  bool First = true;
  for (const TCalcPoint& P : Data.Points()) {
    if (!First) Out += ',';
    First = false;
    Out += '[' + Number(P.X, "deflection[].x") + ',' + Number(P.Theta, "deflection[].theta") + ',' +
           Number(P.Delta, "deflection[].delta") + ']';
  }
  return Out + ']';
}

// "sigma_b":{"value":…,"allowed":…,"ratio":…,"ok":…}; the allowed value,
// the ratio and the verdict null when the section gives no allowed value.
std::string CheckToJson(const std::string& Key, const TCheck& C, TJsonNumbers& Number) {
  if (!C.HasDemand) return {};
  const auto Or = [&C, &Number, &Key](double V, const char* Field) {
    return C.HasCapacity ? Number(V, Key + '.' + Field) : "null";
  };
  const std::string Ok = C.HasCapacity ? (C.Ok() ? "true" : "false") : "null";
  return ",\"" + Key + "\":{\"value\":" + Number(C.Demand, Key + ".value") +
         ",\"allowed\":" + Or(C.Capacity, "allowed") + ",\"ratio\":" + Or(C.Ratio, "ratio") +
         ",\"ok\":" + Ok + '}';
}

// [0,3]: indices as a JSON array.
std::string IndexList(const std::vector<int>& Indices) {
  std::string Out = "[";
  for (const int I : Indices)
    Out += (Out.size() > 1 ? "," : "") + std::to_string(I);
  return Out + ']';
}

} // namespace

std::string DocumentToJson(const TData& Data) {
  TJsonNumbers Number;
  std::string Out = "{\"type\":" + std::to_string(Data.BeamType()) +
                    ",\"L\":" + Number(Data.Length(), "L") +
                    ",\"supports\":" + SupportsToJson(Data, Number) + ",\"loads\":[";
  const bool Plain = Data.Supports().empty();
  for (int I = 0; I < Data.LoadCount(); ++I) {
    const TKajyuData& K = Data.Load(I);
    if (I > 0) Out += ',';
    Out += "{\"kind\":" + std::to_string(K.FKind) + ",\"X\":" + Number(K.FX, "loads[].X") +
           ",\"W\":" + Number(K.FW, "loads[].W") +
           ",\"width\":" + Number(K.FWidth, "loads[].width") + "," + RemarkFields(K.FRemark);
    if (Plain)
      Out += ",\"RA\":" + Number(K.FRA, "loads[].RA") + ",\"RB\":" + Number(K.FRB, "loads[].RB");
    Out += ",\"reactions\":" + ReactionsToJson(Data.LoadReactions(I), "loads[].reactions", Number) +
           "}";
  }
  Out += "],\"points\":[";
  bool First = true;
  for (const TCalcPoint& P : Data.Points()) {
    if (!First) Out += ',';
    First = false;
    Out += '[' + Number(P.X, "points[].x") + ',' + Number(P.S, "points[].S") + ',' +
           Number(P.M, "points[].M") + ']';
  }
  Out += ']';
  if (!Data.Section().Empty()) Out += SectionToJson(Data.Section(), Number);
  if (Data.Results().HasBending) Out += BendingToJson(Data, Number);
  return Out + Number.Notes() + '}';
}

std::string ResultsToJson(const TData& Data) {
  const TBeamResults& R = Data.Results();
  TJsonNumbers Number;
  const auto Value = [&R, &Number](double V, const char* Field) {
    return R.Valid ? Number(V, Field) : std::string("null");
  };
  const auto Pair = [&R, &Number](const TExtreme& E, const std::string& Field) {
    return R.Valid ? '[' + Number(E.Value, Field + "[0]") + ',' + Number(E.X, Field + "[1]") + ']'
                   : std::string("null");
  };
  const auto Plain = [&Data, &Value](double V, const char* Field) {
    return Data.Supports().empty() ? Value(V, Field) : std::string("null");
  };
  std::string Out = "{\"RA\":" + Plain(R.RA, "RA") + ",\"RB\":" + Plain(R.RB, "RB") +
                    ",\"M_fixed\":" + (Data.IsCantilever() ? Value(R.MFixed, "M_fixed") : "null") +
                    ",\"supports\":" + SupportsToJson(Data, Number) + ",\"reactions\":" +
                    (R.Valid ? ReactionsToJson(R.Reactions, "reactions", Number) : "null") +
                    ",\"refusal\":" + (R.Refusal.empty() ? "null" : Quoted(R.Refusal)) +
                    ",\"loads_off_span\":" + IndexList(LoadsOutsideSpan(Data));
  // Every quantity that was computed (S and M always, θ and δ with a
  // section that gives E and I).
  for (const TQuantityInfo& Q : Quantities())
    if (!Q.NeedsStiffness || R.HasBending) {
      const std::string Key = Q.Key;
      Out += ",\"" + Key + "_max\":" + Pair(R.Largest(Q.Id), Key + "_max") + ",\"" + Key +
             "_min\":" + Pair(R.Smallest(Q.Id), Key + "_min");
    }
  const TSectionChecks C = CheckSection(Data.Section(), R);
  Out += CheckToJson("sigma_b", C.Bending, Number) + CheckToJson("tau", C.Shear, Number) +
         CheckToJson("deflection_ratio", C.Deflection, Number);
  return Out + Number.Notes() + '}';
}

void DocumentFromJson(const std::string& Json, TData& Data) {
  const nlohmann::json Root = Parse(Json);
  if (!Root.is_object()) throw Exception("JSON の最上位はオブジェクトでなければなりません");
  // What dump writes besides is computed, and read past.
  RefuseUnknownKeys(Root, {"type", "L", "preset", "supports", "section", "loads", "points",
                           "deflection", "not_finite"});
  Data.SetBeamType(ReadInteger(Root, "type"));
  Data.SetLength(ReadNumber(Root, "L"));
  SupportsFromJson(Root, Data);
  if (Root.contains("section")) Data.SetSection(SectionFromJson(Root.at("section")));
  if (!Root.contains("loads")) return;
  const nlohmann::json& Loads = Root.at("loads");
  if (!Loads.is_array()) throw Exception("\"loads\" は配列でなければなりません");
  int Index = 0;
  for (const nlohmann::json& Load : Loads) {
    if (!Load.is_object()) throw Exception("\"loads\" の要素はオブジェクトでなければなりません");
    const std::string Where = Place("荷重", Index);
    RefuseUnknownKeys(
        Load, {"kind", "X", "W", "width", "remark", "remark_hex", "RA", "RB", "reactions"}, Where);
    const std::string Remark = ReadText(Load, "remark", Where);
    // The file would keep only the text before it.
    if (Remark.find('\0') != std::string::npos)
      throw Exception("\"remark\" に NUL 文字は使えません" + Where);
    Data.SetLoadKind(Index, ReadInteger(Load, "kind", Where));
    Data.SetLoadX(Index, ReadNumber(Load, "X", Where));
    Data.SetLoadW(Index, ReadNumber(Load, "W", Where));
    Data.SetLoadWidth(Index, ReadNumber(Load, "width", Where));
    Data.SetLoadRemark(Index, Utf8ToCp932(Remark));
    ++Index;
  }
}
