// Styled text on the recording canvas: ASCII is Height / 2 wide, a line is
// Height high (12 and 6 with the default font).
#include "components/FormatGrid.h"
#include "components/QVXStyleText.h"
#include "platform/RecordingCanvas.h"
#include "platform/WinDraw.h"

#include <gtest/gtest.h>

namespace {

using TRec = TRecordingCanvas::TRecord;

std::vector<TRec> Texts(const TRecordingCanvas& Canvas) {
  return Canvas.OfKind(TRecordingCanvas::rkText);
}

TEST(StyledTextTest, RaisedAndLoweredRuns) {
  TRecordingCanvas Canvas;
  DrawStyledLine(Canvas, 10, 20, "H%u2%bO");
  auto T = Texts(Canvas);
  ASSERT_EQ(T.size(), 3u);
  EXPECT_EQ(T[0].Text, "H");
  EXPECT_EQ(T[1].Text, "2");
  EXPECT_EQ(T[1].Font.Height, 7); // 12 × 0.6, rounded
  EXPECT_EQ(T[1].Rect.Top, 20);   // raised runs start at the line's top
  EXPECT_EQ(T[1].Rect.Left, 16);
  EXPECT_EQ(T[2].Rect.Left, 19);
  EXPECT_EQ(T[2].Font.Height, 12);
  EXPECT_EQ(Canvas.Font.Height, 12);

  const auto List = MeasureStyledText("H%u2%bO", TFont{}, Canvas);
  ASSERT_EQ(List->Count(), 1);
  EXPECT_EQ(List->Width(0), 6 + 3 + 6);
  EXPECT_EQ(List->Height(0), 13);

  TRecordingCanvas Lowered;
  DrawStyledLine(Lowered, 0, 0, "x%d1");
  T = Texts(Lowered);
  ASSERT_EQ(T.size(), 2u);
  EXPECT_EQ(T[1].Font.Height, 10); // 12 × 0.8, rounded
  EXPECT_EQ(T[1].Rect.Top, 12 - 10 + 1);
}

TEST(StyledTextTest, PercentEscapes) {
  struct {
    const char* Line;
    std::vector<std::string> Runs;
  } Cases[] = {{"%%", {"%"}},
               {"50%", {"50"}},
               {"10%off", {"10", "ff"}},
               {"a%xb", {"ab"}},
               {"%U%B%Dz", {"z"}}};
  for (const auto& Case : Cases) {
    TRecordingCanvas Canvas;
    DrawStyledLine(Canvas, 0, 0, Case.Line);
    std::vector<std::string> Runs;
    for (const TRec& R : Texts(Canvas))
      Runs.push_back(R.Text);
    EXPECT_EQ(Runs, Case.Runs) << Case.Line;
  }
}

TEST(StyledTextTest, SymbolFontsLastUntilRestored) {
  TRecordingCanvas Canvas;
  DrawStyledLine(Canvas, 0, 0, "%ga%o b");
  auto T = Texts(Canvas);
  ASSERT_EQ(T.size(), 2u);
  EXPECT_EQ(T[0].Font.Name, SymbolFontG);
  EXPECT_EQ(T[1].Text, " b");
  EXPECT_EQ(T[1].Font.Name, TFont{}.Name);

  // Without %o the symbol font carries on into the following lines.
  TRecordingCanvas Block;
  DrawStyledText(Block, "%mA\r\nB", {0, 0, 100, 100}, 0);
  T = Texts(Block);
  ASSERT_EQ(T.size(), 2u);
  EXPECT_EQ(T[1].Text, "B");
  EXPECT_EQ(T[1].Font.Name, SymbolFontM);

  // %o in a later line restores the font the text started with, in
  // measuring and drawing alike, so the drawn runs add up to the width.
  TRecordingCanvas Later;
  const std::string Text = "%gA\r\nBB%oCC";
  const auto List = MeasureStyledText(Text, Later.Font, Later);
  DrawStyledText(Later, Text, {0, 0, 200, 100}, DT_RIGHT);
  T = Texts(Later);
  ASSERT_EQ(T.size(), 3u);
  EXPECT_EQ(T[1].Font.Name, SymbolFontG);
  EXPECT_EQ(T[2].Font.Name, TFont{}.Name);
  EXPECT_EQ(T[2].Rect.Right, 200);
  EXPECT_EQ(T[2].Rect.Right - T[1].Rect.Left, List->Width(1));
}

TEST(StyledTextTest, LinesAndTheirPlacement) {
  TRecordingCanvas Canvas;
  auto List = MeasureStyledText("A\r\n\r\nBB\n\rC\nD", TFont{}, Canvas);
  ASSERT_EQ(List->Count(), 4);
  EXPECT_EQ(List->Height(0), 13);
  EXPECT_EQ(List->Height(1), 12); // an empty line: the height of a blank
  std::string Text;
  List->GetText(3, Text);
  EXPECT_EQ(Text, "C\nD"); // a lone LF is an ordinary character
  EXPECT_EQ(List->Width(7), 0);
  List->GetText(7, Text);
  EXPECT_EQ(Text, "C\nD");
  EXPECT_EQ(MeasureStyledText("A\r\n", TFont{}, Canvas)->Count(), 1);
  EXPECT_EQ(MeasureStyledText("", TFont{}, Canvas)->Count(), 1);

  // Centred both ways: the two lines as one block of 26 pixels, each line
  // centred by its own width.
  DrawStyledText(Canvas, "A\r\nBBB", {0, 0, 100, 50}, DT_CENTER | DT_VCENTER);
  const auto T = Texts(Canvas);
  ASSERT_EQ(T.size(), 2u);
  EXPECT_EQ(T[0].Rect.Top, 12);
  EXPECT_EQ(T[1].Rect.Top, 25);
  EXPECT_EQ(T[0].Rect.Left, 47);
  EXPECT_EQ(T[1].Rect.Left, 41);
}

} // namespace
