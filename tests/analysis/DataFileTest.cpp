// The data file: exact layout, round trips, damaged input and file errors.
#include "analysis/BeamData.h"
#include "analysis/Stream.h"
#include "tests/analysis/AllocationCount.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/kit/TempFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <span>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const InvalidFile =
    "選択されたファイルは、このプログラム用のファイルでないかもしくはファイルが壊れています。";
const char* const NewerVersion = "選択されたデータは、このバージョンでは処理することが出来ません。"
                                 "アプリケーションの最新バージョンをご用意下さい。";

std::string ReadFailure(TData& D, const std::vector<std::uint8_t>& Bytes) {
  return Failure([&] { LoadBytes(D, Bytes); });
}

// What a failed read must leave alone: type, span, loads, modified state.
std::pair<std::vector<std::uint8_t>, bool> StateOf(const TData& D) {
  return {SavedBytes(D), D.Modified()};
}

// A calculated, modified cantilever with three loads.
void MakeBusyDocument(TData& D) {
  SetBeam(D, btCantilever, 8,
          {{lkUniform, 0.5, 10, 1, "p"},
           {lkLeftTriangle, 1.5, 20, 1, "q"},
           {lkRightTriangle, 2.5, 30, 1, "r"}});
}

std::vector<std::uint8_t> ReadAll(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

TEST(DataStream, ExactLayout) {
  TData D;
  EXPECT_EQ(SavedBytes(D), TFileBytes().Header(0, 0, 0).Bytes);
  EXPECT_EQ(SavedBytes(D).size(), 40u);

  D.SetLength(10);
  D.SetLoadKind(0, lkConcentrated);
  D.SetLoadX(0, 4);
  D.SetLoadW(0, 10);
  D.SetLoadRemark(0, "A");
  const std::string Magic = "VantrelBeamDataFile.";
  std::vector<std::uint8_t> Want(Magic.begin(), Magic.end());
  const std::uint8_t Rest[] = {
      // clang-format off
      0x01, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0x24, 0x40,  0x01, 0, 0, 0,
      0x01, 0, 0, 0,  0x01, 0, 0, 0,  0x41,  0x03, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0x10, 0x40,  0, 0, 0, 0, 0, 0, 0x24, 0x40,  0, 0, 0, 0, 0, 0, 0, 0,
      // clang-format on
  };
  Want.insert(Want.end(), std::begin(Rest), std::end(Rest));
  ASSERT_EQ(Want.size(), 77u);
  EXPECT_EQ(SavedBytes(D), Want);

  // The remark length counts the bytes of the code page 932 text.
  D.SetLoadRemark(0, "\x82\xa0\x82\xa2\x83\x5c");
  const auto Bytes = SavedBytes(D);
  ASSERT_EQ(Bytes.size(), 82u);
  EXPECT_EQ(std::vector<std::uint8_t>(Bytes.begin() + 44, Bytes.begin() + 54),
            TFileBytes().Int(6).Text("\x82\xa0\x82\xa2\x83\x5c").Bytes);
}

TEST(DataStream, VersionsAndMagic) {
  const auto Image = [](std::int32_t Version) {
    return TFileBytes().Header(btCantilever, 6, 1, Version).Record("x", 4, 1, 2, 0).Bytes;
  };
  TData D;
  EXPECT_EQ(ReadFailure(D, Image(0)), "(no error)");
  EXPECT_EQ(D.BeamType(), btCantilever);
  EXPECT_EQ(D.LoadKind(0), lkMoment);

  MakeBusyDocument(D);
  const auto Before = StateOf(D);
  EXPECT_EQ(ReadFailure(D, Image(3)), NewerVersion);
  EXPECT_EQ(ReadFailure(D, Image(0x7fffffff)), NewerVersion);
  for (std::size_t At : {0, 7, 19}) {
    auto Bad = Image(1);
    Bad[At] ^= 0x20;
    EXPECT_EQ(ReadFailure(D, Bad), InvalidFile) << At;
  }
  EXPECT_TRUE(StateOf(D) == Before);
}

TEST(DataStream, ReadingOverwritesLeadingLoadsOnly) {
  TData D;
  MakeBusyDocument(D);
  const auto Points = D.Points();
  D.SetOnChange([](TObject*) { ADD_FAILURE() << "reading notified"; });
  LoadBytes(D, TFileBytes().Header(btSimple, 7, 1).Record("new", lkMoment, 2.5, -3, 0.25).Bytes);
  const auto Want = [](std::int32_t Type, double L) {
    return TFileBytes()
        .Header(Type, L, 3)
        .Record("new", lkMoment, 2.5, -3, 0.25)
        .Record("q", 1, 1.5, 20, 1)
        .Record("r", 2, 2.5, 30, 1)
        .Bytes;
  };
  EXPECT_EQ(SavedBytes(D), Want(btSimple, 7));
  ASSERT_EQ(D.Points().size(), Points.size()); // not recalculated
  EXPECT_EQ(std::memcmp(D.Points().data(), Points.data(), Points.size() * sizeof(TCalcPoint)), 0);

  // A count of zero or less reads no records.
  for (std::int32_t Count : {0, -1, INT32_MIN}) {
    LoadBytes(D, TFileBytes().Header(btCantilever, 9, Count).Bytes);
    EXPECT_EQ(SavedBytes(D), Want(btCantilever, 9)) << Count;
  }
}

// A memory stream that keeps its bytes to itself, so that the records
// are read field by field.
class TFieldByFieldStream : public TMemoryStream {
public:
  using TMemoryStream::TMemoryStream;
  std::span<const std::uint8_t> Buffered() override { return {}; }
};

TEST(DataStream, RecordsParsedInPlaceReadAsFieldByField) {
  // Random records, remarks of any bytes (NULs among them), every cut:
  // the records parsed where the stream holds them give what reading field
  // by field gives, and a remark ends at its first NUL.
  std::mt19937 G(24);
  for (int File = 0; File < 40; ++File) {
    TFileBytes Bytes;
    const std::int32_t Count = 1 + static_cast<std::int32_t>(G() % 20);
    Bytes.Header(btSimple, 10, Count);
    std::vector<std::string> Remarks;
    for (std::int32_t I = 0; I < Count; ++I) {
      std::string Remark(G() % 40, 'x');
      for (char& C : Remark)
        C = static_cast<char>(G() % 3 == 0 ? 0 : 'a' + G() % 26);
      Remarks.push_back(Remark.substr(0, Remark.find('\0')));
      Bytes.Record(Remark, static_cast<std::int32_t>(G() % 7) - 1, static_cast<double>(G()) * 1e-3,
                   -1.5 * static_cast<double>(G()), 0.25);
    }
    TMemoryStream InPlace(Bytes.Bytes);
    const TDataFileContents Read = ReadDataFile(InPlace);
    TFieldByFieldStream Fields(Bytes.Bytes);
    const TDataFileContents Want = ReadDataFile(Fields);
    ASSERT_EQ(Read.Loads.size(), static_cast<std::size_t>(Count));
    for (std::size_t I = 0; I < Read.Loads.size(); ++I) {
      const TKajyuData &A = Read.Loads[I], &B = Want.Loads[I];
      EXPECT_EQ(A.FRemark, Remarks[I]);
      EXPECT_EQ(A.FRemark, B.FRemark);
      EXPECT_EQ(std::tie(A.FKind, A.FX, A.FW, A.FWidth), std::tie(B.FKind, B.FX, B.FW, B.FWidth));
    }
    for (std::size_t Cut = 0; Cut < Bytes.Bytes.size(); Cut += 1 + G() % 5) {
      const std::vector<std::uint8_t> Part(Bytes.Bytes.begin(),
                                           Bytes.Bytes.begin() + static_cast<std::ptrdiff_t>(Cut));
      TMemoryStream Stream(Part);
      EXPECT_EQ(Failure([&] { ReadDataFile(Stream); }), InvalidFile) << Cut;
    }
  }
}

TEST(DataStream, BytesAfterACountOfZeroOrLessAreToldAndOthersAreNot) {
  const auto Told = [](const TFileBytes& File) {
    TMemoryStream Stream(File.Bytes);
    return ReadDataFile(Stream).UncountedBytes;
  };
  const std::int64_t RecordSize =
      static_cast<std::int64_t>(TFileBytes().Record("x", lkUniform, 1, 2, 3).Bytes.size());
  for (std::int32_t Count : {0, -1, INT32_MIN}) {
    EXPECT_EQ(Told(TFileBytes().Header(btSimple, 6, Count).Record("x", lkUniform, 1, 2, 3)),
              RecordSize)
        << Count;
    EXPECT_EQ(Told(TFileBytes().Header(btSimple, 6, Count).Int(0)), 4) << Count;
    EXPECT_EQ(Told(TFileBytes().Header(btSimple, 6, Count)), 0) << Count;
  }
  // Bytes after the counted records stay ignored, as ever.
  EXPECT_EQ(Told(TFileBytes().Header(btSimple, 6, 1).Record("x", lkUniform, 1, 2, 3).Int(7)), 0);
}

TEST(DataStream, DamagedFilesLeaveTheDocumentAlone) {
  const auto Good = TFileBytes()
                        .Header(btSimple, 12, 2)
                        .Record("ab", lkUniform, 1, 2, 3)
                        .Record("\x82\xa0", lkConcentrated, 4, 5, 0)
                        .Bytes;
  TData D;
  MakeBusyDocument(D);
  const auto Before = StateOf(D);
  std::vector<std::vector<std::uint8_t>> Damaged;
  for (std::size_t N = 0; N < Good.size(); ++N)
    Damaged.emplace_back(Good.begin(), Good.begin() + N);
  // Remark lengths that are negative or run past the end.
  for (std::int32_t Length : {-1, INT32_MIN, 60, 1000}) {
    Damaged.push_back(Good);
    const auto Field = TFileBytes().Int(Length).Bytes;
    std::copy(Field.begin(), Field.end(), Damaged.back().begin() + 44);
  }
  // Counts beyond the records present, up to one that no file could hold.
  for (std::int32_t Count : {3, 1000000, 0x7fffffff}) {
    Damaged.push_back(Good);
    const auto Field = TFileBytes().Int(Count).Bytes;
    std::copy(Field.begin(), Field.end(), Damaged.back().begin() + 36);
  }
  for (std::size_t I = 0; I < Damaged.size(); ++I) {
    ASSERT_EQ(ReadFailure(D, Damaged[I]), InvalidFile) << "case " << I;
    ASSERT_TRUE(StateOf(D) == Before) << "case " << I;
  }
}

TEST(DataStream, ACountTheBytesCannotHoldIsRefusedBeforeAnyRecord) {
  // A record takes 36 bytes at least. Zero bytes make such records, so the
  // count that fits the bytes after the header reads; one more, and counts
  // far beyond, are refused right after the header, with nothing allocated
  // for the records.
  for (std::size_t Tail = 0; Tail < 200; ++Tail) {
    SCOPED_TRACE(Tail);
    const auto Image = [Tail](std::int32_t Count) {
      auto Bytes = TFileBytes().Header(btSimple, 1, Count).Bytes;
      Bytes.resize(Bytes.size() + Tail);
      return Bytes;
    };
    const auto Fits = static_cast<std::int32_t>(Tail / 36);
    TData D;
    LoadBytes(D, Image(Fits));
    EXPECT_EQ(D.LoadCount(), Fits);
    for (const std::int32_t Count : {Fits + 1, 1000000, INT32_MAX}) {
      TMemoryStream Stream(Image(Count));
      std::string Message;
      const std::size_t Allocated =
          BytesAllocatedBy([&] { Message = Failure([&] { D.LoadFromStream(Stream); }); });
      EXPECT_EQ(Message, InvalidFile) << Count;
      EXPECT_EQ(Stream.Position(), 40) << Count;
      EXPECT_LT(Allocated, 4096u) << Count;
    }
  }
}

TEST(DataStream, FuzzCorpusDoesNotCrash) {
  const fs::path Corpus = VANTREL_FUZZ_CORPUS_DIR;
  if (!fs::is_directory(Corpus)) GTEST_SKIP() << "no corpus at " << Corpus;
  for (const auto& Entry : fs::directory_iterator(Corpus)) {
    if (!Entry.is_regular_file()) continue;
    TData D;
    if (ReadFailure(D, ReadAll(Entry.path())) == "(no error)") D.Calculate();
  }
}

class DataFile : public TTempFolderTest {
protected:
  // ファイル "<full path>". <system error text> <Tail>
  static void ExpectFileMessage(const std::string& Message, const fs::path& Path,
                                const std::string& Tail) {
    const std::string Head = "ファイル \"" + Path.string() + "\". ";
    EXPECT_EQ(Message.rfind(Head, 0), 0u) << Message;
    ASSERT_GT(Message.size(), Head.size() + Tail.size() + 1) << Message;
    EXPECT_EQ(Message.substr(Message.size() - Tail.size() - 1), " " + Tail) << Message;
  }
};

TEST_F(DataFile, RoundTrip) {
  TData D;
  D.SetBeamType(btCantilever);
  D.SetLength(12.345);
  const char* Remarks[] = {"", "\x83\x5c\x95\x5c", "plain", "\x82\xa0\x81\x60", "\xb1\xb2"};
  const double Xs[] = {0, -2.5, 12.345, 1.0 / 3, 4.9e-320};
  const double Ws[] = {1e300, -0.0, 7.25, -1.0 / 7, 3};
  const double Widths[] = {0.1, 12.345, 0, 2.0 / 3, -1};
  for (int I = 0; I < 5; ++I) {
    D.SetLoadKind(I, I);
    D.SetLoadX(I, Xs[I]);
    D.SetLoadW(I, Ws[I]);
    D.SetLoadWidth(I, Widths[I]);
    D.SetLoadRemark(I, Remarks[I]);
  }
  const fs::path Path = Dir / "beam.vbd";
  D.SaveToFile(Path.string());
  EXPECT_FALSE(D.Modified());
  EXPECT_EQ(ReadAll(Path), SavedBytes(D));
  EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});

  TData E;
  E.SetLength(3);
  E.LoadFromFile(Path.string());
  EXPECT_FALSE(E.Modified());
  EXPECT_EQ(E.BeamType(), btCantilever);
  EXPECT_EQ(E.Length(), 12.345);
  ASSERT_EQ(E.LoadCount(), 5);
  for (int I = 0; I < 5; ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(E.LoadKind(I), I);
    EXPECT_EQ(E.LoadRemark(I), Remarks[I]);
    EXPECT_EQ(std::memcmp(&E.Load(I).FX, &Xs[I], 8), 0);
    EXPECT_EQ(std::memcmp(&E.Load(I).FW, &Ws[I], 8), 0);
    EXPECT_EQ(std::memcmp(&E.Load(I).FWidth, &Widths[I], 8), 0);
  }
}

