#include "mainwindow/ProgramStart.h"

#include "platform/Application.h"
#include "platform/Fonts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void PrepareApplication(TApplication& Application) {
  Application.SetTitle(QStringLiteral("Vantrel"));
  InstallFontSubstitutes();
  SpeakJapanese(Application);
}

void SpeakJapanese(QCoreApplication& Application) {
  // Whatever the user's LANG: dates, sizes and numbers of Qt's own
  // widgets in the Japanese way, and their texts from Qt's translations.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  auto* Translator = new QTranslator(&Application);
  if (Translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    Application.installTranslator(Translator);
  else
    delete Translator;
}
