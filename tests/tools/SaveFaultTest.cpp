// Saving (through vbdtool make) when system calls fail: the old file stays
// as it was, nothing else is left in the folder, and the failure is told.
#include "tests/tools/ToolRun.h"

namespace {

const char* const OldBeam = R"({"L":1})";
const char* const NewBeam = R"({"L":2,"loads":[{"kind":3,"X":1,"W":5,"remark":"新"}]})";

class SaveFaultTest : public ToolTest {
protected:
  std::string Under(const std::string& Faults) const {
    return "LD_PRELOAD=" FAULT_SHIM " ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 "
           "VANTREL_FAULT=" +
           Faults;
  }
  // The bytes a save of Json without faults gives.
  std::string Saved(const std::string& Json) const {
    const fs::path Plain = Dir / "plain";
    fs::create_directory(Plain);
    EXPECT_EQ(Make(Plain / "saved.vbd", Json).Code, 0);
    const std::string Bytes = ReadAll(Plain / "saved.vbd");
    fs::remove_all(Plain);
    return Bytes;
  }
  // Saves NewBeam over OldBeam with Faults; expects the error text Reason.
  void ExpectFailure(const std::string& Faults, const std::string& Reason) {
    SCOPED_TRACE(Faults);
    const fs::path File = Dir / "beam.vbd";
    ASSERT_EQ(Make(File, OldBeam).Code, 0);
    const std::string Old = ReadAll(File);
    const TRunResult Result = Make(File, NewBeam, Under(Faults));
    EXPECT_EQ(Result.Code, 1);
    EXPECT_EQ(Result.Output,
              "ファイル \"" + File.string() + "\". " + Reason + " を作成できません\n");
    EXPECT_EQ(ReadAll(File), Old);
    EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});
  }
};

TEST_F(SaveFaultTest, FailuresKeepTheOldFileAndLeaveNothingBehind) {
  ExpectFailure("write", "ディスクに空きがないため");
  ExpectFailure("no-tmpfile,write", "ディスクに空きがないため");
  ExpectFailure("fchmod", "アクセスが拒否されたため");
  ExpectFailure("no-tmpfile,fchmod", "アクセスが拒否されたため");
  ExpectFailure("rename", "入出力エラーのため");
  ExpectFailure("no-tmpfile,rename", "入出力エラーのため");
  ExpectFailure("link", "入出力エラーのため");
  ExpectFailure("fsync-file", "入出力エラーのため");
  ExpectFailure("no-tmpfile,fsync-file", "入出力エラーのため");
}

TEST_F(SaveFaultTest, WithoutUnnamedFilesANamedOneIsUsedAndRemoved) {
  const fs::path File = Dir / "beam.vbd";
  ASSERT_EQ(Make(File, OldBeam).Code, 0);
  const std::string Want = ReadAll(File);
  ASSERT_EQ(Make(Dir / "new.vbd", NewBeam).Code, 0);
  const std::string New = ReadAll(Dir / "new.vbd");
  fs::remove(Dir / "new.vbd");
  const TRunResult Result = Make(File, NewBeam, Under("no-tmpfile"));
  EXPECT_EQ(Result.Code, 0) << Result.Output;
  EXPECT_EQ(ReadAll(File), New);
  EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});
}

TEST_F(SaveFaultTest, AFolderThatCannotBeSyncedIsSaidButNoFailure) {
  // The new file is in place, but not known to survive a power cut: saved,
  // and the user is told so.
  const fs::path File = Dir / "beam.vbd";
  ASSERT_EQ(Make(File, OldBeam).Code, 0);
  const TRunResult Result = Make(File, NewBeam, Under("fsync-dir"));
  EXPECT_EQ(Result.Code, 0);
  EXPECT_EQ(Result.Output, "ファイル \"" + File.string() +
                               "\" は保存しましたが、入出力エラーのため"
                               "ディスクに書き込まれたことを確認できませんでした\n");
  EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});
  EXPECT_EQ(ReadAll(File), Saved(NewBeam));
}

// Saving in place: no file may be made in the target's folder (as for a
// folder the user may not write to), so the file itself is overwritten.
class InPlaceSaveTest : public SaveFaultTest {
protected:
  void SetUp() override {
    SaveFaultTest::SetUp();
    Work = Dir / "work";
    File = Work / "beam.vbd";
    fs::create_directory(Work);
    ASSERT_EQ(Make(File, LongBeam).Code, 0);
  }
  TRunResult SaveInPlace(const std::string& Json, const std::string& Faults) {
    return Make(File, Json,
                Under("no-create" + Faults) + " VANTREL_FAULT_PATH=" + Quote(Work.string()) +
                    " XDG_DATA_HOME=" + Quote((Dir / "data").string()));
  }
  std::vector<std::string> Recovered() const {
    std::vector<std::string> Files;
    const fs::path Folder = Dir / "data" / "vantrel" / "recovery";
    if (fs::exists(Folder))
      for (const auto& Entry : fs::directory_iterator(Folder))
        Files.push_back(Entry.path().string());
    return Files;
  }
  // A long document: ten loads with long remarks.
  const std::string LongBeam = [] {
    std::string Json = R"({"L":8,"loads":[)";
    for (int I = 0; I < 10; ++I)
      Json += std::string(I ? "," : "") + R"({"kind":0,"X":1,"W":2,"width":3,"remark":")" +
              std::string(500, 'a' + static_cast<char>(I)) + "\"}";
    return Json + "]}";
  }();
  fs::path Work, File;
};

TEST_F(InPlaceSaveTest, AShorterDocumentLeavesExactlyItsBytes) {
  const TRunResult Result = SaveInPlace(NewBeam, "");
  EXPECT_EQ(Result.Code, 0) << Result.Output;
  EXPECT_EQ(ReadAll(File), Saved(NewBeam));
  EXPECT_EQ(Listing(Work), std::vector<std::string>{"beam.vbd"});
}

TEST_F(InPlaceSaveTest, AWriteFailingMidwayPutsTheOldBytesBack) {
  const std::string Old = ReadAll(File);
  const TRunResult Result = SaveInPlace(NewBeam, ",write-once");
  EXPECT_EQ(Result.Code, 1);
  EXPECT_EQ(Result.Output,
            "ファイル \"" + File.string() + "\". 入出力エラーのため を作成できません\n");
  EXPECT_EQ(ReadAll(File), Old);
  EXPECT_TRUE(Recovered().empty());
}

TEST_F(InPlaceSaveTest, WhenTheOldBytesCannotGoBackTheDocumentIsKeptElsewhere) {
  // No file can be cut to its length: neither the new one nor the old
  // one put back.
  const TRunResult Result = SaveInPlace(NewBeam, ",ftruncate");
  EXPECT_EQ(Result.Code, 1);
  const std::vector<std::string> Copies = Recovered();
  ASSERT_EQ(Copies.size(), 1u) << Result.Output;
  EXPECT_EQ(Result.Output, "ファイル \"" + File.string() +
                               "\" は、入出力エラーのため保存できませんでした。"
                               "元のファイルは壊れている可能性があります。内容は \"" +
                               Copies[0] + "\" に保存しました\n");
  EXPECT_TRUE(Copies[0].ends_with("-beam.vbd"));
  EXPECT_EQ(ReadAll(Copies[0]), Saved(NewBeam));
}

} // namespace
