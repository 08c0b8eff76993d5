// Full-width numbers in every field that takes one, loads outside the span
// marked in the list and the status bar, and the file named at start.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "mainwindow/ProgramStart.h"

#include <QDir>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>

namespace {

class DesktopTest : public FormTest {
protected:
  void SetSpan(const QString& Text) {
    Form->BaseDataGrid->SetCells(2, 1, Text);
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, Text);
  }
  TColor RowColor(int Row) const { return Form->KajyuGrid->CellFormat(3, Row)->Color; }
  // The tool tip shown for the middle of list cell (C, Row).
  QString ToolTipAt(int C, int Row) {
    const TRect R = Form->KajyuGrid->CellRect(C, Row);
    const QPoint At((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    QWidget* Viewport = Form->KajyuGrid->viewport();
    // A tip fades out after hideText; start from none.
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QHelpEvent Event(QEvent::ToolTip, At, Viewport->mapToGlobal(At));
    QApplication::sendEvent(Viewport, &Event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }
};

TEST_F(DesktopTest, FullWidthNumbersReachTheSpanTheLoadAndTheCheckPosition) {
  SetSpan(QStringLiteral("１２．５"));
  EXPECT_EQ(Data().Length(), 12.5);
  // The cell keeps the text as typed.
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), QStringLiteral("１２．５"));
  EnterLoad(lkUniform, QStringLiteral("－３"), QStringLiteral("１Ｅ３"), QStringLiteral("０．５"));
  ASSERT_EQ(Data().LoadCount(), 1);
  EXPECT_EQ(Data().LoadX(0), -3);
  EXPECT_EQ(Data().LoadW(0), 1000);
  EXPECT_EQ(Data().LoadWidth(0), 0.5);

  Scripted.InputAnswers = {QStringLiteral("５")};
  Scripted.MessageAnswers.push_back(mrOk);
  Form->StatusBar1Click(Form->StatusBar1);
  ASSERT_EQ(Scripted.Calls.size(), 2u);
  EXPECT_TRUE(Scripted.Calls[1].Text.startsWith(QStringLiteral("照査位置 = 5.000(m)")))
      << Scripted.Calls[1].Text.toStdString();
}

TEST_F(DesktopTest, ALoadOutsideTheSpanIsKeptAndMarked) {
  const TColor Plain = Form->KajyuGrid->Color();
  SetSpan("10");
  EnterLoad(lkUniform, "8", "1", "4");
  ASSERT_EQ(Data().LoadCount(), 1);
  EXPECT_EQ(Data().LoadWidth(0), 4);
  EXPECT_NE(RowColor(1), Plain);
  EXPECT_EQ(Form->StatusBar1->Message(), QStringLiteral("部材範囲外の荷重があります"));
  EXPECT_EQ(ToolTipAt(3, 1), QStringLiteral("部材範囲外の荷重があります"));

  // A load on the beam clears the message and is not marked.
  EnterLoad(lkConcentrated, "2", "1");
  EXPECT_EQ(Form->StatusBar1->Message(), QString());
  EXPECT_EQ(RowColor(2), Plain);
  EXPECT_EQ(ToolTipAt(3, 2), QString());
  EXPECT_EQ(ToolTipAt(3, 5), QString());

  // A longer span takes the first load in, a shorter one leaves the second out.
  SetSpan("12");
  EXPECT_EQ(RowColor(1), Plain);
  SetSpan("1");
  EXPECT_NE(RowColor(1), Plain);
  EXPECT_NE(RowColor(2), Plain);

  // Replacing it by one on the beam, and the readout taking the bar back.
  SetSpan("10");
  ClickCell(Form->KajyuGrid, 0, 1);
  EnterLoad(lkUniform, "8", "1", "5", {}, Form->RepBtn);
  EXPECT_FALSE(Form->StatusBar1->Message().isEmpty());
  Form->PaintBox1MouseMove(Form->PaintBox1, 0, Form->PaintBox1->width() / 2, 10);
  EXPECT_EQ(Form->StatusBar1->Message(), QString());
  // Undone, the marks follow the document again.
  Form->Undo1Click(Form.get());
  EXPECT_NE(RowColor(1), Plain);
}

TEST_F(DesktopTest, TheFileNamedFirstAtStartIsOpened) {
  QTemporaryDir Dir;
  TData Beam;
  Beam.SetLength(7);
  Beam.SaveToFile(Dir.filePath("beam1.vbd").toStdString());

  OpenStartFile(*Form, QString());
  QApplication::processEvents();
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vantrel - [新規データ]"));
  EXPECT_TRUE(Scripted.Calls.empty());

  // A name relative to the working folder becomes a full path.
  const QString Cwd = QDir::currentPath();
  QDir::setCurrent(Dir.path());
  OpenStartFile(*Form, QStringLiteral("beam1.vbd"));
  QDir::setCurrent(Cwd);
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vantrel - [新規データ]"));
  QApplication::processEvents();
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vantrel - [beam1]"));
  EXPECT_EQ(Form->FFileName, Dir.filePath("beam1.vbd"));
  EXPECT_EQ(Data().Length(), 7);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "7.000");
  EXPECT_FALSE(Data().Modified());
  EXPECT_TRUE(Scripted.Calls.empty());
}

} // namespace

namespace {

TEST_F(DesktopTest, ARemarkTooLongForItsColumnShowsWholeInTheToolTip) {
  SetSpan("10");
  const QString Long = QStringLiteral("二階床梁の東側、設備荷重を含む長い備考です");
  EnterLoad(lkConcentrated, "2", "1", {}, Long);
  EnterLoad(lkConcentrated, "3", "1", {}, QStringLiteral("短"));
  EXPECT_EQ(ToolTipAt(5, 1), Long);
  EXPECT_EQ(ToolTipAt(5, 2), QString());
  EXPECT_EQ(ToolTipAt(3, 1), QString()); // only over the remark
  EnterLoad(lkConcentrated, "12", "1", {}, Long);
  EXPECT_EQ(ToolTipAt(5, 3), QStringLiteral("部材範囲外の荷重があります\n") + Long);
}

} // namespace
