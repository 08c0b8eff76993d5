// The numbers and fields of vbdtool's JSON, shared by its parts.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

// The numbers of one JSON text: each in the shortest form that reads back
// to the same double; one that is not finite as null, noted with the field
// it stands in ("points[].M"), so that the text stays JSON and says what
// it could not hold.
class TJsonNumbers {
public:
  std::string operator()(double Value, const std::string& Field);
  // ,"not_finite":[{"field":…,"values":["-Infinity",…],"count":…},…] in
  // the order of the fields' names; empty when every number was finite.
  std::string Notes() const;

private:
  struct TNote {
    std::set<std::string> Values; // "NaN", "Infinity", "-Infinity"
    int Count = 0;
  };
  std::map<std::string, TNote> FNotes;
};
// A JSON string of UTF-8 text.
std::string Quoted(const std::string& Utf8);

// Where a field is, after its name in a message: " (荷重 3)" for What
// "荷重" and Index 2.
std::string Place(const char* What, int Index);

// The field Key of Object, 0 or empty when it is missing; a value of
// another type fails with Exception naming Key and then Where.
// A number, or one of the strings Number writes.
double ReadNumber(const nlohmann::json& Object, const char* Key, const std::string& Where = {});
// A 32-bit integer as the file stores it: anything else (a fraction, a
// larger integer) is refused, never cut to fit.
std::int32_t ReadInteger(const nlohmann::json& Object, const char* Key,
                         const std::string& Where = {});
std::string ReadText(const nlohmann::json& Object, const char* Key, const std::string& Where = {});

// Fails with Exception for a key of Object that is none of Known, naming
// it, the known key closest to it (fewest letters to change, case aside)
// and then Where: a misspelt key is never passed over in silence.
void RefuseUnknownKeys(const nlohmann::json& Object, std::initializer_list<const char*> Known,
                       const std::string& Where = {});
