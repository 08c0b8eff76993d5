#include "analysis/Deflection.h"
#include "analysis/LoadSpan.h"

#include "analysis/BeamData.h"
#include "analysis/LoadPolynomials.h"
#include "analysis/PiecewisePolynomial.h"
#include "analysis/Supports.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// ---- sums kept to twice the precision

// Hi + Lo, unevaluated. The intensity of the distributed loads along the
// beam is a sum whose terms come and go again; a narrow load's intensity
// is large, and a plain sum would keep its rounding long after the load.
struct TTwoDouble {
  double Hi = 0, Lo = 0;
  double Value() const { return Hi + Lo; }
  TTwoDouble operator-() const { return {-Hi, -Lo}; }
};

// a + b exactly.
TTwoDouble TwoSum(double a, double b) {
  const double s = a + b, v = s - a;
  return {s, (a - (s - v)) + (b - v)};
}

// a·b exactly, without a fused multiply-add (the build allows none).
TTwoDouble TwoProduct(double a, double b) {
  const auto Split = [](double x, double& High, double& Low) {
    const double t = 134217729.0 * x; // 2^27 + 1
    High = t - (t - x);
    Low = x - High;
  };
  double ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

TTwoDouble operator+(const TTwoDouble& A, const TTwoDouble& B) {
  const TTwoDouble S = TwoSum(A.Hi, B.Hi);
  return TwoSum(S.Hi, S.Lo + A.Lo + B.Lo);
}

TTwoDouble operator*(const TTwoDouble& A, double b) {
  const TTwoDouble P = TwoProduct(A.Hi, b);
  return TwoSum(P.Hi, P.Lo + A.Lo * b);
}

// ---- the bending moment along the beam

// M and its slope S at a position, and there the intensity q = -M'' of
// the distributed loads with its slope dq.
struct TMomentTerms {
  double M = 0, S = 0;
  TTwoDouble q, dq;

  // The terms h further along, with no load starting or ending on the way.
  TMomentTerms Advanced(double h) const {
    const double q0 = q.Value(), q1 = dq.Value();
    return {M + h * (S - h * (q0 / 2 + h * q1 * Sixth)), S - h * (q0 + h * q1 / 2), q + dq * h, dq};
  }
  TMomentTerms& operator+=(const TMomentTerms& T) {
    M += T.M;
    S += T.S;
    q = q + T.q;
    dq = dq + T.dq;
    return *this;
  }
  // From here on, in powers of the distance u: φ(u) - φ(0) and
  // ψ(u) - ψ(0) - φ(0)·u, where φ = ∫M and ψ = ∫φ.
  void Integrals(std::array<double, 5>& Phi, std::array<double, 6>& Psi) const {
    const double q0 = q.Value(), q1 = dq.Value();
    Phi = {0, M, S / 2, -q0 * Sixth, -q1 / 24};
    Psi = {0, 0, M / 2, S * Sixth, -q0 / 24, -q1 / 120};
  }

private:
  static constexpr double Sixth = 1.0 / 6;
};

using TMomentEvent = TLoadEvent<TMomentTerms>;

// The changes a load makes to M, each at the position where it happens:
// where the load begins to act and, with a positive width, where x has
// passed it. Inside the width M follows the covered part's moment, whose
// second derivative is the intensity; with a width that is no number x
// never passes the load, as ForceUpTo and ArmUpTo have it.
void AddMomentEvents(const TKajyuData& K, std::vector<TMomentEvent>& Events) {
  const double X = K.FX, End = X + K.FWidth;
  if (End <= X) {
    const TPoly Passed = PassedMoment(K, 0);
    Events.push_back({X, {-Passed.c[0], -Passed.c[1], {}, {}}});
    return;
  }
  const TCoveredPolys Covered = CoveredPolys(K);
  const TTwoDouble q{Covered.Force.c[1], 0}, dq{2 * Covered.Force.c[2], 0};
  Events.push_back({X, {0, 0, q, dq}});
  if (End > X) {
    // The covered part's moment about x, whose slope is the covered force,
    // gives way to the whole load's.
    const double D = End - X;
    const TPoly Passed = PassedMoment(K, D);
    Events.push_back(
        {End,
         {Covered.Moment(D) - Passed.c[0], Covered.Force(D) - Passed.c[1], -(q + dq * D), -dq}});
  }
}

// The events in the order of their positions, read through that order.
struct TSortedEvents {
  std::vector<TMomentEvent> Events;
  std::vector<std::uint32_t> Order;
  std::size_t size() const { return Order.size(); }
  const TMomentEvent& operator[](std::size_t I) const { return Events[Order[I]]; }
};

// Every load's events left of L (those at or past L never come into effect
// along the span, nor those at positions that are no number), in order;
// Start gets the slope of M left of every load, the sum of the left
// reaction shares.
TSortedEvents MomentEvents(const TData& D, double L, TMomentTerms& Start, const TGoOn& GoOn) {
  TSortedEvents Sorted;
  std::vector<TMomentEvent>& Events = Sorted.Events;
  Events.reserve(2 * static_cast<std::size_t>(D.ActingCount()));
  for (int I = 0; I < D.ActingCount(); ++I) {
    CheckGoOnEvery(GoOn, static_cast<std::size_t>(I));
    Start.S += D.Acting(I).FRA;
    AddMomentEvents(D.Acting(I), Events);
  }
  std::erase_if(Events, [L](const TMomentEvent& E) { return !(E.X < L); });
  CheckGoOn(GoOn);
  std::vector<double> Positions(Events.size());
  for (std::size_t I = 0; I < Events.size(); ++I)
    Positions[I] = Events[I].X;
  Sorted.Order = AscendingOrder(Positions);
  return Sorted;
}

// Walks M along 0..L and calls Piece(A, dPhi, dPsi, Phi, Psi) for each
// piece: its start A, φ and ψ from there on (TMomentTerms::Integrals), and
// φ(A), ψ(A). M is carried from event to event, also left of 0, so that a
// narrow load there adds and takes off its intensity over its width alone.
// Returns φ(L) and ψ(L).
template <class TPieceFn>
std::array<double, 2> IntegrateMoment(const TData& D, double L, const TGoOn& GoOn,
                                      TPieceFn&& Piece) {
  TMomentTerms Now;
  const TSortedEvents Sorted = MomentEvents(D, L, Now, GoOn);
  double Origin = 0, Phi = 0, Psi = 0;
  const auto MoveTo = [&](double X) {
    if (X == Origin) return;
    Now = Now.Advanced(X - Origin);
    Origin = X;
  };
  WalkPieces(
      Sorted, L, GoOn,
      [&](const TMomentEvent& E) {
        MoveTo(E.X);
        Now += E.Delta;
      },
      [&](double A, double B) {
        MoveTo(A);
        std::array<double, 5> dPhi;
        std::array<double, 6> dPsi;
        Now.Integrals(dPhi, dPsi);
        Piece(A, dPhi, dPsi, Phi, Psi);
        const double h = B - A;
        Psi += Phi * h + Horner(dPsi, h);
        Phi += Horner(dPhi, h);
      });
  return {Phi, Psi};
}

// C1 and C2 of EI·θ = -φ + C1 and EI·δ = -ψ + C1·x + C2 from the
// supports. The reactions already make every support hold; two conditions
// fix the constants: θ = δ = 0 at a fixed end, else δ = 0 at the first and
// the last support (on a simple beam δ(0) = δ(L) = 0, on a cantilever
// θ(L) = δ(L) = 0).
template <class TPhiPsiAt>
std::array<double, 2> Constants(const TSupports& Supports, double L, TPhiPsiAt&& PhiPsiAt) {
  const TSupport& First = Supports.front();
  const TSupport& Last = Supports.back();
  if (First.Kind == skFixed || Last.Kind == skFixed) {
    const double x = (First.Kind == skFixed ? First : Last).At(L);
    const auto [Phi, Psi] = PhiPsiAt(x);
    return {Phi, Psi - Phi * x};
  }
  const double a = First.At(L), b = Last.At(L);
  const double PsiA = PhiPsiAt(a)[1], PsiB = PhiPsiAt(b)[1];
  const double C1 = (PsiB - PsiA) / (b - a);
  return {C1, PsiA - C1 * a};
}

} // namespace

