#include "analysis/SectionBlock.h"

#include "analysis/DataStream.h"
#include "analysis/Stream.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

const char* const SDamagedSection =
    "断面・材料の記録が壊れているため、断面・材料は読み込みませんでした。"
    "梁と荷重は読み込みました。";
const char* const SNewerSection =
    "断面・材料はこのバージョンでは読めない形式で記録されているため、読み込みませんでした。"
    "梁と荷重は読み込みました。";

namespace {

constexpr std::size_t TagLength = 4;
constexpr char SectionTag[TagLength + 1] = "SECT";
constexpr std::int32_t SectionVersion = 1;
// The block version, the name's length and the seven reals.
constexpr std::int64_t SectionFieldsLength = 4 + 4 + 7 * 8;

enum TSectionRead { srRead, srDamaged, srNewer };

// The reals of a section in their order in the block.
template <class TAnySection> auto Reals(TAnySection& Section) {
  return std::array{&Section.E,  &Section.I,  &Section.Z, &Section.Aw,
                    &Section.Fb, &Section.Fs, &Section.N};
}

bool IsTag(const std::array<char, TagLength>& Tag) {
  return std::all_of(Tag.begin(), Tag.end(), [](char C) { return C >= 0x20 && C <= 0x7e; });
}

// A block's length that the bytes after it can hold, or -1. Nothing is
// read, or allocated, for a length before that is known.
std::int32_t ReadBlockLength(TStream& Stream) {
  if (!Stream.CanRead(4)) return -1;
  const std::int32_t Length = ReadInteger(Stream);
  return Length >= 0 && Length <= MaxBlockLength && Stream.CanRead(Length) ? Length : -1;
}

// The section block after its tag; Section is set only when it is read.
TSectionRead ReadSection(TStream& Stream, TSection& Section) {
  const std::int32_t Length = ReadBlockLength(Stream);
  if (Length < 4) return srDamaged;
  const std::int32_t Version = ReadInteger(Stream);
  if (Version != SectionVersion) return Version > SectionVersion ? srNewer : srDamaged;
  // The name takes exactly what the fields leave of the block.
  const std::int64_t NameAt = Stream.Position();
  if (Length < SectionFieldsLength || ReadInteger(Stream) != Length - SectionFieldsLength)
    return srDamaged;
  Stream.Seek(NameAt);
  TSection Read;
  Read.Name = ReadString(Stream);
  for (double* Value : Reals(Read)) {
    *Value = ReadReal(Stream);
    if (!std::isfinite(*Value) || *Value < 0) return srDamaged;
  }
  Section = std::move(Read);
  return srRead;
}

} // namespace

void WriteSectionBlock(TStream& Stream, const TSection& Section) {
  if (Section.Empty()) return;
  const std::int64_t Length = SectionFieldsLength + static_cast<std::int64_t>(Section.Name.size());
  if (Length > MaxBlockLength) throw Exception("断面の名前が長すぎます");
  WriteBytes(Stream, SectionTag, TagLength);
  WriteInteger(Stream, static_cast<std::int32_t>(Length));
  WriteInteger(Stream, SectionVersion);
  WriteString(Stream, Section.Name);
  for (const double* Value : Reals(Section))
    WriteReal(Stream, *Value);
}

std::int64_t ReadBlocks(TStream& Stream, TSection& Section, std::string& Note) {
  for (;;) {
    const std::int64_t Start = Stream.Position();
    std::array<char, TagLength> Tag{};
    const std::size_t Got = Stream.Read(Tag.data(), Tag.size());
    // Our tag, or the start of it where the bytes end.
    if (Got > 0 && std::memcmp(Tag.data(), SectionTag, Got) == 0) {
      const TSectionRead Read = Got == TagLength ? ReadSection(Stream, Section) : srDamaged;
      if (Read == srRead) continue;
      Section = {};
      Note = Read == srNewer ? SNewerSection : SDamagedSection;
      return 0;
    }
    if (Got == TagLength && IsTag(Tag)) {
      const std::int32_t Length = ReadBlockLength(Stream);
      if (Length >= 0) {
        Stream.Seek(Stream.Position() + Length);
        continue;
      }
    }
    Stream.Seek(Start);
    return Stream.CanRead(1) ? Stream.Remaining() : 0;
  }
}
