// Painting of format grid cells: every cell draws the whole merged block
// that holds it, with the format and text of the block's origin.
#include "components/FormatGrid.h"
#include "components/QVXStyleText.h"
#include "platform/WinDraw.h"

#include <algorithm>
#include <cstdlib>

void DrawStyledText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, unsigned Flags) {
  const std::string StartName = Canvas.Font.Name;
  const std::unique_ptr<TTextList> List = MeasureStyledText(Text, Canvas.Font, Canvas);
  int Total = 0;
  for (int I = 0; I < List->Count(); ++I)
    Total += List->Height(I);
  int Top = Rect.Top;
  if (Flags & DT_VCENTER)
    Top = (Rect.Top + Rect.Bottom - Total) / 2;
  else if (Flags & DT_BOTTOM)
    Top = Rect.Bottom - Total;
  for (int I = 0; I < List->Count(); ++I) {
    const int Width = List->Width(I);
    int Left = Rect.Left;
    if (Flags & DT_CENTER)
      Left = (Rect.Left + Rect.Right - Width) / 2;
    else if (Flags & DT_RIGHT)
      Left = Rect.Right - Width;
    std::string Line;
    List->GetText(I, Line);
    DrawStyledLine(Canvas, Left, Top, Line, StartName);
    Top += List->Height(I);
  }
}

namespace {

// The format a cell is drawn with: its record's, or the values a new
// record would have (the colour by whether the cell is drawn as fixed).
struct TDrawFormat : TCellValues {
  PCellFormat Record = nullptr;
};

TRect Inflate(TRect R, int By) {
  return {R.Left - By, R.Top - By, R.Right + By, R.Bottom + By};
}

TRect Offset(TRect R, int Dx, int Dy) {
  return {R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy};
}

} // namespace

void TFormatGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  TCanvas& C = Canvas();
  auto Load = [&](int Col0, int Row0) {
    TDrawFormat F;
    F.Record = CellFormat(Col0, Row0);
    if (const PCellFormat P = F.Record) {
      static_cast<TCellValues&>(F) = *P;
    } else {
      F.Color = (AState & gdFixed) ? FixedColor() : Color();
      F.Font = Font();
    }
    return F;
  };

  // 1-2. The block's origin, its format and the block's rectangle, grown
  // from the cell's by the rows and columns (and grid lines) around it.
  int OriginCol = ACol, OriginRow = ARow;
  MergeOrigin(OriginCol, OriginRow);
  const TRect Range = MergedRange(OriginCol, OriginRow);
  const TDrawFormat Fmt = Load(OriginCol, OriginRow);
  const int L = GridLineWidth();
  TRect R = ARect;
  for (int I = Range.Left; I < ACol; ++I)
    R.Left -= ColWidths(I) + L;
  for (int I = ACol + 1; I <= Range.Right; ++I)
    R.Right += ColWidths(I) + L;
  for (int J = Range.Top; J < ARow; ++J)
    R.Top -= RowHeights(J) + L;
  for (int J = ARow + 1; J <= Range.Bottom; ++J)
    R.Bottom += RowHeights(J) + L;
  C.Font = Fmt.Font;

  // 3. The block holding the current cell is drawn selected.
  TGridDrawState State = AState;
  if (Col() >= Range.Left && Col() <= Range.Right && Row() >= Range.Top && Row() <= Range.Bottom)
    State = gdSelected | (GridHasFocus() ? gdFocused : 0u);

  // 4-5. The text and its layout.
  std::string Text = Cells(OriginCol, OriginRow).toStdString();
  const std::uint8_t Kind = Fmt.Kind;
  const TCellAlign Align = Fmt.Align;
  int ImageX = 0, ImageY = 0;
  unsigned Flags = 0;
  TRect T = Inflate(R, -3);
  if (Kind == ckImage) {
    const TRect B = Inflate(R, -2);
    const int W = FImageList ? FImageList->Width : 0, H = FImageList ? FImageList->Height : 0;
    ImageY = (Align & caVCenter)  ? B.Top + (B.Height() - H) / 2
             : (Align & caBottom) ? B.Bottom - H
                                  : B.Top;
    ImageX = (Align & caCenter)  ? B.Left + (B.Width() - W) / 2
             : (Align & caRight) ? B.Right - W
                                 : B.Left;
  } else {
    if (Align & caWordWrap)
      Flags = DT_WORDBREAK;
    else
      Flags = DT_SINGLELINE | ((Align & caVCenter)  ? DT_VCENTER
                               : (Align & caBottom) ? DT_BOTTOM
                                                    : 0u);
    Flags |= (Align & caCenter) ? DT_CENTER : (Align & caRight) ? DT_RIGHT : 0u;
    if (Kind == ckCheckBox) T.Left += 14;
    if (Kind == ckToggle) T.Left += 16;
    if (Align & caWordWrap) {
      const TRect S = T;
      TRect Block = T;
      DrawText(C, Text, Block, Flags | DT_CALCRECT);
      const int W = Block.Width(), H = Block.Height();
      const int Left = (Align & caCenter)  ? S.Left + (S.Width() - W) / 2
                       : (Align & caRight) ? S.Right - W
                                           : S.Left;
      const int Top = (Align & caVCenter)  ? S.Top + (S.Height() - H) / 2
                      : (Align & caBottom) ? S.Bottom - H
                                           : S.Top;
      T = {Left, Top, Left + W, Top + H};
    }
  }

  // 6. Colours.
  TColor CellColor = Fmt.Color;
  if (State == (gdSelected | gdFocused) && IsEditableKind(Kind)) {
    CellColor = SelectCellColor();
    C.Font.Color = SelectTextColor();
  }
  C.Brush.Color = CellColor;
  C.Brush.Style = bsSolid;
  C.Pen.Color = clBlack;

  // 7. Background and frame.
  switch (Kind) {
  case ckNormal:
  case ckPickList:
    C.FillRect(R);
    if (State & gdFixed)
      DrawEdge(C, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else if (Fmt.Record)
      Fmt.Record->EditRect = R;
    break;
  case ckButton:
  case ckColorButton:
  case ckWideButton: {
    TRect B = R;
    if (Kind == ckWideButton) {
      ++B.Right;
      ++B.Bottom;
    }
    DrawFrameControl(C, B, DFC_BUTTON, DFCS_BUTTONPUSH | (Fmt.Down ? DFCS_PUSHED : 0u));
    if (Fmt.Down) T = Offset(T, 1, 1);
    // The face inside the two-pixel frame, in the cell's colour.
    if (Kind != ckButton) C.FillRect(Inflate(B, -2));
    break;
  }
  case ckFixed: {
    C.Rectangle(R);
    C.FillRect(R);
    TRect Bevel = R;
    DrawEdge(C, Bevel, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    C.Pen.Color = clBlack;
    C.Pen.Width = 1;
    C.MoveTo(R.Left, R.Bottom);
    C.LineTo(R.Right, R.Bottom);
    C.LineTo(R.Right, R.Top - 1);
    break;
  }
  case ckEditLine: {
    C.Brush.Color = Color();
    C.FillRect({R.Left, R.Top, R.Right + 1, R.Bottom + 1});
    const int H = std::abs(Fmt.Font.Height) + 8;
    int Y = (T.Top + T.Bottom - H) / 2;
    if (Y < R.Top && !(Align & caVCenter)) {
      T = Offset(T, 0, R.Top - Y);
      Y = R.Top;
    }
    // A band taller than the block with caBottom is pinned to the block's
    // bottom; the bottom-aligned text stays inside it.
    if (Y + H > R.Bottom && (Align & caBottom)) Y = R.Bottom - H;
    TRect Band{R.Left, Y, R.Right, Y + H};
    C.Brush.Color = CellColor;
    C.FillRect(Band);
    if (Fmt.Record) Fmt.Record->EditRect = Inflate(Band, -2);
    DrawEdge(C, Band, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    break;
  }
  case ckEditBox:
    C.FillRect(R);
    if (Fmt.Record) Fmt.Record->EditRect = Inflate(R, -2);
    DrawEdge(C, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    break;
  case ckLabel:
  case ckImage:
    C.FillRect(R);
    break;
  case ckCheckBox: {
    C.FillRect(R);
    const int Top = std::max(R.Top, (T.Top + T.Bottom) / 2 - 6);
    DrawFrameControl(C, {R.Left + 1, Top, R.Left + 14, Top + 13}, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (Fmt.Down ? DFCS_CHECKED : 0u) |
                         (Fmt.Enabled ? 0u : DFCS_INACTIVE));
    break;
  }
  case ckToggle: {
    C.FillRect(R);
    const int Top = std::max(R.Top, (T.Top + T.Bottom) / 2 - 8);
    if (Fmt.Enabled)
      C.Draw(R.Left + 1, Top, FToggleGlyph, true);
    else
      DrawState(C, FToggleGlyph, R.Left + 1, Top, DST_BITMAP | DSS_DISABLED);
    static const QStringList NoItems;
    const QStringList& Items = Fmt.Record ? Fmt.Record->Items : NoItems;
    int Index = Fmt.Record ? Fmt.Record->ToggleIndex : -1;
    if (Index < 0 && !Items.isEmpty() && Fmt.Record) Index = Fmt.Record->ToggleIndex = 0;
    Text = Index >= 0 && Index < Items.size() ? Items[Index].toStdString() : std::string();
    break;
  }
  default:
    break;
  }

  // 8. Content.
  if (Kind == ckImage) {
    const int Index = Fmt.ImageIndex;
    if (FImageList && Index >= 0 && Index < FImageList->Count()) {
      const TBitmap& Image = FImageList->Images[static_cast<std::size_t>(Index)];
      if (Fmt.Enabled)
        C.Draw(ImageX, ImageY, Image, true);
      else
        DrawState(C, Image, ImageX, ImageY, DST_BITMAP | DSS_DISABLED);
    }
  } else {
    C.Brush.Style = bsClear;
    const TRect Clip = Inflate(T, 1);
    C.SetClipRect(&Clip);
    if (!Fmt.Enabled) {
      if (Kind == ckNormal || Kind == ckButton || Kind == ckFixed || Kind == ckLabel ||
          Kind == ckColorButton || Kind == ckWideButton) {
        const TColor Saved = C.Font.Color;
        C.Font.Color = clWhite;
        DrawStyledText(C, Text, Offset(T, 1, 1), Flags);
        C.Font.Color = Saved;
      }
      C.Font.Color = clGrayText;
    }
    DrawStyledText(C, Text, T, Flags);
    C.SetClipRect(nullptr);
    C.Brush.Style = bsSolid;
  }

  // 9.
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, R, State);
}
