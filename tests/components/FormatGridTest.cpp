// The format grid's records, merged blocks and cell painting, drawn on the
// recording canvas: ASCII is 6 pixels wide with the default font, a text 12
// high, a styled line 13.
#include "tests/components/FormatGridFixture.h"

#include <tuple>

namespace {

using TRec = TRecordingCanvas::TRecord;
using TRecs = std::vector<TRec>;
constexpr auto rkFill = TRecordingCanvas::rkFillRect;
constexpr auto rkText = TRecordingCanvas::rkText;

TRect Shrunk(TRect R, int By) {
  return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

using FormatGridTest = FormatGridFixture;

TEST_F(FormatGridTest, EveryCellOfABlockDrawsTheWholeBlockAsItsOrigin) {
  // A 2 × 2 block at (1, 1) and a three-wide one at (3, 0).
  Cell(1, 1, ckNormal, "origin");
  Grid->SetCellMerge(2, 1, 1, true);
  Grid->SetCellMerge(1, 2, 0, true);
  Grid->SetCellMerge(2, 2, 0, true);
  Grid->SetCellMerge(2, 2, 1, true);
  Grid->SetCellMerge(4, 0, 1, true);
  Grid->SetCellMerge(5, 0, 1, true);
  Grid->SetCells(2, 2, QStringLiteral("hidden"));
  Grid->SetCellColor(1, 1, clLime);
  EXPECT_EQ(Grid->MergedRange(5, 0), (TRect{3, 0, 5, 0}));
  // Downwards a block follows its last column.
  Grid->SetCellMerge(1, 3, 0, true);
  // Nothing to join on the left of column 0.
  Grid->SetCellMerge(0, 4, 1, true);
  int X = 0, Y = 4;
  Grid->MergeOrigin(X, Y);
  EXPECT_EQ((TGridCoord{X, Y}), (TGridCoord{0, 4}));

  const TRect Block{Grid->At(1, 1).Left, Grid->At(1, 1).Top, Grid->At(2, 2).Right,
                    Grid->At(2, 2).Bottom};
  for (const TGridCoord C : {TGridCoord{1, 1}, {2, 1}, {1, 2}, {2, 2}}) {
    X = C.X, Y = C.Y;
    EXPECT_EQ(Grid->MergeOrigin(X, Y), Grid->CellFormat(1, 1));
    EXPECT_EQ((TGridCoord{X, Y}), (TGridCoord{1, 1}));
    EXPECT_EQ(Grid->MergedRange(C.X, C.Y), (TRect{1, 1, 2, 2}));
    const TRecs Fills = Grid->Drawn(C.X, C.Y, rkFill), Texts = Grid->Drawn(C.X, C.Y, rkText);
    ASSERT_FALSE(Fills.empty());
    EXPECT_EQ(Fills[0].Rect, Block);
    EXPECT_EQ(Fills[0].Brush.Color, clLime);
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0].Text, "origin");
  }
  Show();
  EXPECT_EQ(Grid->MergedCellRect(2, 2), Block);
}

