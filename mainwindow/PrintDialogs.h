#pragma once

class QPrinter;
class QWidget;

// The printer's own dialogs, behind an interface so that tests can answer
// them like the other dialogs.
class TPrintDialogs {
public:
  TPrintDialogs() = default;
  TPrintDialogs(const TPrintDialogs&) = delete;
  TPrintDialogs& operator=(const TPrintDialogs&) = delete;
  virtual ~TPrintDialogs() = default;

  // The print dialog; false when cancelled.
  virtual bool Print(QWidget* Parent, QPrinter& Printer);
  // The page set-up dialog (paper and orientation); false when cancelled.
  // The orientation chosen reaches the printer's page layout, a reversed
  // one too: Qt's dialog on Linux keeps reverse landscape and reverse
  // portrait only as printer options and leaves the page layout as it
  // was, so that the PDF export would not turn with the page.
  virtual bool PageSetup(QWidget* Parent, QPrinter& Printer);
};

// The dialogs in use: Qt's unless others are installed.
TPrintDialogs& PrintDialogs();
// Installs Value in place of Qt's dialogs; nullptr restores them.
void SetPrintDialogs(TPrintDialogs* Value);
