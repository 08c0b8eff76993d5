// The section and material of the document in the window: set through
// 編集 → 断面・材料, undone and redone, and what the window shows of it.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/SectionDialog.h"
#include "support/QvxTools.h"

namespace {

// Answers the section dialog with Answer.
class TScriptedSectionDialog : public TSectionDialog {
public:
  bool Edit(QWidget*, TSection& Section) override {
    Section = Answer;
    return true;
  }
  TSection Answer;
};

class SectionTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    SetSectionDialog(&Dialog);
    Dialog.Answer.E = 205000;
    Dialog.Answer.I = 1000;
  }
  void TearDown() override {
    SetSectionDialog(nullptr);
    FormTest::TearDown();
  }
  TScriptedSectionDialog Dialog;
};

} // namespace

// P = 10 kN at the middle of 10 m, EI = 2050 kN·m²: δ = PL³/48EI there.
TEST_F(SectionTest, TheBentBeamIsShownReadAndUndone) {
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
  EnterLoad(lkConcentrated, "5", "10");
  const int Panels = Form->StatusBar1->PanelCount();
  EXPECT_FALSE(Form->DCheckBox->isVisible());

  Form->Section1->trigger();
  EXPECT_TRUE(Form->DCheckBox->isVisible());
  EXPECT_EQ(Form->StatusBar1->PanelCount(), Panels + 4);
  const QString Expected = FormatReal3(10.0 * 1000 / (48 * 2050) * 1000);
  Scripted.InputAnswers = {"5"};
  Scripted.MessageAnswers = {mrOk};
  Form->StatusBar1Click(Form->StatusBar1);
  ASSERT_EQ(Scripted.Calls.size(), 2u);
  EXPECT_TRUE(Scripted.Calls[1].Text.endsWith("たわみ = " + Expected + "(mm)"))
      << Scripted.Calls[1].Text.toStdString();
  EXPECT_TRUE(ResultsText(Data()).contains("たわみの最大 δ = " + Expected + "(mm)"));

  // The mouse reads δ where it reads S and M.
  Form->PaintBox1->repaint();
  Form->PaintBox1MouseMove(Form->PaintBox1, 0, 100, 100);
  double X = (100 - Form->FOriginX) / Form->FScale, Theta = 0, Delta = 0;
  ASSERT_TRUE(Data().BendingAt(X, Theta, Delta));
  EXPECT_EQ(Form->StatusBar1->PanelText(Panels + 3), QuantityNumber(qDeflection, Delta));

  Form->Undo1Click(Form.get());
  EXPECT_TRUE(Data().Section().Empty());
  EXPECT_FALSE(Form->DCheckBox->isVisible());
  EXPECT_EQ(Form->StatusBar1->PanelCount(), Panels);
  Form->Redo1Click(Form.get());
  EXPECT_EQ(Data().Section(), Dialog.Answer);
  EXPECT_TRUE(Form->DCheckBox->isVisible());
}
