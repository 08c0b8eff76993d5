// vbdtool dump on pipes, endless inputs, sockets and broken remarks, make
// on values a file cannot hold, deep JSON and input it cannot read, beams
// on lists of supports.
#include "tests/analysis/FileBytes.h"
#include "tests/tools/ToolRun.h"

#include <array>
#include <climits>
#include <cmath>
#include <nlohmann/json.hpp>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

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
    return R"({"L":1,"points":)" + std::string(Depth - 1, '[') + std::string(Depth - 1, ']') + "}";
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

// Beams on supports of their own, made through JSON: the reactions of
// the textbook's closed forms (two equal spans l, both ends fixed over L,
// under w), for the whole beam and for its one load.
TEST_F(ToolTest, SupportListsGiveTheTextbookReactions) {
  const double w = 3, l = 4, L = 6, None = std::nan("");
  const std::tuple<std::string, int, std::vector<std::array<double, 3>>> Cases[] = {
      {R"({"L":8,"supports":[{"x":0,"kind":"pin"},{"x":4,"kind":"roller"},{"x":8,"kind":"roller"}],)"
       R"("loads":[{"kind":0,"W":24,"width":8}]})",
       6,
       {{0, 3 * w * l / 8, None}, {l, 5 * w * l / 4, None}, {2 * l, 3 * w * l / 8, None}}},
      {R"({"L":6,"supports":[{"x":6,"kind":"fixed"},{"x":0,"kind":"fixed"}],)"
       R"("loads":[{"kind":0,"W":18,"width":6}]})",
       4,
       {{0, w * L / 2, -w * L * L / 12}, {L, w * L / 2, w * L * L / 12}}}};
  const fs::path File = Dir / "beam.vbd";
  for (const auto& [Json, Type, Expected] : Cases) {
    ASSERT_EQ(Make(File, Json).Code, 0);
    const auto Run = [&](const char* Command) {
      return nlohmann::json::parse(
          RunCommand(VBDTOOL + std::string(Command) + Quote(File.string())).Output);
    };
    const nlohmann::json R = Run(" results "), D = Run(" dump ");
    EXPECT_EQ(D["type"], Type);
    EXPECT_TRUE(R["RA"].is_null() && R["refusal"].is_null());
    ASSERT_EQ(R["reactions"].size(), Expected.size());
    for (const nlohmann::json& Given : {R["reactions"], D["loads"][0]["reactions"]})
      for (std::size_t I = 0; I < Expected.size(); ++I) {
        EXPECT_EQ(Given[I]["x"], Expected[I][0]) << Json;
        EXPECT_NEAR(Given[I]["R"].get<double>(), Expected[I][1], 1e-12) << Json;
        const nlohmann::json& M = Given[I]["M"];
        EXPECT_TRUE(std::isnan(Expected[I][2])
                        ? M.is_null()
                        : M.is_number() && std::abs(M.get<double>() - Expected[I][2]) < 1e-12)
            << Json << " " << M;
      }
  }
  // Named after its list, not the preset it was given; a load past the end
  // is told.
  ASSERT_EQ(Make(File, R"({"L":8,"preset":"fixed_fixed","supports":[{"x":0,"kind":"pin"},)"
                       R"({"x":4,"kind":"roller"},{"x":8,"kind":"roller"}],)"
                       R"("loads":[{"kind":3,"X":9,"W":1}]})")
                .Code,
            0);
  const std::string Name = Quote(File.string());
  EXPECT_EQ(nlohmann::json::parse(RunCommand(VBDTOOL " dump " + Name).Output)["type"], 6);
  EXPECT_EQ(nlohmann::json::parse(RunCommand(VBDTOOL " results " + Name).Output)["loads_off_span"],
            nlohmann::json::array({0}));
}

