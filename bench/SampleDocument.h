#pragma once

#include "tests/kit/BeamBuilder.h"

#include <random>
#include <vector>

// Loads loads of every kind in turn on a 10 m beam, spread over the span
// and a little past it, the same for every run.
inline std::vector<TBeamLoad> SampleLoads(int Loads) {
  std::mt19937 Random(12345);
  std::uniform_real_distribution<double> Position(-1.0, 10.5), Width(0.1, 4.0), Value(-20, 50);
  std::vector<TBeamLoad> Specs(static_cast<std::size_t>(Loads));
  for (int I = 0; I < Loads; ++I) {
    TBeamLoad& K = Specs[static_cast<std::size_t>(I)];
    K.Kind = I % 5;
    K.X = Position(Random);
    K.W = Value(Random);
    K.Width = K.Kind <= lkRightTriangle ? Width(Random) : 0;
    K.Remark = "load";
  }
  return Specs;
}

// The sample loads on a 10 m beam, calculated.
inline void FillSampleDocument(TData& Data, int Loads, std::int32_t BeamType) {
  BuildBeam(Data, BeamType, 10, SampleLoads(Loads));
}
