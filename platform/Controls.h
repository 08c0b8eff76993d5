#pragma once

#include "platform/Canvas.h"
#include "platform/Events.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <QWidget>
#include <vector>

class QRadioButton;

// A captioned group of radio buttons, one per item, laid out top to bottom
// in Columns() columns. OnClick fires whenever the selection changes: by a
// click, by the arrow keys, or by SetItemIndex. Only the selected button
// (the first one while none is) takes part in the Tab order; the arrow keys
// move within the group.
class TRadioGroup : public QGroupBox, public TObject {
public:
  explicit TRadioGroup(QWidget* Parent = nullptr);

  int Columns() const { return FColumns; }
  void SetColumns(int Value); // at least 1
  QStringList Items() const { return FItems; }
  // Replaces the buttons; the selection stays when it is still an item.
  void SetItems(const QStringList& Value);
  int ItemIndex() const { return FItemIndex; } // -1: none
  // Clamped to -1 .. item count - 1; fires OnClick when the index changes.
  void SetItemIndex(int Value);

  TNotifyEvent OnClick;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

private:
  void ArrangeButtons();
  void UpdateButtons();
  // Moves the selection Step items on, wrapping, over disabled buttons.
  void StepSelection(int From, int Step);

  std::vector<QRadioButton*> FButtons;
  QStringList FItems;
  int FColumns = 1;
  int FItemIndex = -1;
};

// A status bar of fixed-width panels placed left to right, 2 pixels apart
// and 2 pixels below the top edge; the space after the last one stays
// empty. OnClick fires on a left click anywhere on the bar. A text too
// wide for its panel is shown cut with "…", never silently, and whole in
// the panel's tool tip.
class TStatusBar : public QWidget, public TObject {
public:
  explicit TStatusBar(QWidget* Parent = nullptr);

  void AddPanel(int Width, Qt::Alignment Align = Qt::AlignLeft, bool Bevel = true);
  // Removes the panels from From on.
  void DeletePanels(int From);
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  QString PanelText(int Index) const;
  void SetPanelText(int Index, const QString& Value);
  // The panel's frame, bevel included.
  QRect PanelRect(int Index) const;
  // The text as the panel shows it: whole, or cut with "…" to fit.
  QString ShownPanelText(int Index) const;
  // A message shown across the whole bar in place of the panels, until
  // the next panel text is written or the message is set empty.
  QString Message() const { return FMessage; }
  void SetMessage(const QString& Value);

  TNotifyEvent OnClick;

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

private:
  // Where a panel's text goes inside its frame.
  QRect TextRect(int Index) const;
  struct TPanelInfo {
    int Width;
    Qt::Alignment Align;
    bool Bevel;
    QString Text;
  };
  const TPanelInfo& Panel(int Index) const;

  std::vector<TPanelInfo> FPanels;
  QString FMessage;
  bool FPressed = false;
};

// A tool bar button that never takes the focus and shows a glyph, greyed
// while disabled.
class TSpeedButton : public QToolButton, public TObject {
public:
  explicit TSpeedButton(QWidget* Parent = nullptr);

  void SetGlyph(const TBitmap& Glyph);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  TNotifyEvent OnClick;

private:
  int FTag = 0;
};

class TButton : public QPushButton, public TObject {
public:
  explicit TButton(const QString& Caption = {}, QWidget* Parent = nullptr);

  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  TNotifyEvent OnClick;

private:
  int FTag = 0;
};

// OnClick fires whenever the check changes, by the user or by SetChecked.
class TCheckBox : public QCheckBox, public TObject {
public:
  explicit TCheckBox(const QString& Caption = {}, QWidget* Parent = nullptr);

  bool Checked() const { return isChecked(); }
  void SetChecked(bool Value) { setChecked(Value); }

  TNotifyEvent OnClick;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container framed by up to two 1-pixel bevels (the outer one raised by
// default) with BorderWidth pixels of space inside them.
class TPanel : public QFrame, public TObject {
public:
  explicit TPanel(QWidget* Parent = nullptr);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // The area inside the bevels and the border.
  QRect ClientRect() const;

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBorderWidth = 0;
};

// An etched line along the top edge: shadow above, highlight below.
class TBevel : public QWidget {
public:
  explicit TBevel(QWidget* Parent = nullptr);

protected:
  void paintEvent(QPaintEvent* Event) override;
};