TEST_F(DataFile, LargeFilesReadAcrossBlocksAndCutOnesAreRefused) {
  // Records and remarks that straddle the reader's blocks, one remark
  // longer than a block, and a file cut in the middle of a record.
  TData D;
  const std::string Long(600 * 1024, 'L');
  D.Update([&] {
    D.SetLength(10);
    for (int I = 0; I < 30000; ++I) {
      D.SetLoadKind(I, I % 5);
      D.SetLoadX(I, I * 0.001);
      D.SetLoadW(I, -I);
      D.SetLoadRemark(I, I == 12345 ? Long : std::string(static_cast<std::size_t>(I % 7), 'a'));
    }
  });
  const fs::path Path = Dir / "big.vbd";
  D.SaveToFile(Path.string());
  TData E;
  E.LoadFromFile(Path.string());
  ASSERT_EQ(E.LoadCount(), 30000);
  EXPECT_EQ(SavedBytes(E), SavedBytes(D));

  const auto Bytes = ReadAll(Path);
  for (const std::size_t Cut : {Bytes.size() - 1, Bytes.size() / 2, std::size_t{300000}}) {
    std::ofstream(Path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Cut));
    TData F;
    EXPECT_EQ(Failure([&] { F.LoadFromFile(Path.string()); }), InvalidFile) << Cut;
    EXPECT_EQ(F.LoadCount(), 0);
  }
}

