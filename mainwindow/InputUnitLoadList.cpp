// The load list: a numbered row for every load. A long list fills its rows
// as they come on screen; the first EagerListRows are filled at once, so a
// list of ordinary length is always complete.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/InputUnitLayout.h"
#include "platform/QtCanvas.h"
#include "support/Cp932.h"
#include "support/QvxTools.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

constexpr int EagerListRows = 1000;

} // namespace

void TForm1::ResetListColumns() {
  KajyuGrid->SetDefaultColWidth(Layout::GridColWidth);
  KajyuGrid->SetColWidths(0, 24);
  FitRemarkColumn();
}

void TForm1::FitRemarkColumn() {
  constexpr int Remark = 5;
  const int Line = KajyuGrid->ColLineWidth();
  int Used = Line;
  for (int C = 0; C < Remark; ++C)
    Used += KajyuGrid->ColWidths(C) + Line;
  const QFontMetrics Metrics(ToQFont(KajyuGrid->Font()));
  const int Least = Metrics.horizontalAdvance(KajyuGrid->Cells(Remark, 0));
  KajyuGrid->SetColWidths(Remark, std::max(Least, KajyuGrid->viewport()->width() - Used));
}

void TForm1::ShowInListColumn(int C, int Row, const QString& Text) {
  KajyuGrid->SetCells(C, Row, Text);
  // A number is never cut to look like another: its column grows to hold
  // it whole (the list scrolls sideways), with the 3 pixels the cell keeps
  // free on each side.
  const int Needed = QFontMetrics(ToQFont(KajyuGrid->Font())).horizontalAdvance(Text) + 6;
  if (Needed <= KajyuGrid->ColWidths(C)) return;
  KajyuGrid->SetColWidths(C, Needed);
  FitRemarkColumn();
}

void TForm1::SetupListRow(int R) {
  const TCellAlign Centred = caCenter | caVCenter, Right = caRight | caVCenter, Left = caVCenter;
  ShowInListColumn(0, R, QString::number(R));
  KajyuGrid->SetCellKind(0, R, ckButton);
  for (int C = 1; C <= 5; ++C) {
    KajyuGrid->SetCellKind(C, R, ckNormal);
    KajyuGrid->SetCellReadOnly(C, R, true);
  }
  for (int C = 0; C <= 5; ++C)
    KajyuGrid->SetCellAlign(C, R, Right);
  KajyuGrid->SetCellAlign(1, R, Centred);
  KajyuGrid->SetCellAlign(5, R, Left);
}

void TForm1::FitLoadRows() {
  ResizeLoadList(Layout::ListRowsFor(FData->LoadCount()));
}

void TForm1::ResizeLoadList(int Rows) {
  if (Rows == KajyuGrid->RowCount()) return;
  if (KajyuGrid->Row() >= Rows) KajyuGrid->MoveColRow(KajyuGrid->Col(), Rows - 1, true, true);
  KajyuGrid->SetRowCount(Rows);
  FListRows.resize(static_cast<std::size_t>(Rows), lrNew);
}

void TForm1::RefreshLoadList() {
  FitLoadRows();
  for (TListRowState& State : FListRows)
    if (State == lrShown) State = lrStale;
  const int Eager = std::min(KajyuGrid->RowCount(), EagerListRows + 1);
  for (int R = 1; R < Eager; ++R)
    ShowLoadInRow(R);
  ShowListRowsOnScreen();
  UpdateResultsWindow();
}

void TForm1::ShowListRowsOnScreen() {
  if (KajyuGrid->viewport()->height() <= 0) return;
  // The row under the list's bottom pixel; none when the rows end above it.
  const int Bottom = KajyuGrid->MouseToCell(0, KajyuGrid->viewport()->height() - 1).Y;
  const int Last = Bottom < 0 ? KajyuGrid->RowCount() - 1 : Bottom;
  for (int R = std::max(1, KajyuGrid->TopRow()); R <= Last; ++R)
    if (FListRows[static_cast<std::size_t>(R)] != lrShown) ShowLoadInRow(R);
}

void TForm1::ShowLoadInRow(int Row) {
  TListRowState& State = FListRows[static_cast<std::size_t>(Row)];
  if (State == lrNew) SetupListRow(Row);
  State = lrShown;
  const int I = Row - 1;
  MarkLoadRow(Row);
  if (I >= FData->LoadCount()) {
    for (int C = 1; C <= 5; ++C)
      KajyuGrid->SetCells(C, Row, QString());
    return;
  }
  const std::int32_t Kind = FData->LoadKind(I);
  KajyuGrid->SetCells(1, Row,
                      IsKnownKind(Kind)
                          ? QString::fromUtf8(LoadKindNames[static_cast<std::size_t>(Kind)])
                          : QString());
  ShowInListColumn(2, Row, FormatReal3(FData->LoadX(I)));
  ShowInListColumn(3, Row, FormatReal3(FData->LoadW(I)));
  ShowInListColumn(4, Row, IsDistributedKind(Kind) ? FormatReal3(FData->LoadWidth(I)) : QString());
  KajyuGrid->SetCells(5, Row, QString::fromStdString(Cp932ToDisplay(FData->LoadRemark(I))));
}
