// The main window's input side: its grids and menus as they start, the span
// and beam type, the load kind, the load list with its buttons, and Enter.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "platform/Exceptions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

QStringList Row(const TFormatGrid* Grid, int ARow) {
  QStringList Texts;
  for (int C = 0; C < Grid->ColCount(); ++C)
    Texts << Grid->Cells(C, ARow);
  return Texts;
}

QList<int> Widths(const TFormatGrid* Grid) {
  QList<int> Result;
  for (int C = 0; C < Grid->ColCount(); ++C)
    Result << Grid->ColWidths(C);
  return Result;
}

TEST_F(FormTest, StartsUntitledWithLabelledGridsPanelsAndMenus) {
  EXPECT_EQ(Form->windowTitle(), "Vantrel - [新規データ]");
  TFormatGrid* Base = Form->BaseDataGrid;
  ASSERT_EQ(Base->RowCount(), 2);
  EXPECT_EQ(Row(Base, 0), QStringList({"梁の種類", "：", "", ""}));
  EXPECT_EQ(Base->CellFormat(2, 0)->Kind, ckToggle);
  EXPECT_EQ(Base->ToggleItems(2, 0),
            QStringList({"単純梁", "片持ち梁", "片持ち梁(左固定)", "はね出し梁", "両端固定梁",
                         "一端固定他端ピン", "連続梁"}));
  EXPECT_EQ(Base->GetToggleIndex(2, 0), 0);
  EXPECT_EQ(Base->MergedRange(3, 0).Left, 2);
  EXPECT_EQ(Row(Base, 1), QStringList({"部材長 Ｌ", "：", "", "(ｍ)"}));
  EXPECT_EQ(Base->CellFormat(2, 1)->Kind, ckEditLine);
  EXPECT_TRUE(Base->CellFormat(2, 1)->Align & caRight);
  EXPECT_EQ(Widths(Base), QList<int>({157, 10, 48, 48}));
  EXPECT_EQ(Widths(Form->KjInpGrid), QList<int>({157, 10, 48, 48}));

  ASSERT_EQ(Form->KjInpGrid->RowCount(), 3);
  EXPECT_EQ(Row(Form->KjInpGrid, 0), QStringList({"作用開始位置 Ｘ", "：", "", "(ｍ)"}));
  EXPECT_EQ(Row(Form->KjInpGrid, 1), QStringList({"荷　重  Ｗ", "：", "", "(kN)"}));
  EXPECT_EQ(Row(Form->KjInpGrid, 2), QStringList({"作用幅  Ｌ", "：", "", "(ｍ)"}));

  TFormatGrid* List = Form->KajyuGrid;
  ASSERT_EQ(List->RowCount(), 31);
  EXPECT_EQ(Row(List, 0), QStringList({"No", "種類", "位置", "荷重", "幅", "備考"}));
  EXPECT_EQ(Widths(List).first(5), QList<int>({24, 48, 48, 48, 48})); // 備考 fills the rest
  for (int R = 1; R <= 30; ++R) {
    EXPECT_EQ(Row(List, R), QStringList({QString::number(R), "", "", "", "", ""}));
    EXPECT_EQ(List->CellFormat(0, R)->Kind, ckButton);
    for (int C = 1; C <= 5; ++C)
      EXPECT_TRUE(List->CellFormat(C, R)->Kind == ckNormal && List->CellFormat(C, R)->ReadOnly);
  }
  EXPECT_FALSE(Form->RepBtn->isEnabled() || Form->DelBtn->isEnabled() ||
               Form->UpButton->isEnabled() || Form->DownButton->isEnabled());

  EXPECT_EQ(Form->Panel1->geometry(), QRect(0, 0, 291, Form->Panel1->height()));
  EXPECT_EQ(Form->PaintBox1->size(), QSize(349, 464));
  QStringList Panels;
  for (int P = 0; P < 6; ++P)
    Panels << Form->StatusBar1->PanelText(P);
  EXPECT_EQ(Panels,
            QStringList({"照査位置 X ＝", "", "せん断力 S ＝", "", "曲げモーメント M ＝", ""}));

  QStringList Menus;
  for (QAction* Menu : Form->menuBar()->actions()) {
    Menus << Menu->text();
    for (QAction* Item : Menu->menu()->actions()) {
      QStringList Keys;
      for (const QKeySequence& Key : Item->shortcuts())
        Keys << Key.toString(QKeySequence::PortableText);
      Menus << (Item->isSeparator() ? "-"
                                    : Item->text() + (Item->isEnabled() ? "" : " off") +
                                          (Keys.isEmpty() ? "" : " " + Keys.join(',')));
    }
  }
  EXPECT_EQ(Menus, QStringList({"ファイル(&F)",
                                "新規作成(&N) Ctrl+N",
                                "開く(&O)... Ctrl+O",
                                "上書き保存(&S) Ctrl+S",
                                "名前をつけて保存(&A)... Ctrl+Shift+S",
                                "-",
                                "印刷(&P)...",
                                "ページ設定(&R)...",
                                "PDF出力(&D)...",
                                "図を画像で保存(&I)...",
                                "計算結果をCSVで保存(&C)...",
                                "-",
                                "終了(&X) Ctrl+Q",
                                "編集(&E)",
                                "元に戻す(&U) off Ctrl+Z",
                                "やり直し(&R) off Ctrl+Y,Ctrl+Shift+Z",
                                "-",
                                "断面・材料(&S)...",
                                "梁の種類(&B)",
                                "支点(&P)... off",
                                "表示(&V)",
                                "計算結果(&R)...",
                                "最大・最小値を図に表示",
                                "ヘルプ(&H)",
                                "目次(&C) F1",
                                "トピックの検索(&S)...",
                                "バージョン情報(&A)..."}));
  EXPECT_FALSE(Form->ShowExtremes1->isChecked());
}

