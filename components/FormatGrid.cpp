#include "components/FormatGrid.h"

#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"

#include <QFocusEvent>
#include <QImage>
#include <QMenu>
#include <typeinfo>

bool IsButtonKind(std::uint8_t Kind) {
  return Kind == ckButton || Kind == ckColorButton || Kind == ckWideButton;
}

bool IsEditableKind(std::uint8_t Kind) {
  return Kind == ckNormal || Kind == ckEditLine || Kind == ckEditBox || Kind == ckPickList;
}

// The glyph resources live in this static library; register them before use.
static void InitGlyphResources() {
  Q_INIT_RESOURCE(components);
}

namespace {

TBitmap LoadToggleGlyph() {
  InitGlyphResources();
  const QImage Image(QStringLiteral(":/toggle.bmp"));
  if (Image.isNull()) throw Exception("リソース TOGGLE を読み込めません");
  return BitmapFromImage(Image);
}

} // namespace

TFormatGrid::TFormatGrid(QWidget* Parent) : TStringGrid(Parent) {
  // Every cell is drawn by DrawCell here; the base's drawing is never used.
  SetDefaultDrawing(false);
}

TFormatGrid::~TFormatGrid() = default;

const TBitmap& TFormatGrid::ToggleGlyph() {
  static const TBitmap Glyph = LoadToggleGlyph();
  return Glyph;
}

QMenu& TFormatGrid::PopupMenu() const {
  if (!FPopupMenu) FPopupMenu = std::make_unique<QMenu>();
  return *FPopupMenu;
}

PCellFormat TFormatGrid::CellFormat(int ACol, int ARow) const {
  // The exact type tells a record (the type is final) without the cost of a
  // cast across its two bases, which a long list pays per cell.
  TObject* Object = Objects(ACol, ARow);
  return Object && typeid(*Object) == typeid(TCellFormat) ? static_cast<TCellFormat*>(Object)
                                                          : nullptr;
}

std::unique_ptr<TCellFormat> TFormatGrid::NewCellFormat(int ACol, int ARow) const {
  auto Format = std::make_unique<TCellFormat>();
  Format->Color = ACol < FixedCols() || ARow < FixedRows() ? FixedColor() : Color();
  Format->Font = Font();
  return Format;
}

TCellFormat& TFormatGrid::EnsureFormat(int ACol, int ARow) {
  if (PCellFormat Format = CellFormat(ACol, ARow)) return *Format;
  SetObjects(ACol, ARow, NewCellFormat(ACol, ARow));
  return *CellFormat(ACol, ARow);
}

void TFormatGrid::SetCellKind(int ACol, int ARow, std::uint8_t Kind) {
  TCellFormat& F = EnsureFormat(ACol, ARow);
  F.Kind = Kind;
  switch (Kind) {
  case ckButton:
  case ckWideButton:
    F.Color = clBtnFace;
    F.Align = caCenter | caVCenter;
    F.Down = false;
    break;
  case ckColorButton:
    F.Align = caCenter | caVCenter;
    F.Down = false;
    break;
  case ckFixed:
    F.Color = FixedColor();
    break;
  case ckEditLine:
    F.Color = clWindow;
    F.Align = caVCenter;
    break;
  case ckImage:
    F.Align = caCenter | caVCenter;
    break;
  case ckCheckBox:
    F.Align = caVCenter;
    break;
  case ckToggle:
    F.Align = caVCenter;
    F.ToggleIndex = -1;
    break;
  default:
    break;
  }
  InvalidateMergedCell(ACol, ARow);
}

void TFormatGrid::SetCellAlign(int ACol, int ARow, TCellAlign Align) {
  EnsureFormat(ACol, ARow).Align = Align;
  InvalidateMergedCell(ACol, ARow);
}

void TFormatGrid::SetCellColor(int ACol, int ARow, TColor Value) {
  TCellFormat& F = EnsureFormat(ACol, ARow);
  if (F.Color == Value) return;
  F.Color = Value;
  InvalidateMergedCell(ACol, ARow);
}

