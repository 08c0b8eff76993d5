// A picked load's remark goes through the remark box unchanged unless the
// user edits it: bytes that are no code page 932 text, codes that have a
// twin with the same character, and remarks longer than Qt's default box.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "platform/Exceptions.h"

namespace {

class RemarkTest : public FormTest {
protected:
  // One load per remark, listed; picks and replaces row R.
  void MakeLoads(const std::vector<std::string>& Remarks) {
    for (std::size_t I = 0; I < Remarks.size(); ++I) {
      const int Index = static_cast<int>(I);
      Data().SetLoadKind(Index, lkConcentrated);
      Data().SetLoadX(Index, 1.0 + Index);
      Data().SetLoadRemark(Index, Remarks[I]);
    }
    Form->RefreshLoadList();
  }
  void Pick(int Row) { Form->KajyuGridButtonClick(Form->KajyuGrid, 0, Row); }
  void Replace() { Form->AddBtnClick(Form->RepBtn); }
};

TEST_F(RemarkTest, UneditedRemarksAreStoredAsTheyWere) {
  const std::string Broken = "A\x80"
                             "B\x82";
  const std::string Twin = "\xed\x40\x87\x90"; // the same characters as FA 5C 81 E0
  const std::string Long(40000, 'x');
  MakeLoads({Broken, Twin, Long});
  for (int Row = 1; Row <= 3; ++Row) {
    SCOPED_TRACE(Row);
    const std::string Before = Data().LoadRemark(Row - 1);
    Pick(Row);
    Form->KjInpGrid->SetCells(2, 1, "9"); // a new magnitude, the remark as it is
    Replace();
    EXPECT_EQ(Data().LoadW(Row - 1), 9);
    EXPECT_EQ(Data().LoadRemark(Row - 1), Before);
  }
  Pick(3);
  EXPECT_EQ(Form->NameEdit->text().size(), 40000);
}

TEST_F(RemarkTest, OnlyWhatTheUserTypedIsConverted) {
  MakeLoads({"\x82\xa0", "A\x80"
                         "B"});
  Pick(1);
  Form->NameEdit->setFocus();
  Form->NameEdit->end(false);
  QTest::keyClicks(Form->NameEdit, "z");
  Replace();
  EXPECT_EQ(Data().LoadRemark(0), "\x82\xa0z");

  // Around a byte that shows as U+FFFD the text may be edited, but it
  // cannot be stored until that character is gone.
  Pick(2);
  Form->NameEdit->setFocus();
  Form->NameEdit->end(false);
  QTest::keyClicks(Form->NameEdit, "C");
  EXPECT_EQ(Form->NameEdit->text(), QString::fromUtf8("A\xEF\xBF\xBD"
                                                      "BC"));
  EXPECT_THROW(Replace(), Exception);
  EXPECT_EQ(Data().LoadRemark(1), "A\x80"
                                  "B");
  Form->NameEdit->setCursorPosition(2);
  QTest::keyClick(Form->NameEdit, Qt::Key_Backspace);
  Replace();
  EXPECT_EQ(Data().LoadRemark(1), "ABC");
}

} // namespace
