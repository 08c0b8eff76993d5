// vbdtool dump on pipes, endless inputs, sockets and broken remarks, make
// on values a file cannot hold, deep JSON and input it cannot read.
#include "tests/analysis/FileBytes.h"
#include "tests/tools/ToolRun.h"

#include <climits>
#include <nlohmann/json.hpp>
#include <utility>

namespace {

const char* const InvalidFile =
    "選択されたファイルは、このプログラム用のファイルでないかもしくはファイルが壊れています。";

void WriteBytes(const fs::path& Path, const std::vector<std::uint8_t>& Bytes) {
  std::ofstream(Path, std::ios::binary)
      .write(reinterpret_cast<const char*>(Bytes.data()),
             static_cast<std::streamsize>(Bytes.size()));
}

const char* const Beam = R"({"type":1,"L":4,"loads":[{"kind":3,"X":1,"W":2,"remark":"荷重"}]})";

TEST_F(ToolTest, DumpReadsPipesAsFiles) {
  const fs::path File = Dir / "beam.vbd";
  ASSERT_EQ(Make(File, Beam).Code, 0);
  const TRunResult FromFile = RunCommand(VBDTOOL " dump " + Quote(File.string()));
  ASSERT_EQ(FromFile.Code, 0) << FromFile.Output;
  EXPECT_NE(FromFile.Output.find("\"remark\":\"荷重\""), std::string::npos);
  const TRunResult FromPipe =
      RunCommand("cat " + Quote(File.string()) + " | " VBDTOOL " dump /dev/stdin");
  EXPECT_EQ(FromPipe.Code, 0);
  EXPECT_EQ(FromPipe.Output, FromFile.Output);
  // A broken file through a pipe is still called broken.
  const TRunResult Cut =
      RunCommand("head -c 50 " + Quote(File.string()) + " | " VBDTOOL " dump /dev/stdin");
  EXPECT_EQ(Cut.Code, 1);
  EXPECT_NE(Cut.Output.find("壊れています"), std::string::npos) << Cut.Output;
}

TEST_F(ToolTest, DumpStopsReadingWhereTheDataMustEnd) {
  // A device, a file of 4 GiB that holds one load and then nothing, and
  // pipes that go on for ever: each is read only as far as its load count
  // allows, as the program reads it, without holding what follows.
  const fs::path Sparse = Dir / "sparse.vbd", Empty = Dir / "empty.vbd", Huge = Dir / "huge.vbd";
  WriteBytes(Sparse, TFileBytes().Header(0, 4, 1).Record("a", 3, 1, 2, 0).Bytes);
  fs::resize_file(Sparse, std::uintmax_t{4} << 30);
  WriteBytes(Empty, TFileBytes().Header(0, 4, 0).Bytes);
  WriteBytes(Huge, TFileBytes().Header(0, 4, INT32_MAX).Bytes);
  const std::pair<std::string, std::string> Cases[] = {
      {VBDTOOL " dump /dev/zero", std::string(InvalidFile) + "\n"},
      {VBDTOOL " dump " + Quote(Sparse.string()), "\"remark\":\"a\""},
      {"cat " + Quote(Empty.string()) + " /dev/zero | " VBDTOOL " dump /dev/stdin", "\"loads\":[]"},
      {"cat " + Quote(Huge.string()) + " /dev/zero | " VBDTOOL " dump /dev/stdin",
       "vbdtool は 1 GB を超えるデータを読めません: /dev/stdin\n"},
  };
  for (const auto& [Command, Shown] : Cases) {
    const TRunResult Result = RunCommand(Command);
    EXPECT_EQ(Result.Code, Shown.ends_with("\n") ? 1 : 0) << Command;
    EXPECT_NE(Result.Output.find(Shown), std::string::npos) << Command << ": " << Result.Output;
    EXPECT_LT(Result.PeakKiB, 200 * 1024) << Command;
  }
}

TEST_F(ToolTest, DumpTellsWhyInJapanese) {
  // A Unix socket cannot be opened as a file (ENXIO).
  const std::string Path = (Dir / "socket.vbd").string();
  RunCommand("python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' " +
             Quote(Path));
  EXPECT_EQ(RunCommand(VBDTOOL " dump " + Quote(Path)).Output,
            "ファイル \"" + Path + "\". 対応するデバイスまたは接続先がないため は開けません\n");
}

TEST_F(ToolTest, DumpShowsRemarksThatAreNoText) {
  TData D;
  LoadBytes(D, TFileBytes().Header(0, 4, 1).Record("A\x80\x82\xa0", 3, 1, 2, 0).Bytes);
  std::ofstream(Dir / "broken.vbd", std::ios::binary)
      << std::string(reinterpret_cast<const char*>(SavedBytes(D).data()), SavedBytes(D).size());
  const TRunResult Dump = RunCommand(VBDTOOL " dump " + Quote((Dir / "broken.vbd").string()));
  EXPECT_EQ(Dump.Code, 0) << Dump.Output;
  EXPECT_NE(Dump.Output.find("\"remark\":\"A\xEF\xBF\xBDあ\",\"remark_hex\":\"418082a0\""),
            std::string::npos)
      << Dump.Output;
}

TEST_F(ToolTest, MakeRefusesRemarksTheFileCannotHold) {
  const TRunResult Nul = Make(Dir / "nul.vbd", R"({"L":1,"loads":[{},{"remark":"a\u0000b"}]})");
  EXPECT_EQ(Nul.Code, 1);
  EXPECT_EQ(Nul.Output, "\"remark\" に NUL 文字は使えません (荷重 2)\n");
  EXPECT_EQ(Make(Dir / "n.vbd", R"({"L":1,"loads":[{"remark":1}]})").Output,
            "\"remark\" は文字列でなければなりません (荷重 1)\n");
  for (const char* Surrogate : {"\\ud800", "\\udc00"}) {
    const TRunResult Lone = Make(Dir / "lone.vbd", std::string(R"({"L":1,"loads":[{"remark":"a)") +
                                                       Surrogate + R"(b"}]})");
    EXPECT_EQ(Lone.Code, 1);
    EXPECT_NE(Lone.Output.find("surrogate"), std::string::npos) << Lone.Output;
  }
  EXPECT_TRUE(Listing().empty());
}

