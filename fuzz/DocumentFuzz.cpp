// Feeds arbitrary bytes to what a data file drives once it is read: the
// calculation, the results, the checks of the section and the results as
// CSV text and as the results window's lines. Besides what the sanitizers
// find, the largest S and M are not below the smallest, and the CSV is
// well formed: every row holds the header's number of fields, each a
// number written whole or the out-of-range word, and the positions never
// go back.
#include "analysis/BeamData.h"
#include "analysis/SectionChecks.h"
#include "analysis/Stream.h"
#include "mainwindow/Exports.h"
#include "mainwindow/ResultsText.h"
#include "platform/Exceptions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

void Require(bool Condition) {
  if (!Condition) std::abort();
}

// A field is the out-of-range word, or a number that to_chars would have
// written: from_chars reads it to its end.
double Field(const QByteArray& Text) {
  if (Text == OutOfRangeText().toUtf8()) return NAN;
  double Value = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  Require(Error == std::errc() && End == Text.data() + Text.size() && std::isfinite(Value));
  return Value;
}

void CheckCsv(const QByteArray& Csv) {
  QList<QByteArray> Lines = Csv.split('\n');
  Require(Lines.size() >= 2 && Lines.takeLast().isEmpty());
  const qsizetype Columns = Lines.takeFirst().count(',') + 1;
  double LastX = -INFINITY;
  for (const QByteArray& Line : Lines) {
    Require(Line.endsWith('\r'));
    const QList<QByteArray> Fields = Line.chopped(1).split(',');
    Require(Fields.size() == Columns);
    const double X = Field(Fields.front());
    for (qsizetype I = 1; I < Columns; ++I)
      Field(Fields[I]);
    Require(!(X < LastX));
    if (std::isfinite(X)) LastX = X;
  }
}

void CheckResults(const TBeamResults& R) {
  for (const TQuantity Q : {qShear, qMoment})
    if (R.Has(Q)) Require(!(R.Largest(Q).Value < R.Smallest(Q).Value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream Stream(std::vector<std::uint8_t>(Data, Data + Size));
  TData Document;
  try {
    Document.LoadFromStream(Stream);
  } catch (const EReadError&) {
    return 0;
  }
  Document.Calculate();
  CheckResults(Document.Results());
  static_cast<void>(CheckSection(Document.Section(), Document.Results()));
  CheckCsv(ResultsCsv(Document));
  Require(!ResultLines(Document).isEmpty());
  return 0;
}
