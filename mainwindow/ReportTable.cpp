#include "mainwindow/ReportTable.h"

#include "mainwindow/ReportText.h"
#include "mainwindow/ResultsText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int Padding = 4; // each side of a cell's text
constexpr int RowGap = 3;  // below a row's text

std::vector<int> NaturalWidths(const std::vector<QStringList>& Rows, const QFontMetricsF& Metrics) {
  std::vector<int> Widths(static_cast<std::size_t>(Rows.front().size()), 0);
  for (const QStringList& Row : Rows)
    for (qsizetype C = 0; C < Row.size(); ++C) {
      const int Text = static_cast<int>(std::ceil(Metrics.horizontalAdvance(Row[C])));
      Widths[static_cast<std::size_t>(C)] =
          std::max(Widths[static_cast<std::size_t>(C)], Text + 2 * Padding);
    }
  return Widths;
}

// Widths of columns that want Natural, fitted into Total: the last one
// takes what the others leave, at least MinLast; when that is not enough,
// the others are narrowed to one width that makes room for it.
std::vector<int> FitColumns(std::vector<int> Natural, int Total, int MinLast) {
  const int Room = std::max(Total - MinLast, 0);
  std::vector<int> Sorted(Natural.begin(), Natural.end() - 1);
  std::sort(Sorted.begin(), Sorted.end());
  int Cap = INT_MAX, Used = 0;
  for (std::size_t I = 0; I < Sorted.size(); ++I) {
    const int Left = static_cast<int>(Sorted.size() - I);
    if (Used + Sorted[I] * Left > Room) {
      Cap = (Room - Used) / Left;
      break;
    }
    Used += Sorted[I];
  }
  int Sum = 0;
  for (std::size_t C = 0; C + 1 < Natural.size(); ++C)
    Sum += Natural[C] = std::min(Natural[C], Cap);
  Natural.back() = Total - Sum;
  return Natural;
}

// A row: the cells wrapped in their columns, a rule under them.
TReportBlock RowBlock(const QStringList& Cells, const std::vector<int>& Widths, const QFont& Font,
                      const QPaintDevice* Device, const QColor& Rule) {
  std::vector<TReportText> Texts;
  int Height = 0;
  for (qsizetype C = 0; C < Cells.size(); ++C) {
    // The kind and the remark to the left, the numbers to the right.
    const bool Left = C == 1 || C + 1 == Cells.size();
    Texts.emplace_back(Cells[C], Font, Widths[static_cast<std::size_t>(C)] - 2 * Padding,
                       Left ? Qt::AlignLeft : Qt::AlignRight, Device);
    Height = std::max(Height, Texts.back().Height());
  }
  TReportBlock Block;
  Block.Height = Height + RowGap;
  Block.Step = Texts.front().Step();
  Block.Paint = [Texts, Widths, Rule, Height](QPainter& Painter, int Top) {
    Painter.setPen(Qt::black);
    int X = 0;
    for (std::size_t C = 0; C < Texts.size(); ++C) {
      Texts[C].Draw(Painter, QPointF(X + Padding, Top));
      X += Widths[C];
    }
    Painter.setPen(QPen(Rule, 0.5));
    Painter.drawLine(QPointF(0, Top + Height + 1), QPointF(X, Top + Height + 1));
  };
  return Block;
}

} // namespace

TReportTable LayOutLoadTable(const TData& Data, const QFont& Font, int Width,
                             const QPaintDevice* Device) {
  const std::vector<QStringList> Rows = LoadTableRows(Data);
  const std::vector<int> Widths =
      FitColumns(NaturalWidths(Rows, QFontMetricsF(Font, Device)), Width, Width / 4);
  TReportTable Table{RowBlock(Rows.front(), Widths, Font, Device, Qt::black), {}};
  Table.Header.KeepWithNext = true;
  for (std::size_t R = 1; R < Rows.size(); ++R) {
    Table.Rows.push_back(RowBlock(Rows[R], Widths, Font, Device, Qt::lightGray));
    Table.Rows.back().TableRow = true;
  }
  return Table;
}