TEST_F(ToolTest, MakeTellsWhyItsInputCannotBeRead) {
  // A folder as the standard input cannot be read (EISDIR): that is told,
  // not taken for an empty input.
  const TRunResult Result =
      RunCommand(VBDTOOL " make " + Quote((Dir / "x.vbd").string()) + " < " + Quote(Dir.string()));
  EXPECT_EQ(Result.Code, 1);
  EXPECT_EQ(Result.Output, "標準入力はフォルダのため読めません\n");
  EXPECT_TRUE(Listing().empty());
}

TEST_F(ToolTest, MakeTakesOnlyThirtyTwoBitIntegers) {
  // Kept as written within the range; outside it, or not an integer,
  // refused with the field named, never wrapped.
  const std::pair<std::string, bool> Values[] = {{"-2147483648", true},  {"2147483647", true},
                                                 {"-2147483649", false}, {"2147483648", false},
                                                 {"4294967297", false},  {"1.5", false}};
  const std::string Range = " は -2147483648 から 2147483647 までの整数でなければなりません";
  const fs::path File = Dir / "int.vbd";
  for (const auto& [Value, Kept] : Values) {
    SCOPED_TRACE(Value);
    if (Kept) {
      ASSERT_EQ(
          Make(File, R"({"L":1,"type":)" + Value + R"(,"loads":[{"kind":)" + Value + "}]}").Code,
          0);
      const std::string Dump = RunCommand(VBDTOOL " dump " + Quote(File.string())).Output;
      EXPECT_EQ(Dump.rfind("{\"type\":" + Value + ",", 0), 0u) << Dump;
      EXPECT_NE(Dump.find("{\"kind\":" + Value + ","), std::string::npos) << Dump;
    } else {
      EXPECT_EQ(Make(File, R"({"L":1,"type":)" + Value + "}").Output, "\"type\"" + Range + "\n");
      EXPECT_EQ(Make(File, R"({"L":1,"loads":[{},{"kind":)" + Value + "}]}").Output,
                "\"kind\"" + Range + " (荷重 2)\n");
    }
  }
}

