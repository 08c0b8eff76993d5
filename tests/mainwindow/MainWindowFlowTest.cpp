// The window under the hand: the small grids never scroll, Enter runs down
// the load entry, the focus after a replace, clicks on the list's current
// row, moves as edits, and the question of an ending session.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "analysis/LoadValues.h"

#include <QInputMethodEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolTip>

namespace {

void Enter() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QLineEdit* EditorLine(TFormatGrid* Grid) {
  return Grid->InplaceEditor() ? Grid->InplaceEditor()->LineEdit() : nullptr;
}

// The small grids show their three rows edge to edge, whatever is current.
void ExpectUnscrolled(TFormatGrid* Grid) {
  EXPECT_EQ(Grid->TopRow(), 0);
  EXPECT_EQ(Grid->CellRect(2, 0).Top, 0);
  EXPECT_EQ(Grid->CellRect(2, Grid->RowCount() - 1).Bottom, 22 * Grid->RowCount());
}

TEST_F(FormTest, TheLoadEntryNeverScrollsItsFirstRowAway) {
  TFormatGrid* Input = Form->KjInpGrid;
  ClickCell(Input, 2, 2);
  EXPECT_EQ(Input->Row(), 2);
  ExpectUnscrolled(Input);
  QTest::keyClick(Input, Qt::Key_Up);
  QTest::keyClick(Input, Qt::Key_Down);
  ExpectUnscrolled(Input);
  EnterLoad(lkUniform, "1", "2", "3");
  ExpectUnscrolled(Input);
  Scripted.MessageAnswers.push_back(mrNo);
  Form->New1Click(Form.get());
  ExpectUnscrolled(Input);
  ClickCell(Form->BaseDataGrid, 2, 1);
  ExpectUnscrolled(Form->BaseDataGrid);
}

TEST_F(FormTest, EnterInAValueEditorRunsDownTheEntryToTheRemark) {
  TFormatGrid* Input = Form->KjInpGrid;
  Input->SetCells(2, 1, "60.000");
  ClickCell(Input, 2, 0);
  ClickCell(Input, 2, 0); // a click on the current cell edits it
  ASSERT_TRUE(Editing(Input));
  QTest::keyClicks(EditorLine(Input), "1.5");
  Enter();
  EXPECT_EQ(Input->Cells(2, 0), "1.5");
  ASSERT_TRUE(Editing(Input));
  EXPECT_EQ(Input->Row(), 1);
  // Entered from the keyboard, the value is selected: typing replaces it.
  QTest::keyClicks(EditorLine(Input), "5");
  Enter();
  EXPECT_EQ(Input->Cells(2, 1), "5");
  EXPECT_EQ(Input->Row(), 2);
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Form->NameEdit);

  // A point action has no width row: from W straight to the remark.
  Form->KajyuType->SetItemIndex(lkConcentrated);
  ClickCell(Input, 2, 0);
  ClickCell(Input, 2, 0);
  Enter();
  EXPECT_EQ(Input->Row(), 1);
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Form->NameEdit);
  EXPECT_EQ(Data().LoadCount(), 0); // nothing was added on the way

  // The span's editor still hands on to the next control.
  ClickCell(Form->BaseDataGrid, 2, 1);
  ClickCell(Form->BaseDataGrid, 2, 1);
  ASSERT_TRUE(Editing(Form->BaseDataGrid));
  Enter();
  EXPECT_FALSE(Form->BaseDataGrid->isAncestorOf(QApplication::focusWidget()));
  EXPECT_NE(QApplication::focusWidget(), Form->BaseDataGrid);
}

