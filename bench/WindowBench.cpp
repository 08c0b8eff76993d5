// Timing of the window's edit paths on a diagram area of 1000 × 700
// pixels, each up to the painted result (the events the action leaves
// behind are processed inside the timing):
//   the add button for one more load (kind, X, W, width and remark),
//   one keystroke in the span cell (also on a beam continuous over three
//   spans beside the simple beam), and opening a file through 開く,
// with a given number of loads already in the document.
#include "analysis/BeamData.h"
#include "bench/SampleDocument.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/PaintBox.h"
#include "tests/kit/EnterLoad.h"
#include "tests/kit/ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

// Sizes the window so that its diagram area is Wanted. Under a real X
// server the window manager places and sizes the window in its own time:
// the size is asked for again until it holds, up to a deadline.
void ResizeDiagram(TForm1& Form, QSize Wanted) {
  QElapsedTimer Waited;
  Waited.start();
  while (Form.PaintBox1->size() != Wanted) {
    if (Waited.elapsed() > 10000) throw std::runtime_error("the diagram area is not 1000 × 700");
    Form.resize(Form.size() + Wanted - Form.PaintBox1->size());
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  QApplication::processEvents();
}

// A shown window whose diagram area is 1000 × 700, with the sample loads
// on a 10 m simple beam; with a steel H-section when WithSection, so that
// θ and δ are calculated, drawn and read out too; continuous over three
// equal spans (supports at 0, L/3, 2L/3 and L) when Continuous.
std::unique_ptr<TForm1> MakeWindow(int Loads, bool WithSection = false, bool Continuous = false) {
  auto Form = std::make_unique<TForm1>();
  Form->show();
  ResizeDiagram(*Form, {1000, 700});
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, QStringLiteral("10"));
  FillSampleDocument(*Form->FData, Loads, btSimple);
  if (Continuous)
    Form->FData->SetSupports(bpContinuous, {{skPin, 0, false},
                                            {skRoller, 10.0 / 3, false},
                                            {skRoller, 20.0 / 3, false},
                                            {skRoller, 0, true}});
  if (WithSection) {
    TSection Section;
    Section.Name = "H-400x200x8x13";
    Section.E = 205000;
    Section.I = 23500;
    Section.Z = 1170;
    Section.Aw = 29.9;
    Section.Fb = 156.7;
    Section.Fs = 90.4;
    Form->FData->SetSection(Section);
  }
  Form->RefreshLoadList();
  Form->PaintBox1->repaint();
  QApplication::processEvents();
  return Form;
}

void BM_AddLoad(benchmark::State& State) {
  const int Loads = static_cast<int>(State.range(0));
  auto Form = MakeWindow(Loads);
  for (auto _ : State) {
    EnterLoad(*Form, {lkUniform, QStringLiteral("3.5"), QStringLiteral("12"), QStringLiteral("2.5"),
                      QStringLiteral("追加")});
    QApplication::processEvents();
    State.PauseTiming();
    Form->FData->DeleteLoad(Loads);
    QApplication::processEvents();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_AddLoad)->Arg(30)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Second argument: 1 with a section.
void BM_SpanKeystroke(benchmark::State& State) {
  auto Form = MakeWindow(static_cast<int>(State.range(0)), State.range(1) != 0);
  bool Longer = false;
  for (auto _ : State) {
    Longer = !Longer;
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1,
                                  Longer ? QStringLiteral("10.5") : QStringLiteral("10"));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SpanKeystroke)
    ->ArgsProduct({{30, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A key typed into the span cell's editor, as the keyboard delivers it, up
// to the repainted window: "5" after the span of 10, then Backspace. Run
// under X (QT_QPA_PLATFORM=xcb) it includes putting the window on screen.
void TypeIntoSpan(benchmark::State& State, TForm1* Form) {
  TFormatGrid* Grid = Form->BaseDataGrid;
  const TRect Cell = Grid->CellRect(2, 1);
  for (int Click = 0; Click < 2 && !(Grid->InplaceEditor() && Grid->InplaceEditor()->isVisible());
       ++Click)
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {},
                      QPoint((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2));
  if (!Grid->InplaceEditor() || !Grid->InplaceEditor()->isVisible())
    throw std::runtime_error("the span cell does not edit");
  QLineEdit* Line = Grid->InplaceEditor()->LineEdit();
  Line->selectAll();
  QTest::keyClicks(Line, "10");
  QApplication::processEvents();
  bool Longer = false;
  for (auto _ : State) {
    Longer = !Longer;
    QTest::keyClick(Line, Longer ? Qt::Key_5 : Qt::Key_Backspace);
    QApplication::processEvents();
  }
  if (Form->FData->Length() != 10 && Form->FData->Length() != 105)
    throw std::runtime_error("the keys did not reach the span");
}

// Second argument: 1 with a section.
void BM_SpanTyping(benchmark::State& State) {
  TypeIntoSpan(State, MakeWindow(static_cast<int>(State.range(0)), State.range(1) != 0).get());
}
BENCHMARK(BM_SpanTyping)->ArgsProduct({{30, 1000, 10000}, {0, 1}})->Unit(benchmark::kMillisecond);

// The same keys with the same loads on the simple beam (second argument 0)
// and on the beam continuous over three spans (1), whose reactions are
// solved for every load at each key.
void BM_SpanTypingOnSupports(benchmark::State& State) {
  const bool Continuous = State.range(1) != 0;
  const auto Form = MakeWindow(static_cast<int>(State.range(0)), false, Continuous);
  TypeIntoSpan(State, Form.get());
  if (!Form->FData->Results().Valid || Form->FData->Supports().size() != (Continuous ? 4u : 0u))
    throw std::runtime_error("the beam was not calculated on its supports");
}
BENCHMARK(BM_SpanTypingOnSupports)
    ->ArgsProduct({{30, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// 開く on a saved file of the sample loads, up to the painted window.
void BM_OpenFile(benchmark::State& State) {
  const std::string Name =
      (std::filesystem::temp_directory_path() / "vantrel_bench_open.vbd").string();
  {
    TData Source;
    FillSampleDocument(Source, static_cast<int>(State.range(0)), btSimple);
    Source.SaveToFile(Name);
  }
  auto Form = MakeWindow(0);
  Form->FData->SetModified(false);
  TScriptedDialogs Scripted;
  SetDialogs(&Scripted);
  for (auto _ : State) {
    Scripted.FileAnswers.push_back(QString::fromStdString(Name));
    Form->Open1Click(Form.get());
    QApplication::processEvents();
  }
  SetDialogs(nullptr);
  std::remove(Name.c_str());
}
BENCHMARK(BM_OpenFile)->Arg(30)->Arg(1000)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
