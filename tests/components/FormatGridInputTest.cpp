// The format grid as a real widget on the offscreen platform: buttons,
// check boxes and toggles under the mouse, the current cell under keys,
// in-place editing of merged blocks and pick lists.
#include "tests/components/FormatGridFixture.h"

#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <tuple>
#include <vector>

namespace {

using TEvent = std::tuple<int, int, int>;    // column, row, what came with it
using TEdit = std::tuple<int, int, QString>; // column, row, text

class FormatGridInputTest : public FormatGridFixture {
protected:
  FormatGridInputTest() {
    Grid->OnButtonClick = [this](TObject*, int C, int R) { Events.emplace_back(C, R, -1); };
    Grid->OnCheckBoxClick = [this](TObject*, int C, int R, bool On) {
      Events.emplace_back(C, R, On);
    };
    Grid->OnToggleChange = [this](TObject*, int C, int R, int I) { Events.emplace_back(C, R, I); };
    Grid->OnSetEditText = [this](TObject*, int C, int R, const QString& Value) {
      Edits.emplace_back(C, R, Value);
    };
  }

  QPoint Centre(int ACol, int ARow) const {
    const TRect R = Grid->CellRect(ACol, ARow);
    return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  void Press(QPoint P) { QTest::mousePress(Grid->viewport(), Qt::LeftButton, {}, P); }
  void Move(QPoint P) { QTest::mouseMove(Grid->viewport(), P); }
  void Release(QPoint P) { QTest::mouseRelease(Grid->viewport(), Qt::LeftButton, {}, P); }
  void Click(int ACol, int ARow, Qt::MouseButton B = Qt::LeftButton) {
    QTest::mouseClick(Grid->viewport(), B, {}, Centre(ACol, ARow));
  }
  void Key(Qt::Key K) { QTest::keyClick(QApplication::focusWidget(), K); }
  TGridCoord Current() const { return {Grid->Col(), Grid->Row()}; }
  bool Editing() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->isVisible(); }

