#include "tools/JsonFields.h"

#include "platform/Exceptions.h"

#include <charconv>
#include <climits>
#include <cmath>

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

std::string Place(const char* What, int Index) {
  return std::string(" (") + What + " " + std::to_string(Index + 1) + ")";
}

double ReadNumber(const nlohmann::json& Object, const char* Key, const std::string& Where) {
  if (!Object.contains(Key)) return 0;
  const nlohmann::json& Value = Object.at(Key);
  if (Value.is_number()) return Value.get<double>();
  if (Value.is_string()) {
    const std::string Text = Value.get<std::string>();
    if (Text == "NaN") return std::nan("");
    if (Text == "Infinity") return HUGE_VAL;
    if (Text == "-Infinity") return -HUGE_VAL;
  }
  throw Exception(std::string("\"") + Key + "\" は数値ではありません" + Where);
}

std::int32_t ReadInteger(const nlohmann::json& Object, const char* Key, const std::string& Where) {
  if (!Object.contains(Key)) return 0;
  const nlohmann::json& Value = Object.at(Key);
  bool Fits = false;
  if (Value.is_number_unsigned())
    Fits = Value.get<std::uint64_t>() <= INT32_MAX;
  else if (Value.is_number_integer())
    Fits = Value.get<std::int64_t>() >= INT32_MIN && Value.get<std::int64_t>() <= INT32_MAX;
  if (!Fits)
    throw Exception(std::string("\"") + Key + "\" は " + std::to_string(INT32_MIN) + " から " +
                    std::to_string(INT32_MAX) + " までの整数でなければなりません" + Where);
  return Value.get<std::int32_t>();
}

std::string ReadText(const nlohmann::json& Object, const char* Key, const std::string& Where) {
  if (!Object.contains(Key)) return {};
  const nlohmann::json& Value = Object.at(Key);
  if (!Value.is_string())
    throw Exception(std::string("\"") + Key + "\" は文字列でなければなりません" + Where);
  return Value.get<std::string>();
}
