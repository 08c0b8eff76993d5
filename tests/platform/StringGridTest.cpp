// The string grid and its in-place editor as real widgets on the offscreen
// platform: layout and scrolling, the current cell under mouse and keys,
// editing by keys, input method and pick list, focus, painting.
#include "platform/StringGrid.h"
#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"
#include "tests/kit/GridWindow.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace {

// Records what the hooks are asked and refuses the cells Allow refuses.
class TProbeGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  std::function<bool(int, int)> Allow;
  std::vector<TGridCoord> Asked;
  std::map<std::pair<int, int>, std::vector<TGridDrawState>> Drawn;
  std::vector<int> Keys;
  TEditStyle Style = esSimple;

protected:
  bool SelectCell(int ACol, int ARow) override {
    Asked.push_back({ACol, ARow});
    return !Allow || Allow(ACol, ARow);
  }
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    Drawn[{ACol, ARow}].push_back(AState);
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  void KeyDown(int& Key, TShiftState Shift) override {
    Keys.push_back(Key);
    TStringGrid::KeyDown(Key, Shift);
  }
  TEditStyle GetEditStyle(int, int) override { return Style; }
};

struct TCounted : TObject {
  explicit TCounted(int& Count) : FCount(Count) {}
  ~TCounted() override { ++FCount; }
  int& FCount;
};

class StringGridTest : public ::testing::Test {
protected:
  StringGridTest() {
    Grid->OnSetEditText = [this](TObject* Sender, int ACol, int ARow, const QString& Value) {
      EXPECT_EQ(Sender, Grid);
      EXPECT_EQ(ACol, Grid->Col());
      EXPECT_EQ(ARow, Grid->Row());
      Edits.push_back(Value);
    };
  }

  void Show() { ShowActive(Window, *Grid); }
  // Shown with editing allowed.
  void ShowEditable() {
    Grid->SetOptions(Grid->Options() | goEditing);
    Show();
  }
  void Click(int ACol, int ARow) {
    const TRect R = Grid->CellRect(ACol, ARow);
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, QPoint(R.Left + 3, R.Top + 3));
  }
  // A key as the user types it: to whichever widget has the focus.
  void Key(Qt::Key K, Qt::KeyboardModifiers Modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), K, Modifiers);
  }
  TGridCoord Current() const { return {Grid->Col(), Grid->Row()}; }
  bool Editing() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->isVisible(); }
  QLineEdit* Line() const { return Grid->InplaceEditor()->LineEdit(); }

  QStringList Edits;
  int Released = 0;
  QWidget Window;
  TProbeGrid* Grid = new TProbeGrid(&Window);
  QLineEdit* Other = LayOutGridWindow(Window, *Grid, 201);
};

TEST_F(StringGridTest, LaysCellsOutAfterTheFixedOnesWithTheirOwnWidths) {
  Show();
  Grid->SetColWidths(0, 30);
  Grid->SetColWidths(2, 50);
  EXPECT_EQ(Grid->CellRect(0, 0), (TRect{0, 0, 30, 24}));
  EXPECT_EQ(Grid->CellRect(2, 1), (TRect{96, 25, 146, 49}));
  EXPECT_EQ(Grid->BoxRect(2, 2, 1, 1), (TRect{31, 25, 146, 74}));
  // A point on a grid line belongs to the cell left of or above it.
  EXPECT_EQ(Grid->MouseToCell(30, 24), (TGridCoord{0, 0}));
  EXPECT_EQ(Grid->MouseToCell(31, 25), (TGridCoord{1, 1}));
  EXPECT_EQ(Grid->MouseToCell(275, 124), (TGridCoord{4, 4}));
  EXPECT_EQ(Grid->MouseToCell(277, 10), (TGridCoord{-1, -1}));
  EXPECT_EQ(Grid->MouseToCell(10, 125), (TGridCoord{-1, -1}));
  EXPECT_FALSE(Grid->verticalScrollBar()->isVisible());
  EXPECT_FALSE(Grid->horizontalScrollBar()->isVisible());
}

