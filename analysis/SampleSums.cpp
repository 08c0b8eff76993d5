#include "analysis/SampleSums.h"

#include "analysis/BeamData.h"
#include "analysis/LoadPolynomials.h"
#include "analysis/SampleKernel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sched.h>
#include <stop_token>
#include <system_error>
#include <thread>

namespace {

// Below this many load-samples a second thread costs more than it saves.
constexpr double SplitFrom = 1e6;

// Whether this process may run on more than one core (taskset and
// containers may allow fewer than the machine has).
bool SeveralCores() {
  static const bool Several = [] {
    cpu_set_t Allowed;
    if (sched_getaffinity(0, sizeof Allowed, &Allowed) == 0) return CPU_COUNT(&Allowed) > 1;
    return std::thread::hardware_concurrency() > 1;
  }();
  return Several;
}

using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration D) {
  return std::chrono::duration<double>(D).count();
}

// The part of the samples the second thread takes, as the last splits
// found it: both threads should end together, though the calling thread
// works out the results first and samples further right cost more (more
// loads lie left of them).
std::atomic<double> HelperPart{0.7};

// Where the second thread's samples end, on a cache line boundary.
std::size_t SplitAt(std::size_t N) {
  return std::max<std::size_t>(8, static_cast<std::size_t>(HelperPart * static_cast<double>(N)) /
                                      8 * 8);
}

// Moves the split by half of what would have made both threads end
// together, at the cost per sample each thread saw.
void Rebalance(std::size_t Half, std::size_t N, TClock::duration HelperTime,
               TClock::duration HelperLate, TClock::duration CallerKernelTime) {
  const double PerHelperSample = Seconds(HelperTime) / static_cast<double>(Half);
  const double PerCallerSample =
      N > Half ? Seconds(CallerKernelTime) / static_cast<double>(N - Half) : PerHelperSample;
  if (!(PerHelperSample + PerCallerSample > 0)) return; // a clock too coarse to tell
  const double Move = Seconds(HelperLate) / (PerHelperSample + PerCallerSample);
  HelperPart =
      std::clamp((static_cast<double>(Half) - Move / 2) / static_cast<double>(N), 0.5, 1.0);
}

// Adds the loads to the samples Begin..End; Check(I) is asked before load
// I and stops the work by throwing or returning false.
template <class TCheck>
void SumRange(const TData& Data, const double* Xs, double* S, double* M, std::size_t Begin,
              std::size_t End, TCheck Check) {
  const TSampleKernel& Kernel = SampleKernel();
  const double L = Data.Length();
  const int Count = Data.ActingCount();
  const std::size_t N = End - Begin;
  int I = 0;
  // By pairs where the kernel can (Check is asked every 4096 loads, an
  // even number).
  if (Kernel.AddTwoLoads)
    for (; I + 1 < Count && Check(static_cast<std::size_t>(I)); I += 2)
      Kernel.AddTwoLoads(Data.Acting(I), Data.Acting(I + 1), L, Xs + Begin, S + Begin, M + Begin,
                         N);
  for (; I < Count && Check(static_cast<std::size_t>(I)); ++I)
    Kernel.AddLoad(Data.Acting(I), L, Xs + Begin, S + Begin, M + Begin, N);
}

} // namespace

void SumSamples(const TData& Data, const double* Xs, double* S, double* M, std::size_t N,
                const TGoOn& GoOn, const std::function<void()>& Beside) {
  const bool Split =
      static_cast<double>(Data.ActingCount()) * static_cast<double>(N) >= SplitFrom && N >= 16 &&
      SeveralCores();
  const std::size_t Half = Split ? std::min(N, SplitAt(N)) : 0;
  TClock::time_point HelperStart, HelperEnd;
  // Destroyed first: asks the thread to stop and waits for it when an
  // exception leaves.
  std::jthread Helper;
  if (Half > 0) {
    try {
      Helper = std::jthread([&, Half](std::stop_token Stop) {
        HelperStart = TClock::now();
        SumRange(Data, Xs, S, M, 0, Half,
                 [&Stop](std::size_t I) { return I % 4096 != 0 || !Stop.stop_requested(); });
        HelperEnd = TClock::now();
      });
    } catch (const std::system_error&) {
      // No thread to be had: the calling thread sums every sample below.
    }
  }
  Beside();
  const TClock::time_point KernelStart = TClock::now();
  SumRange(Data, Xs, S, M, Helper.joinable() ? Half : 0, N, [&GoOn](std::size_t I) {
    CheckGoOnEvery(GoOn, I);
    return true;
  });
  if (!Helper.joinable()) return;
  const TClock::time_point End = TClock::now();
  Helper.join();
  Rebalance(Half, N, HelperEnd - HelperStart, HelperEnd - End, End - KernelStart);
}
