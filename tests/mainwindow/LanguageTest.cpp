// Qt's own widgets speak Japanese whatever the environment says.
#include "mainwindow/ProgramStart.h"

#include <QApplication>
#include <QDate>
#include <QFileSystemModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(LanguageTest, QtsOwnTextsDatesAndButtonsAreJapaneseUnderAnyLang) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // as LANG=en_US would
  SpeakJapanese(*qApp);
  QFileSystemModel Files;
  EXPECT_EQ(Files.headerData(0, Qt::Horizontal).toString(), QStringLiteral("名前"));
  EXPECT_EQ(Files.headerData(1, Qt::Horizontal).toString(), QStringLiteral("サイズ"));
  EXPECT_TRUE(QLocale().toString(QDate(2026, 12, 7), QLocale::LongFormat).contains("2026年"));
  EXPECT_EQ(QLocale().decimalPoint(), ".");
  QMessageBox Box;
  const QString Yes = Box.addButton(QMessageBox::Yes)->text();
  const QString Cancel = Box.addButton(QMessageBox::Cancel)->text();
  EXPECT_TRUE(Yes.contains(QStringLiteral("はい"))) << Yes.toStdString();
  EXPECT_TRUE(Cancel.contains(QStringLiteral("キャンセル"))) << Cancel.toStdString();
  QLocale::setDefault(QLocale::c());
}

} // namespace
