#pragma once

#include "platform/ImageRaster.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

// The pixels of the single characters of one font, to paint a text
// character by character exactly as drawText paints it: each character's
// pixels at the sum of the widths of the characters before it. A font may
// move some pairs of characters closer (kerning) or join them; on first use
// a probe text holding every pair of the characters stamps know (printable
// ASCII and "･") is painted both ways, and pairs that differ are left to
// drawText.
class TGlyphStamps {
public:
  explicit TGlyphStamps(const QFont& Font);

  // Paints Text (UTF-8) with its top-left corner at (X, Y) in Colour;
  // false, with nothing painted, when stamps would not paint what drawText
  // paints.
  bool Paint(TImageRaster& Raster, int X, int Y, std::string_view Text, QRgb Colour);
  // The width of Text (UTF-8) as the font's metrics give it; false when
  // the stamps cannot tell it.
  bool Width(std::string_view Text, int& Result);

private:
  static constexpr int SymbolCount = 96; // printable ASCII, then "･"
  // A character starts where the widths before it end, in 64ths of a
  // pixel, on the pixel that position falls on.
  struct TGlyph {
    TPixelRuns Runs;          // about the pen position on the baseline
    std::int64_t Advance = 0; // in 64ths of a pixel
    bool Usable = false;
  };
  // The symbols of Text; false when it has a character without one.
  static bool SymbolsOf(std::string_view Text, std::vector<int>& Symbols);
  void Probe();
  void MakeGlyph(int Symbol);
  // Text drawn by drawText into a clear image, a line height from its left
  // and top edges; Width is the text's width.
  QImage Drawn(const std::vector<int>& Text, int Width) const;
  // Paints Text from the stamps alone; false when one of its characters or
  // pairs cannot be stamped.
  bool Compose(TImageRaster& Raster, int X, int Y, const std::vector<int>& Text, QRgb Colour);
  // The widths of Text's characters summed, in 64ths of a pixel, and
  // rounded to the width the font's metrics give.
  std::int64_t AdvanceOf(const std::vector<int>& Text) const;
  int WidthOf(const std::vector<int>& Text) const;
  // Whether every character of Text and every pair in it can be stamped.
  bool Stampable(const std::vector<int>& Text) const;
  // Whether composing Text paints what drawText does.
  bool ComposesLikeDrawText(const std::vector<int>& Text);

  QFont FFont;
  int FAscent, FLineHeight;
  bool FProbed = false;
  bool FUnfit = false; // the font does not place characters one by one
  TGlyph FGlyphs[SymbolCount];
  std::bitset<SymbolCount * SymbolCount> FBadPairs;
  std::vector<int> FSymbols; // of the text being painted
};

// The glyph stamps of Font, made once per font and family it resolves to.
TGlyphStamps& GlyphStampsOf(const QFont& Font);
