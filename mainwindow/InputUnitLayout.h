#pragma once

#include <QPoint>
#include <QRect>

// The main window's layout at design size, in pixels. Places are in the
// coordinates of the component's parent panel.
namespace Layout {

// The client area between the menu and the status bar.
constexpr int ClientWidth = 650;
constexpr int ClientHeight = 509;
constexpr int StatusHeight = 19;
// The input panel on the left; the diagram panel takes the rest.
constexpr int Panel1Width = 291;

// Rows of the load list when it holds 30 loads or fewer.
constexpr int ListRows = 30;
// The load list's rows, the caption row included, for Loads loads: a
// numbered row for every load, and never fewer than those of an empty list.
constexpr int ListRowsFor(int Loads) {
  return (Loads > ListRows ? Loads : ListRows) + 1;
}

// Columns and rows of the grids.
constexpr int GridColWidth = 48;
constexpr int GridRowHeight = 22;

// The input area.
constexpr QPoint Label1Pos{8, 2};
constexpr QRect BaseDataGridBounds{16, 20, 263, 66};
// 支点..., in the heading's row.
constexpr QRect SupportBtnBounds{199, 0, 80, 20};
constexpr QPoint Label2Pos{8, 96};
constexpr QRect KajyuTypeBounds{16, 112, 263, 60};
constexpr QRect KjInpGridBounds{16, 176, 263, 66};
constexpr QPoint Label3Pos{16, 252};
constexpr QRect NameEditBounds{48, 248, 233, 20};

// The list's buttons, the bevel above the list and the list itself, which
// grows with the panel and keeps its margins to the panel's edges.
constexpr QRect AddBtnBounds{16, 272, 65, 25};
constexpr QRect RepBtnBounds{86, 272, 65, 25};
constexpr QRect UpButtonBounds{158, 274, 23, 22};
constexpr QRect DownButtonBounds{184, 274, 23, 22};
constexpr QRect DelBtnBounds{218, 272, 65, 25};
constexpr int BevelLeft = 8;
constexpr int BevelTop = 304;
constexpr int ListLeft = 16;
constexpr int ListTop = 314;
constexpr int ListRightMargin = 8;
constexpr int ListBottomMargin = ClientHeight - 500;

// The check box panel under the diagram area.
constexpr int CheckPanelHeight = 35;
constexpr QPoint KCheckBoxPos{8, 9};
constexpr QPoint SCheckBoxPos{120, 9};
constexpr QPoint MCheckBoxPos{224, 9};
// たわみ図, when shown: this far right of the moment box.
constexpr int DCheckBoxGap = 16;
// Room kept right of the last check box at the smallest window width.
constexpr int BoxMargin = 8;

// Small enough to be useful on a small screen, large enough to keep a few
// rows of the list and a diagram area; wider still when the status panels
// or the check boxes need it.
constexpr int MinDiagramWidth = 160;
constexpr int MinListHeight = 100;
constexpr int MinClientWidth = Panel1Width + MinDiagramWidth;
constexpr int MinClientHeight = ListTop + MinListHeight + ListBottomMargin + StatusHeight;

} // namespace Layout
