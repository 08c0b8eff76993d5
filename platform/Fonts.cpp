#include "platform/Fonts.h"

#include <QApplication>
#include <QFont>

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
  QFont AppFont;
  AppFont.setFamilies(FamiliesFor(QString::fromUtf8(FontSubstitutes().front().Asked)));
  AppFont.setPixelSize(12);
  QApplication::setFont(AppFont);
}

QStringList FamiliesFor(const QString& Asked) {
  const QStringList Substitutes = QFont::substitutes(Asked);
  return Substitutes.isEmpty() ? QStringList{Asked} : Substitutes;
}
