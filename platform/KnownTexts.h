#pragma once

#include <QBitmap>
#include <QPoint>
#include <cstdint>
#include <string>
#include <unordered_map>

class QFont;
class QFontMetrics;
class QString;

// What the canvases have learnt about one text in one font: its width,
// the canvas that first drew it and, once another canvas draws it again,
// its pixels as a stamp: a bitmap with the text's set pixels, to be placed
// at Offset from the text's top-left corner.
struct TKnownText {
  int Width = 0;
  std::uint64_t FirstCanvas = 0; // 0 while it was only measured
  QBitmap Stamp;
  QPoint Offset;
  bool Unstampable = false; // its pixels reach too far for a stamp
};

using TKnownTexts = std::unordered_map<std::string, TKnownText>;

// The texts measured so far in Font, kept from one painting to the next so
// that a repaint neither measures nor lays out a text again. A font is
// known by its description and the family it resolves to, so that other
// substitutes make another font; a change of the installed fonts forgets
// them all. A font keeps at most MaxKnownTexts texts and starts afresh
// beyond that.
TKnownTexts& KnownTexts(const QFont& Font);
constexpr std::size_t MaxKnownTexts = 1 << 18;
// Forgets every text of every font, as if none had been measured yet.
void ForgetKnownTexts();

// Makes Known's stamp of Text, unless the stamps made so far reach their
// bound (MaxStamps, counted over every font) or the text's pixels reach
// beyond a line height around its extent; returns whether it has one.
bool MakeStamp(TKnownText& Known, const QString& Text, const QFont& Font,
               const QFontMetrics& Metrics);
constexpr int MaxStamps = 1 << 16;
