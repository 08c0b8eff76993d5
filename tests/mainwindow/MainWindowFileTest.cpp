// The document commands of the main window with scripted dialogs and
// files in a temporary folder, and the help commands.
#include "tests/mainwindow/FormFixture.h"

#include "analysis/KajyuData.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/ResultsWindow.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"
#include "tests/kit/BeamBuilder.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <set>

namespace {

class FileTest : public FormTest {
protected:
  // A 10 m beam with a point load (remark "あ") and a uniform load.
  QString WriteBeam(const QString& Name, std::int32_t BeamType = btCantilever) {
    TData Beam;
    SetBeam(Beam, BeamType, 10, {{lkConcentrated, 4, 0, 0, "\x82\xa0"}, {lkUniform, 1, 0, 2}});
    Beam.SaveToFile(Dir.filePath(Name).toStdString());
    return Dir.filePath(Name);
  }
  void Open(const QString& Path) {
    Scripted.FileAnswers = {Path};
    Form->Open1Click(Form.get());
  }
  // The span as the grid's editor enters it: the cell, then the event.
  void EditSpan(const QString& Text) {
    Form->BaseDataGrid->SetCells(2, 1, Text);
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, Text);
  }
  void ExpectDataFileDialog(const TFileDialogOptions& Options) {
    EXPECT_EQ(Options.DefaultExt, "vbd");
    EXPECT_EQ(Options.Filters, QStringList({"Vantrel用ファイル (*.vbd)", "全てのファイル (*)"}));
    EXPECT_EQ(Options.FilterIndex, 0);
  }
  QString Caption() const { return Form->windowTitle(); }

  QTemporaryDir Dir;
};

TEST_F(FileTest, CloseAndNewAskOnlyAboutChanges) {
  EXPECT_TRUE(Form->close());
  EXPECT_TRUE(Scripted.Calls.empty());
  Form->show();

  EditSpan("12");
  Scripted.MessageAnswers = {mrCancel};
  Form->New1Click(Form.get());
  ASSERT_EQ(Scripted.Calls.size(), 1u);
  EXPECT_EQ(Scripted.Calls[0].Text, "入力データが変更されています。ファイルに保存しますか？");
  EXPECT_EQ(Scripted.Calls[0].Caption, "ファイル保存確認");
  EXPECT_EQ(Scripted.Calls[0].Type, mtConfirmation);
  EXPECT_EQ(Scripted.Calls[0].Buttons, unsigned(mbYes | mbNo | mbCancel));
  EXPECT_EQ(Data().Length(), 12);

  // Yes on an untitled document asks for a name; cancelling that keeps it.
  Scripted.MessageAnswers = {mrYes};
  Scripted.FileAnswers = {std::nullopt};
  Form->New1Click(Form.get());
  ASSERT_EQ(Scripted.Calls.size(), 3u);
  EXPECT_EQ(Scripted.Calls[2].Kind, dkSaveFile);
  EXPECT_EQ(Data().Length(), 12);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "12");

  // No drops the document, the load list and the picked load with it.
  EnterLoad(lkConcentrated, "4", "10");
  Form->KajyuGridButtonClick(Form->KajyuGrid, 0, 1);
  Scripted.MessageAnswers = {mrNo};
  Form->New1Click(Form.get());
  EXPECT_EQ(Data().Length() + Data().LoadCount(), 0);
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1) + Form->KajyuGrid->Cells(1, 1), "");
  EXPECT_FALSE(Form->RepBtn->isEnabled() || Form->DelBtn->isEnabled());
  EXPECT_EQ(Caption(), "Vantrel - [新規データ]");
  EXPECT_TRUE(Form->close());
  EXPECT_EQ(Scripted.Calls.size(), 4u);
}

TEST_F(FileTest, OpenShowsTheDocumentAndSaveWritesItBack) {
  const QString Path = WriteBeam("beam1.vbd");
  Open(Path);
  ExpectDataFileDialog(Scripted.Calls.at(0).Options);
  EXPECT_EQ(Caption(), "Vantrel - [beam1]");
  EXPECT_EQ(Form->BaseDataGrid->Cells(2, 1), "10.000");
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), 1);
  EXPECT_EQ(Form->KajyuGrid->Cells(1, 1) + Form->KajyuGrid->Cells(5, 1), "集中あ");
  EXPECT_EQ(Form->KajyuGrid->Cells(4, 2), "2.000");
  EXPECT_EQ(Form->KajyuGrid->Cells(1, 3), "");
  QApplication::processEvents();
  EXPECT_GT(Form->FScale, 0); // drawn before the next input
  EXPECT_TRUE(Form->close());
  Form->show();

  // Saving a named document writes it without asking.
  EditSpan("12.5");
  Form->Save1Click(Form.get());
  EXPECT_FALSE(Data().Modified());
  TData Saved;
  Saved.LoadFromFile(Path.toStdString());
  EXPECT_EQ(Saved.Length(), 12.5);
  EXPECT_EQ(Saved.LoadCount(), 2);

  // Moving a load is a change to ask about: the order is in the file.
  Form->KajyuGrid->setFocus();
  Form->KajyuGrid->SetRow(2);
  Form->UpButtonClick(Form->UpButton);
  EXPECT_EQ(Data().LoadKind(0), lkUniform);
  Scripted.MessageAnswers.push_back(mrNo);
  EXPECT_TRUE(Form->close());
  EXPECT_EQ(Scripted.Calls.size(), 2u);

  // Files may hold any nonzero code for a cantilever.
  Scripted.MessageAnswers.push_back(mrNo); // the moved order is dropped
  Open(WriteBeam("odd.vbd", 2));
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), 1);
  Open(WriteBeam("simple.vbd", btSimple));
  EXPECT_EQ(Form->BaseDataGrid->GetToggleIndex(2, 0), 0);
}

