#include "mainwindow/ReportHeader.h"

#include "mainwindow/ReportSheet.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDate>
#include <QSettings>

namespace {

QString DateText(const QDate& Date) {
  return Date.toString(QStringLiteral("yyyy/MM/dd"));
}

struct TProgramSettings : QSettings {
  TProgramSettings() : QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel")) {
    beginGroup(QStringLiteral("Report"));
  }
};

} // namespace

void ReadReportHeader(TReportInfo& Info, const QDate& Today) {
  const TProgramSettings Settings;
  Info.Subject = Settings.value(QStringLiteral("Subject")).toString();
  Info.Designer = Settings.value(QStringLiteral("Designer")).toString();
  Info.Date = Settings.value(QStringLiteral("Date")).toString();
  if (Info.Date.isEmpty()) Info.Date = DateText(Today);
}

void WriteReportHeader(const TReportInfo& Info, const QDate& Today) {
  TProgramSettings Settings;
  Settings.setValue(QStringLiteral("Subject"), Info.Subject);
  Settings.setValue(QStringLiteral("Designer"), Info.Designer);
  Settings.setValue(QStringLiteral("Date"), Info.Date == DateText(Today) ? QString() : Info.Date);
  Settings.sync();
  if (Settings.status() != QSettings::NoError)
    throw Exception(QCoreApplication::translate("ReportHeader",
                                                "計算書の設定を保存できません (ファイル \"%1\")。")
                        .arg(Settings.fileName())
                        .toStdString());
}
