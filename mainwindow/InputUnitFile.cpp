// The menu and the document commands: new, open, save, save as, exit, help
// (the open itself is in InputUnitOpen.cpp).
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/InputUnit.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"
#include "platform/PaintBox.h"
#include "support/AboutUnit.h"
#include "support/QvxTools.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QSessionManager>
#include <QUndoStack>

namespace {

TFileDialogOptions DataFileDialog() {
  TFileDialogOptions Options;
  Options.DefaultExt = QStringLiteral("vbd");
  Options.Filters = {QStringLiteral("Vantrel用ファイル (*.vbd)"),
                     QStringLiteral("全てのファイル (*)")};
  Options.FilterIndex = 0;
  return Options;
}

} // namespace

void TForm1::CreateMenu() {
  using namespace std::placeholders;
  auto Item = [this](QMenu* Menu, const QString& Caption, void (TForm1::*Handler)(TObject*)) {
    QAction* Action = Menu->addAction(Caption);
    if (Handler)
      connect(Action, &QAction::triggered, this, [this, Handler] { (this->*Handler)(this); });
    return Action;
  };
  File1 = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  New1 = Item(File1, QStringLiteral("新規作成(&N)"), &TForm1::New1Click);
  Open1 = Item(File1, QStringLiteral("開く(&O)..."), &TForm1::Open1Click);
  Save1 = Item(File1, QStringLiteral("上書き保存(&S)"), &TForm1::Save1Click);
  SaveAs1 = Item(File1, QStringLiteral("名前をつけて保存(&A)..."), &TForm1::SaveAs1Click);
  File1->addSeparator();
  Print1 = Item(File1, QStringLiteral("印刷(&P)..."), &TForm1::Print1Click);
  PrintSetup1 = Item(File1, QStringLiteral("ページ設定(&R)..."), &TForm1::PrintSetup1Click);
  PdfExport1 = Item(File1, QStringLiteral("PDF出力(&D)..."), &TForm1::PdfExport1Click);
  ImageExport1 = Item(File1, QStringLiteral("図を画像で保存(&I)..."), &TForm1::ImageExport1Click);
  CsvExport1 = Item(File1, QStringLiteral("計算結果をCSVで保存(&C)..."), &TForm1::CsvExport1Click);
  File1->addSeparator();
  Exit1 = Item(File1, QStringLiteral("終了(&X)"), &TForm1::Exit1Click);
  View1 = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  Results1 = Item(View1, QStringLiteral("計算結果(&R)..."), &TForm1::Results1Click);
  ShowExtremes1 =
      Item(View1, QStringLiteral("最大・最小値を図に表示"), &TForm1::ShowExtremes1Click);
  ShowExtremes1->setCheckable(true);
  SetupDiagramCopy();
  Help1 = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  Contents1 = Item(Help1, QStringLiteral("目次(&C)"), &TForm1::Contents1Click);
  SearchforHelpOn1 =
      Item(Help1, QStringLiteral("トピックの検索(&S)..."), &TForm1::SearchforHelpOn1Click);
  About1 = Item(Help1, QStringLiteral("バージョン情報(&A)..."), &TForm1::About1Click);
  connect(qApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager& Manager) { CommitDataRequest(Manager); });
}

bool TForm1::QuerySave() {
  if (!FData->Modified()) return true;
  switch (Dialogs().MessageBox(
      this, QStringLiteral("入力データが変更されています。ファイルに保存しますか？"),
      QStringLiteral("ファイル保存確認"), mtConfirmation, mbYes | mbNo | mbCancel)) {
  case mrYes:
    return SaveDocument();
  case mrNo:
    return true;
  default:
    return false;
  }
}

bool TForm1::SaveDocument() {
  if (FFileName.isEmpty()) return SaveDocumentAs();
  if (!ConfirmOverwrite(FFileName)) return false;
  const std::string Note = FData->SaveToFile(NativeFileName(FFileName));
  FUndo->setClean();
  ShowTitle();
  ShowSaveNote(Note);
  return true;
}

bool TForm1::SaveDocumentAs() {
  TFileDialogOptions Options = DataFileDialog();
  Options.FileName = FFileName;
  if (!FFileName.isEmpty()) Options.InitialDir = QFileInfo(FFileName).absolutePath();
  QString Chosen;
  if (!Dialogs().SaveFileName(this, Options, Chosen)) return false;
  if (!ConfirmOverwrite(Chosen)) return false;
  const std::string Note = FData->SaveToFile(NativeFileName(Chosen));
  FUndo->setClean();
  SetFileName(Chosen);
  ShowSaveNote(Note);
  return true;
}

void TForm1::ShowSaveNote(const std::string& Note) {
  if (Note.empty()) return;
  Dialogs().MessageBox(this, QString::fromStdString(Note),
                       QCoreApplication::translate("TForm1", "警告"), mtWarning, mbOK);
}

void TForm1::ForgetPick() {
  for (TButton* Button : {RepBtn, DelBtn}) {
    Button->setEnabled(false);
    Button->SetTag(0);
  }
  UpButton->setEnabled(false);
  DownButton->setEnabled(false);
}

void TForm1::New1Click(TObject*) {
  if (!QuerySave()) return;
  FData->Update([this] { ResetDocument(); });
  SetFileName(QString());
  ForgetPick();
}

void TForm1::Open1Click(TObject*) {
  if (!QuerySave()) return;
  QString Chosen;
  if (!Dialogs().OpenFileName(this, DataFileDialog(), Chosen)) return;
  OpenFile(Chosen);
}

void TForm1::Save1Click(TObject*) {
  SaveDocument();
}

void TForm1::SaveAs1Click(TObject*) {
  SaveDocumentAs();
}

void TForm1::Exit1Click(TObject*) {
  close();
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = QuerySave();
}

void TForm1::closeEvent(QCloseEvent* Event) {
  // Refused until the question says otherwise, so that a failed save
  // keeps the window open. A logout whose question was answered already
  // closes without asking again.
  Event->ignore();
  bool CanClose = true;
  if (!FSessionAnswered) FormCloseQuery(this, CanClose);
  if (CanClose) Event->accept();
}

void TForm1::CommitDataRequest(QSessionManager& Manager) {
  if (!Manager.allowsInteraction()) return;
  const bool CanClose = SessionEndQuery();
  Manager.release();
  if (!CanClose) Manager.cancel();
}

bool TForm1::SessionEndQuery() {
  if (!FData->Modified()) return true;
  bool CanClose = true;
  FormCloseQuery(this, CanClose);
  // The answer holds for the close that ends the session, until the window
  // is used again.
  FSessionAnswered = CanClose;
  return CanClose;
}

void TForm1::Contents1Click(TObject*) {
  THelpWindow::Instance().ShowContents();
}

void TForm1::SearchforHelpOn1Click(TObject*) {
  THelpWindow::Instance().ShowSearch();
}

void TForm1::About1Click(TObject*) {
  ShowAboutBox(this);
}
