#include "mainwindow/ProgramStart.h"

#include "mainwindow/InputUnit.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/Fonts.h"
#include "platform/ScreenFit.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString ProgramTitle() {
  return QStringLiteral("Vantrel");
}

void PrepareApplication(TApplication& Application) {
  Application.SetTitle(ProgramTitle());
  InstallFontSubstitutes();
  SpeakJapanese(Application);
  KeepWindowsOnScreen(Application);
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

void OpenStartFile(TForm1& Form, const QString& FileName) {
  if (FileName.isEmpty()) return;
  // The open dialog names files by their full path; so does the caption's
  // file and every message about it.
  const QString FullName = AbsoluteFileName(FileName);
  QMetaObject::invokeMethod(
      &Form, [&Form, FullName] { Form.OpenFile(FullName); }, Qt::QueuedConnection);
}
