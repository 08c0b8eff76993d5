#include "analysis/SectionChecks.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

namespace {

// H-200×200×8×12 in round figures, with allowable values for F = 235.
TSection Steel() {
  TSection S;
  S.E = 205000;
  S.I = 4720;
  S.Z = 472;
  S.Aw = 16;
  S.Fb = 235 / 1.5;
  S.Fs = 90.4;
  return S;
}

TSectionChecks Checked(TData& D) {
  D.SetSection(Steel());
  return CheckSection(D.Section(), D.Results());
}

} // namespace

// Worked by hand in N and mm, apart from the program's units: a simple beam
// of 6 m under 10 kN/m, and a 3 m cantilever with 10 kN at its free end.
TEST(SectionChecksTest, TextbookBeamsInNewtonsAndMillimetres) {
  const double E = 205000, I = 4720e4, Z = 472e3, Aw = 1600;
  TData Simple;
  BuildBeam(Simple, btSimple, 6, {{lkUniform, 0, 60, 6, ""}});
  const TSectionChecks A = Checked(Simple);
  const double w = 10, L = 6000;
  EXPECT_NEAR(A.Bending.Demand, w * L * L / 8 / Z, 1e-9);
  EXPECT_NEAR(A.Bending.Ratio, w * L * L / 8 / Z / (235 / 1.5), 1e-12);
  EXPECT_NEAR(A.Shear.Demand, w * L / 2 / Aw, 1e-9);
  EXPECT_NEAR(A.Deflection.Demand, 5 * w * L * L * L * L / (384 * E * I), 1e-9);
  EXPECT_DOUBLE_EQ(A.Deflection.Capacity, L / 300);
  EXPECT_TRUE(A.Bending.Ok() && A.Shear.Ok() && A.Deflection.Ok());

  TData Cantilever;
  BuildBeam(Cantilever, btCantilever, 3, {{lkConcentrated, 0, 10, 0, ""}});
  const TSectionChecks B = Checked(Cantilever);
  const double P = 10e3, Lc = 3000;
  EXPECT_NEAR(B.Bending.Demand, P * Lc / Z, 1e-9);
  EXPECT_NEAR(B.Deflection.Demand, P * Lc * Lc * Lc / (3 * E * I), 1e-9);
  // Taken on twice the length.
  EXPECT_DOUBLE_EQ(B.Deflection.Capacity, 2 * Lc / 300);

  // Held at 0 and 4 m, 10 kN at the tip of the 2 m overhang: the tip's
  // δ = Pa²(l + a)/3EI is checked against twice the overhang, which
  // governs over the span's limit of l/300.
  TData Overhang;
  BuildBeam(Overhang, btSimple, 6, {{lkConcentrated, 6, 10, 0, ""}});
  Overhang.SetSupports(bpOverhang, {{skPin, 0, false}, {skRoller, 4, false}});
  const TSectionChecks O = Checked(Overhang);
  const double a = 2000, l = 4000;
  EXPECT_NEAR(O.Deflection.Demand, P * a * a * (l + a) / (3 * E * I), 1e-9);
  EXPECT_DOUBLE_EQ(O.Deflection.Capacity, 2 * a / 300);
  EXPECT_EQ(O.DeflectionSpan, 1);
}