TEST_F(FileTest, SaveOfAnUntitledDocumentAsksForAName) {
  EditSpan("8");
  Scripted.FileAnswers = {Dir.filePath("neu.vbd")};
  Form->Save1Click(Form.get());
  ASSERT_EQ(Scripted.Calls.size(), 1u);
  EXPECT_EQ(Scripted.Calls[0].Kind, dkSaveFile);
  EXPECT_EQ(Scripted.Calls[0].Options.FileName, "");
  ExpectDataFileDialog(Scripted.Calls[0].Options);
  EXPECT_EQ(Caption(), "Vantrel - [neu]");
  EXPECT_FALSE(Data().Modified());
  EXPECT_TRUE(QFile::exists(Dir.filePath("neu.vbd")));

  // Save As starts where the document is, under its name.
  QDir(Dir.path()).mkdir("sub");
  Scripted.FileAnswers = {Dir.filePath("sub/other.vbd")};
  Form->SaveAs1Click(Form.get());
  const TFileDialogOptions& Again = Scripted.Calls.at(1).Options;
  EXPECT_EQ(QDir(Again.InitialDir), QDir(Dir.path()));
  EXPECT_EQ(QFileInfo(Again.FileName).fileName(), "neu.vbd");
  EXPECT_EQ(Caption(), "Vantrel - [other]");
  EXPECT_TRUE(QFile::exists(Dir.filePath("sub/other.vbd")));
}

TEST_F(FileTest, ANameThatIsNoUtf8OpensAndSavesUnderItsOwnBytes) {
  const std::string Folder = NativeFileName(Dir.path());
  const std::string Name = Folder + "/beam\xFF\xFE.vbd", Copy = Folder + "/copy\xE9.vbd";
  TData Beam;
  SetBeam(Beam, btSimple, 10, {{lkConcentrated, 4, 3, 0, ""}});
  Beam.SaveToFile(Name);
  Open(FileNameFromNative(Name));
  EXPECT_EQ(Data().LoadCount(), 1);
  EXPECT_EQ(Caption(), u"Vantrel - [beam\uFFFD\uFFFD]");
  EditSpan("12");
  Form->Save1Click(Form.get());
  Scripted.FileAnswers = {FileNameFromNative(Copy)};
  Form->SaveAs1Click(Form.get());
  // Both files under the bytes they were named by, and no other.
  std::set<std::string> Files;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder))
    Files.insert(Entry.path().native());
  EXPECT_EQ(Files, (std::set<std::string>{Name, Copy}));
  Beam.LoadFromFile(Name);
  EXPECT_EQ(Beam.Length(), 12);
}

TEST_F(FileTest, AFailedOpenLeavesAnEmptyUntitledDocument) {
  QFile Bad(Dir.filePath("bad.vbd"));
  ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
  Bad.write(QByteArray(300, 'x'));
  Bad.close();
  Open(WriteBeam("beam1.vbd"));
  Scripted.FileAnswers = {Bad.fileName()};
  try {
    Form->Open1Click(Form.get());
    ADD_FAILURE() << "a foreign file opened";
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "選択されたファイルは、このプログラム用のファイルでないかもしくは"
                           "ファイルが壊れています。");
  }
  EXPECT_EQ(Caption(), "Vantrel - [新規データ]");
  EXPECT_TRUE(Form->FFileName.isEmpty());
  EXPECT_EQ(Data().LoadCount(), 0);
  EXPECT_EQ(Form->KajyuGrid->Cells(1, 1) + Form->BaseDataGrid->Cells(2, 1), "");

  Scripted.FileAnswers = {Dir.filePath("missing.vbd")};
  EXPECT_THROW(Form->Open1Click(Form.get()), EFOpenError);
  EXPECT_TRUE(Form->FFileName.isEmpty());

  // What could not be read is never saved over: Save asks for a name.
  EditSpan("3");
  Scripted.FileAnswers = {std::nullopt};
  Form->Save1Click(Form.get());
  EXPECT_EQ(Scripted.Calls.back().Kind, dkSaveFile);
  EXPECT_EQ(QFileInfo(Bad.fileName()).size(), 300);
}

