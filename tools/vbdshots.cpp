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
  // Only the part of the screen the program uses, in device pixels (twice
  // as many each way under QT_SCALE_FACTOR=2).
  const qreal Ratio = Screen.devicePixelRatio();
  Screen.copy(QRectF(0, 0, 1000 * Ratio, 760 * Ratio).toRect()).save(OutDir + "/" + Name + ".png");
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

void SetLength(TForm1& Form, double L) {
  Form.BaseDataGrid->SetCells(2, 1, QString::number(L, 'f', 3));
  Form.FData->SetLength(L);
}

void SetSpan(TForm1& Form, double L, int BeamType) {
  SetLength(Form, L);
  Form.BaseDataGrid->SetToggleIndex(2, 0, BeamType);
  Form.FData->SetBeamType(BeamType);
}

// The window: new, a simple beam with every kind of load, its extremes
// and results, then a cantilever.
void ShotWindows(TForm1& Form) {
  Grab("window_new");
  SetSpan(Form, 10, btSimple);
  EnterLoad(Form, {lkUniform, "0", "20", "4", "等分布"});
  EnterLoad(Form, {lkLeftTriangle, "5", "9", "3", "左三角"});
  EnterLoad(Form, {lkRightTriangle, "2", "6", "5", "右三角"});
  EnterLoad(Form, {lkConcentrated, "8", "12", "", "集中"});
  EnterLoad(Form, {lkMoment, "6", "15", "", "モーメント"});
  Form.PaintBox1->repaint();
  Grab("window_simple_all_kinds");

  // The extremes on the diagram, then the results window beside it.
  Form.ShowExtremes1->trigger();
  Grab("window_extremes");
  Form.Results1Click(&Form);
  Form.FResultsWindow->move(330, 300);
  Grab("window_results");
  Form.FResultsWindow->close();
  Form.ShowExtremes1->trigger();

  GrabModal("dialog_unsaved", [&] { Form.New1Click(&Form); });
  Form.FData->Clear();
  Form.New1Click(&Form);
  SetSpan(Form, 6, btCantilever);
  EnterLoad(Form, {lkUniform, "0", "12", "3", "床荷重"});
  EnterLoad(Form, {lkConcentrated, "6", "8", "", "先端"});
  EnterLoad(Form, {lkMoment, "3", "-5", "", ""});
  Grab("window_cantilever");
}

// A new 10 m beam on Supports (of Preset) with loads over the supports and a
// moment at the left end, its extremes labelled.
void ShotSupports(TForm1& Form, const QString& Name, std::int32_t Preset,
                  const TSupports& Supports) {
  Form.FData->Clear();
  Form.New1Click(&Form);
  SetLength(Form, 10);
  Form.ChangeSupports(Preset, Supports);
  EnterLoad(Form, {lkUniform, "0", "8", "10", "等分布"});
  EnterLoad(Form, {lkConcentrated, "2.5", "20", "", "集中"});
  EnterLoad(Form, {lkConcentrated, "8", "10", "", "支点上"});
  EnterLoad(Form, {lkMoment, "0", "10", "", "端部"});
  Grab(Name);
}

// Every type that rests on a support list, a continuous beam of three
// spans, and that beam after its span was retyped shorter than its
// supports reach.
void ShotSupportTypes(TForm1& Form) {
  Form.ShowExtremes1->trigger();
  const std::pair<const char*, std::int32_t> Types[] = {{"left_fixed", bpLeftFixed},
                                                        {"overhang", bpOverhang},
                                                        {"fixed_fixed", bpFixedFixed},
                                                        {"propped", bpPropped},
                                                        {"continuous", bpContinuous}};
  for (const auto& [Name, Preset] : Types)
    ShotSupports(Form, QStringLiteral("supports_") + QString::fromLatin1(Name), Preset,
                 PresetSupports(Preset, 10));
  const TSupports ThreeSpans = {{skPin, 0, false},
                                {skRoller, 10.0 / 3, false},
                                {skRoller, 20.0 / 3, false},
                                {skRoller, 0, true}};
  ShotSupports(Form, QStringLiteral("supports_three_spans"), bpContinuous, ThreeSpans);
  SetLength(Form, 5);
  Grab("supports_span_retyped");
  Form.ShowExtremes1->trigger();
  Form.FData->Clear();
  Form.New1Click(&Form);
}

// The open dialog, the about box while its clip plays and after it has
// ended, and the help window with its contents and a search.
void ShotDialogs(TForm1& Form) {
  GrabModal("dialog_open", [&] {
    QString Name;
    TFileDialogOptions Options;
    Options.DefaultExt = QStringLiteral("vbd");
    Options.Filters = {QStringLiteral("Vantrel用ファイル (*.vbd)"),
                       QStringLiteral("全てのファイル (*)")};
    Dialogs().OpenFileName(&Form, Options, Name);
  });

  QTimer::singleShot(1500, [] { Grab("about_playing"); });
  QTimer::singleShot(6500, [] {
    Grab("about_after");
    if (QWidget* Modal = QApplication::activeModalWidget()) Modal->close();
  });
  Form.About1Click(&Form);

  Form.Contents1Click(&Form);
  THelpWindow::Instance().move(60, 60);
  Grab("help_contents");
  THelpWindow::Instance().ShowSearch();
  THelpWindow::Instance().SearchField()->setText(QStringLiteral("照査位置"));
  QMetaObject::invokeMethod(THelpWindow::Instance().SearchField(), "returnPressed");
  Grab("help_search");
  THelpWindow::Release();
}

// A grid of every editing kind: a merged block and a pick list.
void FillEditingGrid(TFormatGrid& Grid) {
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
}

// The grid with the editor open on the merged block, then the pick list.
void ShotGridEditing() {
  TFormatGrid Grid;
  FillEditingGrid(Grid);
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
  ShotWindows(*Form);
  ShotSupportTypes(*Form);
  ShotDialogs(*Form);
  Form->FData->Clear();
  Form.reset();
  ShotGridEditing();
  return 0;
}
