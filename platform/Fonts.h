#pragma once

// Maps the Japanese Windows font names the program asks for onto the
// Japanese fonts installed here (IPA, then Noto CJK), and makes
// "ＭＳ Ｐゴシック" at 12 pixels the application font. Call once after the
// application object exists.
void InstallFontSubstitutes();