void TFormatGrid::SetCellMerge(int ACol, int ARow, int Dir, bool Value) {
  if (IsCellMerged(ACol, ARow, Dir) == Value) return;
  TCellFormat& F = EnsureFormat(ACol, ARow);
  if (Dir == 0)
    F.MergeAbove = Value;
  else if (Dir == 1)
    F.MergeLeft = Value;
  InvalidateMergedCell(ACol, ARow);
}

void TFormatGrid::SetCellReadOnly(int ACol, int ARow, bool Value) {
  TCellFormat& F = EnsureFormat(ACol, ARow);
  if (F.ReadOnly == Value) return;
  F.ReadOnly = Value;
  if (ACol == Col() && ARow == Row())
    SetOptions(Value ? Options() & ~TGridOptions(goEditing) : Options() | goEditing);
  InvalidateMergedCell(ACol, ARow);
}

void TFormatGrid::SetToggleIndex(int ACol, int ARow, int Index) {
  TCellFormat& F = EnsureFormat(ACol, ARow);
  if (F.Kind == ckToggle) F.ToggleIndex = Index;
  InvalidateMergedCell(ACol, ARow);
}

int TFormatGrid::GetToggleIndex(int ACol, int ARow) const {
  const PCellFormat F = CellFormat(ACol, ARow);
  return F ? F->ToggleIndex : -1;
}

QStringList& TFormatGrid::ToggleItems(int ACol, int ARow) {
  MergeOrigin(ACol, ARow);
  return EnsureFormat(ACol, ARow).Items;
}

bool TFormatGrid::IsCellMerged(int ACol, int ARow, int Dir) const {
  const PCellFormat F = CellFormat(ACol, ARow);
  if (!F) return false;
  return Dir == 0 ? F->MergeAbove : Dir == 1 ? F->MergeLeft : false;
}

PCellFormat TFormatGrid::MergeOrigin(int& ACol, int& ARow) const {
  while (ACol >= 0 && IsCellMerged(ACol, ARow, 1))
    --ACol;
  if (ACol < 0) ACol = 0;
  while (ARow >= 0 && IsCellMerged(ACol, ARow, 0))
    --ARow;
  if (ARow < 0) ARow = 0;
  return CellFormat(ACol, ARow);
}

TRect TFormatGrid::MergedRange(int ACol, int ARow) const {
  MergeOrigin(ACol, ARow);
  int Right = ACol, Bottom = ARow;
  while (Right + 1 < ColCount() && IsCellMerged(Right + 1, ARow, 1))
    ++Right;
  while (Bottom + 1 < RowCount() && IsCellMerged(Right, Bottom + 1, 0))
    ++Bottom;
  return {ACol, ARow, Right, Bottom};
}

TRect TFormatGrid::MergedCellRect(int ACol, int ARow) const {
  const TRect Range = MergedRange(ACol, ARow);
  return BoxRect(Range.Left, Range.Top, Range.Right, Range.Bottom);
}

// The whole box, grid lines inside it included: the block paints over them.
void TFormatGrid::InvalidateMergedCell(int ACol, int ARow) {
  const TRect R = MergedCellRect(ACol, ARow);
  if (!R.IsEmpty()) viewport()->update(R.Left, R.Top, R.Width(), R.Height());
}

TColor TFormatGrid::GetSelectColor(int Index) const {
  return FSelectColors[Index == 0 ? 0 : 1];
}

void TFormatGrid::SetSelectColor(int Index, TColor Value) {
  FSelectColors[Index == 0 ? 0 : 1] = Value;
  InvalidateMergedCell(Col(), Row());
}

bool TFormatGrid::GridHasFocus() const {
  return hasFocus() || viewport()->hasFocus();
}

// The base repaints the current cell alone; its whole block changes colour.
void TFormatGrid::focusInEvent(QFocusEvent* Event) {
  TStringGrid::focusInEvent(Event);
  // A click chooses its own cell.
  if (Event->reason() != Qt::MouseFocusReason) EnsureSelectableCurrent();
  InvalidateMergedCell(Col(), Row());
}

void TFormatGrid::focusOutEvent(QFocusEvent* Event) {
  TStringGrid::focusOutEvent(Event);
  InvalidateMergedCell(Col(), Row());
}
