#include "mainwindow/PrintDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {
TPrintDialogs* Installed = nullptr;
}

bool TPrintDialogs::Print(QWidget* Parent, QPrinter& Printer) {
  QPrintDialog Dialog(&Printer, Parent);
  Dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return Dialog.exec() == QDialog::Accepted;
}

bool TPrintDialogs::PageSetup(QWidget* Parent, QPrinter& Printer) {
  QPageSetupDialog Dialog(&Printer, Parent);
  return Dialog.exec() == QDialog::Accepted;
}

TPrintDialogs& PrintDialogs() {
  static TPrintDialogs Qt;
  return Installed ? *Installed : Qt;
}

void SetPrintDialogs(TPrintDialogs* Value) {
  Installed = Value;
}
