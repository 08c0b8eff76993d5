#include "analysis/SampleSums.h"

#include "analysis/BeamData.h"
#include "analysis/LoadPolynomials.h"
#include "analysis/SampleKernel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stop_token>
#include <system_error>
#include <thread>

namespace {

// Below this many load-samples a second thread costs more than it saves.
constexpr double SplitFrom = 1e6;

bool SeveralCores() {
  static const bool Several = std::thread::hardware_concurrency() > 1;
  return Several;
}

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point Start) {
  return std::chrono::duration<double>(TClock::now() - Start).count();
}

// Beside's time over the time of summing every sample on one thread, as
// lately seen: the second thread takes (1 + share) / 2 of the samples, so
// that both threads finish together.
std::atomic<double> BesideShare{0.4};

// Where the second thread's samples end, on a cache line boundary.
std::size_t SplitAt(std::size_t N) {
  const double Part = std::clamp((1 + BesideShare.load()) / 2, 0.5, 1.0);
  return std::max<std::size_t>(8, static_cast<std::size_t>(Part * static_cast<double>(N)) / 8 * 8);
}

// Adds the loads to the samples Begin..End; Check(I) is asked before load
// I and stops the work by throwing or returning false.
template <class TCheck>
void SumRange(const TData& Data, const double* Xs, double* S, double* M, std::size_t Begin,
              std::size_t End, TCheck Check) {
  const TAddLoadToSamples AddLoad = SampleKernel().AddLoad;
  const double L = Data.Length();
  for (int I = 0; I < Data.ActingCount() && Check(static_cast<std::size_t>(I)); ++I)
    AddLoad(Data.Acting(I), L, Xs + Begin, S + Begin, M + Begin, End - Begin);
}

} // namespace

void SumSamples(const TData& Data, const double* Xs, double* S, double* M, std::size_t N,
                const TGoOn& GoOn, const std::function<void()>& Beside) {
  const bool Split =
      static_cast<double>(Data.ActingCount()) * static_cast<double>(N) >= SplitFrom && N >= 16 &&
      SeveralCores();
  const std::size_t Half = Split ? std::min(N, SplitAt(N)) : 0;
  double HelperSeconds = 0;
  // Destroyed first: asks the thread to stop and waits for it when an
  // exception leaves.
  std::jthread Helper;
  if (Half > 0) {
    try {
      Helper = std::jthread([&, Half](std::stop_token Stop) {
        const TClock::time_point Start = TClock::now();
        SumRange(Data, Xs, S, M, 0, Half,
                 [&Stop](std::size_t I) { return I % 4096 != 0 || !Stop.stop_requested(); });
        HelperSeconds = SecondsSince(Start);
      });
    } catch (const std::system_error&) {
      // No thread to be had: the calling thread sums every sample below.
    }
  }
  const TClock::time_point Start = TClock::now();
  Beside();
  const double BesideSeconds = SecondsSince(Start);
  SumRange(Data, Xs, S, M, Helper.joinable() ? Half : 0, N, [&GoOn](std::size_t I) {
    CheckGoOnEvery(GoOn, I);
    return true;
  });
  if (!Helper.joinable()) return;
  Helper.join();
  // One time is noisy: each adds a quarter of its own.
  if (HelperSeconds > 0)
    BesideShare =
        0.75 * BesideShare +
        0.25 * BesideSeconds / (HelperSeconds * static_cast<double>(N) / static_cast<double>(Half));
}
