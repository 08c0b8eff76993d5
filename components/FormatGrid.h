#pragma once

#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/StringGrid.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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

// The format record of one cell, kept in the grid's per-cell object slot.
struct TCellFormat : public TObject {
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
using PCellFormat = TCellFormat*;

using TButtonClickCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCheckBoxClickCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool Checked)>;
using TToggleChangeCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int SelectNum)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// Lays styled text out in Rect by the placement flags DT_CENTER, DT_RIGHT,
// DT_VCENTER and DT_BOTTOM of Flags and draws it line by line.
void DrawStyledText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, unsigned Flags);

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

  // The glyph of toggle cells.
  const TBitmap& ToggleGlyph() const { return FToggleGlyph; }

protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;

  // True while the grid itself (not its editor) has the keyboard focus.
  bool GridHasFocus() const;
  // The record of a cell, created and stored when it has none.
  TCellFormat& EnsureFormat(int ACol, int ARow);

  int FPressCol = 0;
  int FPressRow = 0;
  bool FPressing = false;

private:
  const TImageList* FImageList = nullptr;
  TBitmap FToggleGlyph;
  std::unique_ptr<QMenu> FPopupMenu;
  TColor FSelectColors[2] = {clHighlight, clHighlightText};
};
