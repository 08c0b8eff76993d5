// Timing of one full repaint of the load list: a format grid of 6 × 31
// cells, row-number buttons in column 0, read-only text cells in columns
// 1 to 5 and a fixed header row, painted through QWidget::render.
#include "components/FormatGrid.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void FormatLoadList(TFormatGrid& Grid) {
  Grid.SetColCount(6);
  Grid.SetRowCount(31);
  Grid.SetFixedCols(1);
  Grid.SetFixedRows(1);
  Grid.SetDefaultColWidth(48);
  Grid.SetDefaultRowHeight(22);
  Grid.SetColWidths(0, 24);
  Grid.SetColWidths(5, 100);
  Grid.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect |
                  goColSizing);
  Grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const TCellAlign Centred = caCenter | caVCenter, Right = caRight | caVCenter;
  const QString Headers[] = {QStringLiteral("No"),   QStringLiteral("種類"),
                             QStringLiteral("位置"), QStringLiteral("荷重"),
                             QStringLiteral("幅"),   QStringLiteral("備考")};
  const QString Kinds[] = {QStringLiteral("分布"), QStringLiteral("左三角"),
                           QStringLiteral("右三角"), QStringLiteral("集中"),
                           QStringLiteral("モーメント")};
  for (int C = 0; C < 6; ++C) {
    Grid.SetCells(C, 0, Headers[C]);
    Grid.SetCellAlign(C, 0, Centred);
  }
  for (int R = 1; R < 31; ++R) {
    Grid.SetCells(0, R, QString::number(R));
    Grid.SetCellKind(0, R, ckButton);
    for (int C = 1; C <= 5; ++C) {
      Grid.SetCellKind(C, R, ckNormal);
      Grid.SetCellReadOnly(C, R, true);
      Grid.SetCellAlign(C, R, Right);
    }
    Grid.SetCellAlign(1, R, Centred);
    Grid.SetCellAlign(5, R, caVCenter);
    Grid.SetCells(1, R, Kinds[R % 5]);
    Grid.SetCells(2, R, QString::number(R * 0.25, 'f', 3));
    Grid.SetCells(3, R, QString::number(R * 1.5 - 10, 'f', 3));
    Grid.SetCells(4, R, R % 5 < 3 ? QString::number(R % 4 + 0.5, 'f', 3) : QString());
    Grid.SetCells(5, R, QStringLiteral("荷重 %1").arg(R));
  }
}

void BM_RepaintLoadList(benchmark::State& State) {
  TFormatGrid Grid;
  FormatLoadList(Grid);
  // Every row and column on screen.
  Grid.resize(24 + 4 * 48 + 100 + 6, 31 * 23);
  Grid.show();
  QApplication::processEvents();
  QImage Image(Grid.size(), QImage::Format_RGB32);
  for (auto _ : State) {
    Grid.render(&Image);
    benchmark::DoNotOptimize(Image.constBits());
  }
}
BENCHMARK(BM_RepaintLoadList)->Unit(benchmark::kMicrosecond);

} // namespace
