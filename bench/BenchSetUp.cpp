#include "bench/BenchSetUp.h"

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
  for (const char* Name : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"}) {
    const QString Asked = QString::fromUtf8(Name);
    QFont::removeSubstitutions(Asked);
    QFont::insertSubstitution(Asked, QString::fromUtf8(Family));
  }
  QFont AppFont = QApplication::font();
  AppFont.setFamilies({QString::fromUtf8(Family)});
  QApplication::setFont(AppFont);
}
