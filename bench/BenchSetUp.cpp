#include "bench/BenchSetUp.h"

#include "tests/kit/ProgramFonts.h"

#include <QApplication>
#include <QFont>
#include <cstdlib>
#include <stdexcept>

double BenchPixelRatio() {
  const char* Text = std::getenv("VANTREL_BENCH_DPR");
  if (!Text || !*Text) return 1;
  char* End = nullptr;
  const double Ratio = std::strtod(Text, &End);
  if (*End != '\0' || !(Ratio > 0 && Ratio <= 8))
    throw std::runtime_error("VANTREL_BENCH_DPR is no device pixel ratio");
  return Ratio;
}

void UseBenchFont() {
  const char* Family = std::getenv("VANTREL_BENCH_FONT");
  if (!Family || !*Family) return;
  PinProgramFonts(QString::fromUtf8(Family));
  QFont AppFont = QApplication::font();
  AppFont.setFamilies({QString::fromUtf8(Family)});
  QApplication::setFont(AppFont);
}