// Loads of every shape entered from the kind by keyboard alone, each run
// by Enter or by Tab: whatever the last load left current, the keys visit
// X, W, the width when shown, the remark and add, and Shift+Tab runs back.
TEST_F(FormTest, EnterOrTabRunsFromTheKindThroughTheValuesToAdd) {
  const std::vector<TLoadValues> Loads = {{lkUniform, 1, 2, 3, "a"},
                                          {lkConcentrated, 4, 5, 0, "b"},
                                          {lkRightTriangle, 6, 7, 8, "c"},
                                          {lkMoment, 9, 10, 0, "d"}};
  const auto Type = [](const QString& Text, Qt::Key Key) {
    QTest::keyClicks(QApplication::focusWidget(), Text);
    QTest::keyClick(QApplication::focusWidget(), Key);
  };
  for (Qt::Key Key : {Qt::Key_Return, Qt::Key_Tab})
    for (const TLoadValues& Load : Loads) {
      Form->KajyuType->SetItemIndex(Load.Kind);
      Form->KajyuType->findChildren<QRadioButton*>()[Load.Kind]->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Key);
      ASSERT_EQ(Form->KjInpGrid->Row(), 0);
      Type(QString::number(Load.X), Key);
      Type(QString::number(Load.W), Key);
      if (IsDistributedKind(Load.Kind)) Type(QString::number(Load.Width), Key);
      ASSERT_EQ(QApplication::focusWidget(), Form->NameEdit);
      Type(QString::fromStdString(Load.Remark), Key);
      ASSERT_EQ(QApplication::focusWidget(), Form->AddBtn);
      QTest::keyClick(Form->AddBtn, Qt::Key_Return);
      EXPECT_EQ(LoadValues(Data(), Data().LoadCount() - 1), Load);
    }
  EXPECT_EQ(Data().LoadCount(), 8);
  for (int Row : {-1, 1, 0, -1}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QWidget* At = QApplication::focusWidget();
    const bool InGrid = At == Form->KjInpGrid || Form->KjInpGrid->isAncestorOf(At);
    EXPECT_EQ(InGrid ? Form->KjInpGrid->Row() : -1, Row);
  }
  EXPECT_TRUE(Form->KajyuType->isAncestorOf(QApplication::focusWidget()));
  // Enter on a picked load's replace button replaces it, and the diagram
  // boxes keep their ticks.
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  Form->KjInpGrid->SetCells(2, 1, "20");
  Form->RepBtn->setFocus();
  QTest::keyClick(Form->RepBtn, Qt::Key_Return);
  EXPECT_EQ(Data().LoadW(0), 20);
  EXPECT_TRUE(Form->KCheckBox->isChecked());
}

TEST_F(FormTest, AReplaceByMouseLeavesTheFocusOnTheReplacedRow) {
  EnterLoad(lkConcentrated, "1", "10");
  EnterLoad(lkConcentrated, "2", "20");
  EnterLoad(lkConcentrated, "3", "30");
  ClickCell(Form->KajyuGrid, 0, 2);
  ASSERT_TRUE(Form->RepBtn->isEnabled());
  Form->KjInpGrid->SetCells(2, 1, "25");
  QTest::mouseClick(Form->RepBtn, Qt::LeftButton);
  EXPECT_EQ(Data().LoadW(1), 25);
  EXPECT_EQ(QApplication::focusWidget(), Form->KajyuGrid);
  EXPECT_EQ(Form->KajyuGrid->Row(), 2);
  EXPECT_TRUE(Form->UpButton->isEnabled() && Form->DownButton->isEnabled());
  EXPECT_TRUE(Form->KCheckBox->isChecked()); // no stray Space reached the check box
}

TEST_F(FormTest, ClickingTheCurrentListRowAgainBringsTheArrowsBack) {
  EnterLoad(lkConcentrated, "1", "10");
  EnterLoad(lkConcentrated, "2", "20");
  ClickCell(Form->KajyuGrid, 2, 2);
  EXPECT_TRUE(Form->UpButton->isEnabled());
  Form->NameEdit->setFocus();
  EXPECT_FALSE(Form->UpButton->isEnabled());
  ClickCell(Form->KajyuGrid, 2, 2);
  EXPECT_TRUE(Form->UpButton->isEnabled());
  EXPECT_FALSE(Form->DownButton->isEnabled());
}

TEST_F(FormTest, ARowButtonClickLeavesTheFocusAndTheCurrentRow) {
  EnterLoad(lkConcentrated, "1", "10");
  EnterLoad(lkConcentrated, "2", "20");
  Form->NameEdit->setFocus();
  const int Row = Form->KajyuGrid->Row();
  ClickCell(Form->KajyuGrid, 0, 2);
  EXPECT_EQ(QApplication::focusWidget(), Form->NameEdit);
  EXPECT_EQ(Form->KajyuGrid->Row(), Row);
  EXPECT_EQ(Form->RepBtn->Tag(), 2);
}

TEST_F(FormTest, AMovedLoadIsAnEditThatCloseAsksAbout) {
  EnterLoad(lkConcentrated, "1", "10");
  EnterLoad(lkConcentrated, "2", "20");
  QTemporaryDir Dir;
  Data().SaveToFile(Dir.filePath("a.vbd").toStdString());
  ClickCell(Form->KajyuGrid, 2, 2);
  QTest::mouseClick(Form->UpButton, Qt::LeftButton);
  EXPECT_TRUE(Data().Modified());
  Scripted.MessageAnswers.push_back(mrCancel);
  EXPECT_FALSE(Form->close());
  ASSERT_EQ(Scripted.Calls.size(), 1u);
  EXPECT_EQ(Scripted.Calls[0].Caption, "ファイル保存確認");
}

