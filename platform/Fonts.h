#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <array>

// A Japanese Windows font name the program asks for, and the fonts that
// stand for it here: an IPA font first, a Noto CJK font if that is missing
// (the package needs one of the two).
struct TFontSubstitute {
  const char* Asked;
  const char* Ipa;
  const char* Noto;
};
const std::array<TFontSubstitute, 4>& FontSubstitutes();

// Maps the Japanese Windows font names the program asks for onto the
// Japanese fonts installed here (FontSubstitutes), and sets the
// application font. Call once after the application object exists.
void InstallFontSubstitutes();

// Makes "ＭＳ Ｐゴシック" at 12 pixels, as installed, the application font;
// again after the substitutes change.
void SetApplicationFont();

// The families that stand for Asked: the first of its substitutes that is
// installed, all of them when none is, or Asked itself when it has none.
// Fonts are asked for by them, so that matching a font does not first
// search every installed font, for every script, for a name that is not
// there; and by one family where one is installed, because for a list Qt
// works out fallback fonts for every script of every text (a fontconfig
// sort each), where for one family it looks for them only when a
// character is missing.
QStringList FamiliesFor(const QString& Asked);

// A font that asks for the families standing for Asked (FamiliesFor), in
// the default size and style.
QFont FontFor(const QString& Asked);
