// The results window: what it shows, that it follows every change of the
// document, and that its text can be copied.
#include "mainwindow/ResultsWindow.h"
#include "mainwindow/BeamImage.h"
#include "mainwindow/Exports.h"
#include "mainwindow/ResultsText.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/mainwindow/FormFixture.h"

#include <QClipboard>
#include <QMultiHash>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

class ResultsWindowTest : public FormTest {
protected:
  QString Shown() const { return Form->FResultsWindow->ResultsMemo->toPlainText(); }
};

TEST_F(ResultsWindowTest, ShowsReactionsExtremesAndSharesAndFollowsEveryChange) {
  EnterLoad(lkConcentrated, "4", "10", {}, "柱");
  Form->BaseDataGrid->SetCells(2, 1, "10");
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  Form->Results1->trigger();
  ASSERT_TRUE(Form->FResultsWindow && Form->FResultsWindow->isVisible());
  EXPECT_EQ(Form->FResultsWindow->windowTitle(), "計算結果");
  EXPECT_FALSE(Form->FResultsWindow->isModal());
  const QStringList Lines = Shown().split('\n');
  EXPECT_EQ(Lines[0], "梁の種類: 単純梁    スパン L = 10.000(m)");
  EXPECT_TRUE(Lines.contains("左支点の反力 RA = 6.000(kN)"));
  EXPECT_TRUE(Lines.contains("右支点の反力 RB = 4.000(kN)"));
  EXPECT_TRUE(Lines.contains("せん断力の最小 S = -4.000(kN)    X = 4.000(m)"));
  EXPECT_TRUE(Lines.contains("曲げモーメントの最大 M = 24.000(kN･m)    X = 4.000(m)"));
  EXPECT_EQ(Lines.last(), "  1  集中  4.000  10.000(kN)          6.000   4.000  柱")
      << Shown().toStdString();

  // Every edit shows at once: a second load, the beam type, a move, a delete.
  EnterLoad(lkMoment, "5", "20", {}, "M");
  EXPECT_TRUE(Shown().contains("20.000(kN･m)"));
  EXPECT_TRUE(Shown().contains("左支点の反力 RA = 4.000(kN)"));
  Form->BaseDataGrid->SetToggleIndex(2, 0, 1);
  Form->BaseDataGridToggleChange(Form->BaseDataGrid, 2, 0, 1);
  EXPECT_TRUE(Shown().contains("固定端の反力 R = 10.000(kN)"));
  EXPECT_TRUE(Shown().contains("固定端の曲げモーメント M = -40.000(kN･m)"));
  // A moment standing at the wall is the wall's too.
  EnterLoad(lkMoment, "10", "10");
  EXPECT_TRUE(Shown().contains("固定端の曲げモーメント M = -30.000(kN･m)"));
  Form->Undo1Click(Form.get());
  Form->KajyuGrid->SetRow(1);
  Form->UpButtonClick(Form->DownButton);
  EXPECT_TRUE(Shown().split('\n').last().startsWith("  2  集中")) << Shown().toStdString();
  Form->DelBtn->SetTag(1);
  Form->DelBtnClick(Form->DelBtn);
  EXPECT_FALSE(Shown().contains("曲げＭ"));
  Scripted.MessageAnswers = {mrNo};
  Form->New1Click(Form.get());
  EXPECT_TRUE(Shown().contains("計算結果はありません"));
}

TEST_F(ResultsWindowTest, TheTextIsSelectableAndCopies) {
  Form->Results1->trigger();
  QPlainTextEdit* Memo = Form->FResultsWindow->ResultsMemo;
  EXPECT_TRUE(Memo->isReadOnly());
  EXPECT_TRUE(Memo->textInteractionFlags() & Qt::TextSelectableByMouse);
  Form->FResultsWindow->CopyBtn->click();
  EXPECT_EQ(QApplication::clipboard()->text(), Memo->toPlainText());
  // Closed, it is left alone until shown again, then current.
  Form->FResultsWindow->CloseBtn->click();
  EXPECT_FALSE(Form->FResultsWindow->isVisible());
  EnterLoad(lkConcentrated, "1", "2");
  Form->Results1->trigger();
  EXPECT_TRUE(Shown().contains("2.000(kN)"));
}

