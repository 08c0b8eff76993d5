// Adding, picking, replacing, deleting and moving loads in the list.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/DocumentCommands.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"
#include "platform/PaintBox.h"
#include "support/Cp932.h"
#include "support/QvxTools.h"
#include "support/TypedNumber.h"

#include <QLineEdit>
#include <QUndoStack>

void TForm1::AddBtnClick(TObject* Sender) {
  const int Tag = dynamic_cast<TButton*>(Sender)->Tag();
  const int Index = Tag != 0 ? Tag - 1 : FData->LoadCount();
  // The remark is converted first: a character the file cannot hold stops
  // the command before the document is touched.
  const QString Typed = NameEdit->text();
  const std::string Remark =
      Typed == FShownRemark ? FShownRemarkBytes : Utf8ToCp932(Typed.toStdString());
  const std::int32_t Kind = KajyuType->ItemIndex();
  const double X = TypedNumber(KjInpGrid->Cells(2, 0), 0);
  const double W = TypedNumber(KjInpGrid->Cells(2, 1), 0);
  const double Width = KjInpGrid->RowCount() >= 3 ? TypedNumber(KjInpGrid->Cells(2, 2), 0) : 0;
  QStringList TypedValues;
  for (int R = 0; R < KjInpGrid->RowCount(); ++R) {
    TypedValues << KjInpGrid->Cells(2, R);
    KjInpGrid->SetCells(2, R, QString());
  }

  const TLoadValues Values{Kind, X, W, Width, Remark};
  // A replace that changes nothing leaves nothing to undo.
  if (Index >= FData->LoadCount() || LoadValues(*FData, Index) != Values)
    FUndo->push(new TWriteLoadCommand(*FData, Index, Values));

  FitLoadRows();
  ShowLoadInRow(Index + 1);
  ReportOutOfSpan(Index);
  ReportUnreadable(TypedValues);
  NameEdit->clear();
  // A replace button that disables itself hands the focus to the load it
  // replaced, not to whatever follows it in tab order.
  const bool Replacing = Sender == RepBtn && RepBtn->hasFocus();
  RepBtn->setEnabled(false);
  DelBtn->setEnabled(false);
  if (Replacing) FocusListRow(Index + 1);
}

void TForm1::FocusListRow(int Row) {
  KajyuGrid->setFocus(Qt::OtherFocusReason);
  if (KajyuGrid->Row() != Row) {
    KajyuGrid->SetRow(Row);
  } else {
    bool CanSelect = true;
    KajyuGridSelectCell(KajyuGrid, KajyuGrid->Col(), Row, CanSelect);
  }
}

void TForm1::KajyuGridButtonClick(TObject*, int ACol, int ARow) {
  if (ACol != 0) return;
  const bool Picked = ARow <= FData->LoadCount();
  RepBtn->setEnabled(Picked);
  DelBtn->setEnabled(Picked);
  RepBtn->SetTag(ARow);
  DelBtn->SetTag(ARow);
  if (!Picked) return;
  const int I = ARow - 1;
  // An editor left open on an entry value (the button takes no focus)
  // would later write its text over the picked value.
  KjInpGrid->HideEditor();
  KajyuType->SetItemIndex(FData->LoadKind(I));
  KjInpGrid->SetCells(2, 0, FormatReal3(FData->LoadX(I)));
  KjInpGrid->SetCells(2, 1, FormatReal3(FData->LoadW(I)));
  if (KjInpGrid->RowCount() > 2) KjInpGrid->SetCells(2, 2, FormatReal3(FData->LoadWidth(I)));
  FShownRemarkBytes = FData->LoadRemark(I);
  FShownRemark = QString::fromStdString(Cp932ToDisplay(FShownRemarkBytes));
  NameEdit->setText(FShownRemark);
}

void TForm1::DelBtnClick(TObject*) {
  FUndo->push(new TDeleteLoadCommand(*FData, DelBtn->Tag() - 1));
  RepBtn->setEnabled(false);
  DelBtn->setEnabled(false);
  RefreshLoadList();
}

void TForm1::UpButtonClick(TObject* Sender) {
  const int d = dynamic_cast<TSpeedButton*>(Sender)->Tag();
  const int I = KajyuGrid->Row() - 1;
  FUndo->push(new TMoveLoadCommand(*FData, I, d));
  // A load picked for replacing or deleting stays picked where it went.
  for (TButton* Button : {RepBtn, DelBtn}) {
    if (Button->Tag() == I + 1)
      Button->SetTag(I + 1 + d);
    else if (Button->Tag() == I + 1 + d)
      Button->SetTag(I + 1);
  }
  RefreshLoadList();
  PaintBox1->update();
  KajyuGrid->SetRow(KajyuGrid->Row() + d);
}

void TForm1::KajyuGridSelectCell(TObject*, int, int ARow, bool&) {
  const int n = FData->LoadCount();
  const bool Movable = ARow <= n && n >= 2;
  UpButton->setEnabled(Movable && ARow > 1);
  DownButton->setEnabled(Movable && ARow < n);
}

void TForm1::KajyuGridExit(TObject*) {
  UpButton->setEnabled(false);
  DownButton->setEnabled(false);
}
