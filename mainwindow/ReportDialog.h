#pragma once

class QWidget;
struct TReportInfo;

// The dialog "計算書の設定", asked before PDF出力 and 印刷: the header of
// the report, behind an interface so that tests can answer it like the
// other dialogs.
class TReportDialog {
public:
  TReportDialog() = default;
  TReportDialog(const TReportDialog&) = delete;
  TReportDialog& operator=(const TReportDialog&) = delete;
  virtual ~TReportDialog() = default;

  // Shows Subject, Designer and Date of Info for editing; false when
  // cancelled, with Info as it was.
  virtual bool Edit(QWidget* Parent, TReportInfo& Info);
};

// The dialog in use: the Qt one unless another is installed.
TReportDialog& ReportDialog();
// Installs Value in place of the Qt dialog; nullptr restores it.
void SetReportDialog(TReportDialog* Value);