TEST_F(StringGridTest, ScrollsWholeRowsUnderTheFixedRow) {
  Grid->SetRowCount(31);
  Show();
  ASSERT_TRUE(Grid->verticalScrollBar()->isVisible());
  EXPECT_FALSE(Grid->horizontalScrollBar()->isVisible());
  // 176 pixels under the fixed row: seven whole rows.
  Key(Qt::Key_PageDown);
  EXPECT_EQ(Current(), (TGridCoord{1, 8}));
  EXPECT_EQ(Grid->TopRow(), 2);

  Grid->MoveColRow(1, 30, true, true);
  EXPECT_EQ(Grid->TopRow(), 24);
  EXPECT_EQ(Grid->CellRect(1, 0), (TRect{65, 0, 129, 24}));
  EXPECT_EQ(Grid->CellRect(1, 24), (TRect{65, 25, 129, 49}));
  EXPECT_EQ(Grid->CellRect(1, 30), (TRect{65, 175, 129, 199}));
  EXPECT_TRUE(Grid->CellRect(1, 23).IsEmpty());
  EXPECT_EQ(Grid->MouseToCell(70, 30), (TGridCoord{1, 24}));
  EXPECT_EQ(Grid->BoxRect(1, 0, 1, 30), (TRect{65, 0, 129, 199}));

  Grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(Grid->TopRow(), 23);
  EXPECT_EQ(Grid->CellRect(1, 23), (TRect{65, 25, 129, 49}));
}

TEST_F(StringGridTest, ScrollingCarriesTheEditorAlongOrCommitsAndHidesIt) {
  Grid->SetRowCount(31);
  ShowEditable();
  Grid->MoveColRow(1, 5, true, true);
  Key(Qt::Key_F2);
  Key(Qt::Key_9);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(Grid->InplaceEditor()->geometry(), QRect(65, 125, 64, 24));
  Grid->verticalScrollBar()->setValue(1);
  EXPECT_EQ(Grid->InplaceEditor()->geometry(), QRect(65, 100, 64, 24));
  EXPECT_EQ(QApplication::focusWidget(), Line());
  Grid->verticalScrollBar()->setValue(10);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(QApplication::focusWidget(), Grid);
  EXPECT_EQ(Grid->Cells(1, 5), "9");
}

TEST_F(StringGridTest, CountsKeepWhatStaysAndReleaseObjectsThatLeave) {
  Grid->SetCells(3, 3, "stays");
  Grid->SetColWidths(3, 40);
  Grid->SetObjects(3, 3, std::make_unique<TCounted>(Released));
  Grid->SetObjects(4, 2, std::make_unique<TCounted>(Released));
  Grid->SetObjects(1, 4, std::make_unique<TCounted>(Released));
  Grid->MoveColRow(4, 4, true, false);

  Grid->SetColCount(4);
  EXPECT_EQ(Released, 1);
  EXPECT_EQ(Current(), (TGridCoord{3, 4}));
  Grid->SetRowCount(4);
  EXPECT_EQ(Released, 2);
  EXPECT_EQ(Current(), (TGridCoord{3, 3}));
  EXPECT_EQ(Grid->Cells(3, 3), "stays");
  EXPECT_NE(Grid->Objects(3, 3), nullptr);
  EXPECT_EQ(Grid->ColWidths(3), 40);

  Grid->SetColCount(6);
  EXPECT_EQ(Grid->ColWidths(5), 64);
  EXPECT_EQ(Grid->Cells(4, 3), "");
  EXPECT_EQ(Grid->Objects(4, 2), nullptr);
  Grid->SetDefaultColWidth(20);
  EXPECT_EQ(Grid->ColWidths(3), 20);
  EXPECT_THROW(Grid->SetCells(6, 0, "x"), EListError);
  Grid->SetObjects(3, 3, nullptr);
  EXPECT_EQ(Released, 3);
}

TEST_F(StringGridTest, ClicksMoveTheCurrentCellWhereSelectCellAgrees) {
  Show();
  Click(2, 3);
  EXPECT_EQ(Current(), (TGridCoord{2, 3}));
  ASSERT_EQ(Grid->Asked.size(), 1u);
  EXPECT_EQ(Grid->Asked[0], (TGridCoord{2, 3}));

  Grid->Allow = [](int ACol, int) { return ACol != 4; };
  Click(4, 2);
  EXPECT_EQ(Current(), (TGridCoord{2, 3}));
  Click(0, 2); // fixed cells are never asked for
  Click(2, 0);
  EXPECT_EQ(Grid->Asked.size(), 2u);
  EXPECT_EQ(Current(), (TGridCoord{2, 3}));
}