TEST_F(ResultsWindowTest, ValuesThatOverflowReadOutOfRangeAndTheDiagramSaysWhyMIsMissing) {
  // M = RA·x overflows, and with it S through the reactions.
  BuildBeam(Data(), btSimple, 10, {{lkConcentrated, 5, 1.7e308, 0}});
  ASSERT_FALSE(std::isfinite(Data().Points()[300].M));
  Form->Results1->trigger();
  EXPECT_TRUE(Shown().contains("曲げモーメントの最大 M = 範囲外")) << Shown().toStdString();
  EXPECT_FALSE(Shown().contains("inf", Qt::CaseInsensitive) ||
               Shown().contains("nan", Qt::CaseInsensitive));
  // The CSV says 範囲外 exactly where a sample is not finite (its row is
  // one of those at the sample's X).
  QMultiHash<double, QList<QByteArray>> Rows;
  for (const QByteArray& Line : ResultsCsv(Data()).trimmed().split('\n').mid(1))
    Rows.insert(Line.split(',')[0].toDouble(), Line.trimmed().split(','));
  for (std::size_t I = 0; I < Data().Points().size(); ++I) {
    const TCalcPoint& P = Data().Points()[I];
    const auto Matches = [&P](const QList<QByteArray>& Cells) {
      return (Cells[1] == "範囲外") != std::isfinite(P.S) &&
             (Cells[2] == "範囲外") != std::isfinite(P.M);
    };
    const QList<QList<QByteArray>> AtX = Rows.values(P.X);
    EXPECT_TRUE(std::any_of(AtX.begin(), AtX.end(), Matches)) << I;
  }
  // Shown, the M line that cannot be drawn leaves its note at the lower
  // left of the area, and nothing else.
  TDiagramLayers NoMoment;
  NoMoment.Moment = false;
  const QImage With = RenderBeamImage(Data(), 600, 300, {});
  const QImage Without = RenderBeamImage(Data(), 600, 300, NoMoment);
  const QRect Note(0, 225, 300, 75);
  int Elsewhere = 0, Blue = 0;
  for (int Y = 0; Y < With.height(); ++Y)
    for (int X = 0; X < With.width(); ++X)
      if (With.pixel(X, Y) != Without.pixel(X, Y)) {
        Elsewhere += !Note.contains(X, Y);
        Blue += With.pixel(X, Y) == qRgb(0, 0, 255);
      }
  EXPECT_GT(Blue, 50);
  EXPECT_EQ(Elsewhere, 0);
}

// Fixed-fixed under w = 2 kN/m over 6 m: M = -wL²/12 = -6 at both ends,
// the walls' moments 6 counterclockwise at the left, clockwise at the
// right; propped, -wL²/8 at the wall; the plain cantilever with 10 kN at its free end: M = -PL =
// -60, the wall's moment 60 clockwise. The load table shows M as the results.
TEST(ResultsTextTest, FixedEndsShowTheBendingMomentAndTheWallsMomentInWords) {
  TData Data;
  BuildBeam(Data, btSimple, 6, {{lkUniform, 0, 12, 6}});
  Data.SetSupports(bpFixedFixed, PresetSupports(bpFixedFixed, 6));
  QStringList Lines = ResultsText(Data).split('\n');
  for (const char* Line :
       {"R1: x = 0.000(m) 固定 の反力 R = 6.000(kN)    曲げモーメント M = -6.000(kN･m)",
        "    R1 の反力モーメント 6.000(kN･m) 反時計回り",
        "R2: x = 6.000(m) 固定 の反力 R = 6.000(kN)    曲げモーメント M = -6.000(kN･m)",
        "    R2 の反力モーメント 6.000(kN･m) 時計回り"})
    EXPECT_TRUE(Lines.contains(Line)) << Line << "\n" << Lines.join('\n').toStdString();
  EXPECT_TRUE(Lines.last().simplified().endsWith("6.000 -6.000 6.000 -6.000"))
      << Lines.last().toStdString();
  // Propped at the right end by the pin its name says: M = -wL²/8 = -9 at the wall.
  Data.SetSupports(bpPropped, PresetSupports(bpPropped, 6));
  EXPECT_TRUE(ResultsText(Data).contains(
      "R1: x = 0.000(m) 固定 の反力 R = 7.500(kN)    曲げモーメント M = -9.000(kN･m)"));
  EXPECT_TRUE(ResultsText(Data).contains("R2: x = 6.000(m) ピン の反力 R = 4.500(kN)"));
  BuildBeam(Data, btCantilever, 6, {{lkConcentrated, 0, 10, 0}});
  Lines = ResultsText(Data).split('\n');
  EXPECT_TRUE(Lines.contains("固定端の曲げモーメント M = -60.000(kN･m)"));
  EXPECT_TRUE(Lines.contains("    固定端の反力モーメント 60.000(kN･m) 時計回り"));
}

TEST(ResultsTextTest, ColumnsLineUpWithFullWidthCharacters) {
  const QStringList Lines =
      AlignColumns({{"No.", "種類", "X(m)", "備考"}, {"1", "長方形", "-12.000", "a"}});
  EXPECT_EQ(Lines, QStringList({"No.  種類       X(m)  備考", "  1  長方形  -12.000  a"}));
}

} // namespace
