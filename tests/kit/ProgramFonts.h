// The fonts the tests and the benchmarks paint with, whatever Japanese
// font the machine prefers.
#pragma once

#include <QString>

// Makes every Japanese font name the program asks for resolve to Family
// alone, or, with no Family, each to its IPA font alone (the fonts the
// reference images were made with). Throws std::runtime_error naming the
// font and a package that has it when a font is not installed.
void PinProgramFonts(const QString& Family = {});

// The families the direct painting is checked with: the Japanese fonts the
// package accepts, and a Latin font that kerns many pairs.
inline const char* const AcceptedFamilies[] = {"IPAPGothic", "Noto Sans CJK JP", "DejaVu Sans"};

// Pins the program's fonts to Family while it lives, then to the IPA fonts.
struct TPinnedFonts {
  explicit TPinnedFonts(const QString& Family) { PinProgramFonts(Family); }
  ~TPinnedFonts() { PinProgramFonts(); }
  TPinnedFonts(const TPinnedFonts&) = delete;
  TPinnedFonts& operator=(const TPinnedFonts&) = delete;
};
