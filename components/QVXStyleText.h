#pragma once

#include "platform/Canvas.h"

#include <memory>
#include <string>
#include <vector>

// Styled text: "%u" raised (smaller, at the line's top), "%d" lowered,
// "%b" back to the base size, "%g" / "%m" the symbol fonts, "%o" the
// starting font, "%%" a percent sign (letters in either case); any other
// "%x" is dropped. CR LF and LF CR break lines.

// One measured line.
struct TTextData {
  int Width = 0;    // pixels, the sum of its runs
  int Height = 0;   // pixels
  std::string Text; // the line with its escapes
};

// The measured lines of a text, owning its records. Reading an index at
// or past Count gives 0 (or leaves the string alone); writing there does
// nothing.
class TTextList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  int Add();
  void Clear() { FItems.clear(); }

  void GetText(int Index, std::string& Value) const;
  void SetText(int Index, const std::string& Value);
  int Width(int Index) const;
  void SetWidth(int Index, int Value);
  int Height(int Index) const;
  void SetHeight(int Index, int Value);

private:
  TTextData* At(int Index) const;
  std::vector<std::unique_ptr<TTextData>> FItems;
};

extern const char* const SymbolFontG; // "QVX G記号"
extern const char* const SymbolFontM; // "QVX M記号"

// Splits Text into lines and measures each in Font, using Measure's text
// metrics (its font is restored afterwards).
std::unique_ptr<TTextList> MeasureStyledText(const std::string& Text, const TFont& Font,
                                             TCanvas& Measure);

// Draws one line (without breaks) with its top-left corner at (X, Y),
// starting from the canvas font. The font height is back at its start
// afterwards; a symbol font left in force stays.
void DrawStyledLine(TCanvas& Canvas, int X, int Y, const std::string& Line);
// The same, with "%o" restoring StartName: a block of lines passes the
// font its text started with, the rule measuring follows, so that every
// line is drawn exactly as wide as it was measured.
void DrawStyledLine(TCanvas& Canvas, int X, int Y, const std::string& Line,
                    const std::string& StartName);

// Lays styled text out in Rect by the placement flags DT_CENTER, DT_RIGHT,
// DT_VCENTER and DT_BOTTOM of Flags and draws it line by line.
void DrawStyledText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, unsigned Flags);
