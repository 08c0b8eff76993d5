#include "components/FormatGrid.h"

#include <QLineEdit>
#include <QMoveEvent>
#include <QResizeEvent>
#include <cstdlib>

TMergeInplaceEdit::TMergeInplaceEdit(TFormatGrid* Grid) : TInplaceEdit(Grid) {}

TFormatGrid* TMergeInplaceEdit::FormatGrid() const {
  return static_cast<TFormatGrid*>(Grid());
}

PCellFormat TMergeInplaceEdit::CurrentFormat() const {
  int C = Grid()->Col(), R = Grid()->Row();
  return FormatGrid()->MergeOrigin(C, R);
}

// The line edit centres its line in the text rectangle; a rectangle one
// line high puts the line where the cell draws its text: inside the cell
// shrunk by 3, placed by the alignment, a line being a text height plus 1.
void TMergeInplaceEdit::BoundsChanged() {
  const int TextHeight = LineEdit()->fontMetrics().height();
  const int W = width(), H = height();
  const PCellFormat F = CurrentFormat();
  const TCellAlign Align = F ? F->Align : 0;
  int Top = 3;
  if (Align & caVCenter)
    Top = (H - TextHeight - 1) / 2;
  else if (Align & caBottom)
    Top = H - 3 - TextHeight - 1;
  TRect R{2, Top, W - 2, Top + TextHeight};
  if (F && (F->Kind == ckEditLine || F->Kind == ckEditBox)) {
    ++R.Left;
    --R.Right;
  }
  if (EditStyle() != esSimple) {
    if (layoutDirection() == Qt::RightToLeft)
      R.Left += ButtonWidth() - 2;
    else
      R.Right -= ButtonWidth();
  }
  SetTextRect(R);
}

bool TMergeInplaceEdit::EraseBackground(TCanvas& Canvas) {
  const PCellFormat F = CurrentFormat();
  if (!F || F->Kind == ckNormal || F->Kind == ckPickList)
    return TInplaceEdit::EraseBackground(Canvas);
  Canvas.Brush.Color = clWindow;
  Canvas.Brush.Style = bsSolid;
  const int W = width(), H = height();
  if (F->Kind == ckEditBox) {
    Canvas.FillRect({2, 2, W - 2, H - 2});
    return true;
  }
  if (F->Kind == ckEditLine) {
    const int Band = std::abs(Grid()->Font().Height) + 4;
    const int Top = (H - Band) / 2;
    Canvas.FillRect({2, Top, W - 2, Top + Band});
    return true;
  }
  return false;
}

void TMergeInplaceEdit::StretchOverBlock() {
  const TRect R = FormatGrid()->MergedCellRect(Grid()->Col(), Grid()->Row());
  if (R.IsEmpty()) return;
  const QRect Block(R.Left, R.Top, R.Width(), R.Height());
  if (geometry() != Block) setGeometry(Block);
}

void TMergeInplaceEdit::moveEvent(QMoveEvent* Event) {
  TInplaceEdit::moveEvent(Event);
  StretchOverBlock();
}

void TMergeInplaceEdit::resizeEvent(QResizeEvent* Event) {
  TInplaceEdit::resizeEvent(Event);
  StretchOverBlock();
}
