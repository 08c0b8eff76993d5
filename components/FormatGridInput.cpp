// Selection, in-place editing, keys, mouse and the toggle menu of the
// format grid. Everything acts on the merge origin of the cell concerned.
#include "components/FormatGrid.h"

#include <QAction>
#include <QMenu>

bool TFormatGrid::CanSelectCell(int& ACol, int& ARow) {
  const PCellFormat F = MergeOrigin(ACol, ARow);
  if (ARow < FixedRows() || ACol < FixedCols()) return false;
  return !F || (IsEditableKind(F->Kind) && F->Enabled);
}

void TFormatGrid::MatchEditing(int ACol, int ARow) {
  const PCellFormat F = MergeOrigin(ACol, ARow);
  if (!F) return;
  if (F->Enabled && !F->ReadOnly)
    SetOptions(Options() | goEditing);
  else
    SetOptions(Options() & ~TGridOptions(goEditing));
}

// A refused cell leaves the grid as it was: the current cell keeps its
// editing mode.
bool TFormatGrid::SelectCell(int ACol, int ARow) {
  bool Result = CanSelectCell(ACol, ARow);
  if (Result && OnSelectCell) OnSelectCell(this, ACol, ARow, Result);
  if (!Result) return false;
  InvalidateMergedCell(Col(), Row());
  InvalidateMergedCell(ACol, ARow);
  MatchEditing(ACol, ARow);
  return true;
}

TGridCoord TFormatGrid::MoveNextCell() {
  TGridCoord Start{Col(), Row()};
  MergeOrigin(Start.X, Start.Y);
  TGridCoord Target{Col(), Row()}, Cell = Target;
  for (;;) {
    if (++Cell.X >= ColCount()) {
      Cell.X = FixedCols();
      if (++Cell.Y >= RowCount()) Cell.Y = FixedRows();
    }
    if (Cell == TGridCoord{Col(), Row()}) break;
    TGridCoord Origin = Cell;
    MergeOrigin(Origin.X, Origin.Y);
    // The other cells of the current block are no move.
    if (Origin == Start) continue;
    if (SelectCell(Cell.X, Cell.Y)) {
      Target = Origin;
      break;
    }
  }
  MoveColRow(Target.X, Target.Y, true, true);
  return Target;
}

void TFormatGrid::EnsureSelectableCurrent() {
  int C = Col(), R = Row();
  if (CanSelectCell(C, R)) return;
  for (R = FixedRows(); R < RowCount(); ++R)
    for (C = FixedCols(); C < ColCount(); ++C) {
      int OC = C, OR = R;
      if (CanSelectCell(OC, OR) && SelectCell(OC, OR)) {
        MoveColRow(OC, OR, true, true);
        return;
      }
    }
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
  int C = ACol, R = ARow;
  MergeOrigin(C, R);
  // Hiding the editor, the base compares its text with the cell under it,
  // which inside a block is not the one holding the text: what the origin
  // already has is no change.
  if ((C != ACol || R != ARow) && Cells(C, R) == Value) return;
  TStringGrid::SetEditText(C, R, Value);
  InvalidateMergedCell(C, R);
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

// A press on no cell is ignored entirely; a press on an enabled button,
// check box or toggle neither focuses the grid nor moves its current cell.
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
  // Off every cell nothing happens: a press stays (releasing there still
  // clicks) and column sizing does not follow.
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
      // Any index before the first choice (SetToggleIndex takes any) starts
      // at the first.
      F->ToggleIndex =
          F->ToggleIndex < 0 ? 0 : static_cast<int>((F->ToggleIndex + 1) % F->Items.size());
      SetCells(C, R, F->Items[F->ToggleIndex]);
      InvalidateMergedCell(C, R);
      if (OnToggleChange) OnToggleChange(this, C, R, F->ToggleIndex);
    }
    return;
  }
  if (TGridCoord Cell = MouseToCell(X, Y); Button == mbRight && Cell.X >= 0 && Cell.Y >= 0) {
    const PCellFormat F = MergeOrigin(Cell.X, Cell.Y);
    // The menu opens on a disabled toggle too, as it always has.
    if (F && F->Kind == ckToggle) {
      const QPoint Screen = viewport()->mapToGlobal(QPoint(X, Y));
      QMenu& Menu = PopupMenu();
      Menu.clear();
      for (int I = 0; I < F->Items.size(); ++I) {
        QAction* Item = Menu.addAction(F->Items[I]);
        Item->setData(I);
        Item->setCheckable(true);
        Item->setChecked(I == F->ToggleIndex);
        QObject::connect(Item, &QAction::triggered, Item, [this, Item] { ToggleMenuClick(Item); });
      }
      FPressCol = Cell.X;
      FPressRow = Cell.Y;
      if (!Menu.actions().isEmpty()) Menu.popup(Screen);
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
