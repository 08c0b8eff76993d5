// Grouped edits: BeginUpdate/EndUpdate and Update defer the recalculation
// and the notification to the end of the outermost update.
#include "analysis/BeamData.h"
#include "analysis/SampleKernel.h"
#include "analysis/Stream.h"
#include "platform/Exceptions.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool SamePoints(const std::vector<TCalcPoint>& A, const std::vector<TCalcPoint>& B) {
  return A.size() == B.size() &&
         (A.empty() || std::memcmp(A.data(), B.data(), A.size() * sizeof(TCalcPoint)) == 0);
}

// A document that counts its notifications and keeps what the handler saw.
struct TCounted {
  TData D;
  int Calls = 0;
  bool ModifiedSeen = false;
  std::vector<TCalcPoint> PointsSeen;
  TCounted() {
    D.SetOnChange([this](TObject* Sender) {
      EXPECT_EQ(Sender, &D);
      ++Calls;
      ModifiedSeen = D.Modified();
      PointsSeen = D.Points();
    });
  }
};

TEST(BeamUpdate, AGroupOfEditsCalculatesAndNotifiesOnceAtTheOutermostEnd) {
  TCounted C;
  const TBeamLoad P{lkUniform, 2, 12, 3, "w"};
  C.D.Update([&] {
    C.D.SetBeamType(btSimple); // no change
    C.D.SetLength(10);
    C.D.Update([&] { AddLoad(C.D, P); });
    EXPECT_EQ(C.Calls, 0);
    EXPECT_TRUE(C.D.Points().empty()); // not calculated yet
    EXPECT_TRUE(C.D.Modified());
  });
  EXPECT_EQ(C.Calls, 1);
  EXPECT_TRUE(C.ModifiedSeen);

  // The same edits one by one give the same samples, notifying each time.
  TCounted Alone;
  SetBeam(Alone.D, btSimple, 10, {P});
  EXPECT_EQ(Alone.Calls, 5); // span, kind is 0 already, X, W, width, remark
  EXPECT_TRUE(SamePoints(C.PointsSeen, Alone.D.Points()));
  EXPECT_TRUE(SamePoints(C.D.Points(), Alone.D.Points()));

  // Edits that change nothing, and an empty update, notify nobody.
  C.D.SetModified(false);
  C.D.Update([&] { WriteLoad(C.D, 0, P); });
  C.D.BeginUpdate();
  C.D.EndUpdate();
  EXPECT_EQ(C.Calls, 1);
  EXPECT_FALSE(C.D.Modified());

  C.D.Update([&] {
    AddLoad(C.D, {lkConcentrated, 4, 10, 0});
    EXPECT_EQ(C.D.DeleteLoad(0), 1);
  });
  EXPECT_EQ(C.Calls, 2);
  EXPECT_EQ(C.PointsSeen.at(300).S, 6); // only P = 10 at 4 is left
}

TEST(BeamUpdate, AFailingEditStillEndsTheUpdateWithWhatWasStored) {
  TCounted C;
  EXPECT_THROW(C.D.Update([&] {
    C.D.SetLength(10);
    C.D.SetLoadX(-1, 3);
  }),
               EListError);
  EXPECT_EQ(C.Calls, 1);
  EXPECT_EQ(C.PointsSeen.size(), 1001u);
  // The update is over: a single setter notifies at once again.
  C.D.SetLength(12);
  EXPECT_EQ(C.Calls, 2);
}

