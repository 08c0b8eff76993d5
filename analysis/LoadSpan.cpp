#include "analysis/LoadSpan.h"

#include "analysis/BeamData.h"

#include <cmath>

bool LoadOutsideSpan(const TData& Data, int Index) {
  const double L = Data.Length();
  const double Slack = std::abs(L) * 1e-9;
  const auto Outside = [L, Slack](double X) { return !(X >= -Slack && X <= L + Slack); };
  const double X = Data.LoadX(Index);
  if (Outside(X)) return true;
  return IsDistributedKind(Data.LoadKind(Index)) && Outside(X + Data.LoadWidth(Index));
}

std::vector<int> LoadsOutsideSpan(const TData& Data) {
  std::vector<int> Indices;
  for (int I = 0; I < Data.LoadCount(); ++I)
    if (LoadOutsideSpan(Data, I)) Indices.push_back(I);
  return Indices;
}