TEST_F(FormTest, TheSpanFollowsEveryKeyAndTheToggleTheBeamType) {
  TFormatGrid* Base = Form->BaseDataGrid;
  ClickCell(Base, 2, 1);
  if (!Editing(Base)) ClickCell(Base, 2, 1);
  ASSERT_TRUE(Base->Col() == 2 && Base->Row() == 1 && Editing(Base));
  QLineEdit* Line = Base->InplaceEditor()->LineEdit();
  // Each key paints once, before the next input is handled.
  Paints = 0;
  QTest::keyClicks(Line, "1");
  EXPECT_EQ(Data().Length(), 1);
  QApplication::processEvents();
  EXPECT_EQ(Paints, 1);
  QTest::keyClicks(Line, "2");
  EXPECT_EQ(Data().Length(), 12);
  QApplication::processEvents();
  EXPECT_EQ(Paints, 2);
  Line->selectAll();
  QTest::keyClick(Line, Qt::Key_Delete);
  EXPECT_EQ(Data().Length(), 0);
  QApplication::processEvents();

  ClickCell(Base, 2, 0);
  EXPECT_EQ(Base->GetToggleIndex(2, 0), 1);
  EXPECT_EQ(Data().BeamType(), btCantilever);
  QApplication::processEvents();
  EXPECT_EQ(Paints, 4);
  ClickCell(Base, 3, 0); // the merged half of the same cell
  EXPECT_EQ(Data().Preset(), bpLeftFixed);
  EXPECT_TRUE(Form->SupportBtn->isVisibleTo(Form.get()));
  // Only the beam type row sets the beam type.
  Base->SetToggleIndex(2, 0, 1);
  Form->BaseDataGridToggleChange(Base, 2, 1, 1);
  EXPECT_EQ(Data().Preset(), bpLeftFixed);
  Form->BaseDataGridToggleChange(Base, 2, 0, 1);
  EXPECT_EQ(Data().BeamType(), btCantilever);
  EXPECT_FALSE(Form->SupportBtn->isVisibleTo(Form.get()));
}

