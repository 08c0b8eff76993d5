// The string grid's input: the current cell under keys and mouse, the
// in-place editor's life on the grid's side, and the focus.
#include "platform/QtCanvas.h"
#include "platform/StringGridPrivate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <optional>

namespace {

int VirtualKeyOf(const QKeyEvent& Event) {
  switch (Event.key()) {
  case Qt::Key_Backspace:
    return VK_BACK;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return VK_TAB;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return VK_RETURN;
  case Qt::Key_Escape:
    return VK_ESCAPE;
  case Qt::Key_PageUp:
    return VK_PRIOR;
  case Qt::Key_PageDown:
    return VK_NEXT;
  case Qt::Key_End:
    return VK_END;
  case Qt::Key_Home:
    return VK_HOME;
  case Qt::Key_Left:
    return VK_LEFT;
  case Qt::Key_Up:
    return VK_UP;
  case Qt::Key_Right:
    return VK_RIGHT;
  case Qt::Key_Down:
    return VK_DOWN;
  case Qt::Key_Delete:
    return VK_DELETE;
  case Qt::Key_F2:
    return VK_F2;
  default:
    break;
  }
  // Space, digits and letters have the same codes in both.
  const int Key = Event.key();
  if (Key == Qt::Key_Space || (Key >= Qt::Key_0 && Key <= Qt::Key_9) ||
      (Key >= Qt::Key_A && Key <= Qt::Key_Z))
    return Key;
  return 0;
}

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton) {
  TShiftState Shift = 0;
  if (Modifiers & Qt::ShiftModifier) Shift |= ssShift;
  if (Modifiers & Qt::AltModifier) Shift |= ssAlt;
  if (Modifiers & Qt::ControlModifier) Shift |= ssCtrl;
  if (Buttons & Qt::LeftButton) Shift |= ssLeft;
  if (Buttons & Qt::RightButton) Shift |= ssRight;
  return Shift;
}

std::optional<TMouseButton> ButtonOf(Qt::MouseButton Button) {
  switch (Button) {
  case Qt::LeftButton:
    return mbLeft;
  case Qt::RightButton:
    return mbRight;
  case Qt::MiddleButton:
    return mbMiddle;
  default:
    return std::nullopt;
  }
}

// How close to a column's right edge a press in the fixed rows starts sizing.
constexpr int SizingSlack = 2;

} // namespace

// ---- moves

void TStringGrid::TPrivate::UserMove(int ACol, int ARow) {
  ACol = std::clamp(ACol, FixedCols, ColCount - 1);
  ARow = std::clamp(ARow, FixedRows, RowCount - 1);
  if ((ACol == Col && ARow == Row) || !Q.SelectCell(ACol, ARow)) return;
  Q.MoveColRow(ACol, ARow, true, true);
  if (Options & goAlwaysShowEditor) ShowByUser(false);
}

void TStringGrid::TPrivate::ShowByUser(bool SelectAll) {
  const bool WasShown = EditorShown();
  {
    const QScopedValueRollback<bool> Guard(UserShow, true);
    Q.ShowEditor();
  }
  if (SelectAll && !WasShown && EditorShown()) Editor->LineEdit()->selectAll();
}

bool TStringGrid::TPrivate::TabTarget(bool Back, int& ACol, int& ARow) const {
  if (!Back && ACol < ColCount - 1) {
    ++ACol;
  } else if (!Back && ARow < RowCount - 1) {
    ACol = FixedCols;
    ++ARow;
  } else if (Back && ACol > FixedCols) {
    --ACol;
  } else if (Back && ARow > FixedRows) {
    ACol = ColCount - 1;
    --ARow;
  } else {
    return false;
  }
  return true;
}

int TStringGrid::TPrivate::SizingLineAt(int X, int Y) const {
  if (!(Options & goColSizing) || Y < 0 || Y >= RowAxis().FixedExtent()) return -1;
  for (const GridDetail::TLine& L : ColAxis().Visible()) {
    const int Edge = L.Start + ColWidths[L.Index];
    if (X >= Edge - SizingSlack && X < Edge + ColLineWidth() + SizingSlack) return L.Index;
  }
  return -1;
}

// ---- in-place editing

bool TStringGrid::EditorMode() const {
  return D->EditorMode;
}

void TStringGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TStringGrid::ShowEditor() {
  D->EditorMode = true;
  const TGridCoord Cell{D->Col, D->Row};
  if ((D->EditorShown() && D->EditCell == Cell) || !CanEditShow()) return;
  if (!D->Editor) D->Editor = CreateEditor();
  D->ScrollIntoView(Cell.X, Cell.Y);
  const TRect R = CellRect(Cell.X, Cell.Y);
  const TEditStyle Style = GetEditStyle(Cell.X, Cell.Y);
  const QString Text = GetEditText(Cell.X, Cell.Y);
  // The hooks above may have given up editing.
  if (R.IsEmpty() || !D->EditorMode) return;
  TInplaceEdit& E = *D->Editor;
  D->EditCell = Cell;
  D->OriginalText = Text;
  ++D->EditSession;
  E.SetEditStyle(Style);
  E.SetText(Text);
  QLineEdit& Line = *E.LineEdit();
  QPalette Palette = Line.palette();
  Palette.setColor(QPalette::Text, ToQColor(D->Font.Color));
  Line.setPalette(Palette);
  // Shown before it is placed so that placing it delivers its move and
  // resize events at once.
  E.show();
  D->PlaceEditor();
  E.setFocus(Qt::OtherFocusReason);
}

void TStringGrid::ShowEditorSelected() {
  D->ShowByUser(true);
}

void TStringGrid::HideEditor() {
  D->EditorMode = false;
  if (!D->EditorShown()) return;
  TInplaceEdit& E = *D->Editor;
  E.CloseUp(false);
  const TGridCoord Cell = D->EditCell;
  const QString Text = E.Text();
  // The focus comes back here before the editor hides, or Qt would pass it on.
  if (E.isAncestorOf(QApplication::focusWidget())) setFocus(Qt::OtherFocusReason);
  E.hide();
  if (Text != Cells(Cell.X, Cell.Y)) SetEditText(Cell.X, Cell.Y, Text);
}

int TStringGrid::EditSession() const {
  return D->EditSession;
}

TInplaceEdit* TStringGrid::InplaceEditor() const {
  return D->Editor.get();
}

void TStringGrid::EditorTextEdited(const QString& Text) {
  if (D->EditorShown()) SetEditText(D->EditCell.X, D->EditCell.Y, Text);
}

void TStringGrid::CancelEditor() {
  if (!D->EditorShown()) return;
  if (D->Editor->Text() != D->OriginalText) {
    D->Editor->SetText(D->OriginalText);
    SetEditText(D->EditCell.X, D->EditCell.Y, D->OriginalText);
  }
  HideEditor();
}

void TStringGrid::FocusLeaving(Qt::FocusReason Reason) {
  // A drop-down list or another window taking over is not leaving.
  if (D->Destroying || Reason == Qt::PopupFocusReason || Reason == Qt::ActiveWindowFocusReason)
    return;
  const QWidget* Focus = QApplication::focusWidget();
  if (!Focus || Focus == this || isAncestorOf(Focus)) return;
  HideEditor();
  DoExit();
}

bool TStringGrid::SelectCell(int /*ACol*/, int /*ARow*/) {
  return true;
}

bool TStringGrid::CanEditShow() {
  return (D->Options & goEditing) && D->Col >= D->FixedCols && D->Row >= D->FixedRows &&
         (D->UserShow || Focused());
}

std::unique_ptr<TInplaceEdit> TStringGrid::CreateEditor() {
  return std::make_unique<TInplaceEdit>(this);
}

