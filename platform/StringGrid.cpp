// The string grid: layout of rows and columns in the viewport, scrolling by
// whole cells, the cells' content and painting through DrawCell.
#include "platform/QtCanvas.h"
#include "platform/StringGridPrivate.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <stdexcept>

namespace {

// Stores Value in Field; true when that changed it.
template <typename T> bool Assign(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

} // namespace

using GridDetail::TAxis;
using GridDetail::TCell;
using GridDetail::TLine;

TStringGrid::TStringGrid(QWidget* Parent)
    : QAbstractScrollArea(Parent), D(std::make_unique<TPrivate>(*this)) {
  setFrameShape(QFrame::NoFrame);
  // Focus comes from the keyboard, and from the clicks the grid takes
  // (MouseDown); a click on a button cell leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  QAbstractScrollArea::setFont(ToQFont(D->Font));
  D->Layout();
}

TStringGrid::~TStringGrid() {
  D->Destroying = true;
  D->Editor.reset();
}

// ---- layout

void TStringGrid::TPrivate::SyncScroll() {
  TopRow = std::clamp(FixedRows + Q.verticalScrollBar()->value(), FixedRows, RowCount - 1);
  LeftCol = std::clamp(FixedCols + Q.horizontalScrollBar()->value(), FixedCols, ColCount - 1);
}

// The scroll bars count whole rows and columns past the fixed ones.
void TStringGrid::TPrivate::UpdateScrollBars() {
  QScrollBar& V = *Q.verticalScrollBar();
  QScrollBar& H = *Q.horizontalScrollBar();
  V.setRange(0, RowAxis().MaxFirst() - FixedRows);
  H.setRange(0, ColAxis().MaxFirst() - FixedCols);
  SyncScroll();
  V.setPageStep(std::max(1, RowAxis().FullyVisible()));
  H.setPageStep(std::max(1, ColAxis().FullyVisible()));
}

void TStringGrid::TPrivate::PlaceEditor() {
  if (!EditorShown()) return;
  const TRect R = Q.CellRect(EditCell.X, EditCell.Y);
  if (R.IsEmpty()) {
    Q.HideEditor();
    return;
  }
  Editor->setGeometry(ToQRect(R));
  Editor->BoundsChanged();
}

void TStringGrid::TPrivate::Layout() {
  Col = std::clamp(Col, FixedCols, ColCount - 1);
  Row = std::clamp(Row, FixedRows, RowCount - 1);
  UpdateScrollBars();
  PlaceEditor();
  Q.viewport()->update();
}

void TStringGrid::TPrivate::ScrollIntoView(int ACol, int ARow) {
  Q.verticalScrollBar()->setValue(RowAxis().FirstShowing(ARow) - FixedRows);
  Q.horizontalScrollBar()->setValue(ColAxis().FirstShowing(ACol) - FixedCols);
}

// ---- dimensions

int TStringGrid::ColCount() const {
  return D->ColCount;
}

void TStringGrid::SetColCount(int Value) {
  Value = std::max(1, Value);
  if (Value == D->ColCount) return;
  D->HideEditorIf(D->EditCell.X >= Value);
  D->ColCount = Value;
  D->ColWidths.resize(Value, D->DefaultColWidth);
  for (std::vector<TCell>& Cols : D->Cells)
    Cols.resize(Value);
  D->FixedCols = std::min(D->FixedCols, Value - 1);
  D->Layout();
}

int TStringGrid::RowCount() const {
  return D->RowCount;
}

void TStringGrid::SetRowCount(int Value) {
  Value = std::max(1, Value);
  if (Value == D->RowCount) return;
  D->HideEditorIf(D->EditCell.Y >= Value);
  D->RowCount = Value;
  D->RowHeights.resize(Value, D->DefaultRowHeight);
  D->Cells.resize(Value);
  for (std::vector<TCell>& Cols : D->Cells)
    Cols.resize(D->ColCount);
  D->FixedRows = std::min(D->FixedRows, Value - 1);
  D->Layout();
}

int TStringGrid::FixedCols() const {
  return D->FixedCols;
}

void TStringGrid::SetFixedCols(int Value) {
  Value = std::clamp(Value, 0, D->ColCount - 1);
  if (Value == D->FixedCols) return;
  D->HideEditorIf(D->EditCell.X < Value);
  D->FixedCols = Value;
  D->Layout();
}

int TStringGrid::FixedRows() const {
  return D->FixedRows;
}

void TStringGrid::SetFixedRows(int Value) {
  Value = std::clamp(Value, 0, D->RowCount - 1);
  if (Value == D->FixedRows) return;
  D->HideEditorIf(D->EditCell.Y < Value);
  D->FixedRows = Value;
  D->Layout();
}

int TStringGrid::DefaultColWidth() const {
  return D->DefaultColWidth;
}

void TStringGrid::SetDefaultColWidth(int Value) {
  D->DefaultColWidth = std::max(0, Value);
  std::fill(D->ColWidths.begin(), D->ColWidths.end(), D->DefaultColWidth);
  D->Layout();
}

int TStringGrid::DefaultRowHeight() const {
  return D->DefaultRowHeight;
}

void TStringGrid::SetDefaultRowHeight(int Value) {
  D->DefaultRowHeight = std::max(0, Value);
  std::fill(D->RowHeights.begin(), D->RowHeights.end(), D->DefaultRowHeight);
  D->Layout();
}

int TStringGrid::ColWidths(int ACol) const {
  return ACol >= 0 && ACol < D->ColCount ? D->ColWidths[ACol] : 0;
}

void TStringGrid::SetColWidths(int ACol, int Value) {
  D->CheckCell(ACol, 0);
  Value = std::max(0, Value);
  if (Assign(D->ColWidths[ACol], Value)) D->Layout();
}

int TStringGrid::RowHeights(int ARow) const {
  return ARow >= 0 && ARow < D->RowCount ? D->RowHeights[ARow] : 0;
}

void TStringGrid::SetRowHeights(int ARow, int Value) {
  D->CheckCell(0, ARow);
  Value = std::max(0, Value);
  if (Assign(D->RowHeights[ARow], Value)) D->Layout();
}

int TStringGrid::GridLineWidth() const {
  return D->GridLineWidth;
}

int TStringGrid::ColLineWidth() const {
  return D->ColLineWidth();
}

int TStringGrid::RowLineWidth() const {
  return D->RowLineWidth();
}

void TStringGrid::SetGridLineWidth(int Value) {
  Value = std::max(0, Value);
  if (Assign(D->GridLineWidth, Value)) D->Layout();
}

// ---- content

QString TStringGrid::Cells(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= D->ColCount || ARow < 0 || ARow >= D->RowCount) return QString();
  return D->Cells[ARow][ACol].Text;
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& Value) {
  D->CheckCell(ACol, ARow);
  D->Cells[ARow][ACol].Text = Value;
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= D->ColCount || ARow < 0 || ARow >= D->RowCount) return nullptr;
  return D->Cells[ARow][ACol].Object.get();
}

