#pragma once

#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/StringGrid.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;

// What a cell is; stored and compared as a number (codes above 11 can be
// stored and paint no background).
enum TCellKind : std::uint8_t {
  ckNormal = 0,
  ckButton = 1,
  ckFixed = 2,
  ckEditLine = 3,
  ckEditBox = 4,
  ckLabel = 5,
  ckImage = 6,
  ckCheckBox = 7,
  ckToggle = 8,
  ckColorButton = 9,
  ckWideButton = 10,
  ckPickList = 11,
};

// Placement flags of a cell's text or image (bits of TCellAlign).
enum TCellAlignFlag : std::uint8_t {
  caCenter = 1,
  caRight = 2, // ignored with caCenter
  caVCenter = 4,
  caBottom = 8, // ignored with caVCenter
  caWordWrap = 16,
};
using TCellAlign = std::uint8_t;

bool IsButtonKind(std::uint8_t Kind);
bool IsEditableKind(std::uint8_t Kind);

// What a cell's format says.
struct TCellValues {
  TColor Color = clWindow;
  TFont Font;
  std::uint8_t Kind = ckNormal;
  int ImageIndex = -1;
  TCellAlign Align = 0;
  bool ReadOnly = false;
  bool Enabled = true;
  bool Down = false; // a button held down; a check box checked
  int ToggleIndex = -1;
  bool MergeAbove = false;
  bool MergeLeft = false;
  TRect EditRect; // the cell's box as last painted
  QStringList Items;
};

// The format record of one cell, kept in the grid's per-cell object slot.
struct TCellFormat final : public TObject, public TCellValues {};
using PCellFormat = TCellFormat*;

using TButtonClickCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCheckBoxClickCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool Checked)>;
using TToggleChangeCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int SelectNum)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

class TFormatGrid;

// The in-place editor of a format grid: stretched over the merged block of
// the current cell, its text line placed by the cell's alignment.
class TMergeInplaceEdit : public TInplaceEdit {
public:
  explicit TMergeInplaceEdit(TFormatGrid* Grid);

protected:
  void BoundsChanged() override;
  bool EraseBackground(TCanvas& Canvas) override;
  void moveEvent(QMoveEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

private:
  TFormatGrid* FormatGrid() const;
  PCellFormat CurrentFormat() const;
  void StretchOverBlock();
};

// A string grid whose cells carry format records: captions, edit boxes,
// buttons, check boxes, toggles, images and pick lists, merged blocks.
class TFormatGrid : public TStringGrid {
public:
  explicit TFormatGrid(QWidget* Parent = nullptr);
  ~TFormatGrid() override;

  // ---- records
  PCellFormat CellFormat(int ACol, int ARow) const;
  std::unique_ptr<TCellFormat> NewCellFormat(int ACol, int ARow) const;

  void SetCellKind(int ACol, int ARow, std::uint8_t Kind);
  void SetCellAlign(int ACol, int ARow, TCellAlign Align);
  void SetCellColor(int ACol, int ARow, TColor Color);
  // Dir 0 joins the cell to the one above, 1 to the one on its left.
  void SetCellMerge(int ACol, int ARow, int Dir, bool Value);
  void SetCellReadOnly(int ACol, int ARow, bool Value);
  void SetToggleIndex(int ACol, int ARow, int Index);
  int GetToggleIndex(int ACol, int ARow) const;
  // The choices of the block's origin (created on demand), owned by the grid.
  QStringList& ToggleItems(int ACol, int ARow);
  bool IsCellMerged(int ACol, int ARow, int Dir) const;

  // ---- merged blocks
  PCellFormat MergeOrigin(int& ACol, int& ARow) const;
  TRect MergedRange(int ACol, int ARow) const; // column and row indices, inclusive
  TRect MergedCellRect(int ACol, int ARow) const;
  void InvalidateMergedCell(int ACol, int ARow);

  // ---- properties
  TColor GetSelectColor(int Index) const; // 0 cell colour, 1 text colour
  void SetSelectColor(int Index, TColor Value);
  TColor SelectCellColor() const { return GetSelectColor(0); }
  void SetSelectCellColor(TColor Value) { SetSelectColor(0, Value); }
  TColor SelectTextColor() const { return GetSelectColor(1); }
  void SetSelectTextColor(TColor Value) { SetSelectColor(1, Value); }
  const TImageList* ImageList() const { return FImageList; }
  void SetImageList(const TImageList* Value) { FImageList = Value; }

  TButtonClickCellEvent OnButtonClick;
  TCheckBoxClickCellEvent OnCheckBoxClick;
  TToggleChangeCellEvent OnToggleChange;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;

  // The glyph of toggle cells, shared by every grid and read on first use.
  static const TBitmap& ToggleGlyph();
  // The menu of a toggle's choices, made on first use and rebuilt on every
  // right click.
  QMenu& PopupMenu() const;

  // Moves the current cell to the next selectable cell in reading order,
  // wrapping round, and returns it (the current cell when there is none).
  TGridCoord MoveNextCell();
  // Makes the first selectable cell in reading order current, unless the
  // current cell is selectable already: a grid reached from the keyboard
  // shows where typing goes.
  void EnsureSelectableCurrent();
  // The choices of a pick list cell: its origin's Items.
  void GetPickListItems(int ACol, int ARow, QStringList& Items);
  // A choice picked from the toggle menu (the item's data is its index).
  void ToggleMenuClick(QAction* Item);

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  bool CanEditShow() override;
  std::unique_ptr<TInplaceEdit> CreateEditor() override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  TEditStyle GetEditStyle(int ACol, int ARow) override;
  void KeyDown(int& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

  // Moves (ACol, ARow) to its merge origin and tells whether it may become
  // current.
  bool CanSelectCell(int& ACol, int& ARow);
  // Switches goEditing to match the block of (ACol, ARow), about to become
  // current; unformatted cells leave it alone.
  void MatchEditing(int ACol, int ARow);

  // True while the grid itself (not its editor) has the keyboard focus.
  bool GridHasFocus() const;
  // The record of a cell, created and stored when it has none.
  TCellFormat& EnsureFormat(int ACol, int ARow);

  int FPressCol = 0;
  int FPressRow = 0;
  bool FPressing = false;

private:
  // The steps of painting a block, in the order DrawCell takes them.
  struct TDrawFormat;
  struct TCellLayout;
  TDrawFormat DrawFormatOf(int ACol, int ARow, TGridDrawState AState) const;
  TRect BlockRect(int ACol, int ARow, TRect ARect, const TRect& Range) const;
  TGridDrawState BlockState(const TRect& Range, TGridDrawState AState) const;
  TCellLayout LayoutContent(const TDrawFormat& Fmt, const TRect& R, const std::string& Text);
  TColor ApplyCellColours(const TDrawFormat& Fmt, TGridDrawState State);
  void DrawFrameByKind(const TDrawFormat& Fmt, TRect& R, TGridDrawState State, TColor CellColor,
                       TRect& TextRect, std::string& Text);
  std::string DrawToggleFrame(const TDrawFormat& Fmt, const TRect& R, const TRect& TextRect);
  void DrawContent(const TDrawFormat& Fmt, const TCellLayout& Layout, const std::string& Text);

  const TImageList* FImageList = nullptr;
  mutable std::unique_ptr<QMenu> FPopupMenu;
  TColor FSelectColors[2] = {clHighlight, clHighlightText};
};
