#include "analysis/ExactPoints.h"

#include <algorithm>

namespace {

// The positions, sorted and each once, inside 0 < x < L.
std::vector<double> Positions(const TData& Data) {
  const double L = Data.Length();
  std::vector<double> Xs;
  for (const TSupport& S : Data.SupportList())
    Xs.push_back(S.At(L));
  for (int I = 0; I < Data.LoadCount(); ++I)
    if (IsPointActionKind(Data.LoadKind(I))) Xs.push_back(Data.LoadX(I));
  const TBeamResults& R = Data.Results();
  for (const TQuantityInfo& Q : Quantities())
    if (R.Has(Q.Id)) Xs.insert(Xs.end(), {R.Largest(Q.Id).X, R.Smallest(Q.Id).X});
  std::erase_if(Xs, [L](double X) { return !(X > 0 && X < L); });
  std::sort(Xs.begin(), Xs.end());
  Xs.erase(std::unique(Xs.begin(), Xs.end()), Xs.end());
  return Xs;
}

} // namespace

std::vector<TExactPoint> ExactPoints(const TData& Data) {
  std::vector<TExactPoint> Out;
  if (!Data.Results().Valid) return Out;
  for (double X : Positions(Data)) {
    TCalcPoint Left{X, 0, 0}, Right{X, 0, 0};
    ValuesJustLeftOf(Data, X, Left.S, Left.M);
    Data.CalcAt(X, Right.S, Right.M);
    if (Data.Results().HasBending) {
      Data.BendingAt(X, Right.Theta, Right.Delta);
      Left.Theta = Right.Theta;
      Left.Delta = Right.Delta;
    }
    const bool Jumps = Left.S != Right.S || Left.M != Right.M;
    if (Jumps) Out.push_back({Left, psLeft});
    Out.push_back({Right, Jumps ? psRight : psOnly});
  }
  return Out;
}