  std::vector<TEvent> Events;
  std::vector<TEdit> Edits;
};

TEST_F(FormatGridInputTest, ButtonsClickWhenReleasedWithoutLeavingForAnotherCell) {
  Cell(0, 1, ckButton, "1");
  Cell(2, 1, ckWideButton, "wide");
  Grid->SetCellMerge(3, 1, 1, true);
  Cell(2, 3, ckButton, "off");
  Format(2, 3).Enabled = false;
  Show();
  Press(Centre(3, 1));
  EXPECT_TRUE(Format(2, 1).Down);
  EXPECT_TRUE(Events.empty());
  Release(Centre(3, 1));
  EXPECT_FALSE(Format(2, 1).Down);
  EXPECT_EQ(Events, (std::vector<TEvent>{{2, 1, -1}}));
  // Dragged onto another cell: cancelled, even when back and released.
  Press(Centre(2, 1));
  Move(Centre(2, 2));
  EXPECT_FALSE(Format(2, 1).Down);
  Move(Centre(2, 1));
  Release(Centre(2, 1));
  // Off every cell the press holds, and the release there clicks.
  const QPoint Outside(390, 200);
  ASSERT_EQ(Grid->MouseToCell(Outside.x(), Outside.y()), (TGridCoord{-1, -1}));
  Press(Centre(0, 1));
  Move(Outside);
  EXPECT_TRUE(Format(0, 1).Down);
  Release(Outside);
  Click(2, 3);
  EXPECT_FALSE(Format(2, 3).Down);
  EXPECT_EQ(Events, (std::vector<TEvent>{{2, 1, -1}, {0, 1, -1}}));
}

TEST_F(FormatGridInputTest, TogglesAndCheckBoxesChangeOnClicksAndTheMenu) {
  Cell(2, 1, ckToggle);
  Grid->SetCellMerge(3, 1, 1, true);
  Grid->ToggleItems(2, 1) = {"A", "B"};
  Grid->SetToggleIndex(2, 1, 0);
  Cell(2, 2, ckToggle);
  Grid->ToggleItems(2, 2) = {"C", "D"};
  Cell(2, 3, ckToggle); // no choices
  Cell(4, 3, ckToggle);
  Grid->ToggleItems(4, 3) = {"E", "F"};
  Format(4, 3).Enabled = false;
  Cell(2, 4, ckCheckBox, "check");
  Show();
  for (const int Expected : {1, 0, 1, 0}) {
    Click(3, 1);
    EXPECT_EQ(Grid->GetToggleIndex(2, 1), Expected);
    EXPECT_EQ(Grid->Cells(2, 1), Expected ? "B" : "A");
  }
  // Painted, a toggle with no choice made shows the first; unpainted, the
  // first click makes it.
  EXPECT_EQ(Grid->GetToggleIndex(2, 2), 0);
  Grid->SetToggleIndex(2, 2, -1);
  Click(2, 2);
  EXPECT_EQ(Grid->GetToggleIndex(2, 2), 0);
  // No choices: neither button does anything. Disabled: a left click does
  // nothing, a right click still offers the choices.
  Click(2, 3);
  Click(2, 3, Qt::RightButton);
  EXPECT_FALSE(Grid->PopupMenu().isVisible());
  Click(4, 3);
  Click(4, 3, Qt::RightButton);
  EXPECT_TRUE(Grid->PopupMenu().isVisible());
  EXPECT_EQ(Grid->PopupMenu().actions().size(), Grid->ToggleItems(4, 3).size());
  Grid->PopupMenu().hide();
  EXPECT_EQ(Grid->GetToggleIndex(2, 3), -1);
  EXPECT_EQ(Grid->GetToggleIndex(4, 3), 0);
  EXPECT_EQ(Events, (std::vector<TEvent>{{2, 1, 1}, {2, 1, 0}, {2, 1, 1}, {2, 1, 0}, {2, 2, 0}}));
  Events.clear();

  Click(3, 1, Qt::RightButton);
  QMenu& Menu = Grid->PopupMenu();
  ASSERT_TRUE(Menu.isVisible());
  const QList<QAction*> Actions = Menu.actions();
  ASSERT_EQ(Actions.size(), 2);
  EXPECT_EQ(Actions[1]->text(), "B");
  EXPECT_TRUE(Actions[0]->isCheckable() && Actions[0]->isChecked());
  EXPECT_FALSE(Actions[1]->isChecked());
  Actions[1]->trigger();
  Menu.hide();
  EXPECT_EQ(Grid->GetToggleIndex(2, 1), 1);
  EXPECT_EQ(Grid->Cells(2, 1), "B");
  Click(2, 4);
  EXPECT_TRUE(Format(2, 4).Down);
  Click(2, 4);
  EXPECT_FALSE(Format(2, 4).Down);
  EXPECT_EQ(Events, (std::vector<TEvent>{{2, 1, 1}, {2, 4, 1}, {2, 4, 0}}));
}

TEST_F(FormatGridInputTest, KeysLandOnlyOnEnabledEditableCellsAndEditingSurvivesARefusal) {
  Grid->SetOptions(Grid->Options() | goEditing);
  for (int R = 1; R < 5; ++R)
    for (int C = 1; C < 6; ++C)
      Cell(C, R, ckEditLine);
  Grid->MoveColRow(2, 2, true, false);
  Show();
  for (const std::uint8_t Kind : {ckLabel, ckButton, ckCheckBox, ckToggle, ckImage, ckColorButton,
                                  ckFixed, ckWideButton, ckNormal, ckEditBox}) {
    Grid->SetCellKind(3, 2, Kind);
    Format(3, 2).Enabled = !IsEditableKind(Kind);
    Key(Qt::Key_Right);
    EXPECT_EQ(Current(), (TGridCoord{2, 2})) << int(Kind);
  }
  // Still editable after all those refusals.
  Key(Qt::Key_5);
  ASSERT_TRUE(Editing());
  Key(Qt::Key_Return);
  EXPECT_EQ(Grid->Cells(2, 2), "5");
  Grid->SetCellKind(3, 2, ckPickList);
  Format(3, 2).Enabled = true;
  Key(Qt::Key_Right);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  // Nor into the fixed area, nor onto a block whose origin is there.
  Grid->MoveColRow(1, 1, true, false);
  Key(Qt::Key_Left);
  Key(Qt::Key_Up);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  Grid->SetCellMerge(1, 2, 0, true);
  Grid->SetCellMerge(1, 1, 0, true);
  Grid->MoveColRow(2, 2, true, false);
  Key(Qt::Key_Left);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  // A disabled current cell takes no keys at all, a read-only one no
  // editor.
  Edits.clear();
  Format(2, 2).Enabled = false;
  Key(Qt::Key_Down);
  Key(Qt::Key_7);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  Grid->SetCellKind(2, 3, ckNormal);
  Grid->SetCellReadOnly(2, 3, true);
  Click(2, 3);
  EXPECT_EQ(Current(), (TGridCoord{2, 3}));
  Key(Qt::Key_F2);
  Key(Qt::Key_7);
  Click(2, 3);
  EXPECT_FALSE(Editing());
  EXPECT_TRUE(Edits.empty());
}

TEST_F(FormatGridInputTest, MoveNextCellWrapsRoundTheSelectableCells) {
  for (int R = 1; R < 5; ++R)
    for (int C = 1; C < 6; ++C)
      Cell(C, R, ckLabel);
  Cell(2, 1, ckNormal);
  Cell(2, 2, ckEditLine);
  Grid->MoveColRow(2, 1, true, false);
  EXPECT_EQ(Grid->MoveNextCell(), (TGridCoord{2, 2}));
  EXPECT_EQ(Grid->MoveNextCell(), (TGridCoord{2, 1}));
  // The rest of the current block is no step; the next block is.
  Grid->SetCellMerge(3, 1, 1, true);
  Cell(4, 3, ckNormal);
  Grid->SetCellMerge(4, 4, 0, true);
  Grid->SetCellKind(2, 2, ckLabel);
  EXPECT_EQ(Grid->MoveNextCell(), (TGridCoord{4, 3}));
  EXPECT_EQ(Grid->MoveNextCell(), (TGridCoord{2, 1}));
  Grid->SetCellKind(4, 3, ckLabel);
  EXPECT_EQ(Grid->MoveNextCell(), (TGridCoord{2, 1}));
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
}

TEST_F(FormatGridInputTest, EditingAMergedBlockCoversItAndReportsItsOrigin) {
  Cell(2, 1, ckEditLine, "old");
  Grid->SetCellMerge(3, 1, 1, true);
  Cell(2, 2, ckNormal);
  Grid->SetCellMerge(3, 2, 1, true);
  std::vector<TGridCoord> Asked;
  bool Allow = true;
  Grid->OnSelectCell = [&](TObject*, int C, int R, bool& CanSelect) {
    Asked.push_back({C, R});
    CanSelect = Allow;
  };
  Show();
  Click(3, 1);
  EXPECT_EQ(Asked, (std::vector<TGridCoord>{{2, 1}}));
  Key(Qt::Key_1);
  Key(Qt::Key_2);
  ASSERT_TRUE(Editing());
  const TRect Block = Grid->MergedCellRect(Grid->Col(), Grid->Row());
  EXPECT_EQ(Grid->InplaceEditor()->geometry(),
            QRect(Block.Left, Block.Top, Block.Width(), Block.Height()));
  EXPECT_EQ(Block.Width(), 2 * 64 + 1);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Grid->Cells(2, 1), "old");
  EXPECT_EQ(Edits, (std::vector<TEdit>{{2, 1, "1"}, {2, 1, "12"}, {2, 1, "old"}}));
  Allow = false;
  Click(3, 2);
  EXPECT_EQ(Asked.back(), (TGridCoord{2, 2}));
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(FormatGridInputTest, PickListsDropDownTheOriginsChoicesFourRowsHigh) {
  Cell(2, 1, ckPickList, "kN");
  Grid->SetCellMerge(3, 1, 1, true);
  Grid->ToggleItems(3, 1) = {"N", "kN", "MN", "N/m", "kN/m", "MN/m"};
  Show();
  Click(2, 1);
  Key(Qt::Key_F2);
  ASSERT_TRUE(Editing());
  TInplaceEdit& Editor = *Grid->InplaceEditor();
  EXPECT_EQ(Editor.EditStyle(), esPickList);
  Editor.DropDown();
  auto* List = Editor.findChild<QListWidget*>();
  ASSERT_TRUE(List && List->isVisible());
  EXPECT_EQ(List->count(), 6);
  EXPECT_EQ(List->height(), 4 * List->sizeHintForRow(0) + 2 * List->frameWidth());
  EXPECT_EQ(List->currentItem()->text(), "kN");
  Editor.CloseUp(false);
}

TEST_F(FormatGridInputTest, ColumnSizingFollowsTheMouseOnlyOverCells) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  Show();
  const int Edge = Grid->CellRect(5, 0).Right;
  ASSERT_EQ(Grid->MouseToCell(Edge + 40, 10).X, -1);
  Press(QPoint(Edge, 10));
  Move(QPoint(Edge + 40, 10)); // past the last cell: ignored
  EXPECT_EQ(Grid->ColWidths(5), 64);
  Move(QPoint(Edge - 10, 10));
  EXPECT_EQ(Grid->ColWidths(5), 54);
  Release(QPoint(Edge - 10, 10));
  Move(QPoint(Edge - 20, 10)); // released: no longer sizing
  EXPECT_EQ(Grid->ColWidths(5), 54);
}

