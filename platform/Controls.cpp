#include "platform/Controls.h"

#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"
#include "platform/WinDraw.h"

#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolTip>
#include <algorithm>

namespace {

void FireClick(const TNotifyEvent& Event, TObject* Sender) {
  if (Event) Event(Sender);
}

// The classic 1-pixel frame: top and left edges in TopLeft, bottom and
// right edges (both far corners included) in BottomRight.
void DrawFrame3D(QPainter& Painter, const QRect& R, const QColor& TopLeft,
                 const QColor& BottomRight) {
  Painter.fillRect(R.left(), R.top(), R.width() - 1, 1, TopLeft);
  Painter.fillRect(R.left(), R.top(), 1, R.height() - 1, TopLeft);
  Painter.fillRect(R.left(), R.bottom(), R.width(), 1, BottomRight);
  Painter.fillRect(R.right(), R.top(), 1, R.height(), BottomRight);
}

} // namespace

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(QWidget* Parent) : QGroupBox(Parent) {
  // Three items fit the classic 60-pixel group: indicators the size of
  // the text.
  setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 11px; height: 11px; }"));
}

void TRadioGroup::SetColumns(int Value) {
  FColumns = std::max(1, Value);
  ArrangeButtons();
}

void TRadioGroup::SetItems(const QStringList& Value) {
  for (QRadioButton* Button : FButtons)
    delete Button;
  FButtons.clear();
  FItems = Value;
  for (int I = 0; I < FItems.size(); ++I) {
    auto* Button = new QRadioButton(FItems[I], this);
    Button->installEventFilter(this);
    connect(Button, &QRadioButton::clicked, this, [this, I] { SetItemIndex(I); });
    FButtons.push_back(Button);
  }
  if (FItemIndex >= FItems.size()) FItemIndex = -1;
  ArrangeButtons();
  // Shown once placed: a child added to a visible group would stay hidden,
  // and one shown unplaced measures its text for a size it never keeps.
  for (QRadioButton* Button : FButtons)
    Button->show();
  UpdateButtons();
}

void TRadioGroup::SetItemIndex(int Value) {
  Value = std::clamp(Value, -1, static_cast<int>(FItems.size()) - 1);
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  UpdateButtons();
  FireClick(OnClick, this);
}

bool TRadioGroup::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress) return QGroupBox::eventFilter(Watched, Event);
  const auto Found = std::find(FButtons.begin(), FButtons.end(), Watched);
  if (Found == FButtons.end()) return QGroupBox::eventFilter(Watched, Event);
  const int From = static_cast<int>(Found - FButtons.begin());
  switch (static_cast<QKeyEvent*>(Event)->key()) {
  case Qt::Key_Up:
  case Qt::Key_Left:
    StepSelection(From, -1);
    return true;
  case Qt::Key_Down:
  case Qt::Key_Right:
    StepSelection(From, 1);
    return true;
  default:
    return QGroupBox::eventFilter(Watched, Event);
  }
}

void TRadioGroup::ArrangeButtons() {
  // Like the classic control: below the caption, inside the frame, the
  // items share the height evenly, column by column, top to bottom.
  const int Count = static_cast<int>(FButtons.size());
  if (Count == 0) return;
  const int PerColumn = (Count + FColumns - 1) / FColumns;
  const int TextHeight = fontMetrics().height();
  const int ButtonWidth = (width() - 12) / FColumns;
  const int Free = height() - TextHeight - 3;
  const int ButtonHeight = std::max(1, Free / PerColumn);
  const int TopMargin = TextHeight + (Free % PerColumn) / 2;
  for (int I = 0; I < Count; ++I)
    FButtons[I]->setGeometry(8 + (I / PerColumn) * ButtonWidth,
                             TopMargin + (I % PerColumn) * ButtonHeight, ButtonWidth - 2,
                             ButtonHeight);
}

