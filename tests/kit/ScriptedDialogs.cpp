#include "tests/kit/ScriptedDialogs.h"

#include "platform/Exceptions.h"

#include <utility>

namespace {

template <class T> T Next(std::deque<T>& Queue, const QString& What) {
  if (Queue.empty()) throw Exception("予期しないダイアログです: " + What.toStdString());
  T Front = std::move(Queue.front());
  Queue.pop_front();
  return Front;
}

bool Answer(const std::optional<QString>& Given, QString& Value) {
  if (!Given) return false;
  Value = *Given;
  return true;
}

} // namespace

TModalResult TScriptedDialogs::MessageBox(QWidget*, const QString& Text, const QString& Caption,
                                          TMsgDlgType Type, unsigned Buttons) {
  Calls.push_back({dkMessage, Text, Caption, Type, Buttons, {}, {}});
  return Next(MessageAnswers, Text);
}

bool TScriptedDialogs::InputQuery(QWidget*, const QString& Caption, const QString& Prompt,
                                  QString& Value) {
  Calls.push_back({dkInput, Value, Caption, mtInformation, 0, Prompt, {}});
  return Answer(Next(InputAnswers, Prompt), Value);
}

bool TScriptedDialogs::OpenFileName(QWidget*, const TFileDialogOptions& Options,
                                    QString& FileName) {
  Calls.push_back({dkOpenFile, {}, {}, mtInformation, 0, {}, Options});
  return Answer(Next(FileAnswers, Options.Title), FileName);
}

bool TScriptedDialogs::SaveFileName(QWidget*, const TFileDialogOptions& Options,
                                    QString& FileName) {
  Calls.push_back({dkSaveFile, {}, {}, mtInformation, 0, {}, Options});
  return Answer(Next(FileAnswers, Options.Title), FileName);
}
