// The diagram area, its check boxes and the check position readout.
#include "analysis/BeamData.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ResultsText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PaintBox.h"
#include "support/QvxTools.h"
#include "support/TypedNumber.h"

#include <QCoreApplication>

void TForm1::PaintBox1Paint(TObject*) {
  TDiagramScale Scale{FScale, FOriginX, FOriginY};
  DrawBeam(*FData, PaintBox1->Canvas(), PaintBox1->ClientRect(), DiagramLayers(), &Scale);
  FScale = Scale.FScale;
  FOriginX = Scale.FOriginX;
  FOriginY = Scale.FOriginY;
}

void TForm1::SCheckBoxClick(TObject*) {
  PaintBox1->update();
}

void TForm1::PaintBox1MouseMove(TObject*, unsigned, int X, int) {
  if (FScale == 0) return;
  double At = (X - FOriginX) / FScale, S = 0, M = 0;
  if (FData->CalcAt(At, S, M)) {
    StatusBar1->SetPanelText(1, FormatReal3(At));
    StatusBar1->SetPanelText(3, ResultNumber(S));
    StatusBar1->SetPanelText(5, ResultNumber(M));
    ShowBendingReadout(At);
  } else {
    ClearReadout();
  }
}

void TForm1::ClearReadout() {
  for (int Panel : ReadoutValuePanels())
    if (!StatusBar1->PanelText(Panel).isEmpty()) StatusBar1->SetPanelText(Panel, QString());
}

void TForm1::StatusBar1Click(TObject*) {
  const double L = FData->Length();
  QString Entry;
  if (!Dialogs().InputQuery(this, QStringLiteral("照査位置の入力"),
                            QStringLiteral("照査位置(m)を入力してください。"), Entry))
    return;
  double X = TypedNumber(Entry, -99.9);
  if (!(X >= 0) || X > L) {
    Dialogs().MessageBox(this,
                         QStringLiteral("照査位置が、部材範囲を超えているため計算できません。"),
                         QStringLiteral("エラー"), mtError, mbOK);
    return;
  }
  double S = 0, M = 0;
  if (!FData->CalcAt(X, S, M)) return;
  QString Text =
      QStringLiteral("照査位置 = %1(m)\r\nせん断力 = %2(kN)\r\n曲げモーメント = %3(kN･m)")
          .arg(FormatReal3(X), ResultNumber(S), ResultNumber(M));
  double Theta = 0, Delta = 0;
  if (FData->BendingAt(X, Theta, Delta))
    Text += QCoreApplication::translate("TForm1", "\r\nたわみ角 = %1(rad)\r\nたわみ = %2(mm)")
                .arg(QuantityNumber(qSlope, Theta), QuantityNumber(qDeflection, Delta));
  Dialogs().MessageBox(this, Text, QStringLiteral("照査位置の情報"), mtInformation, mbOK);
}
