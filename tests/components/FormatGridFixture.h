// A format grid under test: a real widget in a window beside another
// focusable widget, with single cells drawable on the recording canvas and
// a count of the cells the real painting draws.
#pragma once

#include "components/FormatGrid.h"
#include "platform/RecordingCanvas.h"
#include "tests/kit/GridWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <utility>

class TTestGrid : public TFormatGrid {
public:
  using TFormatGrid::TFormatGrid;
  std::map<std::pair<int, int>, int> Painted;

  // A cell's rectangle with nothing scrolled, shown or not.
  TRect At(int ACol, int ARow) const {
    TRect R;
    for (int I = 0; I < ACol; ++I)
      R.Left += ColWidths(I) + GridLineWidth();
    for (int J = 0; J < ARow; ++J)
      R.Top += RowHeights(J) + GridLineWidth();
    return {R.Left, R.Top, R.Left + ColWidths(ACol), R.Top + RowHeights(ARow)};
  }

  // The cell drawn with the state Paint would give it.
  std::unique_ptr<TRecordingCanvas> DrawOn(int ACol, int ARow) {
    auto Canvas = std::make_unique<TRecordingCanvas>();
    TGridDrawState State = ACol < FixedCols() || ARow < FixedRows() ? gdFixed : 0u;
    if (ACol == Col() && ARow == Row()) State |= gdSelected | (Focused() ? gdFocused : 0u);
    SetPaintCanvas(Canvas.get());
    DrawCell(ACol, ARow, At(ACol, ARow), State);
    SetPaintCanvas(nullptr);
    return Canvas;
  }
  std::vector<TRecordingCanvas::TRecord> Drawn(int ACol, int ARow, TRecordingCanvas::TKind Kind) {
    return DrawOn(ACol, ARow)->OfKind(Kind);
  }

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    ++Painted[{ACol, ARow}];
    TFormatGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

class FormatGridFixture : public ::testing::Test {
protected:
  FormatGridFixture() { Grid->SetColCount(6); }

  // Shown in the active window, the grid holding the focus.
  void Show() { ShowActive(Window, *Grid); }
  void Cell(int ACol, int ARow, std::uint8_t Kind, const char* Text = "") {
    Grid->SetCells(ACol, ARow, QString::fromUtf8(Text));
    Grid->SetCellKind(ACol, ARow, Kind);
  }
  TCellFormat& Format(int ACol, int ARow) { return *Grid->CellFormat(ACol, ARow); }

  QWidget Window;
  TTestGrid* Grid = new TTestGrid(&Window);
  QLineEdit* Other = LayOutGridWindow(Window, *Grid, 250);
};