TBendingLine TBendingLine::Build(const TData& D, double EI, const TGoOn& GoOn) {
  TBendingLine Line;
  const double L = D.Length();
  if (!(L > 0 && std::isfinite(L) && EI > 0 && std::isfinite(EI))) return Line;
  // EI·θ = -φ + C1 and EI·δ = -ψ + C1·x + C2. Until C1 and C2 are known, a
  // piece's Theta[0] and Delta[0] hold φ and ψ at its start.
  const double InvEI = 1 / EI, MmPerEI = 1000 / EI;
  Line.FStarts.reserve(2 * static_cast<std::size_t>(D.ActingCount()) + 1);
  Line.FPieces.reserve(Line.FStarts.capacity());
  const auto AddPiece = [&](double A, const std::array<double, 5>& dPhi,
                            const std::array<double, 6>& dPsi, double Phi, double Psi) {
    TPiece& P = Line.FPieces.emplace_back();
    for (std::size_t k = 0; k < dPhi.size(); ++k)
      P.Theta[k] = -dPhi[k] * InvEI;
    for (std::size_t k = 0; k < dPsi.size(); ++k)
      P.Delta[k] = -dPsi[k] * MmPerEI;
    P.Theta[0] = Phi;
    P.Delta[0] = Psi;
    Line.FStarts.push_back(A);
  };
  const std::array<double, 2> AtL = IntegrateMoment(D, L, GoOn, AddPiece);
  const TSupports Supports = D.SupportList();
  // φ and ψ at a support: a piece starts at each one inside the beam (the
  // reaction there acts as a load), and the walk ends at L.
  const auto PhiPsiAt = [&](double x) -> std::array<double, 2> {
    if (x >= L) return AtL;
    const TPiece& P = Line.FPieces[Line.PieceAt(x)];
    return {P.Theta[0], P.Delta[0]};
  };
  const auto [C1, C2] = Constants(Supports, L, PhiPsiAt);
  for (std::size_t I = 0; I < Line.FPieces.size(); ++I) {
    TPiece& P = Line.FPieces[I];
    const double Phi = P.Theta[0], Psi = P.Delta[0];
    P.Theta[0] = (C1 - Phi) * InvEI;
    P.Delta[0] = (C1 * Line.FStarts[I] + C2 - Psi) * MmPerEI;
    P.Delta[1] = (C1 - Phi) * MmPerEI;
  }
  Line.FLength = L;
  // The supports hold exactly: δ at each (and θ at a fixed end) is the
  // boundary value itself, not the rounding left in the sums (which would
  // read "-0.000"); at x = L a piece of no length carries it. Values that
  // are no numbers stay as they are.
  const auto Held = [](double& Value) {
    if (std::isfinite(Value)) Value = 0;
  };
  const TPiece& Last = Line.FPieces.back();
  const double h = L - Line.FStarts.back();
  TPiece End{};
  End.Theta[0] = Horner(Last.Theta, h);
  End.Delta[0] = Horner(Last.Delta, h);
  Line.FPieces.push_back(End);
  Line.FStarts.push_back(L);
  for (const TSupport& S : Supports) {
    TPiece& P = Line.FPieces[Line.PieceAt(S.At(L))];
    Held(P.Delta[0]);
    if (S.Kind == skFixed) Held(P.Theta[0]);
  }
  return Line;
}

