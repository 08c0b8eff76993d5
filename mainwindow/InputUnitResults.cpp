// The results window, the extremes on the diagram, the copy of the diagram,
// printing and the exports.
#include "analysis/BeamData.h"
#include "mainwindow/BeamImage.h"
#include "mainwindow/Exports.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/PrintDialogs.h"
#include "mainwindow/ReportDialog.h"
#include "mainwindow/ReportHeader.h"
#include "mainwindow/ReportSheet.h"
#include "mainwindow/ResultsWindow.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PaintBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QPrinter>

namespace {

// The save dialog for an export, proposing the document's name with Ext.
TFileDialogOptions ExportDialog(const QString& DocumentName, const QString& Ext,
                                const QStringList& Filters) {
  TFileDialogOptions Options;
  Options.DefaultExt = Ext;
  Options.Filters = Filters;
  if (!DocumentName.isEmpty()) {
    const QFileInfo Info(DocumentName);
    Options.InitialDir = Info.absolutePath();
    Options.FileName = Info.completeBaseName() + QChar('.') + Ext;
  }
  return Options;
}

} // namespace

TDiagramLayers TForm1::DiagramLayers() const {
  return {KCheckBox->Checked(), SCheckBox->Checked(), MCheckBox->Checked(),
          ShowExtremes1->isChecked(), DCheckBox->Checked()};
}

TReportInfo TForm1::ReportInfo() const {
  TReportInfo Info{FFileName, {}, DiagramLayers()};
  ReadReportHeader(Info, QDate::currentDate());
  return Info;
}

bool TForm1::AskReportHeader(TReportInfo& Info) {
  if (!ReportDialog().Edit(this, Info)) return false;
  WriteReportHeader(Info, QDate::currentDate());
  return true;
}

void TForm1::UpdateResultsWindow() {
  if (FResultsWindow && FResultsWindow->isVisible()) FResultsWindow->ShowResults(*FData);
}

void TForm1::Results1Click(TObject*) {
  if (!FResultsWindow) {
    FResultsWindow = new TResultsWindow(this);
    FResultsWindow->OnEditSection = [this] { Section1Click(this); };
  }
  FResultsWindow->ShowResults(*FData);
  FResultsWindow->show();
  FResultsWindow->raise();
  FResultsWindow->activateWindow();
}

void TForm1::ShowExtremes1Click(TObject*) {
  PaintBox1->update();
}

void TForm1::SetupDiagramCopy() {
  PaintBox1->setFocusPolicy(Qt::ClickFocus);
  CopyDiagram1 = new QAction(QStringLiteral("図をコピー(&C)"), PaintBox1);
  CopyDiagram1->setShortcut(QKeySequence::Copy);
  CopyDiagram1->setShortcutContext(Qt::WidgetShortcut);
  PaintBox1->addAction(CopyDiagram1);
  PaintBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(CopyDiagram1, &QAction::triggered, this, [this] { CopyDiagram1Click(this); });
}

void TForm1::CopyDiagram1Click(TObject*) {
  QApplication::clipboard()->setImage(
      RenderBeamImage(*FData, PaintBox1->width(), PaintBox1->height(), DiagramLayers()));
}

QPrinter& TForm1::Printer() {
  if (!FPrinter) {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FPrinter->setPageLayout(DefaultPageLayout());
  }
  return *FPrinter;
}

void TForm1::Print1Click(TObject*) {
  TReportInfo Info = ReportInfo();
  if (!AskReportHeader(Info) || !PrintDialogs().Print(this, Printer())) return;
  PrintReport(*FData, Printer(), Info);
}

void TForm1::PrintSetup1Click(TObject*) {
  PrintDialogs().PageSetup(this, Printer());
}

void TForm1::PdfExport1Click(TObject*) {
  TReportInfo Info = ReportInfo();
  QString Chosen;
  if (!AskReportHeader(Info) ||
      !Dialogs().SaveFileName(
          this,
          ExportDialog(FFileName, QStringLiteral("pdf"), {QStringLiteral("PDFファイル (*.pdf)")}),
          Chosen))
    return;
  ShowSaveNote(SaveReportPdf(*FData, Chosen, Info, Printer().pageLayout()));
}

void TForm1::ImageExport1Click(TObject*) {
  QString Chosen;
  if (!Dialogs().SaveFileName(
          this,
          ExportDialog(FFileName, QStringLiteral("png"),
                       {QStringLiteral("PNG画像 (*.png)"), QStringLiteral("SVG画像 (*.svg)")}),
          Chosen))
    return;
  QString Size = QStringLiteral("%1x%2").arg(PaintBox1->width()).arg(PaintBox1->height());
  if (!Dialogs().InputQuery(this, QStringLiteral("画像の大きさ"),
                            QStringLiteral("幅x高さ(ピクセル)を入力してください。"), Size))
    return;
  int Width = 0, Height = 0;
  if (!ParseImageSize(Size, Width, Height)) {
    Dialogs().MessageBox(
        this, QStringLiteral("画像の大きさは 幅x高さ (それぞれ 1～16384) で入力してください。"),
        QStringLiteral("エラー"), mtError, mbOK);
    return;
  }
  ShowSaveNote(SaveDiagramImage(*FData, Chosen, Width, Height, DiagramLayers()));
}

void TForm1::CsvExport1Click(TObject*) {
  QString Chosen;
  if (!Dialogs().SaveFileName(
          this,
          ExportDialog(FFileName, QStringLiteral("csv"), {QStringLiteral("CSVファイル (*.csv)")}),
          Chosen))
    return;
  ShowSaveNote(SaveResultsCsv(*FData, Chosen));
}
