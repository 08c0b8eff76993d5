// The diagram area and the check position readout: the mouse over the
// diagrams, and a position typed after a click on the status bar.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"

#include <QHelpEvent>
#include <QToolTip>

namespace {

class ReadoutTest : public FormTest {
protected:
  // A 10 m simple beam with P = 10 kN at 4 m: RA = 6, RB = 4, M max 24.
  void SetUpBeam() {
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
    EnterLoad(lkConcentrated, "4", "10");
    Form->PaintBox1->repaint();
  }
  QString ReadoutAt(int X) {
    Form->PaintBox1MouseMove(Form->PaintBox1, 0, X, 100);
    return Readout();
  }
  QString Readout() const {
    return Form->StatusBar1->PanelText(1) + "|" + Form->StatusBar1->PanelText(3) + "|" +
           Form->StatusBar1->PanelText(5);
  }
  // The boxes a typed position brings up after the input box.
  std::vector<TDialogCall> Check(const QString& Entry) {
    Scripted.Calls.clear();
    Scripted.InputAnswers = {Entry};
    Scripted.MessageAnswers = {mrOk};
    Form->StatusBar1Click(Form->StatusBar1);
    EXPECT_EQ(Scripted.Calls.at(0).Kind, dkInput);
    return {Scripted.Calls.begin() + 1, Scripted.Calls.end()};
  }
};

TEST_F(ReadoutTest, MouseShowsTheForcesUnderItClampedToTheBeam) {
  SetUpBeam();
  EXPECT_DOUBLE_EQ(Form->FScale, 28.9);
  EXPECT_EQ(Form->FOriginX, 30);
  EXPECT_EQ(ReadoutAt(10), "0.000|6.000|0.000");
  EXPECT_EQ(ReadoutAt(59), "1.003|6.000|6.021"); // 29 / 28.9 m in
  EXPECT_EQ(ReadoutAt(340).left(7), "10.000|");
  EXPECT_EQ(ReadoutAt(340).right(6), "|0.000");
  QTest::mouseMove(Form->PaintBox1, QPoint(59, 200)); // no button held
  EXPECT_EQ(Readout(), "1.003|6.000|6.021");

  // Hiding a diagram repaints and keeps the readout.
  Paints = 0;
  Form->SCheckBox->SetChecked(false);
  QApplication::processEvents();
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(ReadoutAt(10), "0.000|6.000|0.000");

  // A span of 0 has nothing to read, at once and on mouse moves; nor has
  // the empty document that undo comes back to.
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "0");
  EXPECT_EQ(Readout(), "||");
  EXPECT_EQ(ReadoutAt(59), "||");
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  ASSERT_EQ(ReadoutAt(59), "1.003|6.000|6.021");
  while (Form->Undo1->isEnabled())
    Form->Undo1Click(Form.get());
  EXPECT_EQ(Readout(), "||");
}

TEST_F(ReadoutTest, ValuesShowWholeOrVisiblyCutWithTheWholeValueInTheToolTip) {
  // A 10 m cantilever: M at the wall is -4755.1033 × 10 = -47551.033.
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  ClickCell(Form->BaseDataGrid, 2, 0);
  ASSERT_EQ(Data().BeamType(), btCantilever);
  EnterLoad(lkConcentrated, "0", "4755.1033");
  Form->PaintBox1->repaint();
  TStatusBar* Bar = Form->StatusBar1;
  ReadoutAt(400);
  ASSERT_EQ(Bar->PanelText(5), "-47551.033");
  EXPECT_EQ(Bar->ShownPanelText(5), Bar->PanelText(5));
  EXPECT_EQ(Bar->ShownPanelText(3), "-4755.103");

  // A value that overflowed reads 範囲外, not "-inf".
  EnterLoad(lkConcentrated, "0", "1.7e308");
  ReadoutAt(400);
  EXPECT_EQ(Bar->PanelText(5), "範囲外");

  Bar->SetPanelText(5, "-123456789012.345");
  const QString Shown = Bar->ShownPanelText(5);
  EXPECT_TRUE(Shown.endsWith(QChar(0x2026))) << Shown.toStdString();
  EXPECT_TRUE(QString("-123456789012.345").startsWith(Shown.chopped(1)));
  const QPoint Inside = Bar->PanelRect(5).center();
  QHelpEvent Help(QEvent::ToolTip, Inside, Bar->mapToGlobal(Inside));
  QApplication::sendEvent(Bar, &Help);
  EXPECT_EQ(QToolTip::text(), "-123456789012.345");
}

