#include "platform/Fonts.h"

#include <QApplication>
#include <QFont>

void InstallFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  QFont::insertSubstitutions(
      QStringLiteral("ＭＳ ゴシック"),
      {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"),
                             {QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                             {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")});
  QFont AppFont(QStringLiteral("ＭＳ Ｐゴシック"));
  AppFont.setPixelSize(12);
  QApplication::setFont(AppFont);
}
