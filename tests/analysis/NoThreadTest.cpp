// The calculation when no second thread can be had: thread creation is
// made to fail here, where this binary's pthread_create stands before the
// C library's, and the samples must be those of the normal path, bit for bit.
#include "analysis/BeamData.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <pthread.h>
#include <random>
#include <sched.h>

namespace {

std::atomic<bool> Refusing{false};
std::atomic<int> Refused{0};

} // namespace

extern "C" int pthread_create(pthread_t* __restrict Thread, const pthread_attr_t* __restrict Attr,
                              void* (*Start)(void*), void* __restrict Arg) noexcept {
  using TCreate = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
  static const auto Real = reinterpret_cast<TCreate>(dlsym(RTLD_NEXT, "pthread_create"));
  if (Refusing) {
    ++Refused;
    return EAGAIN;
  }
  return Real(Thread, Attr, Start, Arg);
}

namespace {

TEST(NoThread, TheSamplesAreThoseOfTwoThreadsBitForBit) {
  cpu_set_t Allowed;
  if (sched_getaffinity(0, sizeof Allowed, &Allowed) == 0 && CPU_COUNT(&Allowed) < 2)
    GTEST_SKIP() << "one core: the samples are never split";
  std::mt19937 Random(18);
  std::uniform_real_distribution<double> Unit(0, 1);
  std::vector<TBeamLoad> Loads;
  for (int I = 0; I < 3000; ++I)
    Loads.push_back({static_cast<std::int32_t>(Random() % 5), 12 * Unit(Random) - 1,
                     100 * Unit(Random) - 50, 3 * Unit(Random)});
  TData Two, One;
  BuildBeam(Two, btSimple, 10, Loads);
  Refusing = true;
  BuildBeam(One, btSimple, 10, Loads);
  Refusing = false;
  EXPECT_GT(Refused, 0);
  ASSERT_EQ(One.Points().size(), Two.Points().size());
  EXPECT_EQ(std::memcmp(One.Points().data(), Two.Points().data(),
                        One.Points().size() * sizeof(TCalcPoint)),
            0);
}

} // namespace