// The readout is of the document shown: after an undo, the values at the
// same X are the restored beam's (RA = 6 kN, M = RA·x left of the load,
// worked by hand).
TEST_F(ReadoutTest, AnUndoneEditReadsTheRestoredBeamAtTheSameX) {
  SetUpBeam();
  const double X = 29 / Form->FScale;
  const auto Expected = [X](double RA) {
    return QString("%1|%2|%3").arg(X, 0, 'f', 3).arg(RA, 0, 'f', 3).arg(RA * X, 0, 'f', 3);
  };
  ASSERT_EQ(ReadoutAt(59), Expected(6));
  EnterLoad(lkConcentrated, "9", "10"); // RA grows by 10 × 1 / 10
  EXPECT_EQ(Readout(), Expected(7));
  Form->Undo1Click(Form.get());
  EXPECT_EQ(Readout(), Expected(6));
}

// Where S jumps (the supports at 0 and L, P at 4 m), the panel after M
// names the side whose S it shows: 6 kN left of P, 6 - 10 right of it.
TEST_F(ReadoutTest, AtAJumpTheReadoutNamesTheSideItShows) {
  SetUpBeam();
  Form->FScale = 10000; // 0.1 mm to the pixel
  const std::pair<int, QString> Cases[] = {
      {0, "0.000|6.000|右側"},      {40029, "4.000|6.000|左側"}, {40030, "4.000|-4.000|右側"},
      {40031, "4.000|-4.000|右側"}, {50030, "5.000|-4.000|"},    {200000, "10.000|-4.000|左側"}};
  for (const auto& [Pixel, Shown] : Cases) {
    Form->PaintBox1MouseMove(Form->PaintBox1, 0, Pixel, 100);
    const TStatusBar* Bar = Form->StatusBar1;
    EXPECT_EQ(Bar->PanelText(1) + "|" + Bar->PanelText(3) + "|" + Bar->PanelText(6), Shown);
  }
}

TEST_F(ReadoutTest, NothingIsReadBeforeABeamHasBeenDrawn) {
  for (int Panel : {1, 3, 5})
    Form->StatusBar1->SetPanelText(Panel, "-");
  EXPECT_EQ(ReadoutAt(100), "-|-|-");
}

TEST_F(ReadoutTest, ATypedPositionShowsItsForcesInABox) {
  SetUpBeam();
  for (const QString Entry : {"", "abc", "-0.001", "10.001"}) {
    const auto Boxes = Check(Entry);
    ASSERT_EQ(Boxes.size(), 1u) << Entry.toStdString();
    EXPECT_EQ(Boxes[0].Text, "照査位置が、部材範囲を超えているため計算できません。");
    EXPECT_EQ(Boxes[0].Caption, "エラー");
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_EQ(Boxes[0].Buttons, unsigned(mbOK));
  }
  const std::pair<QString, QString> Accepted[] = {
      {"10", "照査位置 = 10.000(m)\r\nせん断力 = -4.000(kN)\r\n曲げモーメント = 0.000(kN･m)"},
      {" 2 ", "照査位置 = 2.000(m)\r\nせん断力 = 6.000(kN)\r\n曲げモーメント = 12.000(kN･m)"},
      {"0", "照査位置 = 0.000(m)\r\nせん断力 = 6.000(kN)\r\n曲げモーメント = 0.000(kN･m)"}};
  for (const auto& [Entry, Text] : Accepted) {
    const auto Boxes = Check(Entry);
    ASSERT_EQ(Boxes.size(), 1u) << Entry.toStdString();
    EXPECT_EQ(Boxes[0].Text, Text);
    EXPECT_EQ(Boxes[0].Caption, "照査位置の情報");
    EXPECT_EQ(Boxes[0].Type, mtInformation);
  }
  Scripted.InputAnswers = {std::nullopt}; // cancelled: nothing more
  Scripted.Calls.clear();
  Form->StatusBar1Click(Form->StatusBar1);
  EXPECT_EQ(Scripted.Calls.size(), 1u);
}

TEST_F(ReadoutTest, WithoutASpanOnlyPositionZeroPassesAndShowsNothing) {
  EXPECT_TRUE(Check("0").empty());
  ASSERT_EQ(Check("1").size(), 1u);
  EXPECT_EQ(Scripted.Calls[1].Caption, "エラー");
  // A click on the bar itself asks the same way.
  Scripted.Calls.clear();
  Scripted.InputAnswers = {std::nullopt};
  QTest::mouseClick(Form->StatusBar1, Qt::LeftButton, {}, QPoint(30, 8));
  ASSERT_EQ(Scripted.Calls.size(), 1u);
  EXPECT_EQ(Scripted.Calls[0].Kind, dkInput);
}

} // namespace
