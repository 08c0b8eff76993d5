#pragma once

#include <QString>

class QCoreApplication;
class TApplication;
class TForm1;

// The program's name: the application's title, the start of the caption.
QString ProgramTitle();
// What the program sets up before its window, shared with the screenshot
// tool: the application's title, the font mapping, Qt's own texts
// (standard buttons, the file dialogs) in Japanese like the rest, and
// windows kept on the screen.
void PrepareApplication(TApplication& Application);
// Qt's own texts, dates and numbers in Japanese, whatever the environment.
void SpeakJapanese(QCoreApplication& Application);
// Opens the file named on the command line the way 開く does, once the
// event loop runs, so that a failure shows its error box like any command.
// With an empty name the window stays as it started.
void OpenStartFile(TForm1& Form, const QString& FileName);