TEST_F(FormatGridTest, SettersTouchTheExactCellAndRepaintOnlyOnChange) {
  Cell(1, 1, ckToggle);
  Grid->SetCellMerge(2, 1, 1, true);
  Show();
  const auto Repainted = [this](auto Change) {
    Grid->Painted.clear();
    Change();
    QApplication::processEvents();
    return Grid->Painted;
  };
  // A merge that is already so: no record, no repaint.
  EXPECT_TRUE(Repainted([&] { Grid->SetCellMerge(3, 3, 0, false); }).empty());
  EXPECT_EQ(Grid->CellFormat(3, 3), nullptr);
  EXPECT_TRUE(Repainted([&] { Grid->SetCellMerge(2, 1, 1, true); }).empty());
  // A change repaints the whole block, from whichever cell it came.
  EXPECT_TRUE(Repainted([&] { Grid->SetCellColor(2, 1, clRed); }).contains({1, 1}));
  EXPECT_NE(Format(1, 1).Color, clRed);
  // Toggle indexes are kept by toggles only, though the cell repaints.
  Cell(3, 3, ckLabel);
  EXPECT_TRUE(Repainted([&] { Grid->SetToggleIndex(3, 3, 2); }).contains({3, 3}));
  EXPECT_EQ(Grid->GetToggleIndex(3, 3), -1);
  Grid->SetToggleIndex(1, 1, 2);
  EXPECT_EQ(Grid->GetToggleIndex(1, 1), 2);
  // The choices belong to the block's origin.
  Grid->ToggleItems(2, 1) = {QStringLiteral("A"), QStringLiteral("B")};
  EXPECT_EQ(Format(1, 1).Items.size(), 2);
  // Read-only switches editing for the current cell only.
  Grid->SetOptions(goEditing);
  Grid->MoveColRow(3, 2, true, false);
  Grid->SetCellReadOnly(4, 4, true);
  EXPECT_TRUE(Grid->Options() & goEditing);
  Grid->SetCellReadOnly(3, 2, true);
  EXPECT_FALSE(Grid->Options() & goEditing);
  Grid->SetCellReadOnly(3, 2, false);
  EXPECT_TRUE(Grid->Options() & goEditing);
}

TEST_F(FormatGridTest, UnformattedCellsPaintFlatInTheGridsColoursAndFont) {
  Grid->SetColor(clYellow);
  Grid->SetFixedColor(clAqua);
  Grid->SetCells(2, 2, QStringLiteral("ab"));
  Grid->SetCells(3, 0, QStringLiteral("cd"));
  for (const auto& [C, R, Color] : {std::tuple{2, 2, clYellow}, std::tuple{3, 0, clAqua}}) {
    const TRect Cell = Grid->At(C, R);
    const TRecs Fills = Grid->Drawn(C, R, rkFill), Texts = Grid->Drawn(C, R, rkText);
    ASSERT_FALSE(Fills.empty());
    EXPECT_EQ(Fills[0].Rect, Cell);
    EXPECT_EQ(Fills[0].Brush.Color, Color);
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0].Font, Grid->Font());
    // At the left and top of the text area, the cell shrunk by 3.
    EXPECT_EQ(Texts[0].Points[0], (TPoint{Cell.Left + 3, Cell.Top + 3}));
    EXPECT_EQ(Grid->CellFormat(C, R), nullptr);
  }
}

TEST_F(FormatGridTest, ToggleDrawsItsGlyphAndChoiceAcrossTheBlock) {
  Grid->SetFixedRows(0);
  Cell(2, 0, ckToggle);
  Grid->SetCellMerge(3, 0, 1, true);
  Grid->ToggleItems(2, 0) = {QStringLiteral("A"), QStringLiteral("B")};
  for (const int Height : {24, 12}) {
    Grid->SetRowHeights(0, Height);
    Grid->SetCellKind(2, 0, ckToggle); // back to no choice made
    const auto Canvas = Grid->DrawOn(3, 0);
    const TRect R{Grid->At(2, 0).Left, 0, Grid->At(3, 0).Right, Height}, T = Shrunk(R, 3);
    const TRecs Fills = Canvas->OfKind(rkFill), Texts = Canvas->OfKind(rkText);
    const TRecs Glyphs = Canvas->OfKind(TRecordingCanvas::rkBitmap);
    ASSERT_EQ(Fills.size(), 1u);
    EXPECT_EQ(Fills[0].Rect, R);
    ASSERT_EQ(Glyphs.size(), 1u);
    EXPECT_EQ(Glyphs[0].Points[0], (TPoint{R.Left + 1, std::max(0, Height / 2 - 8)}));
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0].Text, "A");
    EXPECT_EQ(Texts[0].Points[0], (TPoint{T.Left + 16, (T.Top + T.Bottom - 13) / 2}));
    EXPECT_EQ(Grid->GetToggleIndex(2, 0), 0);
  }
}

