// Undo and redo of every document edit: what comes back in the document
// and the window, Modified at the state last saved, the history dropped by
// New and Open, and the keys of the edit and file menus.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"

#include <QCloseEvent>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {

class UndoTest : public FormTest {
protected:
  // Types Text into the span cell's editor key by key.
  void TypeSpan(const QString& Text) {
    TFormatGrid* Base = Form->BaseDataGrid;
    ClickCell(Base, 2, 1);
    if (!Editing(Base)) ClickCell(Base, 2, 1);
    ASSERT_TRUE(Editing(Base));
    QLineEdit* Line = Base->InplaceEditor()->LineEdit();
    Line->selectAll();
    QTest::keyClick(Line, Qt::Key_Delete);
    QTest::keyClicks(Line, Text);
  }
  void Undo() { Form->Undo1Click(Form.get()); }
  void Redo() { Form->Redo1Click(Form.get()); }
  // Kind, X, W, width and remark of every load, one string each.
  QStringList Loads() const {
    QStringList Result;
    for (int I = 0; I < Data().LoadCount(); ++I)
      Result << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(Data().LoadKind(I))
                    .arg(Data().LoadX(I))
                    .arg(Data().LoadW(I))
                    .arg(Data().LoadWidth(I))
                    .arg(QString::fromStdString(Data().LoadRemark(I)));
    return Result;
  }
  QString ListRow(int Row) const {
    QStringList Cells;
    for (int C = 1; C <= 5; ++C)
      Cells << Form->KajyuGrid->Cells(C, Row);
    return Cells.join('|');
  }
  QString SaveAs() {
    const QString Path = Dir.filePath("saved.vbd");
    Scripted.FileAnswers = {Path};
    Form->SaveAs1Click(Form.get());
    return Path;
  }
  QTemporaryDir Dir;
};

TEST_F(UndoTest, EachEditingOfTheSpanIsUndoneOnItsOwn) {
  // 8, Enter, to the remark and back, 12.5, Tab: undo brings back 8.
  TypeSpan("8");
  QTest::keyClick(Form->BaseDataGrid->InplaceEditor()->LineEdit(), Qt::Key_Return);
  QTest::mouseClick(Form->NameEdit, Qt::LeftButton);
  TypeSpan("12.5");
  QTest::keyClick(Form->BaseDataGrid->InplaceEditor()->LineEdit(), Qt::Key_Tab);
  ASSERT_EQ(Data().Length(), 12.5);
  Undo();
  EXPECT_EQ(Data().Length(), 8);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "8.000");
  Undo();
  EXPECT_EQ(Data().Length(), 0);
}

TEST_F(UndoTest, SpanKeysAndTheBeamTypeComeBackOneEditAtATime) {
  TypeSpan("12");
  ClickCell(Form->BaseDataGrid, 2, 0);
  ASSERT_EQ(Data().BeamType(), btCantilever);
  EXPECT_TRUE(Form->Undo1->isEnabled());
  EXPECT_FALSE(Form->Redo1->isEnabled());

  Undo();
  EXPECT_EQ(Data().BeamType(), btSimple);
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), 0);
  EXPECT_EQ(Data().Length(), 12);
  // The two keys of one number are one edit.
  Undo();
  EXPECT_EQ(Data().Length(), 0);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "0.000");
  EXPECT_FALSE(Form->Undo1->isEnabled());
  EXPECT_FALSE(Data().Modified());

  Redo();
  EXPECT_EQ(Data().Length(), 12);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "12.000");
  Redo();
  EXPECT_EQ(Data().BeamType(), btCantilever);
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), 1);
  EXPECT_TRUE(Data().Modified());
  EXPECT_FALSE(Form->Redo1->isEnabled());

  // A span edited back to where it began leaves nothing to undo.
  Form->FUndo->clear();
  TypeSpan("5");
  TypeSpan("12");
  EXPECT_EQ(Form->FUndo->count(), 0);
}

