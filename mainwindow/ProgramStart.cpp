#include "mainwindow/ProgramStart.h"

#include "platform/Application.h"
#include "platform/Fonts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void PrepareApplication(TApplication& Application) {
  Application.SetTitle(QStringLiteral("Vantrel"));
  InstallFontSubstitutes();
  auto* Translator = new QTranslator(&Application);
  if (Translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    Application.installTranslator(Translator);
}
