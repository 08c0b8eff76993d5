#include "platform/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHash>

const std::array<TFontSubstitute, 4>& FontSubstitutes() {
  static const std::array<TFontSubstitute, 4> Substitutes{{
      {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"},
      {"ＭＳ ゴシック", "IPAGothic", "Noto Sans Mono CJK JP"},
      {"ＭＳ 明朝", "IPAMincho", "Noto Serif CJK JP"},
      {"ＭＳ Ｐ明朝", "IPAPMincho", "Noto Serif CJK JP"},
  }};
  return Substitutes;
}

void InstallFontSubstitutes() {
  for (const TFontSubstitute& Font : FontSubstitutes())
    QFont::insertSubstitutions(QString::fromUtf8(Font.Asked),
                               {QString::fromUtf8(Font.Ipa), QString::fromUtf8(Font.Noto)});
  SetApplicationFont();
}

void SetApplicationFont() {
  QFont AppFont = FontFor(QString::fromUtf8(FontSubstitutes().front().Asked));
  AppFont.setPixelSize(12);
  QApplication::setFont(AppFont);
}

QStringList FamiliesFor(const QString& Asked) {
  const QStringList Substitutes = QFont::substitutes(Asked);
  if (Substitutes.isEmpty()) return {Asked};
  // Asked for often (every font a canvas makes): the answer is kept per
  // list of substitutes, so that a change of them is seen.
  static QHash<QString, QStringList> Chosen;
  const QString Key = Substitutes.join(QChar(0));
  if (const auto Found = Chosen.constFind(Key); Found != Chosen.cend()) return *Found;
  QStringList Families = Substitutes;
  for (const QString& Family : Substitutes)
    if (QFontDatabase::hasFamily(Family)) {
      Families = {Family};
      break;
    }
  Chosen.insert(Key, Families);
  return Families;
}

QFont FontFor(const QString& Asked) {
  QFont Font;
  Font.setFamilies(FamiliesFor(Asked));
  return Font;
}