TEST_F(FormTest, LoadKindDecidesTheInputRows) {
  TFormatGrid* Input = Form->KjInpGrid;
  Input->SetCells(2, 2, "2.5");
  const QString Force = "荷　重  Ｗ", Moment = "曲げモーメント Ｍ";
  const std::pair<int, QString> Expected[] = {
      {3, Force}, {3, Force}, {3, Force}, {2, Force}, {2, Moment}};
  for (int Kind : {1, 2, 0, 3, 4}) {
    Form->KajyuType->SetItemIndex(Kind);
    EXPECT_EQ(std::pair(Input->RowCount(), Input->Cells(0, 1)), Expected[Kind]) << Kind;
    // Forces in kN, only an applied moment in kN･m.
    EXPECT_EQ(Input->Cells(3, 1), Kind == lkMoment ? "(kN･m)" : "(kN)") << Kind;
  }
  // The width row comes back as it was left, typed value included.
  Form->KajyuType->SetItemIndex(lkRightTriangle);
  ASSERT_EQ(Input->RowCount(), 3);
  EXPECT_EQ(Row(Input, 2), QStringList({"作用幅  Ｌ", "：", "2.5", "(ｍ)"}));
  ASSERT_NE(Input->CellFormat(2, 2), nullptr);
  EXPECT_EQ(Input->CellFormat(2, 2)->Kind, ckEditLine);
  EXPECT_TRUE(Input->CellFormat(2, 2)->Align & caRight);
  EXPECT_EQ(Input->CellFormat(2, 2)->Color, clWindow);
  EXPECT_EQ(Input->CellFormat(0, 2)->Color, clBtnFace);
}

TEST_F(FormTest, AddedLoadsAreListedAndClearTheInputs) {
  EnterLoad(lkUniform, "", "", "", "");
  EXPECT_EQ(Row(Form->KajyuGrid, 1), QStringList({"1", "長方形", "0.000", "0.000", "0.000", ""}));
  EXPECT_FALSE(Data().Modified()); // an all-zero load changes nothing

  // A width left in the hidden row is not stored for a point load.
  Form->KjInpGrid->SetCells(2, 2, "2");
  EnterLoad(lkConcentrated, "4", "10", {}, "P1");
  ASSERT_EQ(Data().LoadCount(), 2);
  EXPECT_EQ(Data().LoadWidth(1), 0);
  EXPECT_EQ(Row(Form->KajyuGrid, 2), QStringList({"2", "集中", "4.000", "10.000", "", "P1"}));
  EXPECT_EQ(Row(Form->KjInpGrid, 0)[2] + Row(Form->KjInpGrid, 1)[2] + Form->NameEdit->text(), "");
  EnterLoad(lkRightTriangle, "1", "6", "2.5", "三角");
  EnterLoad(lkMoment, "0.1234", "-3", {}, {});
  EXPECT_EQ(Row(Form->KajyuGrid, 3),
            QStringList({"3", "右三角", "1.000", "6.000", "2.500", "三角"}));
  EXPECT_EQ(Row(Form->KajyuGrid, 4), QStringList({"4", "曲げＭ", "0.123", "-3.000", "", ""}));
  EXPECT_EQ(Row(Form->KajyuGrid, 5)[1], "");
}

TEST_F(FormTest, APickedLoadCanBeReplacedOrDeleted) {
  EnterLoad(lkUniform, "1", "6", "2.5", "a");
  EnterLoad(lkMoment, "3", "5", {}, "m");
  EnterLoad(lkLeftTriangle, "2", "4", "1", {});
  Form->KajyuType->SetItemIndex(lkUniform);
  const auto Picked = [this] {
    return std::pair(Form->RepBtn->isEnabled() && Form->DelBtn->isEnabled(),
                     Form->RepBtn->Tag() * 10 + Form->DelBtn->Tag());
  };
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 2);
  EXPECT_EQ(Form->KajyuType->ItemIndex(), lkMoment);
  EXPECT_EQ(Row(Form->KjInpGrid, 1)[0], "曲げモーメント Ｍ");
  EXPECT_EQ(Row(Form->KjInpGrid, 0)[2] + " " + Row(Form->KjInpGrid, 1)[2], "3.000 5.000");
  EXPECT_EQ(Form->NameEdit->text(), "m");
  EXPECT_EQ(Picked(), std::pair(true, 22));
  ClickCell(Form->KajyuGrid, 0, 1); // the row's number button
  EXPECT_EQ(Form->KajyuType->ItemIndex(), lkUniform);
  EXPECT_EQ(Row(Form->KjInpGrid, 2)[2], "2.500");
  EXPECT_EQ(Picked(), std::pair(true, 11));
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 4);
  EXPECT_FALSE(Picked().first);

  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  Form->KjInpGrid->SetCells(2, 1, "8");
  Form->AddBtnClick(Form->RepBtn);
  ASSERT_EQ(Data().LoadCount(), 3);
  EXPECT_EQ(Row(Form->KajyuGrid, 1), QStringList({"1", "長方形", "1.000", "8.000", "2.500", "a"}));
  EXPECT_FALSE(Form->RepBtn->isEnabled() || Form->DelBtn->isEnabled());

  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 2);
  Form->DelBtnClick(Form->DelBtn);
  ASSERT_EQ(Data().LoadCount(), 2);
  EXPECT_EQ(Row(Form->KajyuGrid, 2), QStringList({"2", "左三角", "2.000", "4.000", "1.000", ""}));
  EXPECT_EQ(Row(Form->KajyuGrid, 3)[1], "");
  EXPECT_FALSE(Form->RepBtn->isEnabled() || Form->DelBtn->isEnabled());
}

