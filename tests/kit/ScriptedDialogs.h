// Dialogs that answer in the user's place, for the tests.
#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

enum TDialogKind { dkMessage, dkInput, dkOpenFile, dkSaveFile };

// One call made to TScriptedDialogs, with what it was asked.
struct TDialogCall {
  TDialogKind Kind = dkMessage;
  QString Text;    // message text, or the input box's initial value
  QString Caption; // caption of a message or input box
  TMsgDlgType Type = mtInformation;
  unsigned Buttons = 0;
  QString Prompt;
  TFileDialogOptions Options;
};

// Each call is recorded in Calls and answered from the front of the
// matching queue; an empty optional answers as a cancel. A call whose
// queue is empty throws, so an unexpected dialog is noticed.
class TScriptedDialogs : public TDialogs {
public:
  std::vector<TDialogCall> Calls;
  std::deque<TModalResult> MessageAnswers;
  std::deque<std::optional<QString>> InputAnswers;
  std::deque<std::optional<QString>> FileAnswers;

  TModalResult MessageBox(QWidget*, const QString& Text, const QString& Caption, TMsgDlgType Type,
                          unsigned Buttons) override;
  bool InputQuery(QWidget*, const QString& Caption, const QString& Prompt, QString& Value) override;
  bool OpenFileName(QWidget*, const TFileDialogOptions& Options, QString& FileName) override;
  bool SaveFileName(QWidget*, const TFileDialogOptions& Options, QString& FileName) override;
};
