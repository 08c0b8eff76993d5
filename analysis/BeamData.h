#pragma once

#include "analysis/Deflection.h"
#include "analysis/DiagramLines.h"
#include "analysis/KajyuData.h"
#include "analysis/LoadLabels.h"
#include "analysis/Quantities.h"
#include "analysis/Results.h"
#include "analysis/Section.h"
#include "analysis/Supports.h"
#include "platform/Canvas.h"
#include "platform/Events.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStream;

// The beam type code of the plain data file. A document with a support
// list keeps its preset (TBeamPreset) there instead.
enum TBeamType : std::int32_t {
  btSimple = 0,     // pin supports at both ends
  btCantilever = 1, // free left end, fixed right end (any nonzero code)
};

// One diagram sample.
struct TCalcPoint {
  double X;         // m
  double M;         // kN·m
  double S;         // kN
  double Theta = 0; // rad; 0 without a section that gives E and I
  double Delta = 0; // mm; 0 without a section that gives E and I

  double Value(TQuantity Q) const;
};

// A data file as read, before it becomes part of a document.
struct TDataFileContents {
  std::int32_t BeamType = btSimple;
  double Length = 0;
  // The support list of a beam of neither plain type; empty for those.
  TSupports Supports;
  std::vector<TKajyuData> Loads;
  // Bytes after a load count of zero or less, other than the tagged blocks
  // (the section). The file's rules read such a count as no loads and
  // ignore what follows, but those bytes are most likely records the count
  // leaves out, which a save would drop. 0 for a positive count: bytes
  // after its records and blocks are ignored and not told.
  std::int64_t UncountedBytes = 0;
  // The section stored after the loads; empty when none is stored, or when
  // what is stored there cannot be read, which SectionNote then tells.
  TSection Section;
  std::string SectionNote;
};

// Told how many of Total load records have been read; false stops the
// reading with EAbort.
using TReadProgress = std::function<bool(std::int64_t Done, std::int64_t Total)>;

// Reads a whole data file with every check of LoadFromStream; nothing of
// any document changes. Progress, when given, is asked every few thousand
// records.
TDataFileContents ReadDataFile(TStream& Stream, const TReadProgress& Progress = {});
TDataFileContents ReadDataFile(const std::string& FileName, const TReadProgress& Progress = {});

// Number of intervals of the diagram sampling (1001 samples).
constexpr int SampleIntervals = 1000;

// The beam document: beam type, span, the owned list of loads, and the
// analysis (each load's reaction shares and S, M at 1001 samples).
// Every effective change through a setter recalculates, marks the document
// modified and then fires OnChange, in that order. Inside an update (see
// BeginUpdate) the recalculation and the notification wait for its end.
class TData : public TObject {
public:
  TData() = default;
  ~TData() override;

  void Clear();
  void ClearResults();
  void ClearLoads();

  void SetOnChange(TNotifyEvent Event) { FOnChange = std::move(Event); }
  const TNotifyEvent& OnChange() const { return FOnChange; }

