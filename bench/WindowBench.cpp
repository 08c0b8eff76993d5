// Timing of the window's edit paths with their synchronous recalculation
// and repaint, on a diagram area of 1000 × 700 pixels:
//   the add button for the 30th load (five setters, each recalculating and
//   repainting), and one keystroke in the span cell with 30 loads.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/PaintBox.h"
#include "tests/kit/EnterLoad.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

// A shown window whose diagram area is 1000 × 700, with Loads loads on a
// 10 m simple beam entered through the add button.
std::unique_ptr<TForm1> MakeWindow(int Loads) {
  auto Form = std::make_unique<TForm1>();
  Form->show();
  Form->resize(Form->width() + 1000 - Form->PaintBox1->width(),
               Form->height() + 700 - Form->PaintBox1->height());
  QApplication::processEvents();
  if (Form->PaintBox1->width() != 1000 || Form->PaintBox1->height() != 700)
    throw std::runtime_error("the diagram area is not 1000 × 700");
  Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1, QStringLiteral("10"));
  for (int I = 0; I < Loads; ++I)
    EnterLoad(*Form,
              {I % 5, QString::number(I % 10), QString::number(5 + I), QStringLiteral("2"), {}});
  return Form;
}

void BM_AddThirtiethLoad(benchmark::State& State) {
  auto Form = MakeWindow(29);
  for (auto _ : State) {
    EnterLoad(*Form, {lkUniform, QStringLiteral("3.5"), QStringLiteral("12"), QStringLiteral("2.5"),
                      QStringLiteral("追加")});
    State.PauseTiming();
    Form->FData->DeleteLoad(29);
    State.ResumeTiming();
  }
}
BENCHMARK(BM_AddThirtiethLoad)->Unit(benchmark::kMillisecond);

void BM_SpanKeystroke(benchmark::State& State) {
  auto Form = MakeWindow(30);
  bool Longer = false;
  for (auto _ : State) {
    Longer = !Longer;
    Form->BaseDataGridSetEditText(Form->BaseDataGrid, 2, 1,
                                  Longer ? QStringLiteral("10.5") : QStringLiteral("10"));
  }
}
BENCHMARK(BM_SpanKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