void TRadioGroup::paintEvent(QPaintEvent*) {
  // An etched frame whose top line runs through the middle of the caption;
  // the caption stands on the face colour over the line.
  QPainter Painter(this);
  const QFontMetrics Metrics = fontMetrics();
  const int Top = Metrics.height() / 2, W = width(), H = height();
  Painter.setPen(ToQColor(clBtnHighlight));
  Painter.drawRect(1, Top + 1, W - 2, H - Top - 2);
  Painter.setPen(ToQColor(clBtnShadow));
  Painter.drawRect(0, Top, W - 2, H - Top - 2);
  const QRect Caption(6, 0, Metrics.horizontalAdvance(title()) + 4, Metrics.height());
  Painter.fillRect(Caption, palette().color(QPalette::Window));
  Painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  Painter.drawText(Caption, Qt::AlignCenter, title());
}

void TRadioGroup::resizeEvent(QResizeEvent* Event) {
  QGroupBox::resizeEvent(Event);
  ArrangeButtons();
}

void TRadioGroup::UpdateButtons() {
  const int TabStop = std::max(FItemIndex, 0);
  for (int I = 0; I < static_cast<int>(FButtons.size()); ++I) {
    QRadioButton* Button = FButtons[I];
    if (I == FItemIndex) {
      Button->setChecked(true);
    } else if (Button->isChecked()) {
      // An auto-exclusive button cannot be unchecked directly.
      Button->setAutoExclusive(false);
      Button->setChecked(false);
      Button->setAutoExclusive(true);
    }
    Button->setFocusPolicy(I == TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void TRadioGroup::StepSelection(int From, int Step) {
  const int Count = static_cast<int>(FButtons.size());
  for (int N = 1; N < Count; ++N) {
    const int I = ((From + Step * N) % Count + Count) % Count;
    if (!FButtons[I]->isEnabled()) continue;
    FButtons[I]->setFocus(Qt::OtherFocusReason);
    SetItemIndex(I);
    return;
  }
}

// ----------------------------------------------------------------- TStatusBar

TStatusBar::TStatusBar(QWidget* Parent) : QWidget(Parent) {
  setAutoFillBackground(true);
}

void TStatusBar::AddPanel(int Width, Qt::Alignment Align, bool Bevel) {
  FPanels.push_back({Width, Align, Bevel, {}});
  update(PanelRect(PanelCount() - 1));
}

void TStatusBar::DeletePanels(int From) {
  if (From < 0 || From >= PanelCount()) return;
  FPanels.resize(static_cast<std::size_t>(From));
  update();
}

const TStatusBar::TPanelInfo& TStatusBar::Panel(int Index) const {
  if (Index < 0 || Index >= PanelCount()) throw EListError::IndexError(Index);
  return FPanels[Index];
}

QString TStatusBar::PanelText(int Index) const {
  return Panel(Index).Text;
}

void TStatusBar::SetPanelText(int Index, const QString& Value) {
  Panel(Index); // checks the index
  FPanels[Index].Text = Value;
  if (!FMessage.isEmpty()) SetMessage(QString());
  update(PanelRect(Index));
}

void TStatusBar::SetMessage(const QString& Value) {
  FMessage = Value;
  update();
}

QRect TStatusBar::PanelRect(int Index) const {
  int Left = 0;
  for (int I = 0; I < Index; ++I)
    Left += Panel(I).Width + 2;
  return QRect(Left, 2, Panel(Index).Width, height() - 2);
}

QRect TStatusBar::TextRect(int Index) const {
  return PanelRect(Index).adjusted(3, 1, -3, -1);
}

QString TStatusBar::ShownPanelText(int Index) const {
  return fontMetrics().elidedText(Panel(Index).Text, Qt::ElideRight, TextRect(Index).width());
}

bool TStatusBar::event(QEvent* Event) {
  if (Event->type() != QEvent::ToolTip) return QWidget::event(Event);
  const QPoint At = static_cast<QHelpEvent*>(Event)->pos();
  for (int I = 0; FMessage.isEmpty() && I < PanelCount(); ++I)
    if (PanelRect(I).contains(At) && ShownPanelText(I) != FPanels[I].Text) {
      QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(), FPanels[I].Text, this,
                         PanelRect(I));
      return true;
    }
  QToolTip::hideText();
  Event->ignore();
  return true;
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  Painter.setFont(font());
  Painter.setPen(palette().color(QPalette::WindowText));
  if (!FMessage.isEmpty()) {
    const QRect R(0, 2, width(), height() - 2);
    DrawFrame3D(Painter, R, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    Painter.drawText(R.adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignVCenter, FMessage);
    return;
  }
  for (int I = 0; I < PanelCount(); ++I) {
    const QRect R = PanelRect(I);
    const TPanelInfo& P = FPanels[I];
    if (P.Bevel)
      DrawFrame3D(Painter, R, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    Painter.drawText(TextRect(I), static_cast<int>(P.Align | Qt::AlignVCenter), ShownPanelText(I));
  }
}

void TStatusBar::mousePressEvent(QMouseEvent* Event) {
  FPressed = Event->button() == Qt::LeftButton;
}

void TStatusBar::mouseReleaseEvent(QMouseEvent* Event) {
  const bool Click =
      FPressed && Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint());
  FPressed = false;
  if (Click) FireClick(OnClick, this);
}

// --------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(QWidget* Parent) : QToolButton(Parent) {
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QToolButton::clicked, this, [this] { FireClick(OnClick, this); });
}

namespace {

// The classic disabled look of a glyph: its ink embossed, a highlight copy
// one pixel down and right under a shadow copy.
QImage DisabledGlyphImage(const TBitmap& Glyph) {
  QImage Image(Glyph.Width + 1, Glyph.Height + 1, QImage::Format_ARGB32);
  Image.fill(Qt::transparent);
  {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    DrawState(Canvas, Glyph, 0, 0, DST_BITMAP | DSS_DISABLED);
  } // everything painted
  return Image.copy(0, 0, Glyph.Width, Glyph.Height);
}

} // namespace

void TSpeedButton::SetGlyph(const TBitmap& Glyph) {
  QIcon Icon(QPixmap::fromImage(ImageFromBitmap(Glyph, true)));
  Icon.addPixmap(QPixmap::fromImage(DisabledGlyphImage(Glyph)), QIcon::Disabled);
  setIcon(Icon);
  setIconSize(QSize(Glyph.Width, Glyph.Height));
}

// -------------------------------------------------------- TButton, TCheckBox

TButton::TButton(const QString& Caption, QWidget* Parent) : QPushButton(Caption, Parent) {
  connect(this, &QPushButton::clicked, this, [this] { FireClick(OnClick, this); });
}

TCheckBox::TCheckBox(const QString& Caption, QWidget* Parent) : QCheckBox(Caption, Parent) {
  connect(this, &QCheckBox::toggled, this, [this] { FireClick(OnClick, this); });
}

// ------------------------------------------------------------ TPanel, TBevel

TPanel::TPanel(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::NoFrame);
  setAutoFillBackground(true);
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  update();
}

void TPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  update();
}

void TPanel::SetBorderWidth(int Value) {
  FBorderWidth = std::max(0, Value);
  update();
}

QRect TPanel::ClientRect() const {
  const int Inset = (FBevelOuter != bvNone) + (FBevelInner != bvNone) + FBorderWidth;
  return rect().adjusted(Inset, Inset, -Inset, -Inset);
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const QColor Light = palette().color(QPalette::Light);
  const QColor Dark = palette().color(QPalette::Dark);
  QRect R = rect();
  for (TBevelCut Cut : {FBevelOuter, FBevelInner}) {
    if (Cut == bvNone) continue;
    if (Cut == bvRaised)
      DrawFrame3D(Painter, R, Light, Dark);
    else
      DrawFrame3D(Painter, R, Dark, Light);
    R.adjust(1, 1, -1, -1);
  }
}

TBevel::TBevel(QWidget* Parent) : QWidget(Parent) {}

void TBevel::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  Painter.fillRect(0, 0, width(), 1, palette().color(QPalette::Dark));
  Painter.fillRect(0, 1, width(), 1, palette().color(QPalette::Light));
}
