#include "analysis/LoadSpan.h"

#include "analysis/BeamData.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

namespace {

// Whether each load of a beam of span L lies outside it.
std::vector<bool> Outside(double L, const std::vector<TBeamLoad>& Loads) {
  TData Data;
  BuildBeam(Data, btSimple, L, Loads);
  std::vector<bool> Result;
  for (int I = 0; I < Data.LoadCount(); ++I)
    Result.push_back(LoadOutsideSpan(Data, I));
  return Result;
}

TEST(LoadSpanTest, ALoadIsOutsideWhenItsPositionOrEitherEndLeavesTheBeam) {
  EXPECT_EQ(Outside(10, {{lkConcentrated, 0, 1, 0},
                         {lkMoment, 10, 1, 0},
                         {lkUniform, 0, 1, 10},
                         {lkUniform, 8, 1, 4},
                         {lkLeftTriangle, -1, 1, 2},
                         {lkConcentrated, 10.5, 1, 0},
                         {lkMoment, -0.1, 1, 0},
                         {lkRightTriangle, 12, 1, -4},
                         {lkRightTriangle, 5, 1, -2}}),
            std::vector<bool>({false, false, false, true, true, true, true, true, false}));
}

TEST(LoadSpanTest, PointActionsIgnoreTheirWidthAndRoundedSumsReachTheEnd) {
  // A width read from a file counts only for distributed kinds, and an
  // unknown kind counts as what the kind predicates say.
  EXPECT_EQ(Outside(10, {{lkConcentrated, 5, 1, 50}, {lkMoment, 5, 1, 50}, {7, 5, 1, 50}}),
            std::vector<bool>({false, false, false}));
  // 0.1 + 0.2 is a hair above 0.3.
  EXPECT_EQ(Outside(0.3, {{lkUniform, 0.1, 1, 0.2}, {lkUniform, 0.1, 1, 0.2001}}),
            std::vector<bool>({false, true}));
}

TEST(LoadSpanTest, WithoutASpanOnlyWhatStandsAtZeroIsOnTheBeam) {
  EXPECT_EQ(
      Outside(0, {{lkConcentrated, 0, 1, 0}, {lkConcentrated, 1, 1, 0}, {lkUniform, 0, 1, 1}}),
      std::vector<bool>({false, true, true}));
}

} // namespace
