// vbdshots OUTDIR: screenshots of the program window and its dialogs, for
// looking at them. Run it on a real X display (scripts/screenshots.sh runs
// it under Xvfb); it grabs the whole screen, dialogs included.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ProgramStart.h"
#include "mainwindow/ResultsWindow.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/PaintBox.h"
#include "tests/kit/EnterLoad.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <functional>
#include <iostream>

namespace {

QString OutDir;

void Settle() {
  for (int I = 0; I < 20; ++I) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

void Grab(const QString& Name) {
  Settle();
  const QPixmap Screen = QGuiApplication::primaryScreen()->grabWindow(0);
  // Only the part of the screen the program uses.
  Screen.copy(0, 0, 1000, 760).save(OutDir + "/" + Name + ".png");
  std::cout << (OutDir + "/" + Name + ".png").toStdString() << '\n';
}

// Runs Show, which opens a modal dialog, grabs the screen while it is up
// and closes it with Escape.
void GrabModal(const QString& Name, const std::function<void()>& Show) {
  QTimer::singleShot(600, [Name] {
    Grab(Name);
    if (QWidget* Modal = QApplication::activeModalWidget()) Modal->close();
  });
  Show();
}

void SetSpan(TForm1& Form, double L, int BeamType) {
  Form.BaseDataGrid->SetCells(2, 1, QString::number(L, 'f', 3));
  Form.FData->SetLength(L);
  Form.BaseDataGrid->SetToggleIndex(2, 0, BeamType);
  Form.FData->SetBeamType(BeamType);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vbdshots OUTDIR\n";
    return 2;
  }
  TApplication Application(argc, argv);
  PrepareApplication(Application);
  OutDir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(OutDir);

  auto Form = std::make_unique<TForm1>();
  Form->move(0, 0);
  Form->show();
  Grab("window_new");

  SetSpan(*Form, 10, btSimple);
  EnterLoad(*Form, {lkUniform, "0", "20", "4", "等分布"});
  EnterLoad(*Form, {lkLeftTriangle, "5", "9", "3", "左三角"});
  EnterLoad(*Form, {lkRightTriangle, "2", "6", "5", "右三角"});
  EnterLoad(*Form, {lkConcentrated, "8", "12", "", "集中"});
  EnterLoad(*Form, {lkMoment, "6", "15", "", "モーメント"});
  Form->PaintBox1->repaint();
  Grab("window_simple_all_kinds");

  // The extremes on the diagram, then the results window beside it.
  Form->ShowExtremes1->trigger();
  Grab("window_extremes");
  Form->Results1Click(Form.get());
  Form->FResultsWindow->move(330, 300);
  Grab("window_results");
  Form->FResultsWindow->close();
  Form->ShowExtremes1->trigger();

  GrabModal("dialog_unsaved", [&] { Form->New1Click(Form.get()); });
  Form->FData->Clear();
  Form->New1Click(Form.get());
  SetSpan(*Form, 6, btCantilever);
  EnterLoad(*Form, {lkUniform, "0", "12", "3", "床荷重"});
  EnterLoad(*Form, {lkConcentrated, "6", "8", "", "先端"});
  EnterLoad(*Form, {lkMoment, "3", "-5", "", ""});
  Grab("window_cantilever");

  GrabModal("dialog_open", [&] {
    QString Name;
    TFileDialogOptions Options;
    Options.DefaultExt = QStringLiteral("vbd");
    Options.Filters = {QStringLiteral("Vantrel用ファイル (*.vbd)"),
                       QStringLiteral("全てのファイル (*)")};
    Dialogs().OpenFileName(Form.get(), Options, Name);
  });

  // The about box while its clip plays and after it has ended.
  QTimer::singleShot(1500, [] { Grab("about_playing"); });
  QTimer::singleShot(6500, [] {
    Grab("about_after");
    if (QWidget* Modal = QApplication::activeModalWidget()) Modal->close();
  });
  Form->About1Click(Form.get());

  Form->Contents1Click(Form.get());
  THelpWindow::Instance().move(60, 60);
  Grab("help_contents");
  THelpWindow::Instance().ShowSearch();
  THelpWindow::Instance().SearchField()->setText(QStringLiteral("照査位置"));
  QMetaObject::invokeMethod(THelpWindow::Instance().SearchField(), "returnPressed");
  Grab("help_search");
  THelpWindow::Release();
  Form->FData->Clear();
  Form.reset();

  // A grid with the editor open on a merged block, then a pick list.
  TFormatGrid Grid;
  Grid.SetColCount(4);
  Grid.SetRowCount(4);
  Grid.SetDefaultColWidth(80);
  Grid.SetCells(1, 0, QStringLiteral("結合ブロック"));
  Grid.SetCells(1, 1, QStringLiteral("二列にまたがる入力"));
  Grid.SetCellKind(1, 1, ckEditBox);
  Grid.SetCellKind(2, 1, ckEditBox);
  Grid.SetCellMerge(2, 1, 1, true);
  Grid.SetCells(1, 2, QStringLiteral("kN/m"));
  Grid.SetCellKind(1, 2, ckPickList);
  Grid.ToggleItems(1, 2) = {QStringLiteral("kN"), QStringLiteral("kN/m"), QStringLiteral("kN･m"),
                            QStringLiteral("m"),  QStringLiteral("mm"),   QStringLiteral("t")};
  Grid.resize(360, 140);
  Grid.move(40, 40);
  Grid.show();
  Grid.activateWindow();
  QApplication::setActiveWindow(&Grid);
  Settle();
  Grid.setFocus();
  Settle();
  // Onto the block from another cell, as a click would.
  Grid.SetRow(3);
  Grid.SetRow(1);
  // F2, as the user opens the editor.
  QKeyEvent F2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
  QApplication::sendEvent(&Grid, &F2);
  if (Grid.InplaceEditor()) Grid.InplaceEditor()->LineEdit()->end(false); // caret at the end
  Grab("grid_editor_merged");
  Grid.SetRow(2);
  Grid.ShowEditor();
  if (Grid.InplaceEditor()) Grid.InplaceEditor()->DropDown();
  Grab("grid_picklist");
  return 0;
}
