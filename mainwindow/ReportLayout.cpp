#include "mainwindow/ReportLayout.h"

#include <QPainter>
#include <algorithm>

namespace {

class TFlow {
public:
  TFlow(const std::vector<TReportBlock>& TableHead, int PageHeight)
      : FTableHead(TableHead), FPageHeight(PageHeight) {}

  void Add(const TReportBlock& Block, int KeptHeight) {
    if (FY > FPageStart && FY + KeptHeight > FPageHeight) StartPage(Block.TableRow);
    int From = 0;
    while (Block.Height - From > FPageHeight - FY) {
      From += Place(Block, From, CutHeight(Block.Step));
      StartPage(Block.TableRow);
    }
    Place(Block, From, Block.Height - From);
  }
  std::vector<TReportPage> Pages{{}};

private:
  // What of a block fits into the rest of the page, ending between lines
  // where there is room for a line; at least 1, so that the flow moves on.
  int CutHeight(int Step) const {
    const int Room = FPageHeight - FY;
    const int Lines = Step > 0 && Room >= Step ? Room - Room % Step : Room;
    return std::max(Lines, 1);
  }
  int Place(const TReportBlock& Block, int From, int Height) {
    Pages.back().push_back({&Block, FY, From, Height});
    FY += Height;
    return Height;
  }
  void StartPage(bool InTable) {
    Pages.emplace_back();
    FY = 0;
    if (InTable)
      for (const TReportBlock& Head : FTableHead)
        Place(Head, 0, Head.Height);
    FPageStart = FY;
  }

  const std::vector<TReportBlock>& FTableHead;
  const int FPageHeight;
  int FY = 0;
  int FPageStart = 0;
};

} // namespace

std::vector<TReportPage> FlowBlocks(const std::vector<TReportBlock>& Blocks,
                                    const std::vector<TReportBlock>& TableHead, int PageHeight) {
  TFlow Flow(TableHead, PageHeight);
  for (std::size_t I = 0; I < Blocks.size(); ++I) {
    int Kept = Blocks[I].Height;
    for (std::size_t J = I; J + 1 < Blocks.size() && Blocks[J].KeepWithNext; ++J)
      Kept += Blocks[J + 1].Height;
    Flow.Add(Blocks[I], Kept);
  }
  return Flow.Pages;
}

void PaintPage(QPainter& Painter, const TReportPage& Page, int Width) {
  for (const TPlacedBlock& Piece : Page) {
    const bool Whole = Piece.From == 0 && Piece.Height == Piece.Block->Height;
    Painter.save();
    if (!Whole) Painter.setClipRect(0, Piece.Top, Width, Piece.Height, Qt::IntersectClip);
    Piece.Block->Paint(Painter, Piece.Top - Piece.From);
    Painter.restore();
  }
}
