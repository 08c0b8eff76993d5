#include "analysis/LoadLabels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace {

constexpr std::size_t NoBox = static_cast<std::size_t>(-1);
// Rows tried each way; more than any drawing area holds.
constexpr int MostRows = 512;
// Places tried in all, so that a drawing of a million loads, whose area is
// full long before its last label, takes no longer than its figures.
constexpr long long MostTries = 1 << 18;

bool Overlaps(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

bool Inside(const TRect& Box, const TRect& Area) {
  return Box.Left >= Area.Left && Box.Top >= Area.Top && Box.Right <= Area.Right &&
         Box.Bottom <= Area.Bottom;
}

// Boxes filed under the cells of a coarse grid they touch, so that asking
// whether a box is clear looks at its neighbours only, however many
// labels there are.
class TBoxGrid {
public:
  void Add(const TRect& Box, std::size_t Id) {
    ForCells(Box, [&](std::int64_t Cell) { FCells[Cell].push_back(FBoxes.size()); });
    FBoxes.push_back({Box, Id});
  }

  // Whether Box overlaps a filed box whose Id is not Self.
  bool Hits(const TRect& Box, std::size_t Self) const {
    bool Hit = false;
    ForCells(Box, [&](std::int64_t Cell) {
      const auto Found = FCells.find(Cell);
      if (Hit || Found == FCells.end()) return;
      Hit = std::any_of(Found->second.begin(), Found->second.end(), [&](std::size_t I) {
        return FBoxes[I].Id != Self && Overlaps(FBoxes[I].Box, Box);
      });
    });
    return Hit;
  }

private:
  struct TFiled {
    TRect Box;
    std::size_t Id;
  };
  static constexpr int CellWidth = 64, CellHeight = 32;

  static int CellOf(int Pixel, int Size) {
    return Pixel >= 0 ? Pixel / Size : -((Size - 1 - Pixel) / Size);
  }
  template <class TVisit> static void ForCells(const TRect& Box, TVisit Visit) {
    for (int y = CellOf(Box.Top, CellHeight); y <= CellOf(Box.Bottom - 1, CellHeight); ++y)
      for (int x = CellOf(Box.Left, CellWidth); x <= CellOf(Box.Right - 1, CellWidth); ++x)
        Visit(static_cast<std::int64_t>(y) << 32 ^ static_cast<std::uint32_t>(x));
  }

  std::unordered_map<std::int64_t, std::vector<std::size_t>> FCells;
  std::vector<TFiled> FBoxes;
};

// The box of Size centred where Wanted is, pushed inside Area and moved by
// whole rows, nearest first, until it is clear of Placed.
std::optional<TRect> FreeRow(const TRect& Wanted, TSize Size, bool Upward, const TRect& Area,
                             const TBoxGrid& Placed, long long& Tries) {
  if (Size.cx > Area.Width() || Size.cy > Area.Height()) return std::nullopt;
  const int Left =
      std::clamp(Wanted.Left + Wanted.Width() / 2 - Size.cx / 2, Area.Left, Area.Right - Size.cx);
  const int Top = std::clamp(Wanted.Top, Area.Top, Area.Bottom - Size.cy);
  const int Step = std::max(1, Size.cy), First = Upward ? -1 : 1;
  for (int Row = 0; Row <= MostRows; ++Row) {
    // Rows further out lie outside Area once both ways do.
    bool InArea = false;
    for (int Way : {First, -First}) {
      const long long y = Top + static_cast<long long>(Way) * Row * Step;
      if (y < Area.Top || y + Size.cy > Area.Bottom) continue;
      InArea = true;
      if (--Tries < 0) return std::nullopt;
      const TRect Box{Left, static_cast<int>(y), Left + Size.cx, static_cast<int>(y) + Size.cy};
      if (!Placed.Hits(Box, NoBox)) return Box;
    }
    if (!InArea) break;
  }
  return std::nullopt;
}

// Moves Label to a free row, as its number when its text finds none.
void Resettle(TLoadLabel& Label, std::size_t Id, const TRect& Area, TCanvas& Canvas,
              TBoxGrid& Placed, long long& Tries) {
  const TSize TextSize{Label.Box.Width(), Label.Box.Height()};
  std::optional<TRect> Box = FreeRow(Label.Box, TextSize, Label.Upward, Area, Placed, Tries);
  if (!Box) {
    Label.Text = Label.Number;
    Box = FreeRow(Label.Box, Canvas.TextExtent(Label.Text), Label.Upward, Area, Placed, Tries);
  }
  if (!Box) {
    Label.Text.clear();
    return;
  }
  Label.Box = *Box;
  Placed.Add(*Box, Id);
}

} // namespace

void PlaceLoadLabels(std::vector<TLoadLabel>& Labels, const TRect& Area, TCanvas& Canvas) {
  TBoxGrid Wanted;
  for (std::size_t I = 0; I < Labels.size(); ++I)
    Wanted.Add(Labels[I].Box, I);
  std::vector<bool> Stays(Labels.size());
  TBoxGrid Placed;
  for (std::size_t I = 0; I < Labels.size(); ++I) {
    Stays[I] = Inside(Labels[I].Box, Area) && !Wanted.Hits(Labels[I].Box, I);
    if (Stays[I]) Placed.Add(Labels[I].Box, I);
  }
  long long Tries = MostTries;
  for (std::size_t I = 0; I < Labels.size(); ++I)
    if (!Stays[I]) Resettle(Labels[I], I, Area, Canvas, Placed, Tries);
}
