// A long load list fills its rows as they come on screen; what it shows
// there is what a list filled at once would show.
#include "tests/mainwindow/FormFixture.h"

#include "platform/QtCanvas.h"
#include "tests/kit/BeamBuilder.h"

#include <QFontMetrics>
#include <cmath>
#include <random>

namespace {

TEST_F(FormTest, ALongListFillsItsRowsAsTheyComeOnScreen) {
  std::vector<TBeamLoad> Loads(3000, TBeamLoad{lkConcentrated, 0, 1, 0, ""});
  for (std::size_t I = 0; I < Loads.size(); ++I)
    Loads[I].X = 0.001 * static_cast<double>(I);
  Loads.back().X = 20; // beyond the span: a marked row
  BuildBeam(Data(), btSimple, 10, Loads);
  Form->RefreshLoadList();
  TFormatGrid* List = Form->KajyuGrid;
  ASSERT_EQ(List->RowCount(), 3001);
  EXPECT_EQ(List->Cells(2, 1000), "0.999");
  EXPECT_EQ(List->Cells(2, 3000), "") << "off screen, not filled yet";

  List->setFocus();
  List->SetRow(3000);
  QApplication::processEvents();
  ASSERT_GE(List->TopRow(), 2900) << "the list scrolled to its end";
  EXPECT_EQ(List->Cells(0, 3000), "3000");
  EXPECT_EQ(List->Cells(1, 3000), "集中");
  EXPECT_EQ(List->Cells(2, 3000), "20.000");
  ASSERT_NE(List->CellFormat(0, 3000), nullptr);
  EXPECT_EQ(List->CellFormat(0, 3000)->Kind, ckButton);
  EXPECT_NE(List->CellFormat(2, 3000)->Color, List->Color()) << "marked outside the span";

  // A refresh fills the rows on screen again at once, marks included.
  Data().SetLoadX(2999, 1);
  Form->RefreshLoadList();
  EXPECT_EQ(List->Cells(2, 3000), "1.000");
  EXPECT_EQ(List->CellFormat(2, 3000)->Color, List->Color());
}

} // namespace

namespace {

TEST_F(FormTest, EveryNumberInTheListFitsItsColumnWhole) {
  std::mt19937 Random(5);
  std::vector<TBeamLoad> Loads;
  for (int I = 0; I < 1200; ++I) {
    const double Scale = std::pow(10.0, static_cast<double>(Random() % 10));
    const double Sign = Random() % 2 ? -1 : 1;
    Loads.push_back({lkUniform, Sign * Scale * 1.234, -Sign * Scale * 9.876, Scale, ""});
  }
  BuildBeam(Data(), btSimple, 10, Loads);
  Form->RefreshLoadList();
  TFormatGrid* List = Form->KajyuGrid;
  const QFontMetrics Metrics(ToQFont(List->Font()));
  for (int R = 1; R <= 1000; ++R)
    for (int C : {0, 2, 3, 4})
      ASSERT_LE(Metrics.horizontalAdvance(List->Cells(C, R)) + 6, List->ColWidths(C))
          << List->Cells(C, R).toStdString();
  Scripted.MessageAnswers = {mrNo};
  Form->New1Click(Form.get());
  EXPECT_EQ(List->ColWidths(0), 24);
  EXPECT_EQ(List->ColWidths(3), 48);
  // 備考 ends at the list's right edge, with no room left and none cut.
  EXPECT_EQ(List->CellRect(5, 0).Right + List->ColLineWidth(), List->viewport()->width());
}

} // namespace
