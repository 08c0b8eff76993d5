#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// Byte length of the UTF-8 character starting at Text[I], by its lead byte,
// never past the end of Text.
inline std::size_t Utf8CharLength(const std::string& Text, std::size_t I) {
  const unsigned char Lead = static_cast<unsigned char>(Text[I]);
  const std::size_t N = Lead < 0x80 ? 1 : Lead < 0xE0 ? 2 : Lead < 0xF0 ? 3 : 4;
  return std::min(N, Text.size() - I);
}
