#pragma once

#include <QStringList>

class QCoreApplication;
class TApplication;
class TForm1;

// What the program sets up before its window, shared with the screenshot
// tool: the application's title, the font mapping, and Qt's own texts
// (standard buttons, the file dialogs) in Japanese like the rest.
void PrepareApplication(TApplication& Application);
// Qt's own texts, dates and numbers in Japanese, whatever the environment.
void SpeakJapanese(QCoreApplication& Application);
// Opens the file named first in Arguments (the program's arguments as Qt
// leaves them, its own options taken out) the way 開く does, once the
// event loop runs, so that a failure shows its error box like any command.
// Nothing else of the command line is read; without a file name, or with
// an empty one, the window stays as it started.
void OpenStartFile(TForm1& Form, const QStringList& Arguments);
