#pragma once

class QCoreApplication;
class TApplication;

// What the program sets up before its window, shared with the screenshot
// tool: the application's title, the font mapping, and Qt's own texts
// (standard buttons, the file dialogs) in Japanese like the rest.
void PrepareApplication(TApplication& Application);
// Qt's own texts, dates and numbers in Japanese, whatever the environment.
void SpeakJapanese(QCoreApplication& Application);
