#include "mainwindow/PrintDialogs.h"

#include "platform/Replaceable.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>

namespace {

// Turns the page layout of Printer to a reversed orientation chosen in
// Qt's page set-up Dialog, found by the names Qt gives its radio buttons.
void TakeReversedOrientation(const QDialog& Dialog, QPrinter& Printer) {
  const auto Chosen = [&Dialog](const char* Name) {
    const auto* Button = Dialog.findChild<QRadioButton*>(QLatin1String(Name));
    return Button && Button->isChecked();
  };
  if (Chosen("reverseLandscape")) Printer.setPageOrientation(QPageLayout::Landscape);
  if (Chosen("reversePortrait")) Printer.setPageOrientation(QPageLayout::Portrait);
}

} // namespace

bool TPrintDialogs::Print(QWidget* Parent, QPrinter& Printer) {
  QPrintDialog Dialog(&Printer, Parent);
  Dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return Dialog.exec() == QDialog::Accepted;
}

bool TPrintDialogs::PageSetup(QWidget* Parent, QPrinter& Printer) {
  QPageSetupDialog Dialog(&Printer, Parent);
  if (Dialog.exec() != QDialog::Accepted) return false;
  TakeReversedOrientation(Dialog, Printer);
  return true;
}

TPrintDialogs& PrintDialogs() {
  return TReplaceable<TPrintDialogs>::Get();
}

void SetPrintDialogs(TPrintDialogs* Value) {
  TReplaceable<TPrintDialogs>::Set(Value);
}
