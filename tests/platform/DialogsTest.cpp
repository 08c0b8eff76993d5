// The scripted dialogs answer in the user's place; the Qt dialogs are
// driven through their widgets; exceptions end up in exactly one error box.
#include "platform/Dialogs.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/FileDetails.h"
#include "tests/kit/FixedFrame.h"
#include "tests/kit/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Installs scripted dialogs for the test and restores the Qt ones after.
class DialogsScripted : public ::testing::Test {
protected:
  DialogsScripted() { SetDialogs(&Scripted); }
  ~DialogsScripted() override { SetDialogs(nullptr); }
  TScriptedDialogs Scripted;
};

TEST_F(DialogsScripted, AnswerFromTheQueuesRecordEachCallAndThrowWhenOutOfAnswers) {
  Scripted.MessageAnswers = {mrNo};
  Scripted.InputAnswers = {QString("新しい名前"), std::nullopt};
  EXPECT_EQ(Dialogs().MessageBox(nullptr, "保存?", "Vantrel", mtConfirmation, mbYes | mbNo), mrNo);
  QString Value = "旧名";
  EXPECT_TRUE(Dialogs().InputQuery(nullptr, "名前", "新しい名前:", Value));
  EXPECT_FALSE(Dialogs().InputQuery(nullptr, "名前", "新しい名前:", Value));
  EXPECT_EQ(Value, "新しい名前");
  EXPECT_THROW(Dialogs().OpenFileName(nullptr, {}, Value), Exception);
  ASSERT_EQ(Scripted.Calls.size(), 4u);
  EXPECT_EQ(Scripted.Calls[0].Buttons, mbYes | mbNo);
  EXPECT_EQ(Scripted.Calls[1].Text, "旧名");
  EXPECT_EQ(Scripted.Calls[3].Kind, dkOpenFile);
  SetDialogs(nullptr);
  EXPECT_NE(&Dialogs(), &Scripted);
}

// Drives the Qt dialogs: the action armed with WhenModal runs on the next
// modal widget of type W as soon as it shows, and must close it.
class DialogsQt : public ::testing::Test {
protected:
  template <class W, class F> void WhenModal(F Act) {
    Poll = std::make_unique<QTimer>();
    QObject::connect(Poll.get(), &QTimer::timeout, [this, Act] {
      if (auto* Widget = qobject_cast<W*>(QApplication::activeModalWidget())) {
        Poll->stop();
        Act(Widget);
      }
    });
    Poll->start(10);
  }
  std::unique_ptr<QTimer> Poll;
};

TEST_F(DialogsQt, MessageBoxShowsTheIconAndButtonsAndAnswersEscape) {
  using B = QMessageBox;
  const struct {
    TMsgDlgType Type;
    unsigned Buttons;
    QMessageBox::Icon Icon;
    QMessageBox::StandardButtons Shown;
    TModalResult OnEscape;
  } Cases[] = {
      {mtError, mbOK, B::Critical, B::Ok, mrOk},
      {mtConfirmation, mbYes | mbNo, B::Question, B::Yes | B::No, mrNo},
      {mtWarning, mbYes | mbNo | mbCancel, B::Warning, B::Yes | B::No | B::Cancel, mrCancel},
      {mtInformation, 0, B::Information, B::Ok, mrOk},
  };
  for (const auto& Case : Cases) {
    WhenModal<QMessageBox>([&Case](QMessageBox* Box) {
      EXPECT_EQ(Box->icon(), Case.Icon);
      EXPECT_EQ(Box->standardButtons(), Case.Shown);
      EXPECT_EQ(Box->windowTitle(), "Vantrel");
      ExpectFixedDialogFrame(*Box);
      QTest::keyClick(Box, Qt::Key_Escape);
    });
    EXPECT_EQ(Dialogs().MessageBox(nullptr, "中止しました", "Vantrel", Case.Type, Case.Buttons),
              Case.OnEscape);
  }
}

