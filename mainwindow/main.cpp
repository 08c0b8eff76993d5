// Vantrel: a calculator for statically determinate beams.
#include "mainwindow/CommandLine.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ProgramStart.h"
#include "platform/Application.h"
#include "platform/FirstPaint.h"

int main(int argc, char** argv) {
  const QStringList Raw = ArgumentList(argc, argv);
  // Help and version are answered before Qt looks for a display. A refusal
  // waits for the application object, which takes Qt's own options out.
  const TCommandLine Early = ParseCommandLine(Raw);
  if (Early.Kind != skRefuse)
    if (const std::optional<int> Code = AnswerCommandLine(Early)) return *Code;
  // Qt would take its options from anywhere; what follows "--" are file
  // names, so Qt is shown only what comes before.
  const qsizetype OptionsEnd = Raw.indexOf(QStringLiteral("--"));
  const int QtCount = OptionsEnd < 0 ? argc : static_cast<int>(OptionsEnd);
  int QtArgc = QtCount; // Qt takes its options out of argv and lowers it
  TApplication Application(QtArgc, argv);
  const TCommandLine Command = ParseCommandLine(ArgumentList(QtArgc, argv) + Raw.mid(QtCount));
  if (const std::optional<int> Code = AnswerCommandLine(Command)) return *Code;
  PrepareApplication(Application);
  Application.SetHelpFile(QStringLiteral("Vantrel.chm"));
  TForm1 Form1;
  QuitAfterFirstPaintIfAsked(Form1);
  Form1.show();
  OpenStartFile(Form1, Command.FileName);
  return Application.exec();
}
