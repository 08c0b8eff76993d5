// The beam type and its supports in the window: chosen through 編集 →
// 梁の種類 and 支点, undone and redone, refused, and what the results say.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "analysis/Stream.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/SupportDialog.h"
#include "platform/Exceptions.h"
#include "support/QvxTools.h"

#include <QMenu>

namespace {

// Answers the support dialog with Answer.
class TScriptedSupportDialog : public TSupportDialog {
public:
  bool Edit(QWidget*, std::int32_t, double, TSupports& Supports) override {
    Supports = Answer;
    return true;
  }
  TSupports Answer;
};

class SupportsTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    SetSupportDialog(&Dialog);
  }
  void TearDown() override {
    SetSupportDialog(nullptr);
    FormTest::TearDown();
  }
  void PickPreset(std::int32_t Preset) { Form->BeamType1->actions()[Preset]->trigger(); }
  TScriptedSupportDialog Dialog;
};

} // namespace

// 12 kN/m over 6 m on supports at 1 m and 5 m: by statics about the first
// support, R2 = 72·(3 - 1)/4 = 36 and R1 = 36; over each support
// M = -12·1²/2 = -6.
TEST_F(SupportsTest, AnOverhangingBeamIsEnteredUndoneAndRedone) {
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "6");
  EnterLoad(lkUniform, "0", "72", "6");
  PickPreset(bpOverhang);
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), bpOverhang);
  EXPECT_TRUE(Form->Supports1->isEnabled());
  Dialog.Answer = {{skPin, 1, false}, {skRoller, 5, false}};
  Form->Supports1->trigger();
  ASSERT_EQ(Data().Supports(), Dialog.Answer);
  const QString Text = ResultsText(Data());
  EXPECT_TRUE(Text.contains("R1: x = 1.000(m) ピン の反力 R = 36.000(kN)")) << Text.toStdString();
  EXPECT_TRUE(Text.contains("R2: x = 5.000(m) ローラー の反力 R = 36.000(kN)"));
  EXPECT_TRUE(Text.contains("曲げモーメントの最小 M = -6.000(kN･m)    X = 1.000(m)"));

  Form->Undo1Click(Form.get());
  EXPECT_EQ(Data().Supports(), PresetSupports(bpOverhang, 6));
  Form->Undo1Click(Form.get());
  EXPECT_EQ(Data().Preset(), bpSimple);
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), bpSimple);
  EXPECT_FALSE(Form->Supports1->isEnabled() || Form->SupportBtn->isVisibleTo(Form.get()));
  Form->Redo1Click(Form.get());
  Form->Redo1Click(Form.get());
  EXPECT_EQ(Data().Supports(), Dialog.Answer);
  EXPECT_TRUE(Form->BeamType1->actions()[bpOverhang]->isChecked());

  // Over three spans the moment at the right end comes out as -2.8e-14,
  // zero up to rounding: it reads without a sign.
  Dialog.Answer = {
      {skPin, 0, false}, {skRoller, 2, false}, {skRoller, 4, false}, {skRoller, 0, true}};
  Form->Supports1->trigger();
  ASSERT_LT(Data().Points().back().M, 0);
  EXPECT_TRUE(
      ResultsText(Data()).contains("右端 X = 6.000(m)    S = -9.600(kN)    M = 0.000(kN･m)"));
}

// A list the span cannot take changes nothing and leaves no undo step; a
// span retyped short of a moved support leaves the beam uncalculated, and
// says why, and undo still goes back through every step.
TEST_F(SupportsTest, ListsThatCannotHoldTheBeamAreRefused) {
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "6");
  PickPreset(bpContinuous);
  const TSupports Before = Data().Supports();
  Dialog.Answer = {{skRoller, 2, false}};
  Scripted.MessageAnswers.push_back(mrOk);
  Form->Supports1->trigger();
  ASSERT_FALSE(Scripted.Calls.empty());
  EXPECT_EQ(Scripted.Calls.back().Text,
            "ピンまたはローラーの支点が1つだけで、梁が安定しないため、支点を変更できません。");
  EXPECT_EQ(Data().Supports(), Before);

  Dialog.Answer = {{skPin, 0, false}, {skRoller, 3.5, false}, {skRoller, 6, false}};
  Form->Supports1->trigger();
  EXPECT_TRUE(Data().Supports().back().AtEnd); // placed at x = L
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "2");
  EXPECT_FALSE(Data().Results().Valid);
  EXPECT_EQ(ResultLines(Data()).front(),
            "支点 x = 3.500(m) がスパンの外にあるため、計算できません。");
  TMemoryStream Stream; // and it is saved as it is
  EXPECT_NO_THROW(Data().SaveToStream(Stream));
  PickPreset(bpSimple);
  for (int Step = 0; Step < 4; ++Step)
    Form->Undo1Click(Form.get());
  EXPECT_EQ(Data().Preset(), bpSimple);
  EXPECT_EQ(Data().Length(), 6);
  Form->Redo1Click(Form.get());
  Form->Redo1Click(Form.get());
  Form->Redo1Click(Form.get());
  EXPECT_EQ(Data().Length(), 2);
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "8");
  EXPECT_TRUE(Data().Results().Valid);
  EnterLoad(lkConcentrated, "9", "1"); // past the span
  EXPECT_EQ(ResultLines(Data()).front(), "荷重 1 はスパンの外にあります。");
}

// A preset chosen before the span is typed puts its supports where the
// span, typed key by key, puts them.
TEST_F(SupportsTest, APresetsOwnSupportsFollowTheSpan) {
  PickPreset(bpContinuous);
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "1");
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  EXPECT_EQ(Data().Supports(), PresetSupports(bpContinuous, 10));
  EXPECT_EQ(Data().Supports()[1].X, 5);
  EXPECT_TRUE(Data().Results().Valid);
}