TEST_F(UndoTest, AddReplaceDeleteAndMovesComeBackWithTheList) {
  TypeSpan("10");
  EnterLoad(lkUniform, "1", "2", "3", "a");
  EnterLoad(lkConcentrated, "4", "5", {}, "b");
  EnterLoad(lkMoment, "6", "7", {}, "c");
  const QStringList Three = Loads();
  ASSERT_EQ(Three.size(), 3);

  // Replace the second load, then delete the first.
  ClickCell(Form->KajyuGrid, 0, 2);
  EnterLoad(lkLeftTriangle, "2", "8", "1", "B", Form->RepBtn);
  ClickCell(Form->KajyuGrid, 0, 1);
  Form->DelBtnClick(Form->DelBtn);
  ASSERT_EQ(Data().LoadCount(), 2);
  // Move the last load up.
  ClickCell(Form->KajyuGrid, 2, 2);
  Form->UpButtonClick(Form->UpButton);
  const QStringList Last = Loads();
  EXPECT_EQ(Last[0], "4 6 7 0 c");

  Undo(); // the move
  EXPECT_EQ(Loads(), QStringList({"1 2 8 1 B", "4 6 7 0 c"}));
  Undo(); // the delete: back at its own place
  EXPECT_EQ(Loads(), QStringList({"0 1 2 3 a", "1 2 8 1 B", "4 6 7 0 c"}));
  EXPECT_EQ(ListRow(1), "長方形|1.000|2.000|3.000|a");
  Undo(); // the replace
  EXPECT_EQ(Loads(), Three);
  EXPECT_EQ(ListRow(2), "集中|4.000|5.000||b");
  Undo(); // the last add
  EXPECT_EQ(Data().LoadCount(), 2);
  EXPECT_EQ(ListRow(3), "||||");

  for (int I = 0; I < 4; ++I)
    Redo();
  EXPECT_EQ(Loads(), Last);
  EXPECT_EQ(ListRow(1), "曲げＭ|6.000|7.000||c");
  // Undo and redo forget the pick and the arrows' row: they may name
  // another load now.
  EXPECT_FALSE(Form->RepBtn->isEnabled());
  EXPECT_FALSE(Form->DelBtn->isEnabled());
  EXPECT_FALSE(Form->UpButton->isEnabled());
}

TEST_F(UndoTest, ModifiedAndTheTitleFollowTheStateLastSaved) {
  // The title marks every unsaved state with "*" after the name.
  const auto Modified = [this] {
    EXPECT_EQ(Form->windowTitle().endsWith("*]"), Data().Modified())
        << Form->windowTitle().toStdString();
    return Data().Modified();
  };
  EXPECT_EQ(Form->windowTitle(), "Vantrel - [新規データ]");
  TypeSpan("10");
  EnterLoad(lkConcentrated, "4", "5");
  EXPECT_EQ(Form->windowTitle(), "Vantrel - [新規データ*]");
  SaveAs();
  ASSERT_FALSE(Modified());
  EXPECT_EQ(Form->windowTitle(), "Vantrel - [saved]");
  EnterLoad(lkConcentrated, "6", "1");
  EXPECT_TRUE(Modified());

  Undo();
  EXPECT_FALSE(Modified());
  // Nothing to save: closing asks nothing (an unexpected question throws).
  Scripted.Calls.clear();
  QCloseEvent Close;
  Form->closeEvent(&Close);
  EXPECT_TRUE(Close.isAccepted());
  EXPECT_TRUE(Scripted.Calls.empty());

  Redo();
  EXPECT_TRUE(Modified());
  Undo();
  Undo(); // before the state saved
  EXPECT_TRUE(Modified());
  // A new edit where the saved state was redoable loses that state.
  Redo();
  EXPECT_FALSE(Modified());
  Undo();
  EnterLoad(lkMoment, "1", "1");
  Undo();
  EXPECT_TRUE(Modified());
}

TEST_F(UndoTest, NewAndOpenStartAFreshHistory) {
  TypeSpan("10");
  EnterLoad(lkConcentrated, "4", "5");
  const QString Path = SaveAs();
  EnterLoad(lkConcentrated, "6", "1");
  Scripted.MessageAnswers.push_back(mrNo);
  Scripted.FileAnswers = {Path};
  Form->Open1Click(Form.get());
  EXPECT_EQ(Form->FUndo->count(), 0);
  EXPECT_FALSE(Form->Undo1->isEnabled());
  EXPECT_EQ(Data().LoadCount(), 1);

  Form->DelBtn->SetTag(1);
  Form->DelBtnClick(Form->DelBtn);
  Scripted.MessageAnswers.push_back(mrNo);
  Form->New1Click(Form.get());
  EXPECT_EQ(Form->FUndo->count(), 0);
  EXPECT_FALSE(Form->Undo1->isEnabled());
  EXPECT_FALSE(Form->Redo1->isEnabled());
}

TEST_F(UndoTest, TheKeysReachTheEditAndFileItems) {
  TypeSpan("10");
  EnterLoad(lkConcentrated, "4", "5");
  Form->KajyuGrid->setFocus();
  QTest::keyClick(Form->KajyuGrid, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Data().LoadCount(), 0);
  QTest::keyClick(Form->KajyuGrid, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Data().LoadCount(), 1);
  QTest::keyClick(Form->KajyuGrid, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Form->KajyuGrid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Data().LoadCount(), 1);

  // Ctrl+N asks about the unsaved changes like 新規作成.
  Scripted.Calls.clear();
  Scripted.MessageAnswers.push_back(mrCancel);
  QTest::keyClick(Form->KajyuGrid, Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(Scripted.Calls.size(), 1u);
  EXPECT_EQ(Scripted.Calls[0].Caption, "ファイル保存確認");
  // Ctrl+Shift+S asks for a name like 名前をつけて保存.
  Scripted.FileAnswers = {std::nullopt};
  QTest::keyClick(Form->KajyuGrid, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(Scripted.Calls.size(), 2u);
  EXPECT_EQ(Scripted.Calls[1].Kind, dkSaveFile);
}

} // namespace