TEST_F(FormatGridTest, HighlightShowsOnTheCurrentEditableBlockWhileTheGridHasFocus) {
  Grid->SetSelectCellColor(clLime);
  Grid->SetSelectTextColor(clMaroon);
  Grid->SetCells(2, 1, QStringLiteral("x"));
  Grid->SetCellMerge(3, 1, 1, true);
  Grid->MoveColRow(2, 1, true, false);
  Show();
  const auto Highlighted = [this](int C, int R) {
    bool Fill = false, Text = false;
    for (const TRec& Rec : Grid->Drawn(C, R, rkFill))
      Fill = Fill || Rec.Brush.Color == clLime;
    for (const TRec& Rec : Grid->Drawn(C, R, rkText))
      Text = Text || Rec.Font.Color == clMaroon;
    EXPECT_EQ(Fill, Text) << C << ", " << R;
    return Fill;
  };
  for (const std::uint8_t Kind : {ckNormal, ckEditLine, ckEditBox, ckPickList, ckLabel, ckButton,
                                  ckCheckBox, ckToggle, ckColorButton, ckFixed}) {
    Grid->SetCellKind(2, 1, Kind);
    Grid->ToggleItems(2, 1) = {QStringLiteral("x")};
    EXPECT_EQ(Highlighted(3, 1), IsEditableKind(Kind)) << int(Kind);
    EXPECT_EQ(Highlighted(2, 1), IsEditableKind(Kind)) << int(Kind);
  }
  Grid->SetCellKind(2, 1, ckNormal);
  Grid->SetCells(4, 1, QStringLiteral("y"));
  EXPECT_FALSE(Highlighted(4, 1));
  // Not while another widget, or the grid's own editor, has the focus.
  Other->setFocus();
  EXPECT_FALSE(Highlighted(2, 1));
  Grid->setFocus();
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->ShowEditor();
  ASSERT_TRUE(Grid->InplaceEditor()->isVisible());
  EXPECT_FALSE(Highlighted(2, 1));
}

TEST_F(FormatGridTest, TextIsGreyedPressedAndWrappedByKindAndState) {
  const auto TextsOf = [&](std::uint8_t Kind, bool Enabled, bool Down) {
    Cell(2, 1, Kind, "ab");
    Format(2, 1).Enabled = Enabled;
    Format(2, 1).Down = Down;
    return Grid->Drawn(2, 1, rkText);
  };
  const TRecs Label = TextsOf(ckLabel, false, false), Line = TextsOf(ckEditLine, false, false);
  ASSERT_EQ(Label.size(), 2u);
  EXPECT_EQ(Label[0].Font.Color, clWhite);
  EXPECT_EQ(Label[1].Font.Color, clGrayText);
  EXPECT_EQ(Label[0].Points[0], (TPoint{Label[1].Rect.Left + 1, Label[1].Rect.Top + 1}));
  ASSERT_EQ(Line.size(), 1u);
  EXPECT_EQ(Line[0].Font.Color, clGrayText);
  const TRecs Up = TextsOf(ckButton, true, false), Down = TextsOf(ckButton, true, true);
  ASSERT_EQ(Up.size() + Down.size(), 2u);
  EXPECT_EQ(Down[0].Points[0], (TPoint{Up[0].Rect.Left + 1, Up[0].Rect.Top + 1}));
  EXPECT_EQ(TextsOf(ckCheckBox, true, false)[0].Rect.Left, Grid->At(2, 1).Left + 3 + 14);

  // Word wrap: the block measured wrapped (three lines, the longest 42
  // wide) and placed by the other flags, the text drawn breaking at CR LF
  // only, clipped to the block grown by 1.
  Grid->SetColWidths(2, 64);
  Grid->SetRowHeights(1, 40);
  Cell(2, 1, ckLabel, "aaa bbb ccc\r\nd");
  Grid->SetCellAlign(2, 1, caWordWrap | caCenter | caVCenter);
  const TRect T = Shrunk(Grid->At(2, 1), 3);
  const int Left = T.Left + (T.Width() - 42) / 2, Top = T.Top + (T.Height() - 36) / 2;
  const auto Canvas = Grid->DrawOn(2, 1);
  const TRecs Clips = Canvas->OfKind(TRecordingCanvas::rkClip), Texts = Canvas->OfKind(rkText);
  ASSERT_EQ(Clips.size(), 2u);
  EXPECT_EQ(Clips[0].Rect, (TRect{Left - 1, Top - 1, Left + 43, Top + 37}));
  EXPECT_TRUE(Clips[1].Points.empty());
  ASSERT_EQ(Texts.size(), 2u);
  EXPECT_EQ(Texts[0].Text, "aaa bbb ccc");
  EXPECT_EQ(Texts[0].Points[0], (TPoint{(2 * Left + 42 - 66) / 2, Top}));
  EXPECT_EQ(Texts[1].Rect.Top, Top + 13);
}