void TStringGrid::SetObjects(int ACol, int ARow, std::unique_ptr<TObject> Object) {
  D->CheckCell(ACol, ARow);
  D->Cells[ARow][ACol].Object = std::move(Object);
}

// ---- state

int TStringGrid::Col() const {
  return D->Col;
}

void TStringGrid::SetCol(int Value) {
  D->UserMove(Value, D->Row);
}

int TStringGrid::Row() const {
  return D->Row;
}

void TStringGrid::SetRow(int Value) {
  D->UserMove(D->Col, Value);
}

TGridOptions TStringGrid::Options() const {
  return D->Options;
}

void TStringGrid::SetOptions(TGridOptions Value) {
  if (Value == D->Options) return;
  const int ColLine = D->ColLineWidth(), RowLine = D->RowLineWidth();
  D->Options = Value;
  if (ColLine != D->ColLineWidth() || RowLine != D->RowLineWidth()) D->Layout();
  if (!(Value & goEditing)) HideEditor();
  viewport()->setMouseTracking((Value & goColSizing) != 0);
  if (!(Value & goColSizing)) viewport()->unsetCursor();
  viewport()->update();
}

bool TStringGrid::DefaultDrawing() const {
  return D->DefaultDrawing;
}

void TStringGrid::SetDefaultDrawing(bool Value) {
  if (Assign(D->DefaultDrawing, Value)) viewport()->update();
}

TColor TStringGrid::Color() const {
  return D->Color;
}

