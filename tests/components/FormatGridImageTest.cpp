// The format grid's painting compared pixel for pixel with a reference: a
// sample grid with a cell of every kind, enabled and disabled.
//
// The reference tests/data/format_grid.png is regenerated only on purpose,
// after a deliberate change of the drawing, by running
//   VANTREL_REGENERATE_IMAGES=1 build/test/tests/components_tests
//     --gtest_filter='FormatGridImageTest.*'     (one command line)
// and looking at the image before committing it.
#include "components/FormatGrid.h"
#include "tests/ReferenceImage.h"
#include "tests/kit/GridWindow.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(FormatGridImageTest, EveryKindEnabledAndDisabled) {
  // A 16 × 16 picture on a white ground: a dark frame round a red square.
  TImageList Images;
  Images.Images.push_back({16, 16, std::vector<TColor>(256, clWhite)});
  for (int Y = 2; Y < 14; ++Y)
    for (int X = 2; X < 14; ++X)
      Images.Images[0].Pixels[static_cast<std::size_t>(Y * 16 + X)] =
          X == 2 || X == 13 || Y == 2 || Y == 13 ? clNavy : clRed;
  QWidget Window;
  Window.resize(340, 400);
  auto* Grid = new TFormatGrid(&Window);
  Grid->setGeometry(4, 4, 332, 392);
  Grid->SetImageList(&Images);
  Grid->SetColCount(3);
  Grid->SetRowCount(15);
  Grid->SetFixedCols(0);
  Grid->SetDefaultColWidth(110);
  Grid->SetColWidths(0, 96);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  // Each row: a caption, then the kind enabled and, where marked, disabled.
  const struct {
    const char* Caption;
    std::uint8_t Kind;
    const char* Text;
    bool Disabled;
  } Rows[] = {
      // clang-format off
      {"種類", ckFixed, "有効", false}, {"Label", ckLabel, "キャプション", true},
      {"Edit line", ckEditLine, "12.500", true}, {"Edit box", ckEditBox, "text", true},
      {"Button", ckButton, "Push", true}, {"Button down", ckButton, "Pushed", false},
      {"Check box", ckCheckBox, "Checked", true}, {"Check box", ckCheckBox, "Unchecked", true},
      {"Toggle", ckToggle, "", true}, {"Colour button", ckColorButton, "Red", true},
      {"Wide button", ckWideButton, "Wide", true}, {"Pick list", ckPickList, "kN/m", true},
      {"Image", ckImage, "", true}, {"Merged", ckNormal, "two columns, centred", false},
      {"Current", ckNormal, "focused", false},
      // clang-format on
  };
  for (int R = 0; R < 15; ++R) {
    Grid->SetCells(0, R, QString::fromUtf8(Rows[R].Caption));
    Grid->SetCellKind(0, R, ckLabel);
    Grid->SetCellAlign(0, R, caVCenter);
    for (int C = 1; C <= (Rows[R].Disabled ? 2 : 1); ++C) {
      Grid->SetCells(C, R, QString::fromUtf8(Rows[R].Text));
      Grid->SetCellKind(C, R, Rows[R].Kind);
      Grid->CellFormat(C, R)->Enabled = C == 1;
      Grid->CellFormat(C, R)->ImageIndex = 0;
      Grid->ToggleItems(C, R) = {QStringLiteral("単純梁"), QStringLiteral("片持ち梁")};
    }
  }
  Grid->SetCellKind(0, 0, ckFixed);
  Grid->SetCellAlign(0, 0, caCenter | caVCenter);
  Grid->SetCellAlign(1, 0, caCenter | caVCenter);
  Grid->SetCells(2, 0, QStringLiteral("Disabled")); // no record: flat, top left
  Grid->SetCellAlign(1, 2, caRight | caVCenter);
  Grid->SetCellAlign(2, 2, caRight | caVCenter);
  Grid->CellFormat(1, 5)->Down = true;
  Grid->CellFormat(1, 6)->Down = true;
  Grid->CellFormat(2, 6)->Down = true;
  Grid->SetCellColor(1, 9, clRed);
  Grid->SetCellColor(2, 9, clRed);
  Grid->SetCellAlign(1, 13, caCenter | caVCenter);
  Grid->SetCellMerge(2, 13, 1, true);
  Grid->SetCells(2, 14, QStringLiteral("normal"));
  Grid->MoveColRow(1, 14, true, false);

  ASSERT_NO_FATAL_FAILURE(ShowActive(Window, *Grid));
  CheckAgainstReference(Grid->grab().toImage(), VANTREL_TEST_DATA_DIR, "format_grid.png");
}

} // namespace
