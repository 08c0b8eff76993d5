// The beam type and the supports it rests on.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/DocumentCommands.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/SupportDialog.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"

#include <QUndoStack>
#include <algorithm>

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
  NormaliseSupports(Supports, FData->Length());
  const std::string Problem =
      IsPlainPreset(Preset) ? std::string() : SupportsProblem(Supports, FData->Length());
  if (!Problem.empty()) {
    // Told here: the choice comes through a menu action, which no
    // exception should pass.
    ShowBaseData();
    ShowException(Exception(Problem + "、支点を変更できません。"));
    return;
  }
  FUndo->push(new TSupportsCommand(*FData, Preset, std::move(Supports)));
  ShowBaseData();
}

void TForm1::FitBeamTypeCell() {
  // The toggle's glyph and margins beside its text; the plain types' names
  // fit the design widths, which stay as they are for them.
  constexpr int Glyph = 16 + 10;
  const int Column = BaseDataGrid->DefaultColWidth();
  const QString Name = BaseDataGrid->ToggleItems(2, 0).value(FData->Preset());
  const int Extra =
      std::max(0, BaseDataGrid->fontMetrics().horizontalAdvance(Name) + Glyph - 2 * Column);
  BaseDataGrid->SetColWidths(0, BaseDataGrid->width() - 2 * Column - 10 - Extra);
  BaseDataGrid->SetColWidths(2, Column + Extra);
}