QString TStringGrid::GetEditText(int ACol, int ARow) {
  return Cells(ACol, ARow);
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  SetCells(ACol, ARow, Value);
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

TEditStyle TStringGrid::GetEditStyle(int /*ACol*/, int /*ARow*/) {
  return esSimple;
}

void TStringGrid::KeyDown(int& Key, TShiftState Shift) {
  int C = D->Col, R = D->Row;
  switch (Key) {
  case VK_LEFT:
    --C;
    break;
  case VK_RIGHT:
    ++C;
    break;
  case VK_UP:
    --R;
    break;
  case VK_DOWN:
    ++R;
    break;
  case VK_PRIOR:
    R -= std::max(1, D->RowAxis().FullyVisible());
    break;
  case VK_NEXT:
    R += std::max(1, D->RowAxis().FullyVisible());
    break;
  case VK_HOME:
    C = D->FixedCols;
    if (Shift & ssCtrl) R = D->FixedRows;
    break;
  case VK_END:
    C = D->ColCount - 1;
    if (Shift & ssCtrl) R = D->RowCount - 1;
    break;
  case VK_TAB:
    if (!(D->Options & goTabs) || !D->TabTarget((Shift & ssShift) != 0, C, R)) return;
    break;
  case VK_F2:
    if (!(D->Options & goEditing)) return;
    Key = 0;
    D->ShowByUser(true);
    return;
  default:
    return;
  }
  Key = 0;
  D->UserMove(C, R);
}

void TStringGrid::KeyPress(QChar& Key) {
  if (!(D->Options & goEditing) || !Key.isPrint()) return;
  // Shown with its text selected, so that the first character replaces it.
  D->ShowByUser(true);
  if (!D->EditorShown()) return;
  D->Editor->LineEdit()->insert(QString(Key));
  Key = QChar();
}

void TStringGrid::MouseDown(TMouseButton Button, TShiftState /*Shift*/, int X, int Y) {
  if (!Focused()) setFocus(Qt::MouseFocusReason);
  if (Button != mbLeft) return;
  if (const int Sizing = D->SizingLineAt(X, Y); Sizing >= 0) {
    D->SizingCol = Sizing;
    return;
  }
  const TGridCoord Cell = MouseToCell(X, Y);
  if (Cell.X < D->FixedCols || Cell.Y < D->FixedRows) return;
  if (Cell.X == D->Col && Cell.Y == D->Row) {
    // A click on the current cell edits it, or selects it again.
    if (D->Options & goEditing)
      D->ShowByUser(false);
    else
      SelectCell(Cell.X, Cell.Y);
  } else {
    D->UserMove(Cell.X, Cell.Y);
  }
}

void TStringGrid::MouseMove(TShiftState /*Shift*/, int X, int Y) {
  if (D->SizingCol >= 0) {
    const int Start = D->ColAxis().Start(D->SizingCol);
    if (Start >= 0) SetColWidths(D->SizingCol, X - Start);
  } else if (D->Options & goColSizing) {
    if (D->SizingLineAt(X, Y) >= 0)
      viewport()->setCursor(Qt::SplitHCursor);
    else
      viewport()->unsetCursor();
  }
}

void TStringGrid::MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
  D->SizingCol = -1;
}

void TStringGrid::DoExit() {
  if (OnExit) OnExit(this);
}

// ---- Qt plumbing

void TStringGrid::keyPressEvent(QKeyEvent* Event) {
  int Key = VirtualKeyOf(*Event);
  const bool HadKey = Key != 0;
  KeyDown(Key, ShiftOf(Event->modifiers()));
  bool Handled = HadKey && Key == 0;
  // Keys without a code of their own (punctuation, kana) still type.
  if (!Handled)
    for (QChar Ch : Event->text()) {
      KeyPress(Ch);
      Handled = Handled || Ch.isNull();
    }
  // Unhandled keys (Enter, Escape) go on to the parent widgets.
  Event->setAccepted(Handled);
}

void TStringGrid::mousePressEvent(QMouseEvent* Event) {
  if (!ForwardMouse(Event, &TStringGrid::MouseDown)) QAbstractScrollArea::mousePressEvent(Event);
}

void TStringGrid::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint P = Event->position().toPoint();
  MouseMove(ShiftOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* Event) {
  if (!ForwardMouse(Event, &TStringGrid::MouseUp)) QAbstractScrollArea::mouseReleaseEvent(Event);
}

bool TStringGrid::ForwardMouse(QMouseEvent* Event, TMouseHandler Handler) {
  const std::optional<TMouseButton> Button = ButtonOf(Event->button());
  if (!Button) return false;
  const QPoint P = Event->position().toPoint();
  (this->*Handler)(*Button, ShiftOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
  return true;
}

void TStringGrid::focusInEvent(QFocusEvent* Event) {
  QAbstractScrollArea::focusInEvent(Event);
  InvalidateCell(D->Col, D->Row);
}

void TStringGrid::focusOutEvent(QFocusEvent* Event) {
  QAbstractScrollArea::focusOutEvent(Event);
  InvalidateCell(D->Col, D->Row);
  FocusLeaving(Event->reason());
}

bool TStringGrid::focusNextPrevChild(bool Next) {
  // Tab reaches here from the grid and from the editor alike.
  if (D->Destroying) return QAbstractScrollArea::focusNextPrevChild(Next);
  if (D->EditorShown()) HideEditor();
  if (D->Options & goTabs) {
    int Key = VK_TAB;
    KeyDown(Key, Next ? TShiftState(0) : TShiftState(ssShift));
    if (Key == 0) return true;
  }
  return QAbstractScrollArea::focusNextPrevChild(Next);
}
