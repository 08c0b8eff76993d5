#include "support/VersionNote.h"

#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t SectionNote = 7; // SHT_NOTE
constexpr char Owner[] = "Vantrel";

std::uint64_t Get(const std::uint8_t* P, int Bytes) {
  std::uint64_t Value = 0;
  for (int I = Bytes - 1; I >= 0; --I)
    Value = (Value << 8) | P[I];
  return Value;
}

std::uint64_t Align4(std::uint64_t N) {
  return (N + 3) & ~std::uint64_t{3};
}

// Walks the notes of one section's bytes.
bool SearchNotes(const std::vector<std::uint8_t>& Notes, TVersionWords& Words) {
  std::uint64_t At = 0;
  while (At + 12 <= Notes.size()) {
    const std::uint64_t NameSize = Get(&Notes[At], 4), DescSize = Get(&Notes[At + 4], 4);
    const std::uint64_t Type = Get(&Notes[At + 8], 4);
    const std::uint64_t Name = At + 12, Desc = Name + Align4(NameSize);
    const std::uint64_t Next = Desc + Align4(DescSize);
    if (Next > Notes.size()) return false;
    if (Type == VersionNoteType && NameSize == sizeof Owner && DescSize == 8 &&
        std::memcmp(&Notes[Name], Owner, sizeof Owner) == 0) {
      Words.High = static_cast<std::uint32_t>(Get(&Notes[Desc], 4));
      Words.Low = static_cast<std::uint32_t>(Get(&Notes[Desc + 4], 4));
      return true;
    }
    At = Next;
  }
  return false;
}

} // namespace

bool FindVersionNote(const TReadAt& ReadAt, TVersionWords& Words) {
  std::uint8_t Header[64];
  if (!ReadAt(0, Header, sizeof Header)) return false;
  // "\x7F" "ELF", 64-bit, little-endian.
  if (std::memcmp(Header,
                  "\x7F"
                  "ELF",
                  4) != 0 ||
      Header[4] != 2 || Header[5] != 1)
    return false;
  const std::uint64_t Table = Get(Header + 0x28, 8);
  const std::uint64_t EntrySize = Get(Header + 0x3A, 2), Count = Get(Header + 0x3C, 2);
  if (EntrySize < 64) return false;
  for (std::uint64_t I = 0; I < Count; ++I) {
    std::uint8_t Section[64];
    if (Table > UINT64_MAX / 2 || !ReadAt(Table + I * EntrySize, Section, sizeof Section))
      return false;
    if (Get(Section + 4, 4) != SectionNote) continue;
    const std::uint64_t Offset = Get(Section + 0x18, 8), Size = Get(Section + 0x20, 8);
    if (Size > (1u << 20)) continue;
    std::vector<std::uint8_t> Notes(static_cast<std::size_t>(Size));
    if (!ReadAt(Offset, Notes.data(), Notes.size())) continue;
    if (SearchNotes(Notes, Words)) return true;
  }
  return false;
}
