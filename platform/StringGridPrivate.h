// Internals shared by the string grid's source files: the layout of rows
// and columns along one direction, and the grid's private state.
#pragma once

#include "platform/Exceptions.h"
#include "platform/StringGrid.h"

#include <QRect>
#include <algorithm>
#include <utility>
#include <vector>

namespace GridDetail {

struct TCell {
  QString Text;
  std::unique_ptr<TObject> Object;
};

// A row or column on screen: its index and the pixel where it starts.
struct TLine {
  int Index = 0;
  int Start = 0;
};

// One direction of the grid (columns across, rows down) as laid out in the
// viewport: the fixed lines from 0, then the scrolling ones from First,
// each followed by a grid line Gap pixels wide.
struct TAxis {
  const std::vector<int>& Sizes;
  int Fixed = 0;
  int First = 0;
  int Gap = 0;
  int Extent = 0; // viewport size along the axis

  int Count() const { return static_cast<int>(Sizes.size()); }
  int Step(int Index) const { return Sizes[Index] + Gap; }

  int FixedExtent() const {
    int Pos = 0;
    for (int I = 0; I < Fixed; ++I)
      Pos += Step(I);
    return Pos;
  }

  // Hands Line each line that starts inside the viewport, in order, until
  // it returns false.
  template <typename TLineFn> void ForEachVisible(const TLineFn& Line) const {
    int Pos = 0;
    for (int I = 0; I < Fixed && Pos < Extent; Pos += Step(I), ++I)
      if (!Line(TLine{I, Pos})) return;
    for (int I = First; I < Count() && Pos < Extent; Pos += Step(I), ++I)
      if (!Line(TLine{I, Pos})) return;
  }

  // The lines that start inside the viewport.
  std::vector<TLine> Visible() const {
    std::vector<TLine> Lines;
    ForEachVisible([&Lines](TLine L) {
      Lines.push_back(L);
      return true;
    });
    return Lines;
  }

  // Where a line starts, or -1 when it is not on screen.
  int Start(int Index) const {
    int Result = -1;
    ForEachVisible([&](TLine L) {
      if (L.Index == Index) Result = L.Start;
      return L.Index != Index;
    });
    return Result;
  }

  // The line under a pixel (its grid line included), or -1.
  int At(int Pos) const {
    if (Pos < 0) return -1;
    int Result = -1;
    ForEachVisible([&](TLine L) {
      if (Pos < L.Start + Step(L.Index)) Result = L.Index;
      return Result < 0;
    });
    return Result;
  }

  // The pixels the lines First..Last that are on screen take, clipped to
  // the viewport; {-1, -1} when none is on screen.
  std::pair<int, int> SpanOf(int FirstLine, int LastLine) const {
    if (FirstLine > LastLine) std::swap(FirstLine, LastLine);
    int Begin = -1, End = -1;
    ForEachVisible([&](TLine L) {
      if (L.Index >= FirstLine && L.Index <= LastLine) {
        if (Begin < 0) Begin = L.Start;
        End = std::min(L.Start + Sizes[L.Index], Extent);
      }
      return L.Index < Fixed || L.Index < LastLine;
    });
    return {Begin, End};
  }

  // The largest First that still fills the viewport: the lines from it to
  // the last one fit (the grid line after the last may be cut off).
  int MaxFirst() const {
    const int Room = Extent - FixedExtent();
    int Result = Count(), Used = -Gap;
    while (Result > Fixed && Used + Step(Result - 1) <= Room)
      Used += Step(--Result);
    return std::clamp(Result, Fixed, Count() - 1);
  }

  // How many scrolling lines from First are wholly on screen.
  int FullyVisible() const {
    int N = 0;
    for (int I = First, Pos = FixedExtent(); I < Count() && Pos + Sizes[I] <= Extent;
         Pos += Step(I), ++I)
      ++N;
    return N;
  }

