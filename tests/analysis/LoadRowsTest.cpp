// The row placement of the load figures against the plain pass-by-pass
// rule it replaces, kept here as the reference.
#include "analysis/LoadRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

// The rule as it was drawn before: whole passes over the list, each
// placing every waiting load that lies beside what the pass already holds.
// Quadratic in the number of rows.
TLoadRows ReferenceRows(std::vector<TKajyuData>& Loads) {
  struct TSide {
    double LowestStart = 1e99, HighestEnd = -1e99;
    bool Empty = true;
  };
  std::size_t Placed = 0;
  for (auto& K : Loads) {
    K.FLevel = 0;
    if (K.FKind == lkMoment) ++Placed;
  }
  TLoadRows R;
  while (Placed < Loads.size()) {
    TSide Upper, Lower;
    for (TKajyuData& K : Loads) {
      if (K.FLevel != 0 || K.FKind == lkMoment) continue;
      const double Start = K.FX;
      const double End = IsDistributedKind(K.FKind) ? K.FX + K.FWidth : K.FX;
      const double Intensity = K.Intensity();
      TSide& Side = Intensity > 0 ? Upper : Lower;
      if (!Side.Empty && !(End <= Side.LowestStart || Start >= Side.HighestEnd)) continue;
      Side.Empty = false;
      Side.LowestStart = std::min(Side.LowestStart, Start);
      Side.HighestEnd = std::max(Side.HighestEnd, End);
      K.FLevel = Intensity > 0 ? R.Upper + 1 : -(R.Lower + 1);
      R.Greatest = std::max(R.Greatest, std::fabs(Intensity));
      ++Placed;
    }
    if (Upper.HighestEnd > 0) ++R.Upper;
    if (Lower.HighestEnd > 0) ++R.Lower;
  }
  return R;
}

std::vector<TKajyuData> MakeLoads(std::mt19937_64& G, std::size_t Count, bool Wild) {
  const double Inf = std::numeric_limits<double>::infinity();
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  auto Pick = [&](std::initializer_list<double> Values) {
    return *(Values.begin() + G() % Values.size());
  };
  // Few distinct positions, so that loads touch and coincide often.
  auto Grid = [&] { return static_cast<double>(G() % 21) / 2 - 1; };
  std::vector<TKajyuData> Loads(Count);
  for (TKajyuData& K : Loads) {
    K.FKind = static_cast<std::int32_t>(G() % 7) - 1;
    K.FX = Wild && G() % 6 == 0 ? Pick({NaN, Inf, -Inf, 1e300, -1e300, 1e99}) : Grid();
    K.FWidth = Wild && G() % 6 == 0 ? Pick({NaN, Inf, -Inf, -0.0}) : Grid() + 1;
    K.FW = Wild && G() % 6 == 0 ? Pick({NaN, Inf, 0.0, -1e308}) : Grid() * 7;
  }
  return Loads;
}

TEST(LoadRows, SameRowsAsThePassByPassRuleOnRandomDocuments) {
  std::mt19937_64 G(16);
  for (int Doc = 0; Doc < 400; ++Doc) {
    const std::size_t Count = Doc % 50 == 0 ? 2000 : 1 + G() % 60;
    auto Loads = MakeLoads(G, Count, Doc % 2 == 1);
    const TLoadRows Want = ReferenceRows(Loads);
    std::vector<std::int32_t> WantLevels;
    for (const auto& K : Loads)
      WantLevels.push_back(K.FLevel);
    for (auto& K : Loads)
      K.FLevel = 12345; // stale rows from an earlier painting
    const TLoadRows Got = PlaceLoadRows(Loads);
    ASSERT_EQ(Got.Upper, Want.Upper) << "document " << Doc;
    ASSERT_EQ(Got.Lower, Want.Lower) << "document " << Doc;
    ASSERT_EQ(Got.Greatest, Want.Greatest) << "document " << Doc;
    for (std::size_t I = 0; I < Loads.size(); ++I)
      ASSERT_EQ(Loads[I].FLevel, WantLevels[I]) << "document " << Doc << ", load " << I;
  }
}

TEST(LoadRows, NestedLoadsTakeOneRowEach) {
  // Every load covers the next: each pass places one, the worst case of
  // the pass-by-pass rule.
  std::vector<TKajyuData> Loads(3000);
  for (int I = 0; I < 3000; ++I) {
    TKajyuData& K = Loads[static_cast<std::size_t>(I)];
    K.FX = I * 0.001;
    K.FWidth = 10 - 2 * I * 0.001;
    K.FW = 1;
  }
  const TLoadRows Rows = PlaceLoadRows(Loads);
  EXPECT_EQ(Rows.Upper, 3000);
  EXPECT_EQ(Rows.Lower, 0);
  EXPECT_EQ(Loads[0].FLevel, 1);
  EXPECT_EQ(Loads[2999].FLevel, 3000);
}

} // namespace
