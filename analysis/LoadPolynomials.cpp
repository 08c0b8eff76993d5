#include "analysis/LoadPolynomials.h"

#include <bit>

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

TPoly PassedMoment(const TKajyuData& K, double D) {
  TPoly P;
  if (IsForceKind(K.FKind)) {
    P.c[0] = (D - K.PassedArmOffset()) * K.FW;
    P.c[1] = K.FW;
  } else {
    P.c[0] = -K.FW;
  }
  return P;
}

std::vector<std::uint32_t> AscendingOrder(const std::vector<double>& Positions) {
  const std::size_t N = Positions.size();
  // Keys that compare as unsigned integers as the positions do as numbers.
  std::vector<std::uint64_t> Keys(N), NextKeys(N);
  std::vector<std::uint32_t> Order(N), NextOrder(N);
  for (std::size_t I = 0; I < N; ++I) {
    const auto Bits = std::bit_cast<std::uint64_t>(Positions[I] + 0.0); // -0 as +0
    Keys[I] = Bits >> 63 ? ~Bits : Bits | std::uint64_t{1} << 63;
    Order[I] = static_cast<std::uint32_t>(I);
  }
  if (N < 512) {
    std::stable_sort(Order.begin(), Order.end(),
                     [&](std::uint32_t P, std::uint32_t Q) { return Keys[P] < Keys[Q]; });
    return Order;
  }
  // Stable passes over 11 bits at a time, the lowest first, with every
  // pass's counts taken in one reading; a pass where every key has the
  // same digit changes nothing and is left out.
  constexpr int DigitBits = 11, Passes = (64 + DigitBits - 1) / DigitBits;
  constexpr std::uint64_t Mask = (1 << DigitBits) - 1;
  std::vector<std::array<std::uint32_t, Mask + 2>> Start(Passes);
  for (std::uint64_t Key : Keys)
    for (int P = 0; P < Passes; ++P)
      ++Start[P][((Key >> (P * DigitBits)) & Mask) + 1];
  for (int P = 0; P < Passes; ++P) {
    const int Shift = P * DigitBits;
    auto& At = Start[P];
    if (At[((Keys[0] >> Shift) & Mask) + 1] == N) continue;
    for (std::size_t D = 1; D < At.size(); ++D)
      At[D] += At[D - 1];
    for (std::size_t I = 0; I < N; ++I) {
      const std::uint32_t To = At[(Keys[I] >> Shift) & Mask]++;
      NextKeys[To] = Keys[I];
      NextOrder[To] = Order[I];
    }
    Keys.swap(NextKeys);
    Order.swap(NextOrder);
  }
  return Order;
}