// The simple beam's and the cantilever's lists make the plain files, byte
// for byte those of "type"; supports that cannot hold the beam are refused.
TEST_F(ToolTest, PlainListsMakePlainFilesAndUnstableOnesAreRefused) {
  const std::string Loads = R"(,"L":5,"loads":[{"kind":3,"X":2,"W":7}]})";
  for (const auto& [List, Type] :
       {std::pair{R"("supports":[{"x":5,"kind":"roller"},{"x":0,"kind":"pin"}])", "\"type\":0"},
        std::pair{R"("supports":[{"x":5,"kind":"fixed"}])", "\"type\":1"}}) {
    ASSERT_EQ(Make(Dir / "list.vbd", "{" + std::string(List) + Loads).Code, 0);
    ASSERT_EQ(Make(Dir / "type.vbd", "{" + std::string(Type) + Loads).Code, 0);
    EXPECT_EQ(ReadAll(Dir / "list.vbd"), ReadAll(Dir / "type.vbd")) << List;
  }
  // Without a span the right end is told by "end": dump and make again
  // give the same file.
  for (const char* Type : {R"({"type":0,"L":0})", R"({"type":1,"L":0})"}) {
    ASSERT_EQ(Make(Dir / "nospan.vbd", Type).Code, 0);
    const TRunResult Dumped =
        RunCommand(std::string(VBDTOOL) + " dump " + Quote((Dir / "nospan.vbd").string()));
    ASSERT_EQ(Dumped.Code, 0);
    ASSERT_EQ(Make(Dir / "again.vbd", Dumped.Output).Code, 0);
    EXPECT_EQ(ReadAll(Dir / "again.vbd"), ReadAll(Dir / "nospan.vbd")) << Type;
  }
  const std::pair<std::string, std::string> Refused[] = {
      {R"({"x":0,"kind":"hinge"},{"x":5,"kind":"roller"})",
       "\"kind\" は pin, roller, fixed のいずれかでなければなりません (支点 1)"},
      {R"({"x":0,"kind":"pin"},{"kind":"roller"})", "\"x\" がありません (支点 2)"},
      {R"({"x":3,"kind":"roller"})",
       "ピンまたはローラーの支点が1つだけで、梁が安定しないため、支点を変更できません。"},
      {R"({"x":0,"kind":"pin"},{"x":7,"kind":"roller"})",
       "支点 x = 7.000(m) がスパンの外にあるため、支点を変更できません。"}};
  for (const auto& [List, Message] : Refused) {
    const TRunResult Result = Make(Dir / "bad.vbd", R"({"supports":[)" + List + "]" + Loads);
    EXPECT_EQ(Result.Code, 1);
    EXPECT_EQ(Result.Output, Message + "\n");
  }
  EXPECT_FALSE(fs::exists(Dir / "bad.vbd"));
}

// Spans, loads and sections of any magnitude, overflowing ones included:
// what dump and results print is JSON, and every number that could not be
// written (null) is counted under its field in "not_finite".
TEST_F(ToolTest, EveryJsonIsJsonAtAnyMagnitude) {
  std::mt19937 Random(31);
  std::uniform_int_distribution<int> Exponent(-300, 300), Kind(0, 4);
  const auto Any = [&] { return "1.5e" + std::to_string(Exponent(Random)); };
  const fs::path File = Dir / "any.vbd";
  int Overflowed = 0;
  for (int Trial = 0; Trial < 10; ++Trial) {
    const std::string Json = R"({"type":)" + std::to_string(Trial % 2) + R"(,"L":)" + Any() +
                             R"(,"loads":[{"kind":)" + std::to_string(Kind(Random)) +
                             R"(,"X":0,"W":)" + Any() + R"(,"width":)" + Any() +
                             R"(}],"section":{"E":)" + Any() + R"(,"I":)" + Any() + R"(,"Z":)" +
                             Any() + R"(,"Aw":1,"fb":1,"fs":1,"n":300}})";
    ASSERT_EQ(Make(File, Json).Code, 0) << Json;
    for (const char* Command : {" dump ", " results "}) {
      const TRunResult Run = RunCommand(VBDTOOL + std::string(Command) + Quote(File.string()));
      ASSERT_EQ(Run.Code, 0) << Json;
      nlohmann::json Out;
      ASSERT_NO_THROW(Out = nlohmann::json::parse(Run.Output)) << Json << Run.Output;
      if (!Out.contains("points")) continue;
      int Nulls = 0, Noted = 0;
      for (const auto& Point : Out["points"])
        Nulls += static_cast<int>(std::count(Point.begin(), Point.end(), nullptr));
      for (const auto& Note : Out.value("not_finite", nlohmann::json::array()))
        if (Note["field"].get<std::string>().rfind("points[]", 0) == 0)
          Noted += Note["count"].get<int>();
      EXPECT_EQ(Nulls, Noted) << Json;
      Overflowed += Noted > 0;
    }
  }
  EXPECT_GT(Overflowed, 0); // the draw reached values that overflow
}

// A key make does not know is refused with the one it is closest to.
TEST_F(ToolTest, MakeRefusesUnknownKeysNamingTheClosest) {
  const std::pair<const char*, const char*> Cases[] = {
      {R"({"L":4,"section":{"E":205000,"Fb":156}})",
       "\"Fb\" は使えないキーです (\"fb\" のことですか) (section)\n"},
      {R"({"L":4,"loads":[{"kind":3,"x":1,"W":2}]})",
       "\"x\" は使えないキーです (\"X\" のことですか) (荷重 1)\n"},
      {R"({"L":4,"Type":1})", "\"Type\" は使えないキーです (\"type\" のことですか)\n"}};
  for (const auto& [Json, Message] : Cases) {
    const TRunResult Result = Make(Dir / "key.vbd", Json);
    EXPECT_EQ(Result.Code, 1);
    EXPECT_EQ(Result.Output, Message);
  }
  EXPECT_FALSE(fs::exists(Dir / "key.vbd"));
}