TEST_F(FormatGridInputTest, TheCurrentBlockRepaintsWholeWhenTheFocusComesAndGoes) {
  Cell(2, 1, ckNormal, "x");
  Grid->SetCellMerge(3, 1, 1, true);
  Grid->MoveColRow(2, 1, true, false);
  Show();
  for (QWidget* Focus : {static_cast<QWidget*>(Other), static_cast<QWidget*>(Grid)}) {
    Grid->Painted.clear();
    Focus->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Grid->Painted.contains({3, 1}));
  }
}

// The first and last rows with dark pixels inside a cell, clear of its
// edges and of a caret at the left.
std::pair<int, int> InkRows(const QImage& Image, const TRect& R) {
  int First = -1, Last = -1;
  for (int Y = R.Top + 3; Y < R.Bottom - 3; ++Y)
    for (int X = R.Left + 6; X < R.Right - 4; ++X)
      if (qGray(Image.pixel(X, Y)) < 100) {
        if (First < 0) First = Y - R.Top;
        Last = Y - R.Top;
      }
  return {First, Last};
}

TEST_F(FormatGridInputTest, EditorTextStaysWhereTheCellDrewIt) {
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->SetRowHeights(1, 40);
  const std::tuple<int, std::uint8_t, TCellAlign> Cases[] = {
      {1, ckNormal, caVCenter}, {2, ckEditBox, 0}, {3, ckNormal, caBottom}};
  for (const auto& [Row, Kind, Align] : Cases)
    for (int C = 2; C <= 3; ++C) {
      Cell(C, Row, Kind, "Hg12");
      Grid->SetCellAlign(C, Row, Align);
    }
  Show();
  for (const auto& [Row, Kind, Align] : Cases) {
    Grid->MoveColRow(2, Row, true, false);
    Key(Qt::Key_F2);
    Key(Qt::Key_Home);
    ASSERT_TRUE(Editing());
    const QImage Image = Grid->viewport()->grab().toImage();
    EXPECT_EQ(InkRows(Image, Grid->CellRect(2, Row)), InkRows(Image, Grid->CellRect(3, Row)))
        << Row;
    Grid->HideEditor();
  }
}

