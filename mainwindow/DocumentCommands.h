// The document edits of the window as undoable commands. Each is a thin
// wrapper over the setters of TData: redo and undo only call them (inside
// one update where a command writes several fields), so a
// command changes, recalculates and notifies exactly as the edit did.
#pragma once

#include "analysis/LoadValues.h"
#include "analysis/Section.h"
#include "analysis/Supports.h"

#include <QUndoCommand>
#include <cstdint>
#include <string>

class TData;

// The span. The edits of one editing of the span cell (Session, the grid's
// EditSession) merge into one command, so a number typed key by key is
// undone at once, and the next editing is a command of its own; an editing
// that ends where it began drops out of the history.
class TSpanCommand : public QUndoCommand {
public:
  TSpanCommand(TData& Data, double Value, int Session);
  void redo() override;
  void undo() override;
  int id() const override;
  bool mergeWith(const QUndoCommand* Other) override;

private:
  TData& FData;
  double FOld;
  double FNew;
  int FSession;
};

class TSectionCommand : public QUndoCommand {
public:
  TSectionCommand(TData& Data, TSection Value);
  void redo() override;
  void undo() override;

private:
  TData& FData;
  TSection FOld;
  TSection FNew;
};

// The beam type with its supports: a plain type, or a preset with its
// support list.
class TSupportsCommand : public QUndoCommand {
public:
  TSupportsCommand(TData& Data, std::int32_t Preset, TSupports Supports);
  void redo() override;
  void undo() override;

private:
  // The stored type code and the list; an empty list keeps the code as it
  // is, so that undo gives back a file's own code of a cantilever.
  struct TBeam {
    std::int32_t Type;
    TSupports Supports;
  };
  static void Apply(TData& Data, const TBeam& Beam);

  TData& FData;
  TBeam FOld;
  TBeam FNew;
};

// 追加 (Index = LoadCount) and 置換え (an existing Index).
class TWriteLoadCommand : public QUndoCommand {
public:
  TWriteLoadCommand(TData& Data, int Index, TLoadValues Values);
  void redo() override;
  void undo() override;

private:
  TData& FData;
  int FIndex;
  bool FAppends;
  TLoadValues FOld;
  TLoadValues FNew;
};

class TDeleteLoadCommand : public QUndoCommand {
public:
  TDeleteLoadCommand(TData& Data, int Index);
  void redo() override;
  void undo() override;

private:
  TData& FData;
  int FIndex;
  TLoadValues FDeleted;
};

// Moves load Index by Step (−1 up, +1 down): one recalculation and one
// notification, and the document is modified (the order is in the file).
class TMoveLoadCommand : public QUndoCommand {
public:
  TMoveLoadCommand(TData& Data, int Index, int Step);
  void redo() override;
  void undo() override;

private:
  TData& FData;
  int FIndex;
  int FStep;
};
