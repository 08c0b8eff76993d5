// The keyboard: the tab order, Enter and Tab in the load entry, and the
// window's event filter, which sees every key before the focused control.
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

void TForm1::SetTabOrder() {
  // A load is entered from its kind to the add button in one run; the list
  // follows its buttons.
  QWidget* const Order[] = {BaseDataGrid, KajyuType, KjInpGrid, NameEdit,  AddBtn,    RepBtn,
                            DelBtn,       KajyuGrid, KCheckBox, SCheckBox, MCheckBox, DCheckBox};
  for (std::size_t I = 1; I < std::size(Order); ++I)
    setTabOrder(Order[I - 1], Order[I]);
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::Paint && Watched == KajyuGrid->viewport()) ShowListRowsOnScreen();
  if (Event->type() == QEvent::Resize && Watched == KajyuGrid->viewport()) FitRemarkColumn();
  if (Event->type() == QEvent::ToolTip && Watched == KajyuGrid->viewport())
    return ListToolTip(static_cast<QHelpEvent*>(Event));
  // Any use of the window after the session's question asks again.
  if (Event->type() == QEvent::KeyPress || Event->type() == QEvent::MouseButtonPress)
    if (auto* Widget = qobject_cast<QWidget*>(Watched); Widget && Widget->window() == this)
      FSessionAnswered = false;
  if (Event->type() == QEvent::FocusIn && Watched == KjInpGrid)
    EnterLoadValues(static_cast<QFocusEvent*>(Event)->reason());
  // The form sees every key before the focused control.
  if (Event->type() == QEvent::KeyPress) {
    auto* Widget = qobject_cast<QWidget*>(Watched);
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    if (Widget && Widget->window() == this && Widget == QApplication::focusWidget()) {
      if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        QChar Char(u'\r');
        FormKeyPress(this, Char);
        if (Char.isNull()) return true;
      }
      if ((Key == Qt::Key_Tab || Key == Qt::Key_Backtab) && InLoadValues(Widget) &&
          StepLoadValue(Key == Qt::Key_Tab))
        return true;
    }
  }
  return QMainWindow::eventFilter(Watched, Event);
}

void TForm1::FormKeyPress(TObject*, QChar& Key) {
  if (Key != QChar(u'\r')) return;
  Key = QChar();
  QWidget* Active = QApplication::focusWidget();
  // A focused button is pressed, as the space bar presses it.
  if (auto* Button = dynamic_cast<TButton*>(Active)) {
    Button->click();
    return;
  }
  if (InLoadValues(Active)) {
    if (StepLoadValue(true)) return;
    KjInpGrid->HideEditor();
  } else if (auto* Grid = dynamic_cast<TFormatGrid*>(Active)) {
    Grid->MoveNextCell();
    return;
  }
  FocusNextControl(Active);
}

bool TForm1::InLoadValues(const QWidget* Widget) const {
  return Widget && (Widget == KjInpGrid || KjInpGrid->isAncestorOf(Widget));
}

bool TForm1::StepLoadValue(bool Forward) {
  const int Row = KjInpGrid->Row() + (Forward ? 1 : -1);
  if (Row < 0 || Row >= KjInpGrid->RowCount()) return false;
  KjInpGrid->HideEditor();
  KjInpGrid->SetRow(Row);
  KjInpGrid->ShowEditorSelected();
  return true;
}

void TForm1::EnterLoadValues(Qt::FocusReason Reason) {
  if (Reason != Qt::TabFocusReason && Reason != Qt::BacktabFocusReason) return;
  KjInpGrid->SetCol(2);
  KjInpGrid->SetRow(Reason == Qt::TabFocusReason ? 0 : KjInpGrid->RowCount() - 1);
}

void TForm1::FocusNextControl(QWidget* From) {
  // The editor inside a grid stands for the grid in the tab order.
  QWidget* Anchor = From;
  for (QWidget* W = From; W; W = W->parentWidget())
    if (dynamic_cast<TStringGrid*>(W)) Anchor = W;
  if (!Anchor) return;
  for (QWidget* Next = Anchor->nextInFocusChain(); Next && Next != Anchor;
       Next = Next->nextInFocusChain()) {
    if (Next->window() == this && Next->isVisible() && Next->isEnabled() &&
        (Next->focusPolicy() & Qt::TabFocus) && !Anchor->isAncestorOf(Next)) {
      Next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}
