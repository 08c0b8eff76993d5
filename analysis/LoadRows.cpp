#include "analysis/LoadRows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr std::size_t None = static_cast<std::size_t>(-1);

// One load of one side, in list order.
struct TRowItem {
  TKajyuData* Load;
  double Start, End;
};

// The loads of one side still waiting for a row, as a tree over the list
// order keeping per node the smallest end and the largest start below it.
// A pass asks it for the next load that fits beside what the pass placed;
// that costs log N steps instead of a scan, so all passes together take
// N log N however many rows there are.
class TWaitingTree {
public:
  explicit TWaitingTree(const std::vector<TRowItem>& Items) {
    while (FSize < Items.size())
      FSize *= 2;
    FMinEnd.assign(2 * FSize, Inf);
    FMaxStart.assign(2 * FSize, -Inf);
    for (std::size_t I = 0; I < Items.size(); ++I) {
      // A NaN fits no comparison: it never ends left of nor starts right
      // of anything.
      FMinEnd[FSize + I] = std::isnan(Items[I].End) ? Inf : Items[I].End;
      FMaxStart[FSize + I] = std::isnan(Items[I].Start) ? -Inf : Items[I].Start;
    }
    for (std::size_t N = FSize - 1; N >= 1; --N)
      Pull(N);
  }

  void Remove(std::size_t I) {
    I += FSize;
    FMinEnd[I] = Inf;
    FMaxStart[I] = -Inf;
    for (I /= 2; I >= 1; I /= 2)
      Pull(I);
  }

  // The first waiting load after After that ends at or left of Lo or
  // starts at or right of Hi; None when there is none. Lo is at most 1e99
  // and Hi at least -1e99, so removed loads never fit.
  std::size_t FirstFitAfter(std::size_t After, double Lo, double Hi) const {
    return Find(1, 0, FSize, After + 1, Lo, Hi);
  }

private:
  void Pull(std::size_t N) {
    FMinEnd[N] = std::min(FMinEnd[2 * N], FMinEnd[2 * N + 1]);
    FMaxStart[N] = std::max(FMaxStart[2 * N], FMaxStart[2 * N + 1]);
  }

  std::size_t Find(std::size_t N, std::size_t Begin, std::size_t End, std::size_t From, double Lo,
                   double Hi) const {
    if (End <= From || !(FMinEnd[N] <= Lo || FMaxStart[N] >= Hi)) return None;
    if (End - Begin == 1) return Begin;
    const std::size_t Mid = Begin + (End - Begin) / 2;
    const std::size_t Left = Find(2 * N, Begin, Mid, From, Lo, Hi);
    return Left != None ? Left : Find(2 * N + 1, Mid, End, From, Lo, Hi);
  }

  std::size_t FSize = 1;
  std::vector<double> FMinEnd, FMaxStart;
};

// Places the loads of one side pass by pass; returns the rows used.
int PlaceSide(const std::vector<TRowItem>& Items, bool Upper) {
  TWaitingTree Waiting(Items);
  std::vector<bool> Placed(Items.size(), false);
  std::size_t First = 0;
  int Rows = 0;
  for (;;) {
    while (First < Items.size() && Placed[First])
      ++First;
    if (First == Items.size()) return Rows;
    const std::int32_t Level = Upper ? Rows + 1 : -(Rows + 1);
    double LowestStart = 1e99, HighestEnd = -1e99;
    for (std::size_t I = First; I != None; I = Waiting.FirstFitAfter(I, LowestStart, HighestEnd)) {
      Placed[I] = true;
      Waiting.Remove(I);
      LowestStart = std::min(LowestStart, Items[I].Start);
      HighestEnd = std::max(HighestEnd, Items[I].End);
      Items[I].Load->FLevel = Level;
    }
    if (HighestEnd > 0) ++Rows;
  }
}

} // namespace

TLoadRows PlaceLoadRows(std::span<TKajyuData> Loads) {
  TLoadRows Result;
  std::vector<TRowItem> Upper, Lower;
  for (TKajyuData& K : Loads) {
    K.FLevel = 0;
    if (IsMomentKind(K.FKind)) continue;
    const double End = IsDistributedKind(K.FKind) ? K.FX + K.FWidth : K.FX;
    const double Intensity = K.Intensity();
    (Intensity > 0 ? Upper : Lower).push_back({&K, K.FX, End});
    Result.Greatest = std::max(Result.Greatest, std::fabs(Intensity));
  }
  Result.Upper = PlaceSide(Upper, true);
  Result.Lower = PlaceSide(Lower, false);
  return Result;
}
