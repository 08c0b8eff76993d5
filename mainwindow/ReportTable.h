#pragma once

#include "mainwindow/ReportLayout.h"

#include <vector>

class QFont;
class QPaintDevice;
class TData;

// The load table of the report, Width units wide: its header row and a
// row per load (LoadTableRows). The columns take the width of their
// longest text, the remark's column takes what the others leave; where
// that would leave it less than a quarter of the width, the widest columns
// are narrowed. A text longer than its column wraps in it and its row
// grows.
struct TReportTable {
  TReportBlock Header;
  std::vector<TReportBlock> Rows;
};
TReportTable LayOutLoadTable(const TData& Data, const QFont& Font, int Width,
                             const QPaintDevice* Device);
