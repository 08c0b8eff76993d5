#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Colours: 0x00BBGGRR for plain colours; values with the top byte 0xFF are
// system colours (the low byte an index) resolved by the drawing backend
// from the desktop's palette.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;

constexpr bool IsSystemColor(TColor Color) {
  return (Color & 0xFF000000) == clSystemColor;
}
constexpr int GetRValue(TColor Color) {
  return static_cast<int>(Color & 0xFF);
}
constexpr int GetGValue(TColor Color) {
  return static_cast<int>((Color >> 8) & 0xFF);
}
constexpr int GetBValue(TColor Color) {
  return static_cast<int>((Color >> 16) & 0xFF);
}
constexpr TColor RGB(int R, int G, int B) {
  return static_cast<TColor>(R & 0xFF) | (static_cast<TColor>(G & 0xFF) << 8) |
         (static_cast<TColor>(B & 0xFF) << 16);
}

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left and top are inside, right and bottom just outside.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  friend bool operator==(const TPen&, const TPen&) = default;
};

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
  std::string Name = "ＭＳ Ｐゴシック";
  int Height = 12; // character height in pixels
  TColor Color = clWindowText;
  std::uint8_t Style = 0; // TFontStyle bits
  friend bool operator==(const TFont&, const TFont&) = default;
};

// A bitmap of plain colours, row by row from the top. Drawn transparently,
// the colour of its bottom-left pixel is left out.
struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;
  TColor Pixel(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y * Width + X)]; }
  TColor TransparentColor() const { return Height > 0 && Width > 0 ? Pixel(0, Height - 1) : 0; }
};

// A 2-D drawing surface with the current pen, brush and font as public
// state. Lines and polylines stop short of their last point; filled
// rectangles cover their left and top edges but not their right and bottom
// ones; shapes are drawn inside their bounding rectangles. Texts are UTF-8.
class TCanvas {
public:
  TPen Pen;
  TBrush Brush;
  TFont Font;

  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas() = default;

  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPenPos; }

  // Fills with the brush (nothing with a clear brush).
  virtual void FillRect(const TRect& R) = 0;
  // Outline with the pen, inside filled with the brush.
  virtual void Rectangle(const TRect& R) = 0;
  virtual void Polyline(const std::vector<TPoint>& Points) = 0;
  // Filled with the brush; the outline passes through every vertex.
  virtual void Polygon(const std::vector<TPoint>& Points) = 0;
  virtual void Ellipse(const TRect& R) = 0;
  // The part of the ellipse in R from the ray towards Start counter-
  // clockwise to the ray towards End.
  virtual void Arc(const TRect& R, TPoint Start, TPoint End) = 0;
  // Text with its top-left corner at (X, Y); the background is filled with
  // the brush unless the brush is clear.
  virtual void TextOut(int X, int Y, const std::string& Text) = 0;
  virtual TSize TextExtent(const std::string& Text) = 0;
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  // Draws the bitmap with its top-left corner at (X, Y).
  virtual void Draw(int X, int Y, const TBitmap& Bitmap, bool Transparent) = 0;
  // Restricts drawing to R; nullptr removes the restriction.
  virtual void SetClipRect(const TRect* R) = 0;

protected:
  virtual void Line(TPoint From, TPoint To) = 0;

private:
  TPoint FPenPos;
};
