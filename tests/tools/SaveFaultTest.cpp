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

TEST_F(SaveFaultTest, AFolderThatCannotBeSyncedIsReported) {
  // The new file is in place, but not known to survive a power cut: the
  // save must not be reported as done.
  const fs::path File = Dir / "beam.vbd";
  const TRunResult Result = Make(File, NewBeam, Under("fsync-dir"));
  EXPECT_EQ(Result.Code, 1);
  EXPECT_EQ(Result.Output,
            "ファイル \"" + File.string() + "\". 入出力エラーのため を作成できません\n");
  EXPECT_EQ(Listing(), std::vector<std::string>{"beam.vbd"});
}

} // namespace
