#pragma once

#include <vector>

class TData;

// X clamped into 0..L as the readout shows a position (NaN reads as 0).
inline double ClampToSpan(double X, double L) {
  if (!(X >= 0)) X = 0;
  if (X > L) X = L;
  return X;
}

// Whether load Index of Data reaches outside the beam: its position, or
// for a distributed load either end of it, lies before 0 or past the span
// (a span that is not positive holds only what stands at 0). Such loads
// are kept as entered; the window only marks them. Ends within a
// billionth of the span of the beam's ends count as on the beam, so that
// a width that reaches the end in rounded sums is not marked.
bool LoadOutsideSpan(const TData& Data, int Index);

// The indices of the loads that reach outside the beam (LoadOutsideSpan),
// in list order: what the results say of them, since such a load counts in
// full, with its lever arm to the beam.
std::vector<int> LoadsOutsideSpan(const TData& Data);
