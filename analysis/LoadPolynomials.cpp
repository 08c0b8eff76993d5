#include "analysis/LoadPolynomials.h"

TPoly Shifted(const TPoly& P, double X) {
  static constexpr int Binomial[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
  TPoly R;
  for (int k = 0; k < 4; ++k) {
    double Power = 1; // (-X)^(k-j), built up from j = k downwards
    for (int j = k; j >= 0; --j) {
      R.c[static_cast<std::size_t>(j)] += P.c[static_cast<std::size_t>(k)] * Binomial[k][j] * Power;
      Power *= -X;
    }
  }
  return R;
}

TCoveredPolys CoveredPolys(const TKajyuData& K) {
  const double W = K.FW, c = K.FWidth;
  TCoveredPolys P;
  TPoly &F = P.Force, &ArmF = P.Moment;
  switch (K.FKind) {
  case lkUniform:
    F.c[1] = W / c;
    ArmF.c[2] = W / (2 * c);
    break;
  case lkLeftTriangle:
    F.c[1] = 2 * W / c;
    F.c[2] = -W / (c * c);
    ArmF.c[2] = W / c;
    ArmF.c[3] = -W / (3 * c * c);
    break;
  case lkRightTriangle:
    F.c[2] = W / (c * c);
    ArmF.c[3] = W / (3 * c * c);
    break;
  default: // no force inside the width of other kinds
    break;
  }
  return P;
}