TEST_F(StringGridTest, DraggingAFixedRowLineSizesTheColumn) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  Show();
  QTest::mousePress(Grid->viewport(), Qt::LeftButton, {}, QPoint(64, 10));
  QTest::mouseMove(Grid->viewport(), QPoint(90, 10));
  QTest::mouseRelease(Grid->viewport(), Qt::LeftButton, {}, QPoint(90, 10));
  EXPECT_EQ(Grid->ColWidths(0), 90);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(StringGridTest, KeysMoveTheCurrentCell) {
  Show();
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  Key(Qt::Key_End);
  EXPECT_EQ(Current(), (TGridCoord{4, 2}));
  Key(Qt::Key_Home);
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Current(), (TGridCoord{4, 4}));
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  Grid->Asked.clear();
  Key(Qt::Key_Up); // already in the first row: nothing to ask
  EXPECT_TRUE(Grid->Asked.empty());

  Grid->Allow = [](int ACol, int) { return ACol != 2; };
  Key(Qt::Key_Right);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  EXPECT_EQ(Grid->Keys.back(), VK_RIGHT);
}

TEST_F(StringGridTest, TabWrapsWithGoTabsAndOtherwiseLeavesTheGrid) {
  int Exits = 0;
  Grid->OnExit = [&Exits](TObject*) { ++Exits; };
  Grid->SetOptions(Grid->Options() | goTabs);
  Show();
  Grid->MoveColRow(4, 1, true, true);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Current(), (TGridCoord{4, 1}));
  EXPECT_EQ(Exits, 0);

  Grid->SetOptions(Grid->Options() & ~TGridOptions(goTabs));
  Key(Qt::Key_Tab);
  EXPECT_EQ(Current(), (TGridCoord{4, 1}));
  EXPECT_EQ(QApplication::focusWidget(), Other);
  EXPECT_EQ(Exits, 1);
}

TEST_F(StringGridTest, TypingStartsTheEditorAndEveryChangeReachesTheCell) {
  Grid->SetCells(1, 1, "old");
  ShowEditable();
  Key(Qt::Key_1);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(QApplication::focusWidget(), Line());
  Key(Qt::Key_2);
  EXPECT_EQ(Edits, (QStringList{"1", "12"}));
  EXPECT_EQ(Grid->Cells(1, 1), "12");

  Key(Qt::Key_Down); // commits, hides and moves like the grid would
  EXPECT_FALSE(Editing());
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  EXPECT_EQ(QApplication::focusWidget(), Grid);
  EXPECT_EQ(Edits.size(), 2u);

  Click(1, 2); // a click on the current cell opens the editor
  EXPECT_TRUE(Editing());
  Click(2, 2);
  EXPECT_FALSE(Editing());
}

TEST_F(StringGridTest, EscapeRestoresTheOriginalTextAndEnterGoesOn) {
  Grid->SetCells(1, 1, "abc");
  ShowEditable();
  Key(Qt::Key_F2);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(Line()->selectedText(), "abc");
  Key(Qt::Key_X);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Edits, (QStringList{"x", "abc"}));
  EXPECT_EQ(Grid->Cells(1, 1), "abc");
  EXPECT_FALSE(Editing());
  EXPECT_EQ(QApplication::focusWidget(), Grid);

  Key(Qt::Key_F2);
  Key(Qt::Key_7);
  Key(Qt::Key_Return);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Grid->Cells(1, 1), "7");
  EXPECT_EQ(Grid->Keys.back(), VK_RETURN);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(StringGridTest, InputMethodCommitsReachTheCell) {
  ShowEditable();
  Grid->ShowEditor();
  ASSERT_TRUE(Editing());
  QInputMethodEvent Commit;
  Commit.setCommitString(QString::fromUtf8("１２"));
  QCoreApplication::sendEvent(Line(), &Commit);
  EXPECT_EQ(Edits, QStringList{QString::fromUtf8("１２")});
  EXPECT_EQ(Grid->Cells(1, 1), QString::fromUtf8("１２"));
}

TEST_F(StringGridTest, FocusLeavingCommitsTheEditorAndFiresOnExit) {
  int Exits = 0;
  Grid->OnExit = [&Exits](TObject*) { ++Exits; };
  ShowEditable();
  Key(Qt::Key_5);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(Exits, 0); // the focus went to the grid's own editor
  Other->setFocus();
  EXPECT_EQ(Exits, 1);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Grid->Cells(1, 1), "5");
}