std::size_t TBendingLine::PieceAt(double X) const {
  const auto After = std::upper_bound(FStarts.begin(), FStarts.end(), X);
  return static_cast<std::size_t>(After - FStarts.begin()) - 1;
}

void TBendingLine::Evaluate(std::size_t Piece, double X, double& Theta, double& Delta) const {
  const double u = X - FStarts[Piece];
  Theta = Horner(FPieces[Piece].Theta, u);
  Delta = Horner(FPieces[Piece].Delta, u);
}

bool TBendingLine::At(double& X, double& Theta, double& Delta) const {
  X = ClampToSpan(X, FLength);
  if (Empty()) return false;
  Evaluate(PieceAt(X), X, Theta, Delta);
  return true;
}

void TBendingLine::Sample(const double* Xs, double* Theta, double* Delta, std::size_t N) const {
  if (Empty()) return;
  std::size_t P = 0;
  for (std::size_t I = 0; I < N; ++I) {
    const double X = ClampToSpan(Xs[I], FLength);
    if (X < FStarts[P]) P = PieceAt(X);
    while (P + 1 < FStarts.size() && FStarts[P + 1] <= X)
      ++P;
    Evaluate(P, X, Theta[I], Delta[I]);
  }
}

TBendingExtremes TBendingLine::Extremes(const TGoOn& GoOn) const {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  TBendingExtremes R{{NaN, NaN}, {NaN, NaN}, {NaN, NaN}, {NaN, NaN}};
  if (Empty()) return R;
  PiecewiseExtremes(
      FStarts, FLength, [this](std::size_t I) -> const auto& { return FPieces[I].Theta; }, GoOn,
      R.ThetaMax, R.ThetaMin);
  PiecewiseExtremes(
      FStarts, FLength, [this](std::size_t I) -> const auto& { return FPieces[I].Delta; }, GoOn,
      R.DeltaMax, R.DeltaMin);
  return R;
}

TExtreme TBendingLine::LargestDeflection(double From, double To) const {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  if (Empty()) return {NaN, NaN};
  const std::size_t First = PieceAt(From), Last = std::min(PieceAt(To), FStarts.size() - 1);
  const std::vector<double> Starts(FStarts.begin() + static_cast<std::ptrdiff_t>(First),
                                   FStarts.begin() +
                                       static_cast<std::ptrdiff_t>(std::max(First + 1, Last)));
  TExtreme Max, Min;
  PiecewiseExtremes(
      Starts, To,
      [ this, First ](std::size_t I) -> const auto& { return FPieces[First + I].Delta; }, {}, Max,
      Min);
  return std::fabs(Min.Value) > std::fabs(Max.Value) ? Min : Max;
}
