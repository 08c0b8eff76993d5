// Every file vbdtool writes (PNG, SVG, PDF, CSV, the data file) leaves
// through the same save: a named pipe is refused at once with the data
// file's message, and a full disk leaves the old file whole.
#include "tests/tools/ToolRun.h"

#include <sys/stat.h>

namespace {

const char* const Beam = R"({"L":4,"loads":[{"kind":3,"X":1,"W":2}]})";

class ExportSafetyTest : public ToolTest {
protected:
  void SetUp() override {
    ToolTest::SetUp();
    ASSERT_EQ(Make(Dir / "beam.vbd", Beam).Code, 0);
  }
  // vbdtool writing Out from beam.vbd as Kind (render, svg, pdf, csv), under Env.
  TRunResult Export(const std::string& Kind, const fs::path& Out, const std::string& Env = {}) {
    const std::string Source = Quote((Dir / "beam.vbd").string()), To = Quote(Out.string());
    const std::string Args = Kind == "render" || Kind == "svg"
                                 ? " render " + Source + " 60x40 " + To
                                 : " " + Kind + " " + Source + " " + To;
    // A hang on a pipe is a failure, not a stuck run.
    return RunCommand(Env + " timeout 20 " VBDTOOL + Args);
  }
};

TEST_F(ExportSafetyTest, ANamedPipeIsRefusedAndAFullDiskKeepsTheOldFile) {
  const std::string Shim =
      "LD_PRELOAD=" FAULT_SHIM " ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 "
      "VANTREL_FAULT=write";
  for (const auto& [Kind, Name] : std::vector<std::pair<std::string, std::string>>{
           {"render", "out.png"}, {"svg", "out.svg"}, {"pdf", "out.pdf"}, {"csv", "out.csv"}}) {
    SCOPED_TRACE(Kind);
    const fs::path Pipe = Dir / ("pipe-" + Name);
    ASSERT_EQ(mkfifo(Pipe.c_str(), 0666), 0);
    const TRunResult Refused = Export(Kind, Pipe);
    EXPECT_EQ(Refused.Code, 1);
    // After whatever Qt says of its environment.
    EXPECT_TRUE(Refused.Output.ends_with("ファイル \"" + Pipe.string() +
                                         "\". 名前付きパイプのため を作成できません\n"))
        << Refused.Output;
    EXPECT_TRUE(fs::is_fifo(Pipe));

    const fs::path Out = Dir / Name;
    ASSERT_EQ(Export(Kind, Out).Code, 0);
    const std::string Old = ReadAll(Out);
    ASSERT_FALSE(Old.empty());
    const TRunResult Full = Export(Kind, Out, Shim);
    EXPECT_EQ(Full.Code, 1);
    EXPECT_TRUE(Full.Output.ends_with("ファイル \"" + Out.string() +
                                      "\". ディスクに空きがないため を作成できません\n"))
        << Full.Output;
    EXPECT_EQ(ReadAll(Out), Old);
  }
}

} // namespace
