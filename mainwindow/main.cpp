// Vantrel: a calculator for statically determinate beams.
#include "mainwindow/InputUnit.h"
#include "mainwindow/ProgramStart.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
  TApplication Application(argc, argv);
  PrepareApplication(Application);
  Application.SetHelpFile(QStringLiteral("Vantrel.chm"));
  TForm1 Form1;
  Form1.show();
  OpenStartFile(Form1, Application.arguments());
  return Application.exec();
}
