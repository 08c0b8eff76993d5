#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

class QLabel;
class QWidget;

class QWidget;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
// Buttons of a message box (bits).
enum TMsgDlgButtons : unsigned { mbOK = 1, mbYes = 2, mbNo = 4, mbCancel = 8 };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// What a message box answers to Escape or to being closed: Cancel when it
// is offered, else No when that is, else OK.
constexpr TModalResult EscapeResult(unsigned Buttons) {
  if (Buttons & mbCancel) return mrCancel;
  if (Buttons & mbNo) return mrNo;
  return mrOk;
}

// The frame of a dialog of fixed size (the message and input boxes, the
// about box): a title bar with the system menu and the close button, and
// no minimise or maximise button. CustomizeWindowHint makes these hints
// the whole set on every platform, instead of the platform's default.
inline constexpr Qt::WindowFlags FixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint;

// The red line where a dialog says why it refuses what was entered, with
// room for Lines lines from the start so that the dialog keeps its size.
QLabel* NewMessageLabel(QWidget* Parent, int Lines);

struct TFileDialogOptions {
  QString Title;
  QString InitialDir;
  QString FileName;    // the name proposed at first
  QString DefaultExt;  // without the dot
  QStringList Filters; // "name (*.ext)" entries, in order
  int FilterIndex = 0; // the filter selected at first
};

// Every modal interaction of the program goes through here, so that tests
// can answer in place of the user.
class TDialogs {
public:
  TDialogs() = default;
  TDialogs(const TDialogs&) = delete;
  TDialogs& operator=(const TDialogs&) = delete;
  virtual ~TDialogs() = default;

  // A message box with the caption, the icon of Type and the Buttons (bits
  // of TMsgDlgButtons; none means OK); returns the button pressed, or
  // EscapeResult(Buttons) on Escape or closing.
  virtual TModalResult MessageBox(QWidget* Parent, const QString& Text, const QString& Caption,
                                  TMsgDlgType Type, unsigned Buttons) = 0;
  // The one-line input box: false when cancelled; Value holds the initial
  // text and receives the entry.
  virtual bool InputQuery(QWidget* Parent, const QString& Caption, const QString& Prompt,
                          QString& Value) = 0;
  // False when cancelled; FileName receives the chosen full path. The open
  // dialog takes any name, existing or not (see OpenDialogName); the save
  // dialog appends the default extension to a name typed without one and
  // asks before replacing an existing file.
  virtual bool OpenFileName(QWidget* Parent, const TFileDialogOptions& Options,
                            QString& FileName) = 0;
  virtual bool SaveFileName(QWidget* Parent, const TFileDialogOptions& Options,
                            QString& FileName) = 0;
};

// The file an open dialog passes on for a typed name: the name as typed,
// unless it has no extension and no file of that name exists; then the
// name with the default extension DefaultExt (without the dot).
QString OpenDialogName(const QString& Typed, const QString& DefaultExt);

// The dialogs in use: the Qt ones unless others are installed.
TDialogs& Dialogs();
// Installs Value in place of the Qt dialogs; nullptr restores them.
void SetDialogs(TDialogs* Value);
