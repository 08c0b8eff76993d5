// The in-place editor of the string grid: a frameless line edit over a
// background the editor paints itself, and for pick lists a drop-down
// button with a popup list of choices.
#include "platform/QtCanvas.h"
#include "platform/StringGrid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

// QLineEdit keeps this many pixels between its content rectangle and the text.
constexpr int LineEditIndent = 2;

} // namespace

struct TInplaceEdit::TPrivate {
  TStringGrid* Grid = nullptr;
  QLineEdit* Line = nullptr;   // a child, owned by the editor
  QListWidget* List = nullptr; // the popup, made on the first drop-down
  TEditStyle Style = esSimple;
  int DropDownRows = 8;
  int ButtonWidth = 0;
  TRect TextRect;

  QRect ButtonRect(const QWidget& Editor) const {
    return QRect(Editor.width() - ButtonWidth, 0, ButtonWidth, Editor.height());
  }
};

TInplaceEdit::TInplaceEdit(TStringGrid* Grid)
    : QWidget(Grid->viewport()), D(std::make_unique<TPrivate>()) {
  D->Grid = Grid;
  D->ButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  D->Line = new QLineEdit(this);
  D->Line->setFrame(false);
  // The background is the editor's own (EraseBackground).
  QPalette Palette = D->Line->palette();
  Palette.setColor(QPalette::Base, Qt::transparent);
  D->Line->setPalette(Palette);
  D->Line->installEventFilter(this);
  // Typing, pasting and input-method commits all arrive here.
  connect(D->Line, &QLineEdit::textEdited, this,
          [this](const QString& Text) { D->Grid->EditorTextEdited(Text); });
  setFocusProxy(D->Line);
  hide();
}

TInplaceEdit::~TInplaceEdit() = default;

TStringGrid* TInplaceEdit::Grid() const {
  return D->Grid;
}

QString TInplaceEdit::Text() const {
  return D->Line->text();
}

void TInplaceEdit::SetText(const QString& Value) {
  D->Line->setText(Value);
}

TEditStyle TInplaceEdit::EditStyle() const {
  return D->Style;
}

void TInplaceEdit::SetEditStyle(TEditStyle Value) {
  if (Value == D->Style) return;
  CloseUp(false);
  D->Style = Value;
  LayoutLine();
  update();
}

int TInplaceEdit::DropDownRows() const {
  return D->DropDownRows;
}

void TInplaceEdit::SetDropDownRows(int Value) {
  D->DropDownRows = std::max(1, Value);
}

int TInplaceEdit::ButtonWidth() const {
  return D->ButtonWidth;
}

void TInplaceEdit::SetButtonWidth(int Value) {
  D->ButtonWidth = std::max(0, Value);
  LayoutLine();
  update();
}

bool TInplaceEdit::ListVisible() const {
  return D->List && D->List->isVisible();
}

void TInplaceEdit::DropDown() {
  if (D->Style != esPickList || ListVisible()) return;
  QStringList Items;
  if (OnGetPickListItems) OnGetPickListItems(D->Grid->Col(), D->Grid->Row(), Items);
  if (Items.isEmpty()) return;
  if (!D->List) {
    D->List = new QListWidget(this);
    D->List->setWindowFlags(Qt::Popup);
    // A click outside only closes the list.
    D->List->setAttribute(Qt::WA_NoMouseReplay);
    D->List->setFrameStyle(QFrame::Box | QFrame::Plain);
    D->List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    D->List->setUniformItemSizes(true);
    D->List->installEventFilter(this);
    connect(D->List, &QListWidget::itemClicked, this, [this] { CloseUp(true); });
  }
  QListWidget& List = *D->List;
  List.setFont(font());
  List.clear();
  List.addItems(Items);
  const QList<QListWidgetItem*> Current = List.findItems(Text(), Qt::MatchExactly);
  List.setCurrentItem(Current.isEmpty() ? nullptr : Current.first());

  const int Count = static_cast<int>(Items.size());
  const int Rows = std::min(Count, D->DropDownRows);
  const int Frame = 2 * List.frameWidth();
  const int Bar =
      Count > Rows ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &List) : 0;
  const QSize Size(std::max(width(), List.sizeHintForColumn(0) + Frame + Bar),
                   Rows * List.sizeHintForRow(0) + Frame);
  QPoint Pos = mapToGlobal(QPoint(0, height()));
  // Above the editor when there is no room below it.
  if (const QScreen* Screen = screen();
      Screen && Pos.y() + Size.height() > Screen->availableGeometry().bottom())
    Pos.setY(mapToGlobal(QPoint(0, 0)).y() - Size.height());
  List.setGeometry(QRect(Pos, Size));
  List.show();
  if (List.currentItem()) List.scrollToItem(List.currentItem());
  List.setFocus(Qt::PopupFocusReason);
}

