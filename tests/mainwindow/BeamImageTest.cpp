// Whole paintings compared pixel for pixel with reference images.
//
// The references in tests/data/beam_*.png are regenerated only on purpose,
// after a deliberate change of the drawing, by running
//   VANTREL_REGENERATE_IMAGES=1 build/test/tests/mainwindow_tests
//     --gtest_filter='BeamImageTest.*'     (one command line)
// and looking at every image before committing it.
#include "mainwindow/BeamImage.h"
#include "analysis/BeamData.h"
#include "tests/ReferenceImage.h"
#include "tests/kit/BeamBuilder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

void CheckAgainstReference(TData& Data, int Width, int Height, const char* Name,
                           TDiagramLayers Layers = {}) {
  CheckAgainstReference(RenderBeamImage(Data, Width, Height, Layers), VANTREL_TEST_DATA_DIR, Name);
}

TEST(BeamImageTest, SimpleBeamWithEveryKind) {
  TData Data;
  // clang-format off
  SetBeam(Data, btSimple, 10,
          {{lkUniform, 0, 20, 4}, {lkLeftTriangle, 5, 9, 3}, {lkRightTriangle, 2, 6, 5},
           {lkConcentrated, 8, 12, 0}, {lkMoment, 6, 15, 0}, {lkConcentrated, 3, -5, 0}});
  // clang-format on
  CheckAgainstReference(Data, 900, 600, "beam_simple.png");
}

TEST(BeamImageTest, CantileverWithUpwardLoadsAndANegativeMoment) {
  TData Data;
  // clang-format off
  SetBeam(Data, btCantilever, 6.5,
          {{lkUniform, 0, 12, 3}, {lkLeftTriangle, 1, -4, 2}, {lkRightTriangle, 2.5, 6, 4},
           {lkConcentrated, 6.5, 3, 0}, {lkMoment, 3, -8, 0}});
  // clang-format on
  CheckAgainstReference(Data, 700, 500, "beam_cantilever.png");
}

TEST(BeamImageTest, PointLoadWithoutTheShearLine) {
  TData Data;
  SetBeam(Data, btSimple, 10, {{lkConcentrated, 4, 10, 0}});
  CheckAgainstReference(Data, 349, 464, "beam_point_no_shear.png", {true, false, true});
}

// The bent beam of a section, exaggerated with its scale stated, and its
// extremes labelled beside those of S and M.
TEST(BeamImageTest, CantileverBentWithItsSection) {
  TData Data;
  SetBeam(Data, btCantilever, 4,
          {{lkUniform, 0, 16, 4}, {lkConcentrated, 0, -5, 0}, {lkMoment, 2, 6, 0}});
  TSection Section;
  Section.E = 205000;
  Section.I = 1840;
  Data.SetSection(Section);
  CheckAgainstReference(Data, 700, 500, "beam_cantilever_bent.png", {true, true, true, true, true});
}

// A wall at the left end hatched to the left, a roller inside the span and
// one at the right end (a triangle over a line each), the extreme labels
// clear of them.
TEST(BeamImageTest, LeftFixedEndAndRollers) {
  TData Data;
  SetBeam(Data, btSimple, 9,
          {{lkUniform, 0, 12, 9}, {lkConcentrated, 4, 10, 0}, {lkConcentrated, 7.5, -6, 0}});
  Data.SetSupports(bpContinuous, {{skFixed, 0, false}, {skRoller, 4, false}, {skRoller, 0, true}});
  CheckAgainstReference(Data, 700, 500, "beam_supports.png", {true, true, true, true, true});
}

} // namespace
