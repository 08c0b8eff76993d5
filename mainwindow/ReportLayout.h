#pragma once

#include <functional>
#include <vector>

class QPainter;

// A piece of the report that goes onto a page whole: a heading, a line of
// results, the diagram, a row of the load table. Heights are in units of
// the sheet's 1/96-inch grid.
struct TReportBlock {
  int Height = 0;
  // Paints the whole block with its top at Top.
  std::function<void(QPainter& Painter, int Top)> Paint;
  // A block taller than a page is cut between its lines, which stand this
  // far apart from its top; 0 for a block that has no lines (it is cut
  // where the page ends).
  int Step = 0;
  // Goes onto the page of the block after it (a heading, a header row).
  bool KeepWithNext = false;
  // A row of the load table: a page that it starts is headed by the
  // table's heading and header row.
  bool TableRow = false;
};

// The piece of a block on one page: From units down the block, Height
// units tall, placed at Top.
struct TPlacedBlock {
  const TReportBlock* Block = nullptr;
  int Top = 0;
  int From = 0;
  int Height = 0;
};
using TReportPage = std::vector<TPlacedBlock>;

// Flows Blocks down pages PageHeight tall, in order. A block that does not
// fit below the ones before starts the next page, together with the
// blocks it keeps with; a page that starts with a table row starts with
// TableHead first. Only a block taller than a whole page is cut, between
// its lines, over as many pages as it needs. Every page but the first
// holds a block of its own.
std::vector<TReportPage> FlowBlocks(const std::vector<TReportBlock>& Blocks,
                                    const std::vector<TReportBlock>& TableHead, int PageHeight);

// Paints the pieces of Page; a piece of a cut block is clipped to its place.
void PaintPage(QPainter& Painter, const TReportPage& Page, int Width);
