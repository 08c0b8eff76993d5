// The numbers and fields of vbdtool's JSON, shared by its parts.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

// The shortest form that reads back to the same double; NaN and the
// infinities as the strings "NaN", "Infinity" and "-Infinity".
std::string Number(double Value);
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