TEST_F(ToolTest, MakeRefusesJsonNestedDeeperThanSixtyFour) {
  const auto Nested = [](int Depth) {
    return R"({"L":1,"x":)" + std::string(Depth - 1, '[') + std::string(Depth - 1, ']') + "}";
  };
  const std::string Refused = "JSON の入れ子が深すぎます (64 段まで)\n";
  EXPECT_EQ(Make(Dir / "a.vbd", Nested(64)).Code, 0);
  EXPECT_EQ(Make(Dir / "b.vbd", Nested(65)).Output, Refused);
  EXPECT_EQ(Listing(), std::vector<std::string>{"a.vbd"});
}

TEST_F(ToolTest, PdfTakesTheHeaderAndTheOrientation) {
  const fs::path File = Dir / "beam.vbd", Pdf = Dir / "beam.pdf";
  ASSERT_EQ(Make(File, Beam).Code, 0);
  const std::string Command = VBDTOOL " pdf " + Quote(File.string()) + " " + Quote(Pdf.string());
  ASSERT_EQ(RunCommand(Command + " --landscape --subject 'A邸' --date 2024/05/01").Code, 0);
  // A4 turned: 297 x 210 mm.
  EXPECT_NE(RunCommand("pdfinfo " + Quote(Pdf.string())).Output.find("842 x 595 pts"),
            std::string::npos);
  const std::string Text = RunCommand("pdftotext " + Quote(Pdf.string()) + " -").Output;
  EXPECT_NE(Text.find("件名: A邸"), std::string::npos) << Text;
  EXPECT_NE(Text.find("日付: 2024/05/01"), std::string::npos) << Text;
  EXPECT_EQ(RunCommand(Command + " --subject").Code, 2);
}

} // namespace

// A steel beam of 6 m under 10 kN/m, worked by hand in N and mm: the
// section survives make and dump, results checks it, a negative value is
// refused before anything is written.
TEST_F(ToolTest, ASectionIsMadeDumpedAndChecked) {
  const fs::path File = Dir / "steel.vbd";
  ASSERT_EQ(Make(File, R"({"L":6,"section":{"name":"H-200×200×8×12","E":205000,"I":4720,)"
                       R"("Z":472,"Aw":16,"fb":156},"loads":[{"kind":0,"W":60,"width":6}]})")
                .Code,
            0);
  const TRunResult Results = RunCommand(VBDTOOL " results " + Quote(File.string()));
  ASSERT_EQ(Results.Code, 0) << Results.Output;
  const nlohmann::json R = nlohmann::json::parse(Results.Output);
  const double w = 10, L = 6000, E = 205000, I = 4720e4;
  EXPECT_NEAR(R["delta_max"][0].get<double>(), 5 * w * L * L * L * L / (384 * E * I), 1e-12);
  EXPECT_NEAR(R["delta_max"][1].get<double>(), 3, 1e-12);
  EXPECT_NEAR(R["theta_max"][0].get<double>(), w * L * L * L / (24 * E * I), 1e-15);
  EXPECT_NEAR(R["sigma_b"]["ratio"].get<double>(), w * L * L / 8 / 472e3 / 156, 1e-12);
  EXPECT_TRUE(R["tau"]["ratio"].is_null()); // no fs given
  EXPECT_NEAR(R["deflection_ratio"]["allowed"].get<double>(), L / 300, 1e-12);

  const nlohmann::json D =
      nlohmann::json::parse(RunCommand(VBDTOOL " dump " + Quote(File.string())).Output);
  EXPECT_EQ(D["section"]["name"], "H-200×200×8×12");
  EXPECT_EQ(D["deflection"].size(), 1001u);

  const TRunResult Negative = Make(Dir / "bad.vbd", R"({"L":6,"section":{"I":-1}})");
  EXPECT_EQ(Negative.Code, 1);
  EXPECT_NE(Negative.Output.find("\"I\" は 0 以上の有限の数でなければなりません"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(Dir / "bad.vbd"));
}