TEST_F(FormTest, ArrowsMoveTheSelectedLoadAndItsPick) {
  const auto Arrows = [this](int ARow) {
    bool CanSelect = true;
    Form->KajyuGridSelectCell(Form->KajyuGrid, 1, ARow, CanSelect);
    return std::pair(Form->UpButton->isEnabled(), Form->DownButton->isEnabled());
  };
  EnterLoad(lkConcentrated, "1", "10");
  EXPECT_EQ(Arrows(1), std::pair(false, false));
  EnterLoad(lkConcentrated, "2", "20");
  EnterLoad(lkConcentrated, "3", "30");
  EXPECT_EQ(Arrows(1), std::pair(false, true));
  EXPECT_EQ(Arrows(2), std::pair(true, true));
  EXPECT_EQ(Arrows(3), std::pair(true, false));
  EXPECT_EQ(Arrows(4), std::pair(false, false));

  QTemporaryDir Dir; // saved, so that the move shows it is an edit
  Data().SaveToFile(Dir.filePath("a.vbd").toStdString());
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  Form->KajyuGrid->setFocus();
  Form->KajyuGrid->SetRow(2);
  Paints = 0;
  QTest::mouseClick(Form->UpButton, Qt::LeftButton);
  EXPECT_EQ(Row(Form->KajyuGrid, 1)[2] + Row(Form->KajyuGrid, 2)[2], "2.0001.000");
  EXPECT_EQ(Form->KajyuGrid->Row(), 1);
  EXPECT_EQ(Arrows(Form->KajyuGrid->Row()), std::pair(false, true));
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(Form->RepBtn->Tag(), 2); // the picked load went down
  Form->UpButtonClick(Form->DownButton);
  Form->UpButtonClick(Form->DownButton);
  EXPECT_EQ(Form->KajyuGrid->Row(), 3);
  EXPECT_EQ(Data().LoadX(2), 2);
  EXPECT_EQ(std::pair(Form->UpButton->isEnabled(), Form->DownButton->isEnabled()),
            std::pair(true, false));
  EXPECT_TRUE(Data().Modified()); // the order is stored in the file
  EXPECT_EQ(Form->DelBtn->Tag(), 1);

  // Replace still writes over the load that was picked.
  Form->KjInpGrid->SetCells(2, 1, "15");
  Form->AddBtnClick(Form->RepBtn);
  EXPECT_EQ(Data().LoadX(0), 1);
  EXPECT_EQ(Data().LoadW(0), 15);

  Form->NameEdit->setFocus(); // leaving the list puts the arrows out
  EXPECT_FALSE(Form->UpButton->isEnabled() || Form->DownButton->isEnabled());
}

