#pragma once

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;
class TData;

// The results window "計算結果": a window of its own beside the main window
// (not modal) with the reactions, the extremes and the loads with their
// reaction shares as selectable text.
class TResultsWindow : public QWidget {
public:
  explicit TResultsWindow(QWidget* Parent);

  // Shows the results of Data as they are now.
  void ShowResults(const TData& Data);

  QPlainTextEdit* ResultsMemo;
  QPushButton* SectionBtn;
  QPushButton* CopyBtn;
  // Fired by 断面・材料: the window's owner edits the section.
  std::function<void()> OnEditSection;
  QPushButton* CloseBtn;
};