TEST_F(FormatGridInputTest, ClicksOnControlCellsAndOnNoCellLeaveTheFocusAndTheCurrentCell) {
  Cell(2, 1, ckButton, "b");
  Cell(3, 1, ckCheckBox, "c");
  Cell(4, 1, ckToggle);
  Grid->ToggleItems(4, 1) = {"A", "B"};
  Cell(2, 2, ckNormal, "x");
  Grid->MoveColRow(2, 2, true, false);
  Show();
  Other->setFocus();
  QApplication::processEvents();
  const int Edge = Grid->CellRect(5, 0).Right;
  for (const QPoint P : {Centre(2, 1), Centre(3, 1), Centre(4, 1), QPoint(Edge + 20, 10)}) {
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, P);
    EXPECT_TRUE(Other->hasFocus()) << P.x();
    EXPECT_EQ(Current(), (TGridCoord{2, 2})) << P.x();
  }
  ASSERT_EQ(Events.size(), 3u); // the three cells reacted all the same
  Click(2, 2);                  // a plain cell takes the focus
  EXPECT_TRUE(Grid->hasFocus());
}

TEST_F(FormatGridInputTest, AClickOnTheCurrentCellSelectsItAgain) {
  Cell(2, 1, ckNormal, "x");
  Grid->SetCellReadOnly(2, 1, true);
  std::vector<TGridCoord> Selected;
  Grid->OnSelectCell = [&](TObject*, int C, int R, bool&) { Selected.push_back({C, R}); };
  Grid->MoveColRow(2, 1, true, false);
  Show();
  Selected.clear();
  Other->setFocus();
  Click(2, 1);
  EXPECT_EQ(Selected, (std::vector<TGridCoord>{{2, 1}}));
  EXPECT_TRUE(Grid->hasFocus());
}

