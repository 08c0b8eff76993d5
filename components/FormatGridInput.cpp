// Selection, in-place editing, keys, mouse and the toggle menu of the
// format grid. Everything acts on the merge origin of the cell concerned.
#include "components/FormatGrid.h"

#include <QAction>
#include <QMenu>

bool TFormatGrid::CanSelectCell(int& ACol, int& ARow) {
  const PCellFormat F = MergeOrigin(ACol, ARow);
  if (!F) return true;
  const bool Result =
      IsEditableKind(F->Kind) && F->Enabled && ARow >= FixedRows() && ACol >= FixedCols();
  if (F->Enabled && !F->ReadOnly)
    SetOptions(Options() | goEditing);
  else
    SetOptions(Options() & ~TGridOptions(goEditing));
  return Result;
}

bool TFormatGrid::SelectCell(int ACol, int ARow) {
  bool Result = CanSelectCell(ACol, ARow);
  if (Result) {
    InvalidateMergedCell(Col(), Row());
    InvalidateMergedCell(ACol, ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, Result);
  }
  return Result;
}

TGridCoord TFormatGrid::MoveNextCell() {
  const TGridCoord Start{Col(), Row()};
  TGridCoord Target = Start, Cell = Start;
  for (;;) {
    if (++Cell.X >= ColCount()) {
      Cell.X = FixedCols();
      if (++Cell.Y >= RowCount()) Cell.Y = FixedRows();
    }
    if (Cell == Start) break;
    if (SelectCell(Cell.X, Cell.Y)) {
      int OriginCol = Cell.X, OriginRow = Cell.Y;
      MergeOrigin(OriginCol, OriginRow);
      if (!(OriginCol == Start.X && OriginRow == Start.Y)) {
        Target = Cell;
        break;
      }
    }
  }
  MoveColRow(Target.X, Target.Y, true, true);
  return Target;
}

bool TFormatGrid::CanEditShow() {
  bool Result = TStringGrid::CanEditShow();
  int C = Col(), R = Row();
  if (const PCellFormat F = MergeOrigin(C, R))
    Result = Result && !F->ReadOnly && F->Enabled && IsEditableKind(F->Kind);
  if (!Result && EditorMode()) HideEditor();
  return Result;
}

std::unique_ptr<TInplaceEdit> TFormatGrid::CreateEditor() {
  auto Editor = std::make_unique<TMergeInplaceEdit>(this);
  Editor->SetDropDownRows(4);
  Editor->OnGetPickListItems = [this](int ACol, int ARow, QStringList& Items) {
    GetPickListItems(ACol, ARow, Items);
  };
  return Editor;
}

void TFormatGrid::GetPickListItems(int ACol, int ARow, QStringList& Items) {
  Items = ToggleItems(ACol, ARow);
}

TEditStyle TFormatGrid::GetEditStyle(int ACol, int ARow) {
  const PCellFormat F = MergeOrigin(ACol, ARow);
  return F && F->Kind == ckPickList ? esPickList : esSimple;
}

QString TFormatGrid::GetEditText(int ACol, int ARow) {
  const PCellFormat F = MergeOrigin(ACol, ARow);
  if (F && IsButtonKind(F->Kind)) {
    HideEditor();
    return QString();
  }
  QString Value = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, Value);
  return Value;
}

void TFormatGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  MergeOrigin(ACol, ARow);
  TStringGrid::SetEditText(ACol, ARow, Value);
}

void TFormatGrid::KeyDown(int& Key, TShiftState Shift) {
  int C = Col(), R = Row();
  const PCellFormat F = MergeOrigin(C, R);
  if (!F || F->Enabled)
    TStringGrid::KeyDown(Key, Shift);
  else
    Key = 0;
}

void TFormatGrid::KeyPress(QChar& Key) {
  int C = Col(), R = Row();
  const PCellFormat F = MergeOrigin(C, R);
  if (!F || F->Enabled)
    TStringGrid::KeyPress(Key);
  else
    Key = QChar();
}

void TFormatGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGridCoord Cell = MouseToCell(X, Y);
  if (Cell.X < 0 || Cell.Y < 0) return;
  const PCellFormat F = MergeOrigin(Cell.X, Cell.Y);
  if (Button == mbLeft && F && F->Enabled &&
      (IsButtonKind(F->Kind) || F->Kind == ckCheckBox || F->Kind == ckToggle)) {
    FPressCol = Cell.X;
    FPressRow = Cell.Y;
    FPressing = true;
    if (IsButtonKind(F->Kind)) {
      F->Down = true;
      InvalidateMergedCell(Cell.X, Cell.Y);
    }
    return;
  }
  TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TFormatGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TGridCoord Cell = MouseToCell(X, Y);
  if (Cell.X < 0 || Cell.Y < 0) return;
  if (!FPressing) {
    TStringGrid::MouseMove(Shift, X, Y);
    return;
  }
  MergeOrigin(Cell.X, Cell.Y);
  if (Cell.X == FPressCol && Cell.Y == FPressRow) return;
  // Leaving the pressed cell cancels the press.
  if (const PCellFormat F = CellFormat(FPressCol, FPressRow); F && IsButtonKind(F->Kind)) {
    F->Down = false;
    InvalidateMergedCell(FPressCol, FPressRow);
  }
  FPressing = false;
}

void TFormatGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FPressing && Button == mbLeft) {
    int C = FPressCol, R = FPressRow;
    const PCellFormat F = MergeOrigin(C, R);
    FPressing = false;
    if (!F) return;
    if (IsButtonKind(F->Kind)) {
      F->Down = false;
      InvalidateMergedCell(C, R);
      if (OnButtonClick) OnButtonClick(this, C, R);
    } else if (F->Kind == ckCheckBox) {
      F->Down = !F->Down;
      InvalidateMergedCell(C, R);
      if (OnCheckBoxClick) OnCheckBoxClick(this, C, R, F->Down);
    } else if (F->Kind == ckToggle && !F->Items.isEmpty()) {
      F->ToggleIndex = static_cast<int>((F->ToggleIndex + 1) % F->Items.size());
      SetCells(C, R, F->Items[F->ToggleIndex]);
      InvalidateMergedCell(C, R);
      if (OnToggleChange) OnToggleChange(this, C, R, F->ToggleIndex);
    }
    return;
  }
  if (Button == mbRight) {
    TGridCoord Cell = MouseToCell(X, Y);
    if (Cell.X < 0 || Cell.Y < 0) return;
    const PCellFormat F = MergeOrigin(Cell.X, Cell.Y);
    if (F && F->Kind == ckToggle) {
      const QPoint Screen = viewport()->mapToGlobal(QPoint(X, Y));
      FPopupMenu->clear();
      for (int I = 0; I < F->Items.size(); ++I) {
        QAction* Item = FPopupMenu->addAction(F->Items[I]);
        Item->setData(I);
        Item->setCheckable(true);
        Item->setChecked(I == F->ToggleIndex);
        QObject::connect(Item, &QAction::triggered, Item, [this, Item] { ToggleMenuClick(Item); });
      }
      FPressCol = Cell.X;
      FPressRow = Cell.Y;
      if (!FPopupMenu->actions().isEmpty()) FPopupMenu->popup(Screen);
      return;
    }
  }
  TStringGrid::MouseUp(Button, Shift, X, Y);
}

void TFormatGrid::ToggleMenuClick(QAction* Item) {
  const int I = Item->data().toInt();
  TCellFormat& F = EnsureFormat(FPressCol, FPressRow);
  F.ToggleIndex = I;
  SetCells(FPressCol, FPressRow, I >= 0 && I < F.Items.size() ? F.Items[I] : QString());
  InvalidateMergedCell(FPressCol, FPressRow);
  if (OnToggleChange) OnToggleChange(this, FPressCol, FPressRow, I);
}