TEST_F(FormTest, RemarksAreKeptInTheFileCodePage) {
  Form->NameEdit->setFocus();
  QTest::sendKeyEvent(QTest::Click, Form->NameEdit, Qt::Key_unknown, QStringLiteral("あ"),
                      Qt::NoModifier);
  // A character the file cannot hold does not even enter the box.
  QInputMethodEvent Commit;
  Commit.setCommitString(QStringLiteral("😀"));
  QApplication::sendEvent(Form->NameEdit, &Commit);
  EXPECT_EQ(Form->NameEdit->text(), QStringLiteral("あ"));
  EnterLoad(lkConcentrated, "1", "2", {}, Form->NameEdit->text());
  EXPECT_EQ(Data().LoadRemark(0), "\x82\xa0");
  EXPECT_EQ(Form->KajyuGrid->Cells(5, 1), "あ");
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  EXPECT_EQ(Form->NameEdit->text(), "あ");

  // What the code page cannot hold (a stored byte shown as U+FFFD) stops
  // the command before anything changes.
  Form->NameEdit->setText(QStringLiteral("荷重\uFFFD"));
  Form->KjInpGrid->SetCells(2, 0, "3");
  const bool Modified = Data().Modified();
  EXPECT_THROW(Form->AddBtnClick(Form->AddBtn), Exception);
  EXPECT_THROW(Form->AddBtnClick(Form->RepBtn), Exception);
  EXPECT_EQ(Data().LoadCount(), 1);
  EXPECT_EQ(Data().LoadX(0), 1);
  EXPECT_EQ(Data().Modified(), Modified);
  EXPECT_EQ(Form->KjInpGrid->Cells(2, 0), "3");
  EXPECT_EQ(Form->NameEdit->text(), QStringLiteral("荷重\uFFFD"));
}

TEST_F(FormTest, TheListGrowsPastThirtyLoadsAndShrinksBack) {
  TFormatGrid* List = Form->KajyuGrid;
  for (int I = 0; I < 32; ++I)
    EnterLoad(lkConcentrated, QString::number(I), "1");
  ASSERT_EQ(List->RowCount(), 33);
  EXPECT_EQ(List->Cells(0, 32), "32");
  EXPECT_EQ(List->CellFormat(0, 32)->Kind, ckButton);
  EXPECT_EQ(List->Cells(2, 32), "31.000");
  // The 32nd load can be picked and replaced like any other.
  Form->KajyuGridButtonClick(List, 0, 32);
  ASSERT_TRUE(Form->RepBtn->isEnabled());
  Form->KjInpGrid->SetCells(2, 0, "7");
  Form->AddBtnClick(Form->RepBtn);
  EXPECT_EQ(Data().LoadCount(), 32);
  EXPECT_EQ(Data().LoadX(31), 7);
  // Deleting two loads leaves the 30 rows of an empty list's size.
  for (int I = 0; I < 2; ++I) {
    Form->KajyuGridButtonClick(List, 0, 1);
    Form->DelBtnClick(Form->DelBtn);
  }
  EXPECT_EQ(List->RowCount(), 31);
  EXPECT_EQ(List->Cells(2, 30), "7.000");
  EnterLoad(lkConcentrated, "1", "1");
  Scripted.MessageAnswers.push_back(mrNo);
  Form->New1Click(Form.get());
  EXPECT_EQ(List->RowCount(), 31);
  EXPECT_EQ(List->Cells(2, 30), "");
}

TEST_F(FormTest, EnterMovesThroughTheInputCellsAndOnToTheNextControl) {
  const auto Enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
  const auto At = [](TFormatGrid* Grid) { return Grid->Col() * 10 + Grid->Row(); };
  TFormatGrid* Input = Form->KjInpGrid;
  ClickCell(Input, 2, 0);
  ASSERT_TRUE(QApplication::focusWidget() == Input && !Editing(Input));
  // From the last value on to the remark, as from its editor.
  for (int Expected : {21, 22}) {
    Enter();
    EXPECT_EQ(At(Input), Expected);
  }
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Form->NameEdit);
  Form->KajyuType->SetItemIndex(lkConcentrated);
  ClickCell(Input, 2, 0);
  Enter();
  EXPECT_EQ(At(Input), 21);
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Form->NameEdit);

  // The span cell is current since the window first focused its grid, so
  // the click edits it; Escape leaves the grid focused without an editor.
  ClickCell(Form->BaseDataGrid, 2, 1);
  ASSERT_TRUE(Editing(Form->BaseDataGrid));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  Enter();
  EXPECT_EQ(At(Form->BaseDataGrid), 21);
  EXPECT_EQ(QApplication::focusWidget(), Form->BaseDataGrid);

  Form->NameEdit->setFocus();
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Form->AddBtn);
  EXPECT_EQ(Data().LoadCount(), 0); // moving on is not pressing Add

  const auto Buttons = Form->KajyuType->findChildren<QRadioButton*>();
  ASSERT_EQ(Buttons.size(), 5);
  Buttons[lkConcentrated]->setFocus();
  Enter();
  EXPECT_EQ(QApplication::focusWidget(), Input);
}

} // namespace
