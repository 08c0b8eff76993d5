// Timing of the exports: the report sheet as a PDF file, the samples as CSV.
#include "bench/SampleDocument.h"
#include "mainwindow/Exports.h"
#include "mainwindow/ReportSheet.h"

#include <QPageLayout>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_PdfExport(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("sheet.pdf"));
  const TReportInfo Info{QStringLiteral("sample.vbd"), QStringLiteral("2024/01/01"), {}};
  for (auto _ : State)
    SaveReportPdf(Data, File, Info, DefaultPageLayout());
}
BENCHMARK(BM_PdfExport)->Arg(30)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, 30, btSimple);
  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("samples.csv"));
  for (auto _ : State)
    SaveResultsCsv(Data, File);
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

} // namespace
