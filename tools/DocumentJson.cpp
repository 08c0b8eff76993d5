#include "tools/DocumentJson.h"

#include "analysis/BeamData.h"
#include "platform/Exceptions.h"
#include "support/Cp932.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace {

std::string Number(double Value) {
  if (std::isnan(Value)) return "\"NaN\"";
  if (std::isinf(Value)) return Value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return std::string(Buffer, Result.ptr);
}

std::string Quoted(const std::string& Utf8) {
  return nlohmann::json(Utf8).dump();
}

double ReadNumber(const nlohmann::json& Object, const char* Key) {
  if (!Object.contains(Key)) return 0;
  const nlohmann::json& Value = Object.at(Key);
  if (Value.is_number()) return Value.get<double>();
  if (Value.is_string()) {
    const std::string Text = Value.get<std::string>();
    if (Text == "NaN") return std::nan("");
    if (Text == "Infinity") return HUGE_VAL;
    if (Text == "-Infinity") return -HUGE_VAL;
  }
  throw Exception(std::string("\"") + Key + "\" は数値ではありません");
}

std::int32_t ReadInteger(const nlohmann::json& Object, const char* Key) {
  if (!Object.contains(Key)) return 0;
  const nlohmann::json& Value = Object.at(Key);
  if (!Value.is_number_integer())
    throw Exception(std::string("\"") + Key + "\" は整数ではありません");
  return Value.get<std::int32_t>();
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

} // namespace

std::string DocumentToJson(const TData& Data) {
  std::string Out = "{\"type\":" + std::to_string(Data.BeamType()) +
                    ",\"L\":" + Number(Data.Length()) + ",\"loads\":[";
  for (int I = 0; I < Data.LoadCount(); ++I) {
    const TKajyuData& K = Data.Load(I);
    if (I > 0) Out += ',';
    Out += "{\"kind\":" + std::to_string(K.FKind) + ",\"X\":" + Number(K.FX) +
           ",\"W\":" + Number(K.FW) + ",\"width\":" + Number(K.FWidth) + "," +
           RemarkFields(K.FRemark) + ",\"RA\":" + Number(K.FRA) + ",\"RB\":" + Number(K.FRB) + "}";
  }
  Out += "],\"points\":[";
  bool First = true;
  for (const TCalcPoint& P : Data.Points()) {
    if (!First) Out += ',';
    First = false;
    Out += '[' + Number(P.X) + ',' + Number(P.S) + ',' + Number(P.M) + ']';
  }
  Out += "]}";
  return Out;
}

std::string ResultsToJson(const TData& Data) {
  const TBeamResults& R = Data.Results();
  const auto Value = [&R](double V) { return R.Valid ? Number(V) : std::string("null"); };
  const auto Pair = [&R](const TExtreme& E) {
    return R.Valid ? '[' + Number(E.Value) + ',' + Number(E.X) + ']' : std::string("null");
  };
  return "{\"RA\":" + Value(R.RA) + ",\"RB\":" + Value(R.RB) +
         ",\"M_fixed\":" + (Data.BeamType() != btSimple ? Value(R.MFixed) : "null") +
         ",\"S_max\":" + Pair(R.SMax) + ",\"S_min\":" + Pair(R.SMin) +
         ",\"M_max\":" + Pair(R.MMax) + ",\"M_min\":" + Pair(R.MMin) + "}";
}

void DocumentFromJson(const std::string& Json, TData& Data) {
  nlohmann::json Root;
  try {
    Root = nlohmann::json::parse(Json);
  } catch (const nlohmann::json::exception& E) {
    throw Exception(std::string("JSON を読めません: ") + E.what());
  }
  if (!Root.is_object()) throw Exception("JSON の最上位はオブジェクトでなければなりません");
  Data.SetBeamType(ReadInteger(Root, "type"));
  Data.SetLength(ReadNumber(Root, "L"));
  if (!Root.contains("loads")) return;
  const nlohmann::json& Loads = Root.at("loads");
  if (!Loads.is_array()) throw Exception("\"loads\" は配列でなければなりません");
  int Index = 0;
  for (const nlohmann::json& Load : Loads) {
    if (!Load.is_object()) throw Exception("\"loads\" の要素はオブジェクトでなければなりません");
    const std::string Remark = Load.value("remark", std::string());
    // The file would keep only the text before it.
    if (Remark.find('\0') != std::string::npos)
      throw Exception("\"remark\" に NUL 文字は使えません (荷重 " + std::to_string(Index + 1) +
                      ")");
    Data.SetLoadKind(Index, ReadInteger(Load, "kind"));
    Data.SetLoadX(Index, ReadNumber(Load, "X"));
    Data.SetLoadW(Index, ReadNumber(Load, "W"));
    Data.SetLoadWidth(Index, ReadNumber(Load, "width"));
    Data.SetLoadRemark(Index, Utf8ToCp932(Remark));
    ++Index;
  }
}
