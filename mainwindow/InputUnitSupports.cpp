// The beam type and the supports it rests on.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/DocumentCommands.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/SupportDialog.h"
#include "platform/Exceptions.h"

#include <QUndoStack>

void TForm1::BaseDataGridToggleChange(TObject*, int ACol, int ARow, int) {
  if (ARow != 0) return;
  const std::int32_t Preset = BaseDataGrid->GetToggleIndex(ACol, 0);
  if (Preset == FData->Preset()) return;
  // The preset's own supports; 支点... moves them.
  ChangeSupports(Preset, PresetSupports(Preset, FData->Length()));
}

void TForm1::Supports1Click(TObject*) {
  const std::int32_t Preset = FData->Preset();
  TSupports Supports = FData->SupportList();
  if (!SupportDialog().Edit(this, Preset, FData->Length(), Supports) ||
      Supports == FData->Supports())
    return;
  ChangeSupports(Preset, std::move(Supports));
}

void TForm1::ChangeSupports(std::int32_t Preset, TSupports Supports) {
  SortSupports(Supports);
  const bool Plain = Preset == bpSimple || Preset == bpCantilever;
  const std::string Problem = Plain ? std::string() : SupportsProblem(Supports, FData->Length());
  if (!Problem.empty()) {
    ShowBaseData();
    throw Exception(Problem + "、支点を変更できません。");
  }
  FUndo->push(new TSupportsCommand(*FData, Preset, std::move(Supports)));
  ShowBaseData();
}