TEST_F(FormatGridTest, BoxesBandsAndTheRectanglePassedToOnDrawCell) {
  Grid->SetRowHeights(1, 30);
  Grid->SetColor(clYellow);
  const TRect R = Grid->At(2, 1);
  TRect Passed;
  std::size_t RecordsSoFar = 0;
  Grid->OnDrawCell = [&](TObject*, int, int, TRect Rect, TGridDrawState) {
    Passed = Rect;
    RecordsSoFar = dynamic_cast<TRecordingCanvas&>(Grid->Canvas()).Records.size();
  };
  // An edit line: the block in the grid's colour, then a sunken band one
  // text height plus 8 high, centred; the editor goes inside its edge.
  Cell(2, 1, ckEditLine, "1");
  const auto Line = Grid->DrawOn(2, 1);
  const TRecs Fills = Line->OfKind(rkFill);
  ASSERT_GE(Fills.size(), 2u);
  EXPECT_EQ(Fills[0].Brush.Color, clYellow);
  EXPECT_EQ((TPoint{Fills[0].Rect.Left, Fills[0].Rect.Top}), (TPoint{R.Left, R.Top}));
  const int Top = (R.Top + R.Bottom - 20) / 2;
  EXPECT_EQ(Fills[1].Rect, (TRect{R.Left, Top, R.Right, Top + 20}));
  EXPECT_EQ(Fills[1].Brush.Color, clWindow);
  EXPECT_EQ(Format(2, 1).EditRect, (TRect{R.Left + 2, Top + 2, R.Right - 2, Top + 18}));
  EXPECT_EQ(Passed, R);
  EXPECT_EQ(RecordsSoFar, Line->Records.size()); // called last

  // An edit box and a heading: bevels narrow the rectangle handed on.
  Cell(2, 1, ckEditBox);
  Grid->DrawOn(2, 1);
  EXPECT_EQ(Format(2, 1).EditRect, Shrunk(R, 2));
  EXPECT_EQ(Passed, Shrunk(R, 2));
  Grid->SetCellAlign(2, 0, caCenter);
  Grid->DrawOn(2, 0);
  EXPECT_EQ(Passed, Shrunk(Grid->At(2, 0), 1));

  // A check box: 13 × 13 at the left, its white inside 9 × 9.
  Cell(2, 1, ckCheckBox);
  const int BoxTop = std::max(R.Top, (R.Top + R.Bottom) / 2 - 6);
  EXPECT_EQ(Grid->Drawn(2, 1, rkFill).back().Rect,
            (TRect{R.Left + 3, BoxTop + 2, R.Left + 12, BoxTop + 11}));
  // A colour button shows its colour on the face: the button's rectangle
  // moved up and left by one, then shrunk by two; a wide button's
  // rectangle is one larger each way.
  Cell(2, 1, ckColorButton);
  Grid->SetCellColor(2, 1, clRed);
  const auto Faces = [&] {
    std::vector<TRect> Found;
    for (const TRec& Fill : Grid->Drawn(2, 1, rkFill))
      if (Fill.Brush.Color == clRed) Found.push_back(Fill.Rect);
    return Found;
  };
  EXPECT_EQ(Faces(), (std::vector<TRect>{{R.Left + 1, R.Top + 1, R.Right - 2, R.Bottom - 2}}));
  Grid->SetCellKind(2, 1, ckWideButton);
  Grid->SetCellColor(2, 1, clRed);
  EXPECT_EQ(Faces(), (std::vector<TRect>{{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}}));
}

} // namespace
