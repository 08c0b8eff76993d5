// The load record on its own: partial resultants, lever arms, drawing
// helpers and labels.
#include "analysis/KajyuData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

namespace {

struct TLoad : TKajyuData {
  TLoad(std::int32_t Kind, double X, double W, double Width = 0) {
    FKind = Kind;
    FX = X;
    FW = W;
    FWidth = Width;
  }
};

TEST(KajyuData, ForceAndArmUpTo) {
  struct {
    std::int32_t Kind;
    double X, W, Width, At, Force, Arm;
  } const Cases[] = {
      {lkUniform, 2, 8, 4, 1, 0, 0},
      {lkUniform, 2, 8, 4, 3, 2, 0.5},
      {lkUniform, 2, 8, 4, 6, 8, 2},
      {lkUniform, 2, 8, 4, 7, 8, 3},
      // Covered part a trapezoid 4 -> 2 over 0..1.5: centroid 5/6 back from x.
      {lkLeftTriangle, 0, 6, 3, 1.5, 4.5, 5.0 / 6},
      {lkLeftTriangle, 0, 6, 3, 3, 6, 2},
      {lkLeftTriangle, 1, 0, 2, 2, 0, 0}, // unloaded: no 0/0 inside
      {lkRightTriangle, 0, 6, 3, 1.5, 1.5, 0.5},
      {lkRightTriangle, 0, 6, 3, 4, 6, 2},
      {lkConcentrated, 2, 5, 0, 1.999, 0, 0},
      {lkConcentrated, 2, 5, 0, 2, 5, 0},
      {lkConcentrated, 2, 5, 0, 5, 5, 3},
      {lkMoment, 2, 7, 0, 1, 0, 0},
      {lkMoment, 2, 7, 0, 2, 7, -1},
      {lkMoment, 2, 7, 0, 9, 7, -1},
      // Without width a distributed load acts at its start.
      {lkUniform, 3, 9, 0, 2.9, 0, 0},
      {lkLeftTriangle, 3, 9, 0, 3, 9, 0},
      {lkRightTriangle, 3, 9, 0, 5, 9, 2},
      // Unknown kinds: nothing inside, the moment arm once passed.
      {5, 1, 4, 2, 2, 0, 0},
      {5, 1, 4, 2, 3, 4, -1},
      {-1, 1, 4, 2, 3, 4, -1},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(testing::Message() << "kind " << C.Kind << " X " << C.X << " at " << C.At);
    const TLoad K(C.Kind, C.X, C.W, C.Width);
    EXPECT_NEAR(K.ForceUpTo(C.At), C.Force, 1e-12);
    EXPECT_NEAR(K.ArmUpTo(C.At), C.Arm, 1e-12);
  }
}

TEST(KajyuData, ResultantAndIntensity) {
  struct {
    std::int32_t Kind;
    double X, W, Width, Pos, Intensity;
  } const Cases[] = {
      {lkUniform, 2, 8, 4, 4, 2},       {lkLeftTriangle, 0, 6, 3, 1, 4},
      {lkRightTriangle, 0, 6, 3, 2, 4}, {lkConcentrated, 2, 5, 0, 2, 5},
      {lkMoment, 2, 7, 0, 0, 0},        {lkLeftTriangle, 1, 0, 2, 5.0 / 3, 0},
      {lkUniform, 3, 9, 0, 3, 0},       {lkLeftTriangle, 3, 9, 0, 3, 0},
      {lkRightTriangle, 3, 9, 0, 3, 0}, {lkUniform, 3, 9, -3, 1.5, -3},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(testing::Message() << "kind " << C.Kind << " width " << C.Width);
    const TLoad K(C.Kind, C.X, C.W, C.Width);
    EXPECT_NEAR(K.ResultantPos(), C.Pos, 1e-12);
    EXPECT_NEAR(K.Intensity(), C.Intensity, 1e-12);
  }
  EXPECT_EQ(TLoad(7, 1, 4, 2).Intensity(), 0);
}

TEST(KajyuData, LabelsAndNames) {
  for (std::int32_t Kind : {lkUniform, lkLeftTriangle, lkRightTriangle})
    EXPECT_EQ(TLoad(Kind, 0, 12.5, 1).LabelText(), "W = 12.500(kN)");
  EXPECT_EQ(TLoad(lkConcentrated, 0, 3).LabelText(), "P = 3.000(kN)");
  // The unit carries the half-width middle dot U+FF65.
  EXPECT_EQ(TLoad(lkMoment, 0, -3.25).LabelText(), "M = -3.250(kN\xEF\xBD\xA5m)");
  EXPECT_EQ(TLoad(5, 0, 1).LabelText(), "");
  EXPECT_EQ(TLoad(-1, 0, 1).LabelText(), "");

  // The longest number a double can print must not be cut off.
  const std::string Huge = TLoad(lkMoment, 0, -DBL_MAX).LabelText();
  EXPECT_EQ(Huge.rfind("M = -17976931348623157", 0), 0u);
  EXPECT_EQ(Huge.size(), 4 + 1 + 309 + 4 + 8u);
  EXPECT_EQ(Huge.substr(Huge.size() - 12), ".000(kN\xEF\xBD\xA5m)");

  const char* Names[] = {"長方形", "左三角", "右三角", "集中", "曲げＭ"};
  for (std::size_t I = 0; I < 5; ++I)
    EXPECT_STREQ(LoadKindNames[I], Names[I]);
}

} // namespace