  // Groups the edits of one user action. Between BeginUpdate and the
  // matching EndUpdate every setter and DeleteLoad stores its value and
  // marks the document modified at once, but Calculate and OnChange wait:
  // the outermost EndUpdate runs them once, and only when something
  // changed. Clear and Assign (so LoadFromFile and LoadFromStream), which
  // never notify on their own, count as changes inside an update. Pairs
  // nest.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Runs Edit inside an update; the update ends also when Edit throws
  // (what was stored is recalculated and notified, then the exception goes
  // on).
  template <class TEdit> void Update(TEdit&& Edit) {
    BeginUpdate();
    try {
      Edit();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

  // Fills the samples and the results, θ and δ too when the section gives
  // E and I. A span that is infinite, or on a beam with a support list not
  // a positive number, is refused with its reason (SpanProblem). GoOn, when given, is asked every
  // few thousand loads and in the steps of the results; a false answer
  // stops with EAbort, the samples and the results left empty.
  void Calculate(const TGoOn& GoOn = {});
  // S and M at X, which is first clamped into 0..L in place. False (and S,
  // M untouched) when the span is not positive or the supports cannot hold
  // the beam.
  bool CalcAt(double& X, double& S, double& M) const;
  // θ (rad) and δ (mm) at X, clamped the same way, equal to the samples
  // bit for bit. False (and θ, δ untouched) unless the last Calculate had
  // a positive span and a section that gives E and I.
  bool BendingAt(double& X, double& Theta, double& Delta) const {
    return FBending.At(X, Theta, Delta);
  }

  // Indexed property accessors; selectors other than those listed yield
  // 0 or "" and store nothing.
  std::int32_t GetIntValue(int Which) const; // 0 BeamType
  void SetIntValue(int Which, std::int32_t Value);
  double GetRealValue(int Which) const; // 0 Length
  void SetRealValue(int Which, double Value);
  std::int32_t GetLoadInt(int Index, int Which) const; // 0 kind
  void SetLoadInt(int Index, int Which, std::int32_t Value);
  double GetLoadValue(int Index, int Which) const; // 0 X, 1 W, 2 width
  void SetLoadValue(int Index, int Which, double Value);
  std::string GetLoadString(int Index, int Which) const; // 0 remark
  void SetLoadString(int Index, int Which, const std::string& Value);

  bool Modified() const { return FModified; }
  // For edits the setters do not see (the order of the loads).
  void SetModified(bool Value) { FModified = Value; }
  std::int32_t BeamType() const { return GetIntValue(0); }
  // Sets the type code and drops a support list. Setting the span moves a
  // preset's own supports (PresetSupports) with it until they are moved.
  void SetBeamType(std::int32_t Value) { SetIntValue(0, Value); }
  // The beam type as the window offers it (TBeamPreset).
  std::int32_t Preset() const;
  // Whether the beam is the plain cantilever (fixed at x = L).
  bool IsCantilever() const { return FSupports.empty() && FBeamType != btSimple; }
  // The support list of a beam of neither plain type; empty for those.
  const TSupports& Supports() const { return FSupports; }
  // The supports of any beam, the plain types' as their presets have them.
  TSupports SupportList() const;
  // Makes the beam one of the two plain types for those presets, else one
  // on Supports, named as ListPreset names the list given Preset (so
  // maybe a plain type after all). A list SupportsProblem refuses for the span fails with
  // Exception, the document unchanged. An effective change recalculates,
  // marks modified and notifies.
  void SetSupports(std::int32_t Preset, TSupports Supports);
  // Gives the beam back a type code and list it held before (undo): the
  // list is not judged against the span, which may have changed since (a
  // list the span cannot hold leaves the beam uncalculated, as a span
  // retyped short does). An empty list makes the code a plain type's.
  void RestoreSupports(std::int32_t Type, TSupports Supports);
  double Length() const { return GetRealValue(0); }
  void SetLength(double Value) { SetRealValue(0, Value); }
  const TSection& Section() const { return FSection; }
  // An effective change recalculates, marks modified and notifies, as the
  // other setters do.
  void SetSection(const TSection& Value);
  int LoadCount() const { return static_cast<int>(FLoads.size()); }
  std::int32_t LoadKind(int Index) const { return GetLoadInt(Index, 0); }
  void SetLoadKind(int Index, std::int32_t Value) { SetLoadInt(Index, 0, Value); }
  double LoadX(int Index) const { return GetLoadValue(Index, 0); }
  void SetLoadX(int Index, double Value) { SetLoadValue(Index, 0, Value); }
  double LoadW(int Index) const { return GetLoadValue(Index, 1); }
  void SetLoadW(int Index, double Value) { SetLoadValue(Index, 1, Value); }
  double LoadWidth(int Index) const { return GetLoadValue(Index, 2); }
  void SetLoadWidth(int Index, double Value) { SetLoadValue(Index, 2, Value); }
  std::string LoadRemark(int Index) const { return GetLoadString(Index, 0); }
  void SetLoadRemark(int Index, const std::string& Value) { SetLoadString(Index, 0, Value); }

  // The load record at Index (EListError outside the list).
  TKajyuData& Load(int Index);
  const TKajyuData& Load(int Index) const;
  // Appends zeroed loads until Index is inside the list.
  void EnsureLoad(int Index);
  // Removes the load, recalculates, marks modified, notifies; returns the
  // new load count.
  int DeleteLoad(int Index);
  // Swaps two loads; nothing else (the order does not change S or M).
  void ExchangeLoads(int Index1, int Index2);
  // A user's move of a load: swaps two loads, then recalculates (the sums
  // run in list order, so the last bits of S and M follow it), marks the
  // document modified (the order is stored in the file) and notifies.
  void MoveLoad(int Index1, int Index2);

  // Each support's reaction to load Index alone, in the order of
  // SupportList (none while there are no results, or inside an update that
  // changed the loads or the list).
  std::vector<TReaction> LoadReactions(int Index) const;
  // What the statics sum over: the loads, then on a beam with a support
  // list each reaction as a point force and, at a fixed end, a moment.
  int ActingCount() const { return LoadCount() + static_cast<int>(FReactionLoads.size()); }
  const TKajyuData& Acting(int Index) const {
    return Index < LoadCount() ? FLoads[static_cast<std::size_t>(Index)]
                               : FReactionLoads[static_cast<std::size_t>(Index - LoadCount())];
  }

  const std::vector<TCalcPoint>& Points() const { return FPoints; }
  // Reactions and extremes of the last Calculate (empty for L <= 0).
  const TBeamResults& Results() const { return FResults; }

  // The load figures stacked in rows above (downward loads) and below the
  // axis through Origin; k is pixels per metre. Sets each load's FLevel.
  // A label that Area's edge would cut or that would overprint another is
  // moved (PlaceLoadLabels).
  void DrawLoads(TCanvas& Canvas, double k, TPoint Origin, const TRect& Area = AnyArea);
  // The lines of the shown quantities; returns those it had to leave out
  // (DrawDiagramLines).
  TShownQuantities DrawDiagrams(TCanvas& Canvas, const TShownQuantities& Shown, double k,
                                TPoint Origin) const;

  // Saves the document as FileName (WriteFileSafely); returns its note,
  // empty unless the file is saved but not known to be on disk.
  std::string SaveToFile(const std::string& FileName);
  void LoadFromFile(const std::string& FileName);
  void SaveToStream(TStream& Stream) const;
  // Reads a document; either the whole stream is accepted or an exception
  // is raised before anything of the document is changed.
  void LoadFromStream(TStream& Stream);
  // Takes over what a data file held: beam type, span and loads (loads
  // beyond the file's count stay as they are); nothing is recalculated.
  void Assign(TDataFileContents&& Contents);
  // Takes over Other's beam, loads, samples, results and Modified as
  // Other's last Calculate left them, without calculating again, and
  // hands Other what this document held, to be freed where it suits the
  // caller. Used alone it notifies; inside an update it counts as a change
  // that needs no calculation at the end, unless something changes after it.
  void TakeOver(TData& Other);

private:
  void Changed();
  // Fills the loads' reaction shares and, for a support list, the loads
  // that stand for the reactions, whose sums go to Total; false (Refusal
  // set) when the supports cannot hold the beam or the reactions come out
  // as no number.
  bool SolveReactions(const TGoOn& GoOn, std::vector<TReaction>& Total);
  // The stretches a deflection limit is taken on, with their deflections.
  std::vector<TDeflectionSpan> DeflectionSpans(const TBendingLine& Bending,
                                               const TBeamResults& Found) const;

  int FUpdateCount = 0;
  bool FChangePending = false;
  // Inside an update: a change that the end of the update must calculate.
  bool FCalculationPending = false;

  bool FModified = false;
  std::int32_t FBeamType = btSimple;
  double FLength = 0;
  TSection FSection;
  TSupports FSupports;
  TNotifyEvent FOnChange;
  std::vector<TKajyuData> FLoads; // in one block: no heap object per load
  // With a support list: the factored system of the last Calculate, which
  // solves each load's shares when they are asked for.
  std::unique_ptr<const TReactionSolver> FSolver;
  std::deque<TKajyuData> FReactionLoads; // not movable: kept in place
  std::vector<TCalcPoint> FPoints;
  TBeamResults FResults;
  TBendingLine FBending;
};
