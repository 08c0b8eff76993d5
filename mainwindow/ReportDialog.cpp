#include "mainwindow/ReportDialog.h"

#include "mainwindow/ReportSheet.h"
#include "platform/Replaceable.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

bool TReportDialog::Edit(QWidget* Parent, TReportInfo& Info) {
  QDialog Dialog(Parent);
  Dialog.setWindowTitle(QCoreApplication::translate("ReportDialog", "計算書の設定"));
  auto* Subject = new QLineEdit(Info.Subject, &Dialog);
  auto* Designer = new QLineEdit(Info.Designer, &Dialog);
  auto* Date = new QLineEdit(Info.Date, &Dialog);
  Subject->setMinimumWidth(320);
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &Dialog);
  QObject::connect(Buttons, &QDialogButtonBox::accepted, &Dialog, &QDialog::accept);
  QObject::connect(Buttons, &QDialogButtonBox::rejected, &Dialog, &QDialog::reject);
  auto* Layout = new QFormLayout(&Dialog);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
  Layout->addRow(QCoreApplication::translate("ReportDialog", "件名(&S):"), Subject);
  Layout->addRow(QCoreApplication::translate("ReportDialog", "設計者(&D):"), Designer);
  Layout->addRow(QCoreApplication::translate("ReportDialog", "日付(&T):"), Date);
  Layout->addRow(Buttons);
  if (Dialog.exec() != QDialog::Accepted) return false;
  Info.Subject = Subject->text();
  Info.Designer = Designer->text();
  Info.Date = Date->text();
  return true;
}

TReportDialog& ReportDialog() {
  return TReplaceable<TReportDialog>::Get();
}

void SetReportDialog(TReportDialog* Value) {
  TReplaceable<TReportDialog>::Set(Value);
}
