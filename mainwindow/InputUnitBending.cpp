// The section and material of the document, and what the window shows of
// the bent beam: the たわみ図 box and the readout of θ and δ.
#include "analysis/BeamData.h"
#include "mainwindow/DocumentCommands.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/InputUnitLayout.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/SectionDialog.h"
#include "platform/Controls.h"

#include <QCoreApplication>
#include <QUndoStack>

namespace {

// The readout's panels: X, S and M (and a spare) always, then θ and δ.
constexpr int FirstBendingPanel = 7;
constexpr int SlopePanel = FirstBendingPanel + 1, DeflectionPanel = FirstBendingPanel + 3;

} // namespace

void TForm1::Section1Click(TObject*) {
  TSection Section = FData->Section();
  if (!SectionDialog().Edit(this, Section) || Section == FData->Section()) return;
  FUndo->push(new TSectionCommand(*FData, Section));
}

void TForm1::ShowBendingControls() {
  const bool Shown = FData->Results().HasBending;
  if (Shown == (StatusBar1->PanelCount() > FirstBendingPanel)) return;
  DCheckBox->setVisible(Shown);
  if (Shown) {
    const int Value = StatusBar1->PanelRect(1).width();
    StatusBar1->AddPanel(90, Qt::AlignRight, false);
    StatusBar1->AddPanel(Value);
    StatusBar1->AddPanel(70, Qt::AlignRight, false);
    StatusBar1->AddPanel(Value);
    StatusBar1->SetPanelText(FirstBendingPanel,
                             QCoreApplication::translate("TForm1", "たわみ角 θ ＝"));
    StatusBar1->SetPanelText(FirstBendingPanel + 2,
                             QCoreApplication::translate("TForm1", "たわみ δ ＝"));
  } else {
    StatusBar1->DeletePanels(FirstBendingPanel);
  }
  FClient->setMinimumSize(MinimumClientWidth(), Layout::MinClientHeight);
}

std::vector<int> TForm1::ReadoutValuePanels() const {
  if (StatusBar1->PanelCount() > FirstBendingPanel) return {1, 3, 5, SlopePanel, DeflectionPanel};
  return {1, 3, 5};
}

void TForm1::ShowBendingReadout(double X) {
  if (StatusBar1->PanelCount() <= FirstBendingPanel) return;
  double Theta = 0, Delta = 0;
  if (!FData->BendingAt(X, Theta, Delta)) return;
  StatusBar1->SetPanelText(SlopePanel, QuantityNumber(qSlope, Theta));
  StatusBar1->SetPanelText(DeflectionPanel, QuantityNumber(qDeflection, Delta));
}
