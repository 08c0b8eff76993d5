#pragma once

#include "platform/ImageRaster.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The pixels of the single characters of one font, to paint a text
// character by character exactly as drawText paints it, on a device of any
// ratio. drawText places a text's glyphs at the positions its shaping gives
// (the same at every ratio, scaled by it on the device), each glyph's pixels
// (the same wherever it lands) at the device pixel its position falls on. Shaping
// steps from one character to the next by the first one's advance changed
// by the pair (kerning, often by a fraction of a pixel), and may choose
// other glyphs and steps for the characters of a text with letters (the
// script of its letters) than for a text of digits and signs alone (no
// script); so a character is stamped, with its glyph for the text's kind,
// where the steps of the pairs before it end. Everything is learnt on
// first use: a character's glyph by shaping it alone, its pixels at a
// ratio by drawing that glyph at that ratio, a pair's step by shaping the two characters together.
// A pair shaping makes into something else than the two glyphs (a ligature) is left to drawText,
// and so is a font whose glyphs change with where they land, or that draws lines through or under a
// whole text.
class TGlyphStamps {
public:
  explicit TGlyphStamps(const QFont& Font);

  // Paints Text (UTF-8) with its top-left corner at (X, Y), in the
  // raster's logical pixels, in Colour;
  // false, with nothing painted, when stamps would not paint what drawText
  // paints.
  bool Paint(TImageRaster& Raster, int X, int Y, std::string_view Text, QRgb Colour);
  // The width of Text (UTF-8) as the font's metrics give it; false when
  // the stamps cannot tell it.
  bool Width(std::string_view Text, int& Result);

private:
  // A character of a text is known by a key: its symbol (printable ASCII,
  // then "･"), plus SymbolCount in a text with letters.
  static constexpr int SymbolCount = 96, KeyCount = 2 * SymbolCount;
  struct TGlyph {
    bool Made = false;
    bool Usable = false;
    // Its glyph, in the family or a fallback, about the pen position on the
    // baseline.
    QGlyphRun Run;
    std::int64_t Advance = 0; // in 64ths of a pixel, as it ends a text
  };
  // A glyph's pixels on a device of some ratio, about the device pixel its
  // pen position falls in on the baseline.
  struct TPixels {
    bool Made = false;
    bool Usable = false;
    TPixelRuns Runs;
  };
  // The glyphs' pixels at one device pixel ratio, per key.
  struct TDrawnGlyphs {
    bool Unfit = false; // a glyph's pixels change with where it lands
    std::vector<TPixels> Glyphs = std::vector<TPixels>(KeyCount);
  };
  // The step of a pair from its first character to its second, in 64ths
  // of a pixel; or one of these.
  static constexpr std::int32_t PairUnknown = INT32_MIN, PairUnusable = INT32_MIN + 1;

  // The keys of Text; false when it has a character without one.
  static bool KeysOf(std::string_view Text, std::vector<int>& Keys);
  // A text to shape Keys (of one kind) in, ending with their characters.
  static QString TextOf(std::initializer_list<int> Keys);
  // Glyph drawn into a clear image of Ratio8 eighths of a device pixel per
  // pixel with its origin Margin() pixels from the left and top edges and
  // Phase 64ths of a device pixel further right; Width is its advance's width.
  QImage Drawn(const QGlyphRun& Glyph, int Width, int Ratio8, int Phase = 0) const;
  // Whole eighths of a pixel, so that the glyphs' origin lies on a device
  // pixel's corner at every ratio, and more than a line height.
  int Margin() const { return (FLineHeight + 8) / 8 * 8; }
  const TGlyph& GlyphOf(int Key);
  void MakeGlyph(int Key, TGlyph& Glyph);
  const TPixels& PixelsOf(TDrawnGlyphs& AtRatio, int Ratio8, int Key);
  void MakePixels(TDrawnGlyphs& AtRatio, int Ratio8, int Key, TPixels& Pixels);
  std::int32_t StepOf(int First, int Second);
  std::int32_t ShapedStep(int First, int Second);
  // The pen position of each character of FKeys, and where the last one
  // ends, into FPens; false when one of them cannot be stamped.
  bool Place();
  // Whether Text can be stamped, with its keys and pens in FKeys and FPens.
  bool Placed(std::string_view Text);

  QFont FFont;
  int FAscent, FLineHeight;
  bool FUnfit; // the font draws lines under, over or through a whole text
  TGlyph FGlyphs[KeyCount];
  std::map<int, TDrawnGlyphs> FDrawn; // per ratio in eighths
  std::vector<std::int32_t> FSteps;   // per pair, first key * SymbolCount + second symbol
  std::string FPlacedText;            // the text last placed,
  bool FPlaced = false;               // whether it can be stamped,
  std::vector<int> FKeys;             // its keys
  std::vector<std::int64_t> FPens;    // and its pens, then its end
};
