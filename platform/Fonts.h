#pragma once

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
// Japanese fonts installed here (FontSubstitutes), and makes
// "ＭＳ Ｐゴシック" at 12 pixels the application font. Call once after the
// application object exists.
void InstallFontSubstitutes();