void TStringGrid::SetColor(TColor Value) {
  if (Assign(D->Color, Value)) viewport()->update();
}

TColor TStringGrid::FixedColor() const {
  return D->FixedColor;
}

void TStringGrid::SetFixedColor(TColor Value) {
  if (Assign(D->FixedColor, Value)) viewport()->update();
}

const TFont& TStringGrid::Font() const {
  return D->Font;
}

void TStringGrid::SetFont(const TFont& Value) {
  if (Value == D->Font) return;
  D->Font = Value;
  QAbstractScrollArea::setFont(ToQFont(Value));
  viewport()->update();
}

int TStringGrid::TopRow() const {
  return D->TopRow;
}

int TStringGrid::LeftCol() const {
  return D->LeftCol;
}

bool TStringGrid::Focused() const {
  const QWidget* Focus = QApplication::focusWidget();
  return Focus && (Focus == this || isAncestorOf(Focus));
}

// ---- geometry

TRect TStringGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const {
  const auto [Left, Right] = D->ColAxis().SpanOf(ALeft, ARight);
  const auto [Top, Bottom] = D->RowAxis().SpanOf(ATop, ABottom);
  if (Left < 0 || Top < 0) return {};
  return {Left, Top, Right, Bottom};
}

TRect TStringGrid::CellRect(int ACol, int ARow) const {
  const int X = D->ColAxis().Start(ACol), Y = D->RowAxis().Start(ARow);
  if (X < 0 || Y < 0) return {};
  return {X, Y, X + D->ColWidths[ACol], Y + D->RowHeights[ARow]};
}

TGridCoord TStringGrid::MouseToCell(int X, int Y) const {
  const int C = D->ColAxis().At(X), R = D->RowAxis().At(Y);
  if (C < 0 || R < 0) return {-1, -1};
  return {C, R};
}

void TStringGrid::InvalidateCell(int ACol, int ARow) {
  const TRect R = CellRect(ACol, ARow);
  if (!R.IsEmpty()) viewport()->update(ToQRect(R));
}

// There is no range selection, so there is no anchor to move.
void TStringGrid::MoveColRow(int ACol, int ARow, bool /*MoveAnchor*/, bool Show) {
  ACol = std::clamp(ACol, D->FixedCols, D->ColCount - 1);
  ARow = std::clamp(ARow, D->FixedRows, D->RowCount - 1);
  if (ACol != D->Col || ARow != D->Row) {
    HideEditor();
    InvalidateCell(D->Col, D->Row);
    D->Col = ACol;
    D->Row = ARow;
    InvalidateCell(ACol, ARow);
  }
  if (Show) D->ScrollIntoView(ACol, ARow);
}

TCanvas& TStringGrid::Canvas() {
  if (!D->Canvas) throw std::logic_error("TStringGrid::Canvas used outside painting");
  return *D->Canvas;
}

void TStringGrid::SetPaintCanvas(TCanvas* Canvas) {
  D->Canvas = Canvas;
}

// ---- hooks

void TStringGrid::Paint() {
  QPainter Painter(viewport());
  TQtCanvas Canvas(Painter);
  D->Canvas = &Canvas;
  const auto Reset = qScopeGuard([this] { D->Canvas = nullptr; });
  const TAxis ColAxis = D->ColAxis(), RowAxis = D->RowAxis();
  const std::vector<TLine> Cols = ColAxis.Visible(), Rows = RowAxis.Visible();
  const int Gap = D->GridLineWidth; // at most
  const int Right = Cols.empty() ? 0 : Cols.back().Start + ColAxis.Step(Cols.back().Index);
  const int Bottom = Rows.empty() ? 0 : Rows.back().Start + RowAxis.Step(Rows.back().Index);
  Canvas.Brush = {D->Color, bsSolid};
  Canvas.FillRect({Right, 0, ColAxis.Extent, RowAxis.Extent});
  Canvas.FillRect({0, Bottom, Right, RowAxis.Extent});

  D->PaintGridLines(Canvas, Cols, Rows);
  const bool HasFocus = Focused();
  for (const TLine& R : Rows)
    for (const TLine& C : Cols) {
      const TRect Rect{C.Start, R.Start, C.Start + D->ColWidths[C.Index],
                       R.Start + D->RowHeights[R.Index]};
      if (!D->PaintRect.intersects(
              QRect(Rect.Left, Rect.Top, Rect.Width() + Gap, Rect.Height() + Gap)))
        continue;
      TGridDrawState State = 0;
      if (C.Index < D->FixedCols || R.Index < D->FixedRows) State |= gdFixed;
      if (C.Index == D->Col && R.Index == D->Row) {
        State |= gdSelected;
        if (HasFocus) State |= gdFocused;
      }
      DrawCell(C.Index, R.Index, Rect, State);
    }
  Canvas.SetClipRect(nullptr);
}