TEST_F(DialogsQt, InputBoxStartsWithTheValueSelectedAndReturnsTheEntry) {
  WhenModal<QDialog>([](QDialog* Box) {
    auto* Edit = Box->findChild<QLineEdit*>();
    EXPECT_EQ(Box->findChild<QLabel*>()->text(), "新しい名前:");
    EXPECT_EQ(Edit->text(), "旧名");
    ExpectFixedDialogFrame(*Box);
    QInputMethodEvent Commit; // typed Japanese replaces the selected text
    Commit.setCommitString("新名称");
    QApplication::sendEvent(Edit, &Commit);
    QTest::keyClick(Edit, Qt::Key_Return);
  });
  QString Value = "旧名";
  EXPECT_TRUE(Dialogs().InputQuery(nullptr, "名前の変更", "新しい名前:", Value));
  EXPECT_EQ(Value, "新名称");

  WhenModal<QDialog>([](QDialog* Box) { QTest::keyClick(Box, Qt::Key_Escape); });
  EXPECT_FALSE(Dialogs().InputQuery(nullptr, "名前の変更", "新しい名前:", Value));
}

TEST_F(DialogsQt, SaveDialogOffersTheFiltersAndAppendsTheExtension) {
  QTemporaryDir Dir;
  TFileDialogOptions Options;
  Options.InitialDir = Dir.path();
  Options.FileName = "結果";
  Options.DefaultExt = "csv";
  Options.Filters = QStringList{"CSV ファイル (*.csv)", "テキスト (*.txt)"};
  Options.FilterIndex = 1;
  WhenModal<QFileDialog>([&Options](QFileDialog* Dialog) {
    EXPECT_EQ(Dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(Dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(Dialog->nameFilters(), Options.Filters);
    EXPECT_EQ(Dialog->selectedNameFilter(), Options.Filters[1]);
    static_cast<QDialog*>(Dialog)->accept(); // QFileDialog's own, protected there
  });
  QString FileName;
  ASSERT_TRUE(Dialogs().SaveFileName(nullptr, Options, FileName));
  EXPECT_EQ(FileName, Dir.filePath("結果.csv"));
}

TEST_F(DialogsQt, OpenDialogPassesOnAnyNameAndAddsTheExtensionOnlyWhenNothingElseExists) {
  QTemporaryDir Dir;
  for (const char* Name : {"beam.vbd", "plain"}) {
    QFile File(Dir.filePath(Name));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  }
  TFileDialogOptions Options;
  Options.InitialDir = Dir.path();
  Options.DefaultExt = "vbd";
  const auto Open = [&](const QString& Typed) {
    WhenModal<QFileDialog>([Typed](QFileDialog* Dialog) {
      EXPECT_EQ(Dialog->acceptMode(), QFileDialog::AcceptOpen);
      Dialog->findChild<QLineEdit*>("fileNameEdit")->setText(Typed);
      static_cast<QDialog*>(Dialog)->accept();
    });
    QString FileName;
    EXPECT_TRUE(Dialogs().OpenFileName(nullptr, Options, FileName)) << Typed.toStdString();
    return FileName;
  };
  EXPECT_EQ(Open("beam"), Dir.filePath("beam.vbd"));
  EXPECT_EQ(Open("plain"), Dir.filePath("plain")); // exists as typed
  EXPECT_EQ(Open("missing"), Dir.filePath("missing.vbd"));
  EXPECT_EQ(Open("missing.dat"), Dir.filePath("missing.dat"));

  EXPECT_EQ(OpenDialogName("/etc/passwd", "vbd"), "/etc/passwd");
  EXPECT_EQ(OpenDialogName(Dir.filePath("a.b/c"), "vbd"), Dir.filePath("a.b/c.vbd"));
  EXPECT_EQ(OpenDialogName(Dir.filePath("beam"), ""), Dir.filePath("beam"));
}

TEST_F(DialogsQt, FileDetailsAreJapaneseAndShownWhole) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan)); // as the program sets it
  QTemporaryDir Dir;
  ASSERT_TRUE(QDir(Dir.path()).mkdir("folder"));
  QFile File(Dir.filePath("beam.vbd"));
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write(QByteArray(179, 'x'));
  File.close();
  TFileDialogOptions Options;
  Options.InitialDir = Dir.path();
  QStringList Shown; // size, type and date of each row
  WhenModal<QFileDialog>([&Shown](QFileDialog* Dialog) {
    const QTreeView* View = Dialog->findChild<QTreeView*>();
    const QAbstractItemModel* Model = View->model();
    const auto Text = [&](int Row, int Column) {
      return Model->index(Row, Column, View->rootIndex()).data().toString();
    };
    // The folder is read in the background; sizes come last.
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return Model->rowCount(View->rootIndex()) == 2 &&
             (Text(0, 1) == "179 バイト" || Text(1, 1) == "179 バイト");
    }));
    const int Margin = View->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    for (int Row = 0; Row < 2; ++Row)
      for (int Column = 1; Column <= 3; ++Column) {
        Shown << Text(Row, Column);
        EXPECT_LE(View->fontMetrics().horizontalAdvance(Shown.back()) + 2 * Margin,
                  View->header()->sectionSize(Column))
            << Shown.back().toStdString();
      }
    Dialog->reject();
  });
  QString FileName;
  EXPECT_FALSE(Dialogs().OpenFileName(nullptr, Options, FileName));
  QLocale::setDefault(QLocale::c());
  ASSERT_EQ(Shown.size(), 6);
  EXPECT_TRUE(Shown.contains("フォルダー") && Shown.contains("vbd ファイル"))
      << Shown.join('|').toStdString();
  // No English anywhere: the only letters are the file's own suffix.
  for (const QString& Text : Shown)
    EXPECT_FALSE(QString(Text).remove("vbd").contains(QRegularExpression("[A-Za-z]")))
        << Text.toStdString();
}

