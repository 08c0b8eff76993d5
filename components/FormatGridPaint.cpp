// Painting of format grid cells: every cell draws the whole merged block
// that holds it, with the format and text of the block's origin.
#include "components/FormatGrid.h"
#include "components/QVXStyleText.h"
#include "platform/WinDraw.h"

#include <algorithm>
#include <cstdlib>

// The format a cell is drawn with: its record's, or the values a new record
// would have (the colour by whether the cell is drawn as fixed).
struct TFormatGrid::TDrawFormat : TCellValues {
  PCellFormat Record = nullptr;
};

// Where a block's content goes: the text rectangle with its DrawText
// flags, or the top-left corner of the image.
struct TFormatGrid::TCellLayout {
  TRect Text;
  unsigned Flags = 0;
  TPoint Image;
};

namespace {

TRect Inflate(TRect R, int By) {
  return {R.Left - By, R.Top - By, R.Right + By, R.Bottom + By};
}

TRect Offset(TRect R, int Dx, int Dy) {
  return {R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy};
}

// The left edge of a Width wide thing placed in Box by the alignment.
int AlignedLeft(const TRect& Box, int Width, TCellAlign Align) {
  return (Align & caCenter)  ? Box.Left + (Box.Width() - Width) / 2
         : (Align & caRight) ? Box.Right - Width
                             : Box.Left;
}

// The top edge of a Height high thing placed in Box by the alignment.
int AlignedTop(const TRect& Box, int Height, TCellAlign Align) {
  return (Align & caVCenter)  ? Box.Top + (Box.Height() - Height) / 2
         : (Align & caBottom) ? Box.Bottom - Height
                              : Box.Top;
}

unsigned TextFlags(TCellAlign Align) {
  unsigned Flags;
  if (Align & caWordWrap)
    Flags = DT_WORDBREAK;
  else
    Flags = DT_SINGLELINE | ((Align & caVCenter)  ? DT_VCENTER
                             : (Align & caBottom) ? DT_BOTTOM
                                                  : 0u);
  return Flags | ((Align & caCenter) ? DT_CENTER : (Align & caRight) ? DT_RIGHT : 0u);
}

// A word-wrapped text is measured and its block placed in Box by hand.
TRect WrappedTextRect(TCanvas& C, const std::string& Text, const TRect& Box, unsigned Flags,
                      TCellAlign Align) {
  TRect Block = Box;
  DrawText(C, Text, Block, Flags | DT_CALCRECT);
  const int W = Block.Width(), H = Block.Height();
  const int Left = AlignedLeft(Box, W, Align), Top = AlignedTop(Box, H, Align);
  return {Left, Top, Left + W, Top + H};
}

// ckNormal and ckPickList: a plain fill, raised when drawn as fixed (the
// bevel narrows R).
void DrawPlainFrame(TCanvas& C, TRect& R, bool Fixed, PCellFormat Record) {
  C.FillRect(R);
  if (Fixed)
    DrawEdge(C, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  else if (Record)
    Record->EditRect = R;
}

// The three button kinds; a button held down moves its text by a pixel.
void DrawButtonFrame(TCanvas& C, std::uint8_t Kind, const TRect& R, bool Down, TRect& Text) {
  TRect B = R;
  if (Kind == ckWideButton) {
    ++B.Right;
    ++B.Bottom;
  }
  DrawFrameControl(C, B, DFC_BUTTON, DFCS_BUTTONPUSH | (Down ? DFCS_PUSHED : 0u));
  if (Down) Text = Offset(Text, 1, 1);
  // The face in the cell's colour: the button moved up and left by one
  // pixel, then narrowed by two on every side, so the light edge of the
  // frame stays one pixel wide and the dark one two.
  if (Kind != ckButton) C.FillRect({B.Left + 1, B.Top + 1, B.Right - 2, B.Bottom - 2});
}

// ckFixed: a raised bevel with a black line along the right and bottom.
void DrawFixedFrame(TCanvas& C, const TRect& R) {
  C.Rectangle(R);
  C.FillRect(R);
  TRect Bevel = R;
  DrawEdge(C, Bevel, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  C.Pen.Color = clBlack;
  C.Pen.Width = 1;
  C.MoveTo(R.Left, R.Bottom);
  C.LineTo(R.Right, R.Bottom);
  C.LineTo(R.Right, R.Top - 1);
}

// ckEditLine: a sunken band one text line high on the grid's colour.
void DrawEditLineFrame(TCanvas& C, const TRect& R, TColor GridColor, TColor CellColor,
                       int FontHeight, TCellAlign Align, TRect& Text, PCellFormat Record) {
  C.Brush.Color = GridColor;
  C.FillRect({R.Left, R.Top, R.Right + 1, R.Bottom + 1});
  const int H = std::abs(FontHeight) + 8;
  int Y = (Text.Top + Text.Bottom - H) / 2;
  if (Y < R.Top && !(Align & caVCenter)) {
    Text = Offset(Text, 0, R.Top - Y);
    Y = R.Top;
  }
  // A band taller than the block with caBottom is pinned to the block's
  // bottom; the bottom-aligned text stays inside it.
  if (Y + H > R.Bottom && (Align & caBottom)) Y = R.Bottom - H;
  TRect Band{R.Left, Y, R.Right, Y + H};
  C.Brush.Color = CellColor;
  C.FillRect(Band);
  if (Record) Record->EditRect = Inflate(Band, -2);
  DrawEdge(C, Band, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

// ckEditBox: the whole block sunken (the bevel narrows R).
void DrawEditBoxFrame(TCanvas& C, TRect& R, PCellFormat Record) {
  C.FillRect(R);
  if (Record) Record->EditRect = Inflate(R, -2);
  DrawEdge(C, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

// ckCheckBox: the 13 × 13 box at the left, level with the text.
void DrawCheckBoxFrame(TCanvas& C, const TRect& R, const TRect& Text, bool Checked, bool Enabled) {
  C.FillRect(R);
  const int Top = std::max(R.Top, (Text.Top + Text.Bottom) / 2 - 6);
  DrawFrameControl(C, {R.Left + 1, Top, R.Left + 14, Top + 13}, DFC_BUTTON,
                   DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0u) |
                       (Enabled ? 0u : DFCS_INACTIVE));
}

// Kinds whose disabled text is embossed: a white copy under the grey.
bool HasEmbossedDisabledText(std::uint8_t Kind) {
  return Kind == ckNormal || Kind == ckButton || Kind == ckFixed || Kind == ckLabel ||
         Kind == ckColorButton || Kind == ckWideButton;
}

} // namespace

void TFormatGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  int OriginCol = ACol, OriginRow = ARow;
  MergeOrigin(OriginCol, OriginRow);
  const TRect Range = MergedRange(OriginCol, OriginRow);
  const TDrawFormat Fmt = DrawFormatOf(OriginCol, OriginRow, AState);
  // The block's rectangle; bevels narrow it for OnDrawCell.
  TRect R = BlockRect(ACol, ARow, ARect, Range);
  Canvas().Font = Fmt.Font;
  const TGridDrawState State = BlockState(Range, AState);
  std::string Text = Cells(OriginCol, OriginRow).toStdString();
  TCellLayout Layout = LayoutContent(Fmt, R, Text);
  const TColor CellColor = ApplyCellColours(Fmt, State);
  DrawFrameByKind(Fmt, R, State, CellColor, Layout.Text, Text);
  DrawContent(Fmt, Layout, Text);
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, R, State);
}

TFormatGrid::TDrawFormat TFormatGrid::DrawFormatOf(int ACol, int ARow,
                                                   TGridDrawState AState) const {
  TDrawFormat F;
  F.Record = CellFormat(ACol, ARow);
  if (F.Record) {
    static_cast<TCellValues&>(F) = *F.Record;
  } else {
    F.Color = (AState & gdFixed) ? FixedColor() : Color();
    F.Font = Font();
  }
  return F;
}

TRect TFormatGrid::BlockRect(int ACol, int ARow, TRect ARect, const TRect& Range) const {
  // The cell's rectangle grown by the rows and columns (and grid lines)
  // around it in its block.
  const int CL = ColLineWidth(), RL = RowLineWidth();
  TRect R = ARect;
  for (int I = Range.Left; I < ACol; ++I)
    R.Left -= ColWidths(I) + CL;
  for (int I = ACol + 1; I <= Range.Right; ++I)
    R.Right += ColWidths(I) + CL;
  for (int J = Range.Top; J < ARow; ++J)
    R.Top -= RowHeights(J) + RL;
  for (int J = ARow + 1; J <= Range.Bottom; ++J)
    R.Bottom += RowHeights(J) + RL;
  return R;
}

TGridDrawState TFormatGrid::BlockState(const TRect& Range, TGridDrawState AState) const {
  // The block holding the current cell is drawn selected.
  if (Col() >= Range.Left && Col() <= Range.Right && Row() >= Range.Top && Row() <= Range.Bottom)
    return gdSelected | (GridHasFocus() ? gdFocused : 0u);
  return AState;
}

TFormatGrid::TCellLayout TFormatGrid::LayoutContent(const TDrawFormat& Fmt, const TRect& R,
                                                    const std::string& Text) {
  TCellLayout Layout;
  Layout.Text = Inflate(R, -3);
  if (Fmt.Kind == ckImage) {
    const TRect Area = Inflate(R, -2);
    const int W = FImageList ? FImageList->Width : 0, H = FImageList ? FImageList->Height : 0;
    Layout.Image = {AlignedLeft(Area, W, Fmt.Align), AlignedTop(Area, H, Fmt.Align)};
    return Layout;
  }
  Layout.Flags = TextFlags(Fmt.Align);
  if (Fmt.Kind == ckCheckBox) Layout.Text.Left += 14;
  if (Fmt.Kind == ckToggle) Layout.Text.Left += 16;
  if (Fmt.Align & caWordWrap)
    Layout.Text = WrappedTextRect(Canvas(), Text, Layout.Text, Layout.Flags, Fmt.Align);
  return Layout;
}

TColor TFormatGrid::ApplyCellColours(const TDrawFormat& Fmt, TGridDrawState State) {
  TCanvas& C = Canvas();
  TColor CellColor = Fmt.Color;
  if (State == (gdSelected | gdFocused) && IsEditableKind(Fmt.Kind)) {
    CellColor = SelectCellColor();
    C.Font.Color = SelectTextColor();
  }
  C.Brush.Color = CellColor;
  C.Brush.Style = bsSolid;
  C.Pen.Color = clBlack;
  return CellColor;
}

void TFormatGrid::DrawFrameByKind(const TDrawFormat& Fmt, TRect& R, TGridDrawState State,
                                  TColor CellColor, TRect& TextRect, std::string& Text) {
  TCanvas& C = Canvas();
  switch (Fmt.Kind) {
  case ckNormal:
  case ckPickList:
    DrawPlainFrame(C, R, (State & gdFixed) != 0, Fmt.Record);
    break;
  case ckButton:
  case ckColorButton:
  case ckWideButton:
    DrawButtonFrame(C, Fmt.Kind, R, Fmt.Down, TextRect);
    break;
  case ckFixed:
    DrawFixedFrame(C, R);
    break;
  case ckEditLine:
    DrawEditLineFrame(C, R, Color(), CellColor, Fmt.Font.Height, Fmt.Align, TextRect, Fmt.Record);
    break;
  case ckEditBox:
    DrawEditBoxFrame(C, R, Fmt.Record);
    break;
  case ckLabel:
  case ckImage:
    C.FillRect(R);
    break;
  case ckCheckBox:
    DrawCheckBoxFrame(C, R, TextRect, Fmt.Down, Fmt.Enabled);
    break;
  case ckToggle:
    Text = DrawToggleFrame(Fmt, R, TextRect);
    break;
  default:
    break;
  }
}

std::string TFormatGrid::DrawToggleFrame(const TDrawFormat& Fmt, const TRect& R,
                                         const TRect& TextRect) {
  // The glyph at the left, level with the text; the text is the choice.
  TCanvas& C = Canvas();
  C.FillRect(R);
  const int Top = std::max(R.Top, (TextRect.Top + TextRect.Bottom) / 2 - 8);
  if (Fmt.Enabled)
    C.Draw(R.Left + 1, Top, ToggleGlyph(), true);
  else
    DrawState(C, ToggleGlyph(), R.Left + 1, Top, DST_BITMAP | DSS_DISABLED);
  if (!Fmt.Record) return {};
  const QStringList& Items = Fmt.Record->Items;
  int Index = Fmt.Record->ToggleIndex;
  if (Index < 0 && !Items.isEmpty()) Index = Fmt.Record->ToggleIndex = 0;
  return Index >= 0 && Index < Items.size() ? Items[Index].toStdString() : std::string();
}

void TFormatGrid::DrawContent(const TDrawFormat& Fmt, const TCellLayout& Layout,
                              const std::string& Text) {
  TCanvas& C = Canvas();
  if (Fmt.Kind == ckImage) {
    const int Index = Fmt.ImageIndex;
    if (!FImageList || Index < 0 || Index >= FImageList->Count()) return;
    const TBitmap& Image = FImageList->Images[static_cast<std::size_t>(Index)];
    if (Fmt.Enabled)
      C.Draw(Layout.Image.X, Layout.Image.Y, Image, true);
    else
      DrawState(C, Image, Layout.Image.X, Layout.Image.Y, DST_BITMAP | DSS_DISABLED);
    return;
  }
  C.Brush.Style = bsClear;
  const TRect Clip = Inflate(Layout.Text, 1);
  C.SetClipRect(&Clip);
  if (!Fmt.Enabled) {
    if (HasEmbossedDisabledText(Fmt.Kind)) {
      const TColor Saved = C.Font.Color;
      C.Font.Color = clWhite;
      DrawStyledText(C, Text, Offset(Layout.Text, 1, 1), Layout.Flags);
      C.Font.Color = Saved;
    }
    C.Font.Color = clGrayText;
  }
  DrawStyledText(C, Text, Layout.Text, Layout.Flags);
  C.SetClipRect(nullptr);
  C.Brush.Style = bsSolid;
}