void TStringGrid::TPrivate::PaintGridLines(TCanvas& C, const std::vector<TLine>& Cols,
                                           const std::vector<TLine>& Rows) const {
  const int ColLine = ColLineWidth(), RowLine = RowLineWidth();
  if (Cols.empty() || Rows.empty()) return;
  const int Right = Cols.back().Start + ColWidths[Cols.back().Index] + ColLine;
  const int Bottom = Rows.back().Start + RowHeights[Rows.back().Index] + RowLine;
  const int FixedRight = std::min(ColAxis().FixedExtent(), Right);
  const int FixedBottom = std::min(RowAxis().FixedExtent(), Bottom);
  struct TSegment {
    TRect Rect;
    bool Fixed;
    bool Line; // drawn as a line; otherwise filled like the cells
  };
  std::vector<TSegment> Segments;
  for (const TLine& L : Cols) {
    const int X = L.Start + ColWidths[L.Index];
    const bool Fixed = L.Index < FixedCols;
    Segments.push_back({{X, 0, X + ColLine, FixedBottom}, true, (Options & goFixedVertLine) != 0});
    Segments.push_back({{X, FixedBottom, X + ColLine, Bottom},
                        Fixed,
                        (Options & (Fixed ? goFixedVertLine : goVertLine)) != 0});
  }
  for (const TLine& L : Rows) {
    const int Y = L.Start + RowHeights[L.Index];
    const bool Fixed = L.Index < FixedRows;
    Segments.push_back({{0, Y, FixedRight, Y + RowLine}, true, (Options & goFixedHorzLine) != 0});
    Segments.push_back({{FixedRight, Y, Right, Y + RowLine},
                        Fixed,
                        (Options & (Fixed ? goFixedHorzLine : goHorzLine)) != 0});
  }
  // Gaps first, so that a line switched on crosses the gaps of the other way.
  C.Brush.Style = bsSolid;
  for (const bool Lines : {false, true})
    for (const TSegment& S : Segments)
      if (S.Line == Lines) {
        C.Brush.Color = S.Line ? (S.Fixed ? clBlack : clSilver) : (S.Fixed ? FixedColor : Color);
        C.FillRect(S.Rect);
      }
}

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (D->DefaultDrawing) {
    TCanvas& C = Canvas();
    const bool Fixed = (AState & gdFixed) != 0;
    const bool Highlight = !Fixed && (AState & gdSelected) && (AState & gdFocused);
    C.Brush = {Fixed ? D->FixedColor : Highlight ? clHighlight : D->Color, bsSolid};
    C.FillRect(ARect);
    const QString Text = Cells(ACol, ARow);
    if (!Text.isEmpty()) {
      const std::string Utf8 = Text.toStdString();
      C.Font = D->Font;
      if (Highlight) C.Font.Color = clHighlightText;
      C.Brush.Style = bsClear;
      const TSize Size = C.TextExtent(Utf8);
      const bool Clip = Size.cx + 2 > ARect.Width() || Size.cy > ARect.Height();
      if (Clip) C.SetClipRect(&ARect);
      C.TextOut(ARect.Left + 2, ARect.Top + (ARect.Height() - Size.cy) / 2, Utf8);
      if (Clip) C.SetClipRect(nullptr);
    }
  }
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TStringGrid::paintEvent(QPaintEvent* Event) {
  D->PaintRect = Event->rect();
  Paint();
}

void TStringGrid::resizeEvent(QResizeEvent* /*Event*/) {
  D->Layout();
}

// The scroll bars count whole rows and columns; nothing scrolls by pixels.
void TStringGrid::scrollContentsBy(int /*Dx*/, int /*Dy*/) {
  D->SyncScroll();
  D->PlaceEditor();
  viewport()->update();
}
