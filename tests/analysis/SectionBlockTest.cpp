// The section block after the load records: byte-exact round trips, every
// cut, lying fields, and a reader of the plain format that knows no blocks.
#include "analysis/SectionBlock.h"

#include "analysis/BeamData.h"
#include "tests/analysis/AllocationCount.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/TempFolderTest.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

namespace {

const TSection Steel{"H-200\x81\x7e", 205000, 1840, 184, 9.6, 156, 90, 250};

// The beam and loads of every file below: two loads, or none for Count 0.
TFileBytes Beam(std::int32_t Count = 2) {
  TFileBytes File;
  File.Header(btCantilever, 6.5, Count);
  if (Count > 0) File.Record("ab", lkUniform, 1, 2, 3).Record("\x82\xa0", lkConcentrated, 4, -5, 0);
  return File;
}

TDataFileContents Read(const std::vector<std::uint8_t>& Bytes, std::size_t* Allocated = nullptr) {
  TDataFileContents Contents;
  const std::size_t N = BytesAllocatedBy([&] {
    TMemoryStream Stream(Bytes);
    Contents = ReadDataFile(Stream);
  });
  if (Allocated) *Allocated = N;
  // Whatever follows them, the beam and the loads are read whole.
  TData D;
  LoadBytes(D, Bytes);
  D.SetSection({});
  EXPECT_EQ(SavedBytes(D), Beam(Contents.Loads.empty() ? 0 : 2).Bytes);
  return Contents;
}

TEST(SectionBlock, RandomSectionsRoundTripByteForByte) {
  std::mt19937_64 G(7);
  const auto Value = [&G] {
    const std::uint64_t Pick = G();
    return Pick % 3 == 0 ? 0.0 : std::ldexp(static_cast<double>(Pick >> 11), int(Pick % 400) - 250);
  };
  TData D;
  LoadBytes(D, Beam().Bytes);
  for (int Round = 0; Round < 300; ++Round) {
    TSection S;
    S.Name.resize(G() % 40);
    for (char& C : S.Name)
      C = static_cast<char>(1 + G() % 255); // a NUL would end the name
    for (double* V : {&S.E, &S.I, &S.Z, &S.Aw, &S.Fb, &S.Fs, &S.N})
      *V = Value();
    D.SetSection(S);
    const auto Bytes = SavedBytes(D);
    ASSERT_EQ(Bytes, Beam().Section(S).Bytes) << Round;
    const TDataFileContents Back = Read(Bytes);
    EXPECT_TRUE(Back.Section == S && Back.SectionNote.empty()) << Round;
  }
  // No section, no block: the bytes of a file that never had one.
  D.SetSection({});
  EXPECT_EQ(SavedBytes(D), Beam().Bytes);
  // The limit of a block: a name one byte longer is refused on writing,
  // and a block made of it by hand is refused on reading.
  TSection Long = Steel;
  Long.Name.assign(MaxBlockLength - 64, 'n');
  D.SetSection(Long);
  EXPECT_TRUE(Read(SavedBytes(D)).Section == Long);
  Long.Name += 'n';
  D.SetSection(Long);
  EXPECT_EQ(Failure([&] { SavedBytes(D); }), "断面の名前が長すぎます");
  EXPECT_EQ(Read(Beam().Section(Long).Bytes).SectionNote, SDamagedSection);
}

TEST(SectionBlock, EveryCutKeepsTheLoadsAndIsNoted) {
  for (const std::int32_t Count : {2, 0}) {
    const auto Full = Beam(Count).Section(Steel).Bytes;
    const std::size_t End = Beam(Count).Bytes.size();
    for (std::size_t Cut = End; Cut <= Full.size(); ++Cut) {
      SCOPED_TRACE(Cut);
      const auto Contents = Read({Full.begin(), Full.begin() + static_cast<std::ptrdiff_t>(Cut)});
      EXPECT_TRUE(Contents.Section == (Cut == Full.size() ? Steel : TSection{}));
      EXPECT_EQ(Contents.SectionNote, Cut == End || Cut == Full.size() ? "" : SDamagedSection);
      // The start of a block is not a record the count leaves out.
      EXPECT_EQ(Contents.UncountedBytes, 0);
    }
  }
}

TEST(SectionBlock, LyingFieldsAreNotedWithoutAllocatingForThem) {
  const auto Name = static_cast<std::int32_t>(Steel.Name.size());
  const std::size_t Reals = 16 + Steel.Name.size(); // from the block's start
  const double Inf = std::numeric_limits<double>::infinity();
  const std::vector<std::tuple<std::size_t, TFileBytes, const char*>> Lies = {
      {4, TFileBytes().Int(Name + 65), SDamagedSection},
      {4, TFileBytes().Int(-1), SDamagedSection},
      {4, TFileBytes().Int(INT32_MAX), SDamagedSection},
      {8, TFileBytes().Int(0), SDamagedSection},
      {8, TFileBytes().Int(2), SNewerSection},
      {12, TFileBytes().Int(Name + 1), SDamagedSection},
      {12, TFileBytes().Int(Name - 1), SDamagedSection},
      {12, TFileBytes().Int(INT32_MAX), SDamagedSection},
      {Reals, TFileBytes().Real(-1), SDamagedSection},
      {Reals + 24, TFileBytes().Real(std::nan("")), SDamagedSection},
      {Reals + 48, TFileBytes().Real(-Inf), SDamagedSection},
  };
  for (const std::size_t Padding : {0, 200}) {
    for (const auto& [At, Field, Note] : Lies) {
      SCOPED_TRACE(testing::Message() << At << " " << Padding);
      auto Bytes = Beam().Section(Steel).Bytes;
      Bytes.resize(Bytes.size() + Padding);
      std::copy(Field.Bytes.begin(), Field.Bytes.end(),
                Bytes.begin() + static_cast<std::ptrdiff_t>(Beam().Bytes.size() + At));
      std::size_t Allocated = 0;
      const TDataFileContents Contents = Read(Bytes, &Allocated);
      EXPECT_TRUE(Contents.Section.Empty());
      EXPECT_EQ(Contents.SectionNote, Note);
      EXPECT_LT(Allocated, 4096u);
    }
  }
}

TEST(SectionBlock, OtherBlocksArePassedOverAndOtherBytesAfterNoCountAreTold) {
  const auto Other = TFileBytes().Text("NOTE").Int(3).Text("xyz").Bytes;
  for (const std::int32_t Count : {2, 0}) {
    auto File = Beam(Count);
    File.Bytes.insert(File.Bytes.end(), Other.begin(), Other.end());
    File.Section(Steel).Text("NOTE").Int(9).Text("xyz"); // no block: its length lies
    const TDataFileContents Contents = Read(File.Bytes);
    EXPECT_TRUE(Contents.Section == Steel);
    EXPECT_EQ(Contents.UncountedBytes, Count > 0 ? 0 : 11);
  }
}

// A reader of the plain format by its own rules: magic, version, beam type,
// span, load count, the records; whatever follows is ignored.
auto ReadPlain(const std::vector<std::uint8_t>& B) {
  std::size_t P = 0;
  const auto Bits = [&](int N) {
    std::uint64_t V = 0;
    for (int I = 0; I < N; ++I)
      V |= std::uint64_t{B.at(P++)} << (8 * I);
    return V;
  };
  const auto Int = [&] { return static_cast<std::int32_t>(Bits(4)); };
  const auto Real = [&] { return std::bit_cast<double>(Bits(8)); };
  EXPECT_EQ(std::string(B.begin(), B.begin() + 20), "VantrelBeamDataFile.");
  P = 20;
  EXPECT_EQ(Int(), 1);
  const std::int32_t Type = Int();
  const double Span = Real();
  std::vector<std::tuple<std::string, std::int32_t, double, double, double>> Loads;
  for (std::int32_t I = 0, Count = Int(); I < Count; ++I) {
    Int();
    std::string Remark(static_cast<std::size_t>(Int()), ' ');
    for (char& C : Remark)
      C = static_cast<char>(Bits(1));
    const std::int32_t Kind = Int();
    const double X = Real(), W = Real();
    Loads.emplace_back(Remark, Kind, X, W, Real());
  }
  return std::tuple(Type, Span, Loads);
}

TEST(SectionBlock, PlainReadersSeeTheSameBeamAndLoads) {
  TData D;
  LoadBytes(D, Beam().Bytes);
  D.SetSection(Steel);
  const auto Bytes = SavedBytes(D);
  ASSERT_GT(Bytes.size(), Beam().Bytes.size()); // the block is there
  const auto [Type, Span, Loads] = ReadPlain(Bytes);
  EXPECT_EQ(Type, btCantilever);
  EXPECT_EQ(Span, 6.5);
  EXPECT_EQ(Loads,
            (decltype(Loads){{"ab", lkUniform, 1, 2, 3}, {"\x82\xa0", lkConcentrated, 4, -5, 0}}));
}

} // namespace