TEST_F(DataFile, OpenErrors) {
  TData D;
  MakeBusyDocument(D);
  const auto Before = StateOf(D);
  const fs::path Missing = Dir / "missing.vbd";
  ExpectFileMessage(Failure([&] { D.LoadFromFile(Missing.string()); }), Missing, "は開けません");
  // A relative name is shown in full.
  const fs::path Cwd = fs::current_path();
  fs::current_path(Dir);
  const fs::path Full = fs::current_path() / "missing.vbd";
  const std::string Message = Failure([&] { D.LoadFromFile("missing.vbd"); });
  fs::current_path(Cwd);
  ExpectFileMessage(Message, Full, "は開けません");
  EXPECT_TRUE(StateOf(D) == Before);
}

TEST_F(DataFile, FailedSavesKeepTheOldFile) {
  TData D;
  MakeBusyDocument(D);
  const fs::path NoDir = Dir / "nowhere" / "beam.vbd";
  ExpectFileMessage(Failure([&] { D.SaveToFile(NoDir.string()); }), NoDir, "を作成できません");
  const fs::path Sub = Dir / "sub";
  fs::create_directory(Sub);
  ExpectFileMessage(Failure([&] { D.SaveToFile(Sub.string()); }), Sub, "を作成できません");
  EXPECT_TRUE(D.Modified());
  EXPECT_EQ(Listing(), std::vector<std::string>{"sub"});

  // A save that fails half-way (here at the file size limit) leaves the
  // existing file as it was.
  const fs::path Path = Dir / "beam.vbd";
  TData().SaveToFile(Path.string());
  const auto OldBytes = ReadAll(Path);
  rlimit Saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &Saved), 0);
  rlimit Small = Saved;
  Small.rlim_cur = 50;
  const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &Small), 0);
  const std::string Message = Failure([&] { D.SaveToFile(Path.string()); });
  setrlimit(RLIMIT_FSIZE, &Saved);
  std::signal(SIGXFSZ, OldHandler);
  ExpectFileMessage(Message, Path, "を作成できません");
  EXPECT_TRUE(D.Modified());
  EXPECT_EQ(ReadAll(Path), OldBytes);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"beam.vbd", "sub"}));
}

TEST_F(DataFile, SavingReplacesTheFileAndKeepsItsPermissions) {
  const fs::path Path = Dir / "beam.vbd";
  TData().SaveToFile(Path.string());
  const auto Mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  fs::permissions(Path, Mode);
  TData D;
  MakeBusyDocument(D);
  D.SaveToFile(Path.string());
  EXPECT_FALSE(D.Modified());
  EXPECT_EQ(ReadAll(Path), SavedBytes(D));
  EXPECT_EQ(fs::status(Path).permissions(), Mode);
  EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});
}

} // namespace
