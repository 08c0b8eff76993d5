#pragma once

#include "analysis/KajyuData.h"

#include <cstddef>

// Adds one load's terms of S and M to N samples at the positions Xs,
// ascending within 0..L. Every sample gets exactly what LoadTerms gives
// at its position.
using TAddLoadToSamples = void (*)(const TKajyuData& K, double L, const double* Xs, double* S,
                                   double* M, std::size_t N);

// Adds load A and then load B to the samples: each sample ends as after
// AddLoad of A and then of B, bit for bit.
using TAddTwoLoadsToSamples = void (*)(const TKajyuData& A, const TKajyuData& B, double L,
                                       const double* Xs, double* S, double* M, std::size_t N);

// One compiled variant of the sample kernel; AddTwoLoads may be null.
struct TSampleKernel {
  const char* Name;
  TAddLoadToSamples AddLoad;
  TAddTwoLoadsToSamples AddTwoLoads;
};

// The variant for every CPU the program runs on.
const TSampleKernel& BaselineSampleKernel();
// The variant compiled for AVX2; null where the CPU lacks AVX2.
const TSampleKernel* Avx2SampleKernel();
// The variant Calculate uses: AVX2 where the CPU has it, else the
// baseline; chosen once, at the first call.
const TSampleKernel& SampleKernel();
// Makes Calculate use Kernel (tests and benchmarks); nullptr goes back to
// the run-time choice.
void UseSampleKernel(const TSampleKernel* Kernel);
