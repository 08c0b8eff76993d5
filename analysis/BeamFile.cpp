// The document in its data file: writing it, reading it, taking over what
// was read.
#include "analysis/BeamData.h"

#include "analysis/DataStream.h"
#include "analysis/SafeSave.h"
#include "analysis/SectionBlock.h"
#include "analysis/Stream.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace {

constexpr char Magic[] = "VantrelBeamDataFile.";
constexpr std::size_t MagicLength = 20;
static_assert(sizeof(Magic) == MagicLength + 1);
// Version 2 holds a support list; readers of version 1 refuse it.
constexpr std::int32_t SupportsVersion = 2;
// The smallest load record: version, remark length, kind and three reals.
constexpr std::int64_t MinRecordSize = 4 + 4 + 4 + 8 + 8 + 8;

} // namespace

std::string TData::SaveToFile(const std::string& FileName) {
  // The whole file is made in memory first: nothing on disk is touched
  // before every byte is known.
  TMemoryStream Stream;
  SaveToStream(Stream);
  std::string Note = WriteFileSafely(FileName, Stream.Bytes());
  FModified = false;
  return Note;
}

void TData::LoadFromFile(const std::string& FileName) {
  Assign(ReadDataFile(FileName));
  FModified = false;
}

void TData::SaveToStream(TStream& Stream) const {
  Stream.Seek(0);
  std::array<char, 256> Buffer{};
  std::memcpy(Buffer.data(), Magic, MagicLength);
  WriteBytes(Stream, Buffer.data(), MagicLength);
  WriteInteger(Stream, FSupports.empty() ? 1 : SupportsVersion);
  WriteInteger(Stream, FBeamType);
  WriteReal(Stream, FLength);
  if (!FSupports.empty()) WriteSupports(Stream, FSupports);
  WriteInteger(Stream, static_cast<std::int32_t>(FLoads.size()));
  for (const auto& K : FLoads)
    K.SaveToStream(Stream);
  WriteSectionBlock(Stream, FSection);
}

void TData::LoadFromStream(TStream& Stream) {
  // Everything is read before the document changes.
  Assign(ReadDataFile(Stream));
}

void TData::Assign(TDataFileContents&& Contents) {
  if (FUpdateCount > 0) FChangePending = FCalculationPending = true;
  FBeamType = Contents.BeamType;
  FLength = Contents.Length;
  FSection = std::move(Contents.Section);
  FSupports = std::move(Contents.Supports);
  // Records the document holds already take the read fields; the others
  // are the read records themselves (in a document without loads, the
  // whole list at once).
  std::vector<TKajyuData>& Read = Contents.Loads;
  const std::size_t Kept = std::min(FLoads.size(), Read.size());
  for (std::size_t I = 0; I < Kept; ++I) {
    TKajyuData& K = FLoads[I];
    K.FRemark = std::move(Read[I].FRemark);
    K.FKind = Read[I].FKind;
    K.FX = Read[I].FX;
    K.FW = Read[I].FW;
    K.FWidth = Read[I].FWidth;
  }
  if (FLoads.empty())
    FLoads = std::move(Read);
  else
    FLoads.insert(FLoads.end(),
                  std::make_move_iterator(Read.begin() + static_cast<std::ptrdiff_t>(Kept)),
                  std::make_move_iterator(Read.end()));
}

TDataFileContents ReadDataFile(const std::string& FileName, const TReadProgress& Progress) {
  TFileReadStream Stream(FileName);
  return ReadDataFile(Stream, Progress);
}

TDataFileContents ReadDataFile(TStream& Stream, const TReadProgress& Progress) {
  std::array<char, 256> Buffer{};
  if (Stream.Read(Buffer.data(), MagicLength) != MagicLength ||
      std::memcmp(Buffer.data(), Magic, MagicLength) != 0)
    throw EReadError(SInvalidDataFile);
  const std::int32_t Version = ReadInteger(Stream);
  if (Version > SupportsVersion) throw EReadError(SNewerDataVersion);
  TDataFileContents Contents;
  Contents.BeamType = ReadInteger(Stream);
  Contents.Length = ReadReal(Stream);
  if (Version == SupportsVersion) {
    if (!IsPreset(Contents.BeamType) || IsPlainPreset(Contents.BeamType))
      throw EReadError(SInvalidDataFile);
    Contents.Supports = ReadSupports(Stream);
    // A type whose fixed ends the list does not have names it no more.
    Contents.BeamType = ListPreset(Contents.Supports, Contents.BeamType);
    if (IsPlainPreset(Contents.BeamType)) Contents.Supports.clear();
  }
  const std::int32_t Count = ReadInteger(Stream);
  const auto Loads = static_cast<std::size_t>(std::max(Count, 0));
  // Every record takes at least MinRecordSize bytes, which bounds what a
  // count can claim before anything is allocated for it.
  if (!Stream.CanRead(static_cast<std::int64_t>(Loads) * MinRecordSize))
    throw EReadError(SInvalidDataFile);
  Contents.Loads = std::vector<TKajyuData>(Loads);
  constexpr std::size_t ProgressStep = 4096;
  for (std::size_t I = 0; I < Loads; I += ProgressStep) {
    if (Progress && !Progress(static_cast<std::int64_t>(I), Count)) throw EAbort();
    ReadLoadRecords(Stream,
                    std::span(Contents.Loads).subspan(I, std::min(ProgressStep, Loads - I)));
  }
  // Blocks follow the records. Other bytes after a count of none are most
  // likely records it leaves out: the caller is told of them.
  const std::int64_t Other = ReadBlocks(Stream, Contents.Section, Contents.SectionNote);
  if (Count <= 0) Contents.UncountedBytes = Other;
  return Contents;
}
