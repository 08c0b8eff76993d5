#include "tools/JsonFields.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

std::string TJsonNumbers::operator()(double Value, const std::string& Field) {
  if (!std::isfinite(Value)) {
    TNote& Note = FNotes[Field];
    Note.Values.insert(std::isnan(Value) ? "NaN" : Value > 0 ? "Infinity" : "-Infinity");
    ++Note.Count;
    return "null";
  }
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return std::string(Buffer, Result.ptr);
}

std::string TJsonNumbers::Notes() const {
  if (FNotes.empty()) return {};
  std::string Out = ",\"not_finite\":[";
  for (const auto& [Field, Note] : FNotes) {
    if (Out.back() != '[') Out += ',';
    Out += "{\"field\":" + Quoted(Field) + ",\"values\":[";
    for (const auto& Value : Note.Values)
      Out += (Out.back() == '[' ? "\"" : ",\"") + Value + '"';
    Out += "],\"count\":" + std::to_string(Note.Count) + '}';
  }
  return Out + ']';
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

namespace {

std::string Lower(std::string Text) {
  for (char& C : Text)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Text;
}

// The letters to insert, delete or change to turn A into B, case aside.
std::size_t EditDistance(const std::string& A, const std::string& B) {
  const std::string Left = Lower(A), Right = Lower(B);
  std::vector<std::size_t> Row(Right.size() + 1);
  for (std::size_t J = 0; J < Row.size(); ++J)
    Row[J] = J;
  for (std::size_t I = 1; I <= Left.size(); ++I) {
    std::size_t Diagonal = Row[0];
    Row[0] = I;
    for (std::size_t J = 1; J <= Right.size(); ++J) {
      const std::size_t Change = Diagonal + (Left[I - 1] != Right[J - 1]);
      Diagonal = Row[J];
      Row[J] = std::min({Row[J] + 1, Row[J - 1] + 1, Change});
    }
  }
  return Row.back();
}

} // namespace

void RefuseUnknownKeys(const nlohmann::json& Object, std::initializer_list<const char*> Known,
                       const std::string& Where) {
  for (const auto& Item : Object.items()) {
    const std::string& Key = Item.key();
    if (std::any_of(Known.begin(), Known.end(), [&Key](const char* K) { return Key == K; }))
      continue;
    const char* Closest =
        *std::min_element(Known.begin(), Known.end(), [&Key](const char* A, const char* B) {
          return EditDistance(Key, A) < EditDistance(Key, B);
        });
    throw Exception(Quoted(Key) + " は使えないキーです (\"" + Closest + "\" のことですか)" + Where);
  }
}
