// Loads that lie partly or wholly outside the span are kept as entered
// and marked: a warning colour in the list, a tool tip, a status message.
#include "analysis/BeamData.h"
#include "analysis/LoadSpan.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"
#include "platform/QtCanvas.h"
#include "support/TypedNumber.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

namespace {

// A light rose behind the cells of a marked row.
constexpr TColor clOutOfSpan = 0xD0D0FF;

QString OutOfSpanText() {
  return QStringLiteral("部材範囲外の荷重があります");
}

} // namespace

void TForm1::MarkLoadRow(int Row) {
  const int I = Row - 1;
  const bool Outside = I < FData->LoadCount() && LoadOutsideSpan(*FData, I);
  const TColor Color = Outside ? clOutOfSpan : KajyuGrid->Color();
  // The five cells of a row are marked together, so the first tells them
  // all; a long list is checked row by row on every change of the span.
  const PCellFormat First = KajyuGrid->CellFormat(1, Row);
  if ((First ? First->Color : KajyuGrid->Color()) == Color) return;
  for (int C = 1; C <= 5; ++C)
    KajyuGrid->SetCellColor(C, Row, Color);
}

void TForm1::MarkLoadRows() {
  // A row not shown yet is marked when it is.
  for (int R = 1; R < KajyuGrid->RowCount(); ++R)
    if (FListRows[static_cast<std::size_t>(R)] == lrShown) MarkLoadRow(R);
}

void TForm1::ReportOutOfSpan(int Index) {
  StatusBar1->SetMessage(LoadOutsideSpan(*FData, Index) ? OutOfSpanText() : QString());
}

void TForm1::ReportUnreadable(const QStringList& Typed) {
  const QString Hint = QCoreApplication::translate("TForm1", "数値として読めないため 0 としました");
  if (std::any_of(Typed.begin(), Typed.end(), UnreadableNumber)) {
    const QString Other = StatusBar1->Message();
    StatusBar1->SetMessage(Other.isEmpty() || Other == Hint ? Hint : Hint + "　" + Other);
  } else if (StatusBar1->Message() == Hint) {
    StatusBar1->SetMessage(QString());
  }
}

bool TForm1::ListToolTip(QHelpEvent* Event) {
  const TGridCoord Cell = KajyuGrid->MouseToCell(Event->pos().x(), Event->pos().y());
  const int I = Cell.Y - 1;
  QStringList Tips;
  if (Cell.X >= 1 && I >= 0 && I < FData->LoadCount()) {
    if (LoadOutsideSpan(*FData, I)) Tips << OutOfSpanText();
    // A remark wider than its column (less the 3 pixels the cell keeps
    // free on each side) shows whole here.
    const QString Remark = KajyuGrid->Cells(5, Cell.Y);
    const QFontMetrics Metrics(ToQFont(KajyuGrid->Font()));
    if (Cell.X == 5 && Metrics.horizontalAdvance(Remark) > KajyuGrid->ColWidths(5) - 6)
      Tips << Remark;
  }
  if (Tips.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(Event->globalPos(), Tips.join(QChar('\n')), KajyuGrid->viewport());
  return true;
}