TEST(BeamUpdate, ClearingAndReadingCountAsChangesOnlyInsideAnUpdate) {
  TCounted C;
  C.D.Update([&] { C.D.Clear(); }); // already empty: nothing changed
  EXPECT_EQ(C.Calls, 0);
  BuildBeam(C.D, btCantilever, 10, {{lkConcentrated, 4, 10, 0}});
  C.Calls = 0;
  C.D.Clear();
  EXPECT_EQ(C.Calls, 0); // alone, as ever, silent

  BuildBeam(C.D, btCantilever, 10, {{lkConcentrated, 4, 10, 0}});
  C.Calls = 0;
  TMemoryStream File(
      TFileBytes().Header(btSimple, 10, 1).Record("a", lkConcentrated, 4, 10, 0).Bytes);
  C.D.Update([&] {
    C.D.Clear();
    C.D.LoadFromStream(File);
  });
  EXPECT_EQ(C.Calls, 1); // one notification for clearing and reading
  EXPECT_FALSE(C.ModifiedSeen);
  ASSERT_EQ(C.PointsSeen.size(), 1001u);
  EXPECT_EQ(C.PointsSeen[400].M, 24); // calculated before the handler ran

  // A refused file inside an update still ends it with the cleared state.
  TMemoryStream Broken(std::vector<std::uint8_t>(40, 'x'));
  EXPECT_THROW(C.D.Update([&] {
    C.D.Clear();
    C.D.LoadFromStream(Broken);
  }),
               EReadError);
  EXPECT_EQ(C.Calls, 2);
  EXPECT_TRUE(C.PointsSeen.empty());
}

// The baseline kernel, counting the loads it adds.
int KernelLoads = 0;
void CountingAddLoad(const TKajyuData& K, double L, const double* Xs, double* S, double* M,
                     std::size_t N) {
  ++KernelLoads;
  BaselineSampleKernel().AddLoad(K, L, Xs, S, M, N);
}
const TSampleKernel CountingKernel{"counting", CountingAddLoad, nullptr};

TEST(BeamUpdate, ACalculatedDocumentIsTakenOverWithoutCalculatingAgain) {
  UseSampleKernel(&CountingKernel);
  TData Source, Same;
  for (TData* D : {&Source, &Same})
    BuildBeam(*D, btCantilever, 8, {{lkUniform, 1, 5, 2, "a"}, {lkConcentrated, 3, 4, 0, "b"}});
  TCounted C;
  SetBeam(C.D, btSimple, 10, {{lkMoment, 1, 2, 0, "old"}});
  C.Calls = KernelLoads = 0;
  C.D.Update([&] {
    C.D.Clear();
    C.D.TakeOver(Source);
  });
  EXPECT_EQ(KernelLoads + 10 * C.Calls, 10); // notified once, not calculated
  EXPECT_TRUE(SamePoints(C.PointsSeen, Same.Points()));
  EXPECT_EQ(C.D.Results().MFixed, Same.Results().MFixed);
  // Alone it notifies; an edit after it in the same update is calculated.
  C.D.TakeOver(Source);
  EXPECT_EQ(C.Calls, 2);
  C.D.Update([&] {
    C.D.TakeOver(Source);
    C.D.SetLength(4);
  });
  EXPECT_EQ(KernelLoads, 2);
  Same.SetLength(4);
  EXPECT_TRUE(SamePoints(C.D.Points(), Same.Points()));
  UseSampleKernel(nullptr);
}

TEST(BeamUpdate, EveryQuestionOfALongCalculationCanStopIt) {
  std::vector<TBeamLoad> Loads;
  for (int I = 0; I < 10000; ++I)
    Loads.push_back({I % 5, I * 0.001, 1.0 + I % 7, 0.5, ""});
  TData D;
  BuildBeam(D, btSimple, 10, Loads);
  int Questions = 0;
  D.Calculate([&] { return ++Questions > 0; });
  // Asked in the samples (every 4096 loads) and in the results too.
  EXPECT_GT(Questions, 3);
  for (int Stop = 1; Stop <= Questions; ++Stop) {
    int Left = Stop;
    EXPECT_THROW(D.Calculate([&] { return --Left > 0; }), EAbort) << Stop;
    EXPECT_TRUE(D.Points().empty() && !D.Results().Valid) << Stop;
  }
}

} // namespace