TEST_F(StringGridTest, PickListShowsAtMostDropDownRowsAndSetsThePickedText) {
  Grid->Style = esPickList;
  ShowEditable();
  Key(Qt::Key_F2);
  TInplaceEdit* Editor = Grid->InplaceEditor();
  ASSERT_TRUE(Editing());
  QStringList Items;
  for (int I = 0; I < 20; ++I)
    Items << QString("item %1").arg(I);
  Editor->OnGetPickListItems = [&Items, this](int ACol, int ARow, QStringList& List) {
    EXPECT_EQ((TGridCoord{ACol, ARow}), Current());
    List = Items;
  };
  const auto FullyShown = [](QListWidget& List) {
    int N = 0;
    for (int I = 0; I < List.count(); ++I)
      N += List.viewport()->rect().contains(List.visualItemRect(List.item(I)));
    return N;
  };

  Key(Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(Editor->ListVisible());
  QListWidget* List = Editor->findChild<QListWidget*>();
  ASSERT_NE(List, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(FullyShown(*List), 8);
  EXPECT_GE(List->width(), Editor->width());
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {},
                    List->visualItemRect(List->item(3)).center());
  EXPECT_FALSE(Editor->ListVisible());
  EXPECT_EQ(Editor->Text(), "item 3");
  EXPECT_EQ(Edits, QStringList{"item 3"});

  Items = QStringList{"a", "b", "c"};
  QTest::mouseClick(Editor, Qt::LeftButton, {}, QPoint(Editor->width() - 3, 3));
  ASSERT_TRUE(Editor->ListVisible());
  QApplication::processEvents();
  EXPECT_EQ(FullyShown(*List), 3);
  EXPECT_FALSE(List->verticalScrollBar()->isVisible());
  QTest::keyClick(List, Qt::Key_Down);
  QTest::keyClick(List, Qt::Key_Escape);
  EXPECT_FALSE(Editor->ListVisible());
  EXPECT_EQ(Editor->Text(), "item 3");
  EXPECT_EQ(Edits.size(), 1u);
}

TEST_F(StringGridTest, PaintsEveryVisibleCellOnceWithItsState) {
  Grid->SetColCount(8); // the seventh column partly on screen, the eighth not
  Show();
  Grid->Drawn.clear();
  const QImage Image = Grid->viewport()->grab().toImage();
  std::map<std::pair<int, int>, std::vector<TGridDrawState>> Expected;
  for (int C = 0; C < 7; ++C)
    for (int R = 0; R < 5; ++R)
      Expected[{C, R}] = {(C == 0 || R == 0 ? gdFixed : 0u) |
                          (C == 1 && R == 1 ? gdSelected | gdFocused : 0u)};
  EXPECT_EQ(Grid->Drawn, Expected);

  EXPECT_EQ(Image.pixel(64, 10), qRgb(0, 0, 0));        // fixed line
  EXPECT_EQ(Image.pixel(129, 30), qRgb(192, 192, 192)); // line between normal cells
  EXPECT_EQ(Image.pixel(80, 30), ToQColor(clHighlight).rgb());
  EXPECT_EQ(Image.pixel(140, 60), ToQColor(clWindow).rgb());
  EXPECT_EQ(Image.pixel(10, 60), ToQColor(clBtnFace).rgb());
  EXPECT_EQ(Image.pixel(200, 150), ToQColor(clWindow).rgb()); // below the last row

  Grid->SetOptions(Grid->Options() & ~TGridOptions(goVertLine));
  Grid->SetColor(clYellow);
  const QImage Plain = Grid->viewport()->grab().toImage();
  EXPECT_EQ(Plain.pixel(129, 60), qRgb(255, 255, 0));
  EXPECT_EQ(Plain.pixel(129, 49), qRgb(192, 192, 192)); // the row line runs through
  EXPECT_EQ(Plain.pixel(64, 60), qRgb(0, 0, 0));
}

TEST_F(StringGridTest, EditorShowsTheBackgroundItErased) {
  Grid->SetColor(clYellow);
  ShowEditable();
  Key(Qt::Key_F2);
  ASSERT_TRUE(Editing());
  TInplaceEdit* Editor = Grid->InplaceEditor();
  EXPECT_EQ(Editor->geometry(), QRect(65, 25, 64, 24));
  const QImage Image = Editor->grab().toImage();
  EXPECT_EQ(Image.pixel(Editor->width() / 2, Editor->height() / 2), qRgb(255, 255, 0));
}

} // namespace
