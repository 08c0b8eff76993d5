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
#include <QLayout>
#include <QScreen>
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
    for (const QString& Label : {QCoreApplication::translate("TForm1", "たわみ角 θ ＝"),
                                 QCoreApplication::translate("TForm1", "たわみ δ ＝")}) {
      StatusBar1->AddPanel(StatusBar1->fontMetrics().horizontalAdvance(Label) + 12, Qt::AlignRight,
                           false);
      StatusBar1->SetPanelText(StatusBar1->PanelCount() - 1, Label);
      StatusBar1->AddPanel(Value);
    }
  } else {
    StatusBar1->DeletePanels(FirstBendingPanel);
  }
  FClient->setMinimumSize(MinimumClientWidth(), Layout::MinClientHeight);
  KeepOnScreen();
}

void TForm1::KeepOnScreen() {
  // The window grows to its new minimum at once, to the right; where that
  // takes it past the screen's edge, it moves left as far as it must.
  if (layout()) layout()->activate();
  if (width() < minimumWidth()) resize(minimumWidth(), height());
  const QScreen* Screen = screen();
  if (!Screen || !isVisible()) return;
  const QRect Free = Screen->availableGeometry();
  const int Right = x() + frameGeometry().width() - 1;
  if (Right > Free.right()) move(std::max(Free.left(), x() - (Right - Free.right())), y());
}

std::vector<int> TForm1::ReadoutValuePanels() const {
  if (StatusBar1->PanelCount() > FirstBendingPanel)
    return {1, 3, 5, 6, SlopePanel, DeflectionPanel};
  return {1, 3, 5, 6};
}

void TForm1::ShowBendingReadout(double X) {
  if (StatusBar1->PanelCount() <= FirstBendingPanel) return;
  double Theta = 0, Delta = 0;
  if (!FData->BendingAt(X, Theta, Delta)) return;
  StatusBar1->SetPanelText(SlopePanel, QuantityNumber(qSlope, Theta));
  StatusBar1->SetPanelText(DeflectionPanel, QuantityNumber(qDeflection, Delta));
}
