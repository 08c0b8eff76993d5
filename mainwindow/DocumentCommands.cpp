#include "mainwindow/DocumentCommands.h"

#include "analysis/BeamData.h"

#include <utility>

namespace {

constexpr int SpanCommandId = 1;

} // namespace

// ---------------------------------------------------------------- span

TSpanCommand::TSpanCommand(TData& Data, double Value, int Session)
    : FData(Data), FOld(Data.Length()), FNew(Value), FSession(Session) {}

void TSpanCommand::redo() {
  FData.SetLength(FNew);
}

void TSpanCommand::undo() {
  FData.SetLength(FOld);
}

int TSpanCommand::id() const {
  return SpanCommandId;
}

bool TSpanCommand::mergeWith(const QUndoCommand* Other) {
  const auto& Next = static_cast<const TSpanCommand&>(*Other);
  if (Next.FSession != FSession) return false;
  FNew = Next.FNew;
  setObsolete(FNew == FOld);
  return true;
}

// ----------------------------------------------------------- beam type

TSupportsCommand::TSupportsCommand(TData& Data, std::int32_t Preset, TSupports Supports)
    : FData(Data), FOld{Data.BeamType(), Data.Supports()}, FNew{Preset, IsPlainPreset(Preset)
                                                                            ? TSupports()
                                                                            : std::move(Supports)} {
}

void TSupportsCommand::Apply(TData& Data, const TBeam& Beam) {
  Data.RestoreSupports(Beam.Type, Beam.Supports);
}

void TSupportsCommand::redo() {
  Apply(FData, FNew);
}

void TSupportsCommand::undo() {
  Apply(FData, FOld);
}

TSectionCommand::TSectionCommand(TData& Data, TSection Value)
    : FData(Data), FOld(Data.Section()), FNew(std::move(Value)) {}

void TSectionCommand::redo() {
  FData.SetSection(FNew);
}

void TSectionCommand::undo() {
  FData.SetSection(FOld);
}

// ----------------------------------------------------- add and replace

TWriteLoadCommand::TWriteLoadCommand(TData& Data, int Index, TLoadValues Values)
    : FData(Data), FIndex(Index), FAppends(Index >= Data.LoadCount()), FNew(std::move(Values)) {
  if (!FAppends) FOld = LoadValues(Data, Index);
}

void TWriteLoadCommand::redo() {
  FData.Update([this] { WriteLoad(FData, FIndex, FNew); });
}

void TWriteLoadCommand::undo() {
  if (FAppends)
    FData.DeleteLoad(FIndex);
  else
    FData.Update([this] { WriteLoad(FData, FIndex, FOld); });
}

// -------------------------------------------------------------- delete

TDeleteLoadCommand::TDeleteLoadCommand(TData& Data, int Index)
    : FData(Data), FIndex(Index), FDeleted(LoadValues(Data, Index)) {}

void TDeleteLoadCommand::redo() {
  FData.DeleteLoad(FIndex);
}

void TDeleteLoadCommand::undo() {
  // Back in at the end, then moved up to its place: one recalculation.
  FData.Update([this] {
    int At = FData.LoadCount();
    WriteLoad(FData, At, FDeleted);
    for (; At > FIndex; --At)
      FData.ExchangeLoads(At - 1, At);
  });
}

// ---------------------------------------------------------------- move

TMoveLoadCommand::TMoveLoadCommand(TData& Data, int Index, int Step)
    : FData(Data), FIndex(Index), FStep(Step) {}

void TMoveLoadCommand::redo() {
  FData.MoveLoad(FIndex, FIndex + FStep);
}

void TMoveLoadCommand::undo() {
  redo();
}
