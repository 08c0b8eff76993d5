// Vantrel: a calculator for statically determinate beams.
#include "mainwindow/InputUnit.h"
#include "platform/Application.h"
#include "platform/Fonts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
  TApplication Application(argc, argv);
  Application.SetTitle(QStringLiteral("Vantrel"));
  Application.SetHelpFile(QStringLiteral("Vantrel.chm"));
  InstallFontSubstitutes();
  // Standard buttons and the file dialogs speak Japanese like the rest.
  QTranslator Translator;
  if (Translator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    Application.installTranslator(&Translator);
  TForm1 Form1;
  Form1.show();
  return Application.exec();
}
