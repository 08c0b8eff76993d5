// The diagram area, its check boxes and the check position readout.
#include "analysis/BeamData.h"
#include "analysis/KajyuData.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ResultsText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PaintBox.h"
#include "support/QvxTools.h"
#include "support/TypedNumber.h"

#include <QCoreApplication>
#include <cmath>
#include <vector>

namespace {

// The status panel after M, which names the side of a jump at X.
constexpr int SidePanel = 6;

} // namespace

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
  ShowReadout((X - FOriginX) / FScale);
}

void TForm1::ShowReadout(double X) {
  double S = 0, M = 0;
  if (!FData->CalcAt(X, S, M)) {
    ClearReadout();
    return;
  }
  FReadoutX = X;
  StatusBar1->SetPanelText(1, FormatReal3(X));
  StatusBar1->SetPanelText(3, ResultNumber(S));
  StatusBar1->SetPanelText(5, ResultNumber(M));
  StatusBar1->SetPanelText(SidePanel, JumpSide(X));
  ShowBendingReadout(X);
}

QString TForm1::JumpSide(double X) const {
  const double L = FData->Length();
  std::vector<double> Jumps;
  for (const TSupport& Support : FData->SupportList())
    Jumps.push_back(Support.At(L));
  for (int I = 0; I < FData->LoadCount(); ++I)
    if (IsPointActionKind(FData->LoadKind(I))) Jumps.push_back(FData->LoadX(I));
  const QString Shown = FormatReal3(X);
  for (double At : Jumps) {
    // Numbers shown alike lie within 0.001 of each other.
    if (!(std::abs(At - X) <= 0.001) || FormatReal3(At) != Shown) continue;
    // The values at a position take in what stands there, except at the
    // right end, which has nothing to its right.
    const bool Left = X < At || X == L;
    return Left ? QCoreApplication::translate("TForm1", "左側")
                : QCoreApplication::translate("TForm1", "右側");
  }
  return QString();
}

void TForm1::ClearReadout() {
  FReadoutX.reset();
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