TEST_F(FormatGridInputTest, AToggleIndexFarBeforeTheFirstChoiceStartsAtTheFirst) {
  Cell(2, 1, ckToggle);
  Grid->ToggleItems(2, 1) = {"A", "B", "C"};
  Show();
  for (const int Start : {-5, -4, -2}) {
    Grid->SetToggleIndex(2, 1, Start);
    Click(2, 1);
    EXPECT_EQ(Grid->GetToggleIndex(2, 1), 0) << Start;
    EXPECT_EQ(Grid->Cells(2, 1), "A") << Start;
  }
}

} // namespace

namespace {

TEST_F(FormatGridInputTest, TabIntoTheGridShowsTheFirstValueCellAndF2OrTypingEditsIt) {
  // Captions first, as in the window's input grids; the current cell is
  // a caption until the grid is reached from the keyboard.
  for (int R = 0; R < 5; ++R)
    for (int C = 0; C < 6; ++C)
      Cell(C, R, ckLabel);
  Cell(3, 1, ckEditLine, "1.5");
  Cell(3, 2, ckEditLine);
  Grid->SetOptions(0);
  Show();
  Other->setFocus(Qt::TabFocusReason);
  Grid->MoveColRow(0, 0, true, false);
  Grid->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Current(), (TGridCoord{3, 1}));
  Key(Qt::Key_F2);
  ASSERT_TRUE(Editing());
  QTest::keyClicks(QApplication::focusWidget(), "2");
  Key(Qt::Key_Escape);
  // Typing starts editing, replacing the text; a cell chosen before stays.
  Grid->MoveColRow(3, 2, true, false);
  Other->setFocus(Qt::TabFocusReason);
  Grid->setFocus(Qt::BacktabFocusReason);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  QTest::keyClicks(Grid, "7");
  EXPECT_TRUE(Editing());
  EXPECT_EQ(Edits, (std::vector<TEdit>{{3, 1, "2"}, {3, 1, "1.5"}, {3, 2, "7"}}));
}

} // namespace
