// The cells of the three grids, and the load entry's rows and captions by
// load kind.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"

#include <QCoreApplication>

namespace {

// The caption of the magnitude row for the force kinds.
constexpr char ForceCaption[] = "荷　重  Ｗ";

} // namespace

void TForm1::SetupGrids() {
  // The colour first: new cell formats take the grid's colour.
  BaseDataGrid->SetRowCount(2);
  for (TFormatGrid* Grid : {BaseDataGrid, KjInpGrid}) {
    Grid->SetColor(clBtnFace);
    Grid->SetColWidths(0, Grid->width() - 2 * Grid->DefaultColWidth() - 10);
    Grid->SetColWidths(1, 10);
  }
  const TCellAlign Centred = caCenter | caVCenter, Right = caRight | caVCenter, Left = caVCenter;
  auto Cell = [](TFormatGrid* Grid, int C, int R, const QString& Text, std::uint8_t Kind,
                 TCellAlign Align) {
    Grid->SetCells(C, R, Text);
    Grid->SetCellKind(C, R, Kind);
    Grid->SetCellAlign(C, R, Align);
  };

  Cell(BaseDataGrid, 0, 0, QStringLiteral("梁の種類"), ckLabel, Centred);
  Cell(BaseDataGrid, 1, 0, QStringLiteral("："), ckLabel, Centred);
  Cell(BaseDataGrid, 2, 0, QString(), ckToggle, Left);
  QStringList& Types = BaseDataGrid->ToggleItems(2, 0);
  Types.clear();
  for (const char* Name : PresetNames)
    Types << QCoreApplication::translate("TForm1", Name);
  BaseDataGrid->SetToggleIndex(2, 0, 0);
  Cell(BaseDataGrid, 3, 0, QString(), ckLabel, Centred);
  BaseDataGrid->SetCellMerge(3, 0, 1, true);
  Cell(BaseDataGrid, 0, 1, QStringLiteral("部材長 Ｌ"), ckLabel, Centred);
  Cell(BaseDataGrid, 1, 1, QStringLiteral("："), ckLabel, Centred);
  Cell(BaseDataGrid, 2, 1, QString(), ckEditLine, Right);
  BaseDataGrid->SetCellColor(2, 1, clWindow);
  Cell(BaseDataGrid, 3, 1, QStringLiteral("(ｍ)"), ckLabel, Centred);

  ResetListColumns();
  const QString Headers[] = {QStringLiteral("No"),   QStringLiteral("種類"),
                             QStringLiteral("位置"), QStringLiteral("荷重"),
                             QStringLiteral("幅"),   QStringLiteral("備考")};
  for (int C = 0; C < 6; ++C) {
    KajyuGrid->SetCells(C, 0, Headers[C]);
    KajyuGrid->SetCellAlign(C, 0, Centred);
  }
  FListRows.assign(static_cast<std::size_t>(KajyuGrid->RowCount()), lrNew);

  for (int R = 0; R < 3; ++R)
    SetupInputRow(R);
}

void TForm1::SetupInputRow(int R) {
  static const char* const Captions[] = {"作用開始位置 Ｘ", ForceCaption, "作用幅  Ｌ"};
  static const char* const Units[] = {"(ｍ)", "(kN)", "(ｍ)"};
  const TCellAlign Centred = caCenter | caVCenter, Right = caRight | caVCenter;
  const auto Cell = [this, R](int C, const QString& Text, std::uint8_t Kind, TCellAlign Align) {
    KjInpGrid->SetCells(C, R, Text);
    KjInpGrid->SetCellKind(C, R, Kind);
    KjInpGrid->SetCellAlign(C, R, Align);
  };
  Cell(0, QString::fromUtf8(Captions[R]), ckLabel, Centred);
  Cell(1, QStringLiteral("："), ckLabel, Centred);
  Cell(2, QString(), ckEditLine, Right);
  KjInpGrid->SetCellColor(2, R, clWindow);
  Cell(3, QString::fromUtf8(Units[R]), ckLabel, Centred);
}

void TForm1::KajyuTypeClick(TObject*) {
  const int Index = KajyuType->ItemIndex();
  if (!IsKnownKind(Index)) return;
  // The grid drops the cells of the rows it loses, so the width row is
  // put back as it was left, its typed value included.
  if (IsDistributedKind(Index)) {
    if (KjInpGrid->RowCount() < 3) {
      KjInpGrid->SetRowCount(3);
      SetupInputRow(2);
      KjInpGrid->SetCells(2, 2, FHiddenWidth);
    }
  } else if (KjInpGrid->RowCount() > 2) {
    // An editor open on the width writes its text back first.
    if (KjInpGrid->Row() == 2) KjInpGrid->HideEditor();
    FHiddenWidth = KjInpGrid->Cells(2, 2);
    KjInpGrid->SetRowCount(2);
  }
  KjInpGrid->SetCells(0, 1,
                      IsMomentKind(Index) ? QStringLiteral("曲げモーメント Ｍ")
                                          : QString::fromUtf8(ForceCaption));
  // A force is in kN, only an applied moment in kN･m.
  KjInpGrid->SetCells(3, 1,
                      IsMomentKind(Index) ? QStringLiteral("(kN･m)") : QStringLiteral("(kN)"));
}
