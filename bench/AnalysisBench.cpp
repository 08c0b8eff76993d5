// Timing of the analysis and the data file.
// Per load-sample cost: time of Calculate / (1001 × loads).
#include "analysis/BeamData.h"
#include "analysis/Deflection.h"
#include "analysis/LoadRows.h"
#include "analysis/Results.h"
#include "analysis/SampleKernel.h"
#include "analysis/Stream.h"
#include "bench/SampleDocument.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

void BM_Calculate(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)),
                     static_cast<std::int32_t>(State.range(1)));
  for (auto _ : State) {
    Data.Calculate();
    benchmark::DoNotOptimize(Data.Points().data());
  }
  const double Evaluations = 1001.0 * static_cast<double>(State.range(0));
  // Seconds per load-sample evaluation (printed with an SI prefix, "2.1n").
  State.counters["s_per_load_sample"] = benchmark::Counter(
      Evaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// Elapsed time: Calculate may sum the samples on a second thread.
BENCHMARK(BM_Calculate)
    ->ArgsProduct({{1, 30, 1000, 10000}, {btSimple, btCantilever}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Calculate with one kernel variant: 0 the baseline, 1 AVX2.
void BM_CalculateWithKernel(benchmark::State& State) {
  const TSampleKernel* Kernel = State.range(1) == 0 ? &BaselineSampleKernel() : Avx2SampleKernel();
  if (!Kernel) {
    State.SkipWithError("this CPU has no AVX2");
    return;
  }
  UseSampleKernel(Kernel);
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  for (auto _ : State) {
    Data.Calculate();
    benchmark::DoNotOptimize(Data.Points().data());
  }
  UseSampleKernel(nullptr);
  const double Evaluations = 1001.0 * static_cast<double>(State.range(0));
  State.counters["s_per_load_sample"] = benchmark::Counter(
      Evaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CalculateWithKernel)
    ->ArgsProduct({{30, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The samples alone, without the results Calculate also works out: every
// load added to the 1001 samples of Data by Kernel.
struct TSummation {
  explicit TSummation(const TData& Of) : Data(Of) {
    for (const TCalcPoint& P : Data.Points())
      Xs.push_back(P.X);
  }
  // Load by load, or by pairs of loads where Pairs.
  void Run(const TSampleKernel& Kernel, bool Pairs = false) {
    std::fill(S.begin(), S.end(), 0.0);
    std::fill(M.begin(), M.end(), 0.0);
    const double L = Data.Length();
    int I = 0;
    if (Pairs)
      for (; I + 1 < Data.LoadCount(); I += 2)
        Kernel.AddTwoLoads(Data.Load(I), Data.Load(I + 1), L, Xs.data(), S.data(), M.data(),
                           Xs.size());
    for (; I < Data.LoadCount(); ++I)
      Kernel.AddLoad(Data.Load(I), L, Xs.data(), S.data(), M.data(), Xs.size());
    benchmark::DoNotOptimize(S.data());
    benchmark::DoNotOptimize(M.data());
  }
  const TData& Data;
  std::vector<double> Xs, S = std::vector<double>(1001), M = std::vector<double>(1001);
};

// The summation by one kernel variant (0 the baseline, 1 AVX2), load by
// load (third argument 0) or by pairs of loads (1), as Calculate sums.
void BM_SampleKernel(benchmark::State& State) {
  const TSampleKernel* Kernel = State.range(1) == 0 ? &BaselineSampleKernel() : Avx2SampleKernel();
  if (!Kernel) {
    State.SkipWithError("this CPU has no AVX2");
    return;
  }
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  TSummation Summation(Data);
  for (auto _ : State)
    Summation.Run(*Kernel, State.range(2) != 0);
  const double Evaluations = 1001.0 * static_cast<double>(State.range(0));
  State.counters["s_per_load_sample"] = benchmark::Counter(
      Evaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SampleKernel)
    ->ArgsProduct({{30, 1000, 10000}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

double Seconds(clockid_t Clock) {
  timespec T{};
  clock_gettime(Clock, &T);
  return static_cast<double>(T.tv_sec) + 1e-9 * static_cast<double>(T.tv_nsec);
}

// Calculate (samples by the kernel the CPU gets, and the results) beside
// the reference summation, the baseline kernel's samples alone on one
// thread, in turns. Counters: calc_per_reference, the ratio of their
// elapsed times (what the user waits; Calculate may use a second core),
// and calc_cpu_per_reference, the ratio of the CPU time they take on all
// threads.
void BM_CalculateVsReference(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)),
                     static_cast<std::int32_t>(State.range(1)));
  TSummation Summation(Data);
  double Wall[2] = {}, Cpu[2] = {};
  auto Timed = [&](int Which, auto Work) {
    const double Start = Seconds(CLOCK_MONOTONIC), StartCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    Work();
    Wall[Which] += Seconds(CLOCK_MONOTONIC) - Start;
    Cpu[Which] += Seconds(CLOCK_PROCESS_CPUTIME_ID) - StartCpu;
  };
  for (auto _ : State) {
    Timed(0, [&] {
      Data.Calculate();
      benchmark::DoNotOptimize(Data.Points().data());
    });
    Timed(1, [&] { Summation.Run(BaselineSampleKernel()); });
  }
  State.counters["calc_per_reference"] = Wall[0] / Wall[1];
  State.counters["calc_cpu_per_reference"] = Cpu[0] / Cpu[1];
}
BENCHMARK(BM_CalculateVsReference)
    ->ArgsProduct({{30, 1000, 10000}, {btSimple, btCantilever}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_CalcAt(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  Data.Calculate();
  double X = 0, S = 0, M = 0;
  for (auto _ : State) {
    X = X > 9.99 ? 0 : X + 0.0137;
    double At = X;
    benchmark::DoNotOptimize(Data.CalcAt(At, S, M));
    benchmark::DoNotOptimize(M);
  }
}
BENCHMARK(BM_CalcAt)->Arg(30)->Arg(1000);

// A whole document entered load by load through the setters in one
// update, as `vbdtool make` does.
void BM_SetThroughSetters(benchmark::State& State) {
  const std::vector<TBeamLoad> Loads = SampleLoads(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    TData Data;
    Data.Update([&] { SetBeam(Data, btSimple, 10, Loads); });
    benchmark::DoNotOptimize(Data.Points().data());
  }
}
BENCHMARK(BM_SetThroughSetters)->Arg(30)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The row placement of the load figures alone.
void BM_PlaceLoadRows(benchmark::State& State) {
  std::vector<TKajyuData> Loads;
  for (const TBeamLoad& Spec : SampleLoads(static_cast<int>(State.range(0)))) {
    TKajyuData& K = Loads.emplace_back();
    K.FKind = Spec.Kind;
    K.FX = Spec.X;
    K.FW = Spec.W;
    K.FWidth = Spec.Width;
  }
  for (auto _ : State)
    benchmark::DoNotOptimize(PlaceLoadRows(Loads));
}
BENCHMARK(BM_PlaceLoadRows)
    ->Arg(30)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

// The reactions and the exact extremes alone (Calculate runs them too).
void BM_Results(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)),
                     static_cast<std::int32_t>(State.range(1)));
  for (auto _ : State)
    benchmark::DoNotOptimize(ComputeResults(Data));
}
BENCHMARK(BM_Results)
    ->ArgsProduct({{30, 1000, 10000, 1000000}, {btSimple, btCantilever}})
    ->Unit(benchmark::kMicrosecond);

// The bending line of a calculated document: built, sampled where the
// diagram samples lie and searched for its extremes, to set beside
// BM_Calculate of the same document.
void BM_BendingLine(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)),
                     static_cast<std::int32_t>(State.range(1)));
  std::vector<double> Xs, Theta(Data.Points().size()), Delta(Data.Points().size());
  for (const TCalcPoint& P : Data.Points())
    Xs.push_back(P.X);
  for (auto _ : State) {
    const TBendingLine Line = TBendingLine::Build(Data, 2.4e4);
    Line.Sample(Xs.data(), Theta.data(), Delta.data(), Xs.size());
    benchmark::DoNotOptimize(Line.Extremes());
    benchmark::DoNotOptimize(Delta.data());
  }
}
BENCHMARK(BM_BendingLine)
    ->ArgsProduct({{30, 1000, 10000}, {btSimple, btCantilever}})
    ->Unit(benchmark::kMicrosecond);

void BM_SaveToStream(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, 30, btSimple);
  for (auto _ : State) {
    TMemoryStream Stream;
    Data.SaveToStream(Stream);
    benchmark::DoNotOptimize(Stream.Bytes().data());
  }
}
BENCHMARK(BM_SaveToStream);

void BM_LoadFromStream(benchmark::State& State) {
  TData Source;
  FillSampleDocument(Source, 30, btSimple);
  TMemoryStream Saved;
  Source.SaveToStream(Saved);
  for (auto _ : State) {
    TMemoryStream Stream(Saved.Bytes());
    TData Data;
    Data.LoadFromStream(Stream);
    benchmark::DoNotOptimize(Data.LoadCount());
  }
}
BENCHMARK(BM_LoadFromStream);

// A saved file of the sample loads, removed when done with.
class TSavedFile {
public:
  explicit TSavedFile(int Loads)
      : FName((std::filesystem::temp_directory_path() / "vantrel_bench_load.vbd").string()) {
    TData Source;
    FillSampleDocument(Source, Loads, btSimple);
    Source.SaveToFile(FName);
  }
  ~TSavedFile() { std::remove(FName.c_str()); }
  const std::string& Name() const { return FName; }
  std::int64_t Size() const { return static_cast<std::int64_t>(std::filesystem::file_size(FName)); }

private:
  std::string FName;
};

const std::vector<std::int64_t> FileLoadCounts{30, 1000, 10000, 1000000};

// The file's bytes read into memory, and nothing done with them: what
// reading costs at the least (bytes per second).
void BM_RawRead(benchmark::State& State) {
  const TSavedFile File(static_cast<int>(State.range(0)));
  std::vector<char> Bytes(static_cast<std::size_t>(File.Size()));
  for (auto _ : State) {
    std::FILE* F = std::fopen(File.Name().c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(Bytes.data(), 1, Bytes.size(), F));
    std::fclose(F);
  }
  State.SetBytesProcessed(State.iterations() * File.Size());
}
BENCHMARK(BM_RawRead)->ArgsProduct({FileLoadCounts})->Unit(benchmark::kMillisecond);

// The file read into its contents, as 開く's first phase reads it.
void BM_ReadDataFile(benchmark::State& State) {
  const TSavedFile File(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    TDataFileContents Contents = ReadDataFile(File.Name());
    benchmark::DoNotOptimize(Contents.Loads.data());
    State.PauseTiming(); // freeing the contents is not reading
    Contents = {};
    State.ResumeTiming();
  }
  State.SetBytesProcessed(State.iterations() * File.Size());
}
BENCHMARK(BM_ReadDataFile)->ArgsProduct({FileLoadCounts})->Unit(benchmark::kMillisecond);

// The file read and taken over by a document (bytes per second).
void BM_LoadFromFile(benchmark::State& State) {
  const TSavedFile File(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    auto Data = std::make_unique<TData>();
    Data->LoadFromFile(File.Name());
    benchmark::DoNotOptimize(Data->LoadCount());
    State.PauseTiming(); // freeing the document is not reading
    Data.reset();
    State.ResumeTiming();
  }
  State.SetBytesProcessed(State.iterations() * File.Size());
}
BENCHMARK(BM_LoadFromFile)->ArgsProduct({FileLoadCounts})->Unit(benchmark::kMillisecond);

} // namespace
