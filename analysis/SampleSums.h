#pragma once

#include "analysis/GoOn.h"

#include <cstddef>
#include <functional>

class TData;

// Adds every load acting on Data, in load order, to the N samples at the
// ascending positions Xs (S and M start at 0), so that each sample equals
// CalcAt at its position bit for bit. Beside runs on the calling thread
// meanwhile: on a large document the samples are summed in blocks on a
// second thread, and the calling thread takes the blocks left once Beside
// returns. GoOn is asked on the calling thread only; when it (or Beside)
// throws, the second thread stops before the exception leaves.
void SumSamples(const TData& Data, const double* Xs, double* S, double* M, std::size_t N,
                const TGoOn& GoOn, const std::function<void()>& Beside);
