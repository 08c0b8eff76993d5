// One user action, one recalculation and notification, one painting.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "tests/kit/BeamBuilder.h"

#include <QTemporaryDir>

namespace {

class NotifyTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    TNotifyEvent Changed = Data().OnChange();
    Data().SetOnChange([this, Changed](TObject* Sender) {
      ++Changes;
      Changed(Sender);
    });
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, "10");
    QApplication::processEvents();
  }
  // Runs Action and lets the window settle; then the counts it caused.
  std::pair<int, int> Count(const std::function<void()>& Action) {
    Changes = Paints = 0;
    Action();
    QApplication::processEvents();
    return {Changes, Paints};
  }

  int Changes = 0;
};

TEST_F(NotifyTest, AddReplaceMoveOpenAndNewNotifyAndPaintOnce) {
  const std::pair<int, int> Once{1, 1};
  EXPECT_EQ(Count([&] { EnterLoad(lkUniform, "1", "12", "3", "あ"); }), Once);
  EXPECT_EQ(Count([&] { EnterLoad(lkConcentrated, "4", "10"); }), Once);
  ASSERT_EQ(Data().LoadCount(), 2);

  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  EXPECT_EQ(Count([&] { EnterLoad(lkLeftTriangle, "2", "6", "4", "い", Form->RepBtn); }), Once);
  EXPECT_EQ(Data().LoadKind(0), lkLeftTriangle);
  EXPECT_EQ(Data().LoadRemark(0), "\x82\xa2");
  Form->KajyuGrid->SetRow(1);
  EXPECT_EQ(Count([&] { Form->UpButtonClick(Form->DownButton); }), Once);
  EXPECT_EQ(Data().LoadKind(1), lkLeftTriangle);
  EXPECT_EQ(Count([&] { Form->Undo1Click(Form.get()); }), Once);
  EXPECT_EQ(Data().LoadKind(0), lkLeftTriangle);

  QTemporaryDir Dir;
  const QString Path = Dir.filePath("beam.vbd");
  TData Saved;
  SetBeam(Saved, btCantilever, 8, {{lkConcentrated, 3, 5, 0}, {lkUniform, 1, 4, 2}});
  Saved.SaveToFile(Path.toStdString());
  Scripted.MessageAnswers = {mrNo};
  Scripted.FileAnswers = {Path};
  EXPECT_EQ(Count([&] { Form->Open1Click(Form.get()); }), Once);
  EXPECT_EQ(Data().LoadCount(), 2);
  EXPECT_EQ(Data().Points().size(), 1001u);
  EXPECT_FALSE(Data().Modified());
  EXPECT_GT(Form->FScale, 0);

  EXPECT_EQ(Count([&] { Form->New1Click(Form.get()); }), Once);
  EXPECT_EQ(Data().LoadCount(), 0);
  EXPECT_TRUE(Data().Points().empty());
}

} // namespace