void TInplaceEdit::CloseUp(bool Accept) {
  if (!ListVisible()) return;
  const QListWidgetItem* Item = D->List->currentItem();
  const QString Picked = Item ? Item->text() : QString();
  D->List->hide();
  // Goes in like typed text, so the grid hears of it.
  if (Accept && Item && Picked != Text()) {
    D->Line->selectAll();
    D->Line->insert(Picked);
  }
}

QLineEdit* TInplaceEdit::LineEdit() const {
  return D->Line;
}

void TInplaceEdit::BoundsChanged() {
  SetTextRect({2, 2, width() - 2, height()});
}

bool TInplaceEdit::EraseBackground(TCanvas& Canvas) {
  Canvas.Brush = {D->Grid->Color(), bsSolid};
  Canvas.FillRect({0, 0, width(), height()});
  return true;
}

void TInplaceEdit::SetTextRect(const TRect& R) {
  D->TextRect = R;
  LayoutLine();
}

// The line edit covers the editor left of the button; its text margins put
// the text at the text rectangle.
void TInplaceEdit::LayoutLine() {
  const int Width = std::max(0, width() - (D->Style == esPickList ? D->ButtonWidth : 0));
  const TRect& R = D->TextRect;
  D->Line->setGeometry(0, 0, Width, height());
  D->Line->setTextMargins(std::max(0, R.Left - LineEditIndent), std::max(0, R.Top),
                          std::max(0, Width - R.Right), std::max(0, height() - R.Bottom));
}

void TInplaceEdit::paintEvent(QPaintEvent* /*Event*/) {
  QPainter Painter(this);
  {
    TQtCanvas Canvas(Painter);
    EraseBackground(Canvas);
  }
  if (D->Style != esPickList || D->ButtonWidth <= 0) return;
  QStyleOptionButton Button;
  Button.initFrom(this);
  Button.rect = D->ButtonRect(*this);
  Button.state |= ListVisible() ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &Button, &Painter, this);
  QStyleOption Arrow;
  Arrow.initFrom(this);
  Arrow.rect = Button.rect.adjusted(3, 3, -3, -3);
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Arrow, &Painter, this);
}

void TInplaceEdit::mousePressEvent(QMouseEvent* Event) {
  if (D->Style != esPickList || Event->button() != Qt::LeftButton ||
      !D->ButtonRect(*this).contains(Event->position().toPoint()))
    return QWidget::mousePressEvent(Event);
  if (ListVisible())
    CloseUp(false);
  else
    DropDown();
}

void TInplaceEdit::resizeEvent(QResizeEvent* /*Event*/) {
  BoundsChanged();
}

bool TInplaceEdit::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == D->Line && Event->type() == QEvent::FocusOut)
    D->Grid->FocusLeaving(static_cast<QFocusEvent*>(Event)->reason());
  if (Event->type() != QEvent::KeyPress) return false;
  auto& Key = static_cast<QKeyEvent&>(*Event);
  const int Code = Key.key();
  const bool Alt = (Key.modifiers() & Qt::AltModifier) != 0;
  if (Watched == D->List) {
    if (Code == Qt::Key_Return || Code == Qt::Key_Enter)
      CloseUp(true);
    else if (Code == Qt::Key_Escape || Code == Qt::Key_F4)
      CloseUp(false);
    else
      return false;
    return true;
  }
  if (Watched != D->Line) return false;
  if (D->Style == esPickList && (Code == Qt::Key_F4 || (Alt && Code == Qt::Key_Down))) {
    DropDown();
    return true;
  }
  switch (Code) {
  case Qt::Key_Escape:
    D->Grid->CancelEditor();
    return true;
  case Qt::Key_Return:
  case Qt::Key_Enter:
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
    if (Alt) return false;
    // Committed, then on to the grid, which moves the current cell or
    // passes Enter on to its parents.
    D->Grid->HideEditor();
    Key.ignore();
    return true;
  default:
    return false;
  }
}
