#pragma once

#include "platform/Canvas.h"
#include "platform/Events.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TInplaceEdit;
class TQtCanvas;
class QLineEdit;
class QPainter;

// Options of a string grid (bits of TStringGrid::Options).
enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goColSizing = 1u << 5,
  goEditing = 1u << 6,
  goAlwaysShowEditor = 1u << 7,
  goTabs = 1u << 8,
};
using TGridOptions = unsigned;

// Draw state of a cell (bits).
enum TGridDrawStateBit : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum TEditStyle { esSimple, esPickList };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state bits of keys and mouse events.
enum TShiftStateBit : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16 };
using TShiftState = unsigned;

// Virtual key codes used by the grids.
enum TVirtualKey : int {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_ESCAPE = 0x1B,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_DELETE = 0x2E,
  VK_F2 = 0x71,
};

struct TGridCoord {
  int X = 0; // column
  int Y = 0; // row
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TGetPickListItemsEvent = std::function<void(int ACol, int ARow, QStringList& Items)>;

// A grid of text cells with fixed leading rows and columns, a current cell,
// an in-place editor and a per-cell object slot, painting every cell
// through the virtual DrawCell on a TCanvas. Coordinates are (column, row),
// 0-based, fixed rows and columns included. Pixel rectangles are in the
// viewport's coordinates; a cell's rectangle excludes the grid lines to its
// right and below it.
class TStringGrid : public QAbstractScrollArea, public TObject {
public:
  explicit TStringGrid(QWidget* Parent = nullptr);
  ~TStringGrid() override;

  // ---- dimensions
  int ColCount() const;
  void SetColCount(int Value);
  int RowCount() const;
  void SetRowCount(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  int FixedRows() const;
  void SetFixedRows(int Value);
  int DefaultColWidth() const;
  void SetDefaultColWidth(int Value); // resets every column width
  int DefaultRowHeight() const;
  void SetDefaultRowHeight(int Value); // resets every row height
  int ColWidths(int ACol) const;
  void SetColWidths(int ACol, int Value);
  int RowHeights(int ARow) const;
  void SetRowHeights(int ARow, int Value);
  int GridLineWidth() const;
  // The room a line takes between columns and between rows: GridLineWidth
  // where lines of that direction are on, 0 otherwise.
  int ColLineWidth() const;
  int RowLineWidth() const;
  void SetGridLineWidth(int Value);

  // ---- content
  QString Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const QString& Value); // repaints the cell; no event
  // The per-cell object slot; the grid owns what is stored there. Objects
  // of cells that leave the grid when the counts shrink are released.
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, std::unique_ptr<TObject> Object);

  // ---- state
  int Col() const;
  void SetCol(int Value); // through SelectCell, like a user move
  int Row() const;
  void SetRow(int Value);
  TGridOptions Options() const;
  void SetOptions(TGridOptions Value);
  bool DefaultDrawing() const;
  void SetDefaultDrawing(bool Value);
  TColor Color() const; // background of non-fixed cells (default clWindow)
  void SetColor(TColor Value);
  TColor FixedColor() const; // background of fixed cells (default clBtnFace)
  void SetFixedColor(TColor Value);
  const TFont& Font() const; // the grid's font (default the window font)
  void SetFont(const TFont& Value);
  int TopRow() const;  // first visible scrolling row
  int LeftCol() const; // first visible scrolling column
  // True while this grid or its in-place editor has the keyboard focus.
  bool Focused() const;

  // ---- geometry
  // Pixel rectangle of the block of cells Left..Right × Top..Bottom
  // (inclusive), clipped to the visible part; empty when none is visible.
  TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a viewport point; -1, -1 when there is none.
  TGridCoord MouseToCell(int X, int Y) const;
  void InvalidateCell(int ACol, int ARow);
  // Makes (ACol, ARow) current without asking SelectCell, scrolling it into
  // view when Show is set.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

  // ---- in-place editing
  bool EditorMode() const;
  void SetEditorMode(bool Value);
  void ShowEditor();
  // Shows the editor on the current cell as a key would, its text
  // selected so that typing replaces it.
  void ShowEditorSelected();
  void HideEditor(); // writes the editor's text back through SetEditText
  // Tells one editing of a cell from the next: changes each time the
  // editor is shown on a cell, and stays while it edits there (its
  // SetEditText calls, the one that hides it included).
  int EditSession() const;
  TInplaceEdit* InplaceEditor() const;

  // ---- events
  TDrawCellEvent OnDrawCell;
  TSetEditEvent OnSetEditText;
  TNotifyEvent OnExit;

  // The canvas of the paint in progress (only valid inside DrawCell).
  TCanvas& Canvas();

protected:
  // ---- hooks for descendants
  virtual void Paint();
  // Draws one cell; the default draws the cell text left-aligned on the
  // fixed or normal colour when DefaultDrawing is set.
  virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState);
  // Whether the current cell may move to (ACol, ARow).
  virtual bool SelectCell(int ACol, int ARow);
  virtual bool CanEditShow();
  virtual std::unique_ptr<TInplaceEdit> CreateEditor();
  virtual QString GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const QString& Value);
  virtual TEditStyle GetEditStyle(int ACol, int ARow);
  virtual void KeyDown(int& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoExit();
  // Lends DrawCell a canvas outside a paint (nullptr takes it back), so
  // that cells can be drawn on any canvas, a recording one in tests.
  void SetPaintCanvas(TCanvas* Canvas);

  // ---- Qt plumbing
  void paintEvent(QPaintEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void scrollContentsBy(int Dx, int Dy) override;
  bool focusNextPrevChild(bool Next) override;

private:
  friend class TInplaceEdit;
  // Called by the editor: its text was changed by the user.
  void EditorTextEdited(const QString& Text);
  // Called by the editor on Escape: back to the text it was shown with.
  void CancelEditor();
  // Called when the grid or the editor loses the focus.
  void FocusLeaving(Qt::FocusReason Reason);
  // Hands a press or release of a known button to Handler; false for the
  // other buttons.
  using TMouseHandler = void (TStringGrid::*)(TMouseButton, TShiftState, int, int);
  bool ForwardMouse(QMouseEvent* Event, TMouseHandler Handler);

  struct TPrivate;
  std::unique_ptr<TPrivate> D;
};

// The in-place editor: a one-line editor with an optional drop-down list,
// placed over the current cell by the grid.
class TInplaceEdit : public QWidget, public TObject {
public:
  explicit TInplaceEdit(TStringGrid* Grid);
  ~TInplaceEdit() override;

  TStringGrid* Grid() const;
  QString Text() const;
  void SetText(const QString& Value);
  TEditStyle EditStyle() const;
  void SetEditStyle(TEditStyle Value);
  int DropDownRows() const;
  void SetDropDownRows(int Value);
  int ButtonWidth() const;
  void SetButtonWidth(int Value);
  TGetPickListItemsEvent OnGetPickListItems;
  bool ListVisible() const;
  void DropDown();
  void CloseUp(bool Accept);
  // The line edit that holds the text.
  QLineEdit* LineEdit() const;

protected:
  // Runs whenever the grid sets the editor's bounds.
  virtual void BoundsChanged();
  // Erases the editor's background before the text is drawn; the default
  // fills the whole editor with the grid's colour. Returns false when
  // nothing was erased (the cell's own painting shows through).
  virtual bool EraseBackground(TCanvas& Canvas);
  // The area inside the editor in which the text line is laid out.
  void SetTextRect(const TRect& R);

  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  friend class TStringGrid;
  void LayoutLine();

  struct TPrivate;
  std::unique_ptr<TPrivate> D;
};