  // The First that brings Target wholly on screen with the least scrolling.
  int FirstShowing(int Target) const {
    if (Target < Fixed) return First;
    if (Target < First) return Target;
    const int Room = Extent - FixedExtent();
    int Result = First, Used = Sizes[Target];
    for (int I = First; I < Target; ++I)
      Used += Step(I);
    while (Result < Target && Used > Room)
      Used -= Step(Result++);
    return Result;
  }
};

} // namespace GridDetail

struct TStringGrid::TPrivate {
  using TAxis = GridDetail::TAxis;
  using TCell = GridDetail::TCell;
  using TLine = GridDetail::TLine;

  explicit TPrivate(TStringGrid& Grid) : Q(Grid) {
    Cells.resize(RowCount);
    for (std::vector<TCell>& Cols : Cells)
      Cols.resize(ColCount);
  }

  TStringGrid& Q;
  int ColCount = 5, RowCount = 5, FixedCols = 1, FixedRows = 1;
  int DefaultColWidth = 64, DefaultRowHeight = 24, GridLineWidth = 1;
  std::vector<int> ColWidths = std::vector<int>(5, 64);
  std::vector<int> RowHeights = std::vector<int>(5, 24);
  std::vector<std::vector<TCell>> Cells; // [row][column]
  int Col = 1, Row = 1, LeftCol = 1, TopRow = 1;
  TGridOptions Options =
      goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  bool DefaultDrawing = true;
  TColor Color = clWindow, FixedColor = clBtnFace;
  TFont Font;

  TCanvas* Canvas = nullptr; // during Paint
  QRect PaintRect;           // the area being repainted

  std::unique_ptr<TInplaceEdit> Editor;
  bool EditorMode = false;
  bool UserShow = false; // the editor is being shown by a key or a click
  TGridCoord EditCell;   // the cell the shown editor edits
  QString OriginalText;  // its text when it was shown
  int EditSession = 0;   // counts the times the editor was shown on a cell
  int SizingCol = -1;    // the column being sized with the mouse
  bool Destroying = false;

  // A grid line takes room only where lines of that direction are on: a
  // grid without lines packs its cells edge to edge.
  int ColLineWidth() const {
    return (Options & (goFixedVertLine | goVertLine)) ? GridLineWidth : 0;
  }
  int RowLineWidth() const {
    return (Options & (goFixedHorzLine | goHorzLine)) ? GridLineWidth : 0;
  }
  TAxis ColAxis() const {
    return {ColWidths, FixedCols, LeftCol, ColLineWidth(), Q.viewport()->width()};
  }
  TAxis RowAxis() const {
    return {RowHeights, FixedRows, TopRow, RowLineWidth(), Q.viewport()->height()};
  }

  bool EditorShown() const { return Editor && !Editor->isHidden(); }

  void CheckCell(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= ColCount) throw EListError::IndexError(ACol);
    if (ARow < 0 || ARow >= RowCount) throw EListError::IndexError(ARow);
  }

  void HideEditorIf(bool Condition) {
    if (Condition && EditorShown()) Q.HideEditor();
  }

  // Layout (StringGrid.cpp).
  void SyncScroll();
  void UpdateScrollBars();
  void PlaceEditor();
  // After a change of counts, sizes or the viewport.
  void Layout();
  void ScrollIntoView(int ACol, int ARow);
  void PaintGridLines(TCanvas& C, const std::vector<TLine>& Cols,
                      const std::vector<TLine>& Rows) const;

  // Input (StringGridInput.cpp).
  // A move by the user: through SelectCell, and the editor follows when it
  // is always shown.
  void UserMove(int ACol, int ARow);
  void ShowByUser(bool SelectAll);
  // The cell a Tab moves to, reading order, or false at the end.
  bool TabTarget(bool Back, int& ACol, int& ARow) const;
  // The column whose right edge is at X in the fixed rows, or -1.
  int SizingLineAt(int X, int Y) const;
};
