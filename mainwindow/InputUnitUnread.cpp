// A file that holds data the program did not read (bytes after a load
// count of zero or less, which the file's rules ignore, or a section it
// could not read): a warning in the status bar once it is open, and a
// question before a save overwrites it.
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

QString Translated(const char* Text) {
  return QCoreApplication::translate("TForm1", Text);
}

// Whether the two names name one existing file.
bool SameFile(const QString& A, const QString& B) {
  std::error_code Error;
  return std::filesystem::equivalent(NativeFileName(A), NativeFileName(B), Error);
}

} // namespace

void TForm1::ShowUnreadData(const QString& FileName, const TUnreadData& Unread) {
  const bool Any = !FileName.isEmpty() && (Unread.Bytes > 0 || !Unread.Note.empty());
  FUnreadFile = Any ? FileName : QString();
  if (!Any)
    StatusBar1->SetMessage(QString());
  else if (!Unread.Note.empty())
    StatusBar1->SetMessage(QString::fromStdString(Unread.Note));
  else
    StatusBar1->SetMessage(Translated("このファイルには読み込めなかったデータがあります"));
}

bool TForm1::ConfirmOverwrite(const QString& FileName) {
  if (FUnreadFile.isEmpty() || !SameFile(FUnreadFile, FileName)) return true;
  const QString Text = Translated("「%1」には、このプログラムが読み込めなかったデータがあります。\n"
                                  "上書きすると、そのデータは失われます。上書きしますか？")
                           .arg(ShownFileName(QFileInfo(FileName).fileName()));
  if (Dialogs().MessageBox(this, Text, Translated("上書き保存の確認"), mtWarning, mbYes | mbNo) !=
      mrYes)
    return false;
  FUnreadFile.clear();
  return true;
}
