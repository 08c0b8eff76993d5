// The reactions of a beam on any list of supports, statically determinate
// or not, for a beam of uniform stiffness (the reactions then do not
// depend on its value).
#pragma once

#include "analysis/KajyuData.h"
#include "analysis/Supports.h"

#include <cstddef>
#include <vector>

// What a support exerts on the beam: the force R (kN, upward positive) and,
// at a fixed end, the moment M (kN·m, clockwise positive; 0 elsewhere).
struct TReaction {
  double X = 0; // m
  double R = 0;
  double M = 0;
  bool Fixed = false;
};

// The reactions that one load alone calls up, found exactly: the beam is
// taken as free at the left end, where the loads and the reactions give
// the moment M along it, and the unknowns (every reaction, the slope and
// the deflection at x = 0) follow from equilibrium of the whole beam, no
// deflection at each support and no slope at a fixed end. The integrals of
// a load's moment are taken in closed form; the system is factored once
// per beam. The loads act as their own formulas have them, with no share
// of a left reaction: what stands at x = L acts on the beam, and a load
// before x = 0 or past L counts in full with its lever arm, as if a rigid
// arm carried it to the beam's end (the plain types' rule). The integrals
// and the system are taken in units of L, so that no span overflows them.
class TReactionSolver {
public:
  // Supports in order along the beam, accepted by SupportsProblem for a
  // positive span L.
  TReactionSolver(const TSupports& Supports, double L);

  std::size_t SupportCount() const { return FAt.size(); }
  // False when the supports stand too close to be told apart in the
  // system; Solve must not be called then.
  bool Stable() const { return FStable; }
  // The length of a right-hand side.
  std::size_t Unknowns() const { return FSize; }
  // Adds load K's right-hand side to b; the right-hand sides of several
  // loads summed give the reactions to them all.
  void AddLoad(const TKajyuData& K, std::vector<double>& b) const;
  // Sets R and M of every support (Out: one per support) for the loads
  // whose right-hand sides b holds.
  void Solve(std::vector<double> b, TReaction* Out) const;
  // The reactions to load K alone.
  void Solve(const TKajyuData& K, TReaction* Out) const;

private:
  void BuildSystem();
  bool Factor();

  double FLength;
  std::vector<double> FAt;     // positions of the supports
  std::vector<int> FMomentRow; // per support: its moment's unknown, or -1
  std::size_t FSize = 0;
  std::vector<double> FLu; // the factored system, row by row
  std::vector<std::size_t> FPivot;
  bool FStable = false;
};

// Makes K the load that stands for a reaction in the statics: a
// concentrated load of -R at the support, or at a fixed end a moment of M.
void SetReactionForce(TKajyuData& K, const TReaction& R);
void SetReactionMoment(TKajyuData& K, const TReaction& R);