TEST_F(FileTest, AFailedSaveKeepsTheDocumentAndTheWindow) {
  const QString Blocked = Dir.filePath("blocked.vbd");
  ASSERT_TRUE(QDir(Dir.path()).mkdir("blocked.vbd"));
  EditSpan("5");
  Scripted.FileAnswers = {Blocked};
  try {
    Form->SaveAs1Click(Form.get());
    ADD_FAILURE() << "saved into a folder";
  } catch (const EFCreateError& E) {
    const QString Message = QString::fromUtf8(E.what());
    EXPECT_TRUE(Message.startsWith("ファイル \"" + Blocked + "\". ") &&
                Message.endsWith(" を作成できません"))
        << E.what();
  }
  EXPECT_EQ(Caption(), "Vantrel - [新規データ*]");
  EXPECT_TRUE(Form->FFileName.isEmpty());
  EXPECT_TRUE(Data().Modified());

  // A close whose save fails stays open.
  Scripted.MessageAnswers = {mrYes};
  Scripted.FileAnswers = {Blocked};
  QCloseEvent Close;
  EXPECT_THROW(Form->closeEvent(&Close), EFCreateError);
  EXPECT_FALSE(Close.isAccepted());

  // A named document whose file has turned into a folder.
  const QString Path = WriteBeam("named.vbd");
  Scripted.MessageAnswers = {mrNo};
  Open(Path);
  ASSERT_TRUE(QFile::remove(Path) && QDir(Dir.path()).mkdir("named.vbd"));
  EditSpan("7");
  EXPECT_THROW(Form->Save1Click(Form.get()), EFCreateError);
  EXPECT_EQ(Caption(), "Vantrel - [named*]");
  EXPECT_EQ(Form->FFileName, Path);
  EXPECT_TRUE(Data().Modified());
}

TEST_F(FileTest, NewAndOpenDropAnOpenSpanEditor) {
  TFormatGrid* Base = Form->BaseDataGrid;
  const auto Type = [&](const QString& Text) {
    ClickCell(Base, 2, 1);
    if (!Editing(Base)) ClickCell(Base, 2, 1);
    ASSERT_TRUE(Editing(Base));
    QTest::keyClicks(Base->InplaceEditor()->LineEdit(), Text);
  };
  // The menu leaves the focus in the editor; what it holds must not come
  // back into the new document once the cell is left.
  Type("12");
  Scripted.MessageAnswers = {mrNo};
  Form->New1Click(Form.get());
  Form->NameEdit->setFocus();
  EXPECT_EQ(Data().Length(), 0);
  EXPECT_FALSE(Data().Modified());
  EXPECT_EQ(Base->Cells(2, 1), "");

  Type("3");
  Scripted.MessageAnswers = {mrNo};
  Open(WriteBeam("beam1.vbd"));
  Form->NameEdit->setFocus();
  EXPECT_EQ(Data().Length(), 10);
  EXPECT_FALSE(Data().Modified());
}

TEST_F(FileTest, HelpOpensOnItsContentsOrItsSearchAndClosesWithTheProgram) {
  THelpWindow& Help = THelpWindow::Instance();
  Form->Contents1Click(Form.get());
  EXPECT_TRUE(Help.isVisible());
  EXPECT_EQ(Help.Browser()->source().toString(), "qrc:/help/index.html");
  EXPECT_FALSE(Help.SearchField()->isVisible());
  Help.hide();
  Form->SearchforHelpOn1Click(Form.get());
  EXPECT_TRUE(Help.isVisible() && Help.SearchField()->isVisible());

  QStringList Pages;
  for (const auto& [Title, Url] : Help.Find("符号"))
    Pages << Url;
  EXPECT_TRUE(Pages.contains("qrc:/help/signs.html")) << Pages.join(' ').toStdString();
  EXPECT_TRUE(Help.Find("xyz-not-there").isEmpty());

  // F1 in the results window opens the help on the results.
  Help.hide();
  Form->Results1->trigger();
  auto* F1 = Form->FResultsWindow->findChild<QShortcut*>();
  ASSERT_TRUE(F1 && F1->key() == QKeySequence(Qt::Key_F1));
  emit F1->activated();
  EXPECT_TRUE(Help.isVisible());
  EXPECT_EQ(Help.Browser()->source().toString(), "qrc:/help/results.html");

  // The help left open does not keep the program running.
  bool TimedOut = false;
  QTimer::singleShot(0, Form.get(), [this] { Form->close(); });
  QTimer Guard;
  QObject::connect(&Guard, &QTimer::timeout, [&] {
    TimedOut = true;
    QApplication::quit();
  });
  Guard.start(5000);
  QApplication::exec();
  EXPECT_FALSE(TimedOut);
}

} // namespace
