#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The program carries its version in an ELF note: owner "Vantrel", type
// VersionNoteType, and two little-endian 32-bit words, the high one holding
// major and minor, the low one release and build (16 bits each).
constexpr std::uint32_t VersionNoteType = 1;

struct TVersionWords {
  std::uint32_t High = 0;
  std::uint32_t Low = 0;
};

// Reads Count bytes at Offset of a file; false when they are not all there.
using TReadAt = std::function<bool(std::uint64_t Offset, void* Buffer, std::size_t Count)>;

// Looks through the note sections of a 64-bit little-endian ELF file for
// the version note. The file is not trusted: any size or offset that does
// not fit simply ends the search.
bool FindVersionNote(const TReadAt& ReadAt, TVersionWords& Words);
