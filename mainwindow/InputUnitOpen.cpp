// 開く itself: the file is read, taken over into a document of its own and
// calculated on a worker thread, then the list grows in slices; only then
// does the window's document take the new one over, in one step. Until
// that step a cancel, or a failure, finds the document as it was.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/InputUnitLayout.h"
#include "mainwindow/OpenProgress.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace {

QString Translated(const char* Text) {
  return QCoreApplication::translate("TForm1", Text);
}

// List rows added in one slice of the list's phase.
constexpr int ListSlice = 1 << 16;

} // namespace

void TForm1::OpenFile(const QString& Chosen) {
  // A span typed but not entered belongs to the document before the open.
  BaseDataGrid->HideEditor();
  TData Next;
  TOpenProgress Progress(this, ShownFileName(QFileInfo(Chosen).fileName()), FOpenProgressDelay);
  TUnreadData Unread;
  try {
    Unread = PrepareDocument(Progress, Chosen, Next);
    GrowLoadList(Progress, Next.LoadCount());
  } catch (const EAbort&) {
    FitLoadRows(); // the list of the document that stays
    return;
  } catch (...) {
    // What could not be read must never be saved over later: back to an
    // untitled empty document, and the error goes on to the error box.
    FData->Update([this] { ResetDocument(); });
    ForgetPick();
    throw;
  }
  // One notification, and no calculation: the document takes over what
  // was calculated.
  FData->Update([&] {
    FData->TakeOver(Next);
    StartAfresh(Chosen);
    ForgetPick();
  });
  ShowBaseData();
  RefreshLoadList();
  ShowUnreadData(Chosen, Unread);
}

TForm1::TUnreadData TForm1::PrepareDocument(TOpenProgress& Progress, const QString& FileName,
                                            TData& Next) {
  TDataFileContents Contents;
  Progress.BeginPhase(Translated("ファイルを読み込んでいます..."));
  Progress.Run(
      [&](const TReadProgress& Tell) { Contents = ReadDataFile(NativeFileName(FileName), Tell); });
  Progress.BeginPhase(Translated("データを取り込んでいます..."));
  const TUnreadData Unread{Contents.UncountedBytes, Contents.SectionNote};
  Progress.Run([&](const TReadProgress&) {
    // The file's records are freed here too, not on the window's thread.
    TDataFileContents Taken = std::move(Contents);
    Next.Assign(std::move(Taken));
  });
  Progress.BeginPhase(Translated("計算しています..."));
  Progress.Run([&](const TReadProgress& Tell) { Next.Calculate([&Tell] { return Tell(0, 0); }); });
  return Unread;
}

void TForm1::GrowLoadList(TOpenProgress& Progress, int Loads) {
  const int Rows = Layout::ListRowsFor(Loads);
  Progress.BeginPhase(Translated("荷重一覧を作成しています..."), Rows);
  for (int Have = KajyuGrid->RowCount(); Have < Rows;) {
    Have = std::min(Rows, Have + ListSlice);
    ResizeLoadList(Have);
    Progress.Step(Have);
  }
}
