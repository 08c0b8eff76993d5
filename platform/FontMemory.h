#pragma once

#include "platform/GlyphStamps.h"

#include <QFont>
#include <cstddef>
#include <string>
#include <unordered_map>

// What the canvases have learnt about one font, kept from one painting to
// the next so that a repaint neither measures a text again nor renders a
// character again: the widths of the texts measured (at most
// MaxKnownWidths, then it starts afresh) and the stamps of its characters.
struct TFontMemory {
  explicit TFontMemory(const QFont& Font) : Glyphs(Font) {}
  std::unordered_map<std::string, int> Widths;
  TGlyphStamps Glyphs;
};
constexpr std::size_t MaxKnownWidths = 1 << 18;

// The memory of Font. A font is known by its description and the family it
// resolves to, so that other substitutes make another font; a change of
// the installed fonts forgets them all.
TFontMemory& FontMemoryOf(const QFont& Font);
// Forgets every font, as if none had been used yet.
void ForgetFonts();
