// The main window shown offscreen at its design size, with scripted
// dialogs in place of the real ones, the program's settings in a folder of
// the test's own and a count of diagram paints.
#pragma once

#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ReportDialog.h"
#include "mainwindow/ReportSheet.h"
#include "platform/Controls.h"
#include "platform/Exceptions.h"
#include "platform/PaintBox.h"
#include "tests/kit/EnterLoad.h"
#include "tests/kit/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

// The form with its close handling reachable, so that a close can be
// tried without going through Qt's event dispatch.
class TTestForm : public TForm1 {
public:
  using TForm1::closeEvent;
};

// Answers the report dialog: records the report it was shown, then puts in
// the header of the next answer (an empty one cancels). A dialog with no
// answer queued throws, so that it is noticed.
class TScriptedReportDialog : public TReportDialog {
public:
  std::vector<TReportInfo> Shown;
  std::deque<std::optional<TReportInfo>> Answers;

  bool Edit(QWidget*, TReportInfo& Info) override {
    Shown.push_back(Info);
    if (Answers.empty()) throw Exception("予期しないダイアログです: 計算書の設定");
    const std::optional<TReportInfo> Answer = Answers.front();
    Answers.pop_front();
    if (!Answer) return false;
    Info.Subject = Answer->Subject;
    Info.Designer = Answer->Designer;
    Info.Date = Answer->Date;
    return true;
  }
};

class FormTest : public ::testing::Test {
protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, SettingsDir.path());
    SetDialogs(&Scripted);
    SetReportDialog(&ReportScripted);
    Form = std::make_unique<TTestForm>();
    TNotifyEvent Paint = Form->PaintBox1->OnPaint;
    Form->PaintBox1->OnPaint = [this, Paint](TObject* Sender) {
      ++Paints;
      Paint(Sender);
    };
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QApplication::processEvents();
  }
  void TearDown() override {
    Form.reset();
    SetDialogs(nullptr);
    SetReportDialog(nullptr);
  }

  TData& Data() const { return *Form->FData; }

  // Enters one load the way the user does: kind, values, remark, Add (or
  // Replace when By is the replace button).
  void EnterLoad(int Kind, const QString& X, const QString& W, const QString& Width = {},
                 const QString& Remark = {}, TButton* By = nullptr) {
    ::EnterLoad(*Form, {Kind, X, W, Width, Remark}, By);
  }

  // Clicks the middle of a cell of Grid.
  static void ClickCell(TFormatGrid* Grid, int ACol, int ARow) {
    const TRect R = Grid->CellRect(ACol, ARow);
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {},
                      QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
  }
  static bool Editing(TFormatGrid* Grid) {
    return Grid->InplaceEditor() && Grid->InplaceEditor()->isVisible();
  }

  QTemporaryDir SettingsDir;
  TScriptedDialogs Scripted;
  TScriptedReportDialog ReportScripted;
  std::unique_ptr<TTestForm> Form;
  int Paints = 0;
};