TEST_F(FormTest, AnEndingSessionAsksOnce) {
  EnterLoad(lkConcentrated, "1", "10");
  Scripted.MessageAnswers.push_back(mrNo);
  EXPECT_TRUE(Form->SessionEndQuery());
  EXPECT_TRUE(Form->close()); // the window closes without a second question
  EXPECT_EQ(Scripted.Calls.size(), 1u);
}

TEST_F(FormTest, UsingTheWindowAfterTheSessionQuestionAsksAgain) {
  EnterLoad(lkConcentrated, "1", "10");
  Scripted.MessageAnswers.push_back(mrNo);
  EXPECT_TRUE(Form->SessionEndQuery()); // and then the logout was called off
  QTest::keyClick(Form->NameEdit, Qt::Key_A);
  Scripted.MessageAnswers.push_back(mrCancel);
  EXPECT_FALSE(Form->close());
  EXPECT_EQ(Scripted.Calls.size(), 2u);
}

TEST_F(FormTest, ARemarkCharacterTheFileCannotHoldIsDroppedWithAHint) {
  const QString Hint = QStringLiteral("Shift-JIS で表せない文字は入力できません");
  Form->NameEdit->setFocus();
  QTest::keyClicks(Form->NameEdit, "ab");
  EXPECT_NE(QToolTip::text(), Hint);
  QTest::sendKeyEvent(QTest::Click, Form->NameEdit, Qt::Key_unknown, QStringLiteral("😀"),
                      Qt::NoModifier);
  EXPECT_EQ(Form->NameEdit->text(), "ab");
  EXPECT_EQ(QToolTip::text(), Hint);
  QToolTip::hideText();
  // What an input method commits keeps the characters the file can hold.
  QInputMethodEvent Commit;
  Commit.setCommitString(QStringLiteral("〜美味しい🍣"));
  QApplication::sendEvent(Form->NameEdit, &Commit);
  EXPECT_EQ(Form->NameEdit->text(), QStringLiteral("ab〜美味しい"));
  EXPECT_EQ(QToolTip::text(), Hint);
}

TEST_F(FormTest, AtItsSmallestTheWindowShowsEveryStatusPanelAndCheckBox) {
  Form->resize(100, 100);
  QApplication::processEvents();
  const int Last = Form->StatusBar1->PanelCount() - 1;
  EXPECT_LE(Form->StatusBar1->PanelRect(Last).right(), Form->StatusBar1->width() - 1);
  for (const TCheckBox* Box : {Form->KCheckBox, Form->SCheckBox, Form->MCheckBox})
    EXPECT_LE(Box->geometry().right(), Form->Panel3->width() - 1) << Box->text().toStdString();
  EXPECT_GE(Form->PaintBox1->width(), 100);
  EXPECT_GE(Form->KajyuGrid->height(), 100);
}

} // namespace

namespace {

TEST_F(FormTest, ATypedTextThatIsNoNumberCountsAsZeroAndTheStatusBarSaysSo) {
  const QString Hint = "数値として読めないため 0 としました";
  TStatusBar* Bar = Form->StatusBar1;
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "1,5");
  EXPECT_EQ(Data().Length(), 0);
  EXPECT_EQ(Bar->Message(), Hint);
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "１．５");
  EXPECT_EQ(Data().Length(), 1.5);
  EXPECT_EQ(Bar->Message(), "");
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "");
  EXPECT_EQ(Bar->Message(), "");
  // In the entry, a W of "abc" is 0, beside the out-of-span note the
  // load at 2 m of a beam without span gets.
  EnterLoad(lkConcentrated, "2", "abc");
  EXPECT_EQ(Data().LoadW(0), 0);
  EXPECT_TRUE(Bar->Message().startsWith(Hint + "　")) << Bar->Message().toStdString();
  EnterLoad(lkConcentrated, "0", "1e3");
  EXPECT_EQ(Bar->Message(), "");
}

} // namespace

namespace {

TEST_F(FormTest, PickingALoadWhileAnEntryValueIsBeingEditedShowsThePickedValue) {
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  EnterLoad(lkConcentrated, "0", "5");
  ClickCell(Form->KjInpGrid, 2, 0);
  ClickCell(Form->KjInpGrid, 2, 0);
  ASSERT_TRUE(Editing(Form->KjInpGrid));
  QTest::keyClicks(QApplication::focusWidget(), "3");
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  Form->NameEdit->setFocus(); // the editor, if any, writes its text back
  EXPECT_EQ(Form->KjInpGrid->Cells(2, 0), "0.000");
  Form->AddBtnClick(Form->RepBtn);
  EXPECT_EQ(Data().LoadX(0), 0);
}

} // namespace