TEST(FileDetails, SizesChangeUnitWhereTheNumberWouldReach1024) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(FileSizeText(1023), "1,023 バイト");
  EXPECT_EQ(FileSizeText(1024), "1.0 キロバイト");
  EXPECT_EQ(FileSizeText(1048575), "1.0 メガバイト"); // not 1,024.0 キロバイト
  EXPECT_EQ(FileSizeText(1048524), "1,023.9 キロバイト");
  EXPECT_EQ(FileSizeText(qint64{5} << 50), "5,120.0 テラバイト");
  QLocale::setDefault(QLocale::c());
}

class ApplicationErrors : public DialogsScripted {};

TEST_F(ApplicationErrors, AThrowingDispatchEndsInOneErrorBoxAndANormalOnePassesThrough) {
  Scripted.MessageAnswers = {mrOk, mrOk};
  EXPECT_TRUE(NotifyGuarded([]() -> bool { throw EReadError("読めません"); }, "Vantrel"));
  EXPECT_TRUE(NotifyGuarded([]() -> bool { throw 42; }, "Vantrel"));
  EXPECT_FALSE(NotifyGuarded([] { return false; }, "Vantrel"));
  ASSERT_EQ(Scripted.Calls.size(), 2u);
  const TDialogCall& Box = Scripted.Calls[0];
  EXPECT_EQ(Box.Text, "読めません");
  EXPECT_EQ(Box.Caption, "Vantrel");
  EXPECT_EQ(Box.Type, mtError);
  EXPECT_EQ(Box.Buttons, unsigned{mbOK});
  EXPECT_FALSE(Scripted.Calls[1].Text.isEmpty());
}

// Error boxes whose own events fail each time one is shown.
class TFailingBoxDialogs : public TScriptedDialogs {
public:
  TModalResult MessageBox(QWidget* Parent, const QString& Text, const QString& Caption,
                          TMsgDlgType Type, unsigned Buttons) override {
    MessageAnswers.push_back(mrOk);
    TScriptedDialogs::MessageBox(Parent, Text, Caption, Type, Buttons);
    NotifyGuarded([]() -> bool { throw Exception("描画に失敗しました"); }, Caption);
    return mrOk;
  }
};

TEST_F(ApplicationErrors, AFailingErrorBoxNeitherThrowsNorLoops) {
  // No answer queued: the box itself throws.
  EXPECT_TRUE(NotifyGuarded([]() -> bool { throw Exception("一"); }, "Vantrel"));
  TFailingBoxDialogs Failing;
  SetDialogs(&Failing);
  EXPECT_TRUE(NotifyGuarded([]() -> bool { throw Exception("二"); }, "Vantrel"));
  EXPECT_EQ(Failing.Calls.size(), 2u); // the box, and one nested in it
}

} // namespace
