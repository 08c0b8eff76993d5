#include "platform/GlyphStamps.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <vector>

namespace {

constexpr int AsciiSymbols = 95; // ' ' to '~'

QChar CharOf(int Symbol) {
  return Symbol < AsciiSymbols ? QChar(0x20 + Symbol) : QChar(0xFF65);
}

// Every ordered pair of Count symbols, each once, next to each other: a
// de Bruijn sequence of order two, closed into a line by its first symbol.
std::vector<int> EveryPair(int Count) {
  std::vector<int> Sequence;
  int A[3] = {0, 0, 0};
  const auto Extend = [&](const auto& Self, int T, int P) -> void {
    if (T > 2) {
      if (2 % P == 0)
        for (int J = 1; J <= P; ++J)
          Sequence.push_back(A[J]);
      return;
    }
    A[T] = A[T - P];
    Self(Self, T + 1, P);
    for (int J = A[T - P] + 1; J < Count; ++J) {
      A[T] = J;
      Self(Self, T + 1, T);
    }
  };
  Extend(Extend, 1, 1);
  Sequence.push_back(Sequence.front());
  return Sequence;
}

// Count symbols of Sequence from Start, or as many as are left.
std::vector<int> PieceOf(const std::vector<int>& Sequence, std::size_t Start, std::size_t Count) {
  const auto Begin = Sequence.begin() + static_cast<std::ptrdiff_t>(Start);
  return {Begin, Begin + static_cast<std::ptrdiff_t>(std::min(Count, Sequence.size() - Start))};
}

// Whole pixels enough for a width in 64ths of a pixel.
int WholePixels(std::int64_t Width) {
  return static_cast<int>((Width + 63) >> 6);
}

QImage ClearImage(int Width, int Height) {
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  return Image;
}

} // namespace

TGlyphStamps::TGlyphStamps(const QFont& Font) : FFont(Font) {
  const QFontMetrics Metrics(Font);
  FAscent = Metrics.ascent();
  FLineHeight = Metrics.height();
}

bool TGlyphStamps::SymbolsOf(std::string_view Text, std::vector<int>& Symbols) {
  Symbols.clear();
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const auto Byte = static_cast<unsigned char>(Text[I]);
    if (Byte >= 0x20 && Byte < 0x7F) {
      Symbols.push_back(Byte - 0x20);
    } else if (Text.substr(I, 3) == "\xEF\xBD\xA5") { // U+FF65 in UTF-8
      Symbols.push_back(AsciiSymbols);
      I += 2;
    } else {
      return false;
    }
  }
  return true;
}

QImage TGlyphStamps::Drawn(const std::vector<int>& Symbols, int Width) const {
  QString Text;
  for (const int Symbol : Symbols)
    Text += CharOf(Symbol);
  QImage Image = ClearImage(Width + 2 * FLineHeight, 3 * FLineHeight);
  QPainter Painter(&Image);
  Painter.setRenderHint(QPainter::TextAntialiasing, false);
  Painter.setFont(FFont);
  Painter.setPen(Qt::black);
  Painter.drawText(QPoint(FLineHeight, FLineHeight + FAscent), Text);
  return Image;
}

void TGlyphStamps::MakeGlyph(int Symbol) {
  TGlyph& Glyph = FGlyphs[Symbol];
  Glyph.Advance = std::llround(QFontMetricsF(FFont).horizontalAdvance(CharOf(Symbol)) * 64);
  const int Width = WholePixels(Glyph.Advance) + 1;
  const QImage Image = Drawn({Symbol}, Width);
  Glyph.Usable = RunsOfImage(Image, QPoint(FLineHeight, FLineHeight + FAscent), Glyph.Runs);
  // Pixels reaching the edge of the image may reach further.
  for (const TPixelRun& Run : Glyph.Runs.Runs)
    if (Run.Y == -FLineHeight - FAscent || Run.Y == 2 * FLineHeight - FAscent - 1 ||
        Run.X0 == -FLineHeight || Run.X1 == Width + FLineHeight)
      Glyph.Usable = false;
}

bool TGlyphStamps::ComposesLikeDrawText(const std::vector<int>& Symbols) {
  const int Width = WholePixels(AdvanceOf(Symbols)) + 1;
  QImage Composed = ClearImage(Width + 2 * FLineHeight, 3 * FLineHeight);
  TImageRaster Raster(Composed);
  return Compose(Raster, FLineHeight, FLineHeight, Symbols, qRgb(0, 0, 0)) &&
         Composed == Drawn(Symbols, Width);
}

void TGlyphStamps::Probe() {
  FProbed = true;
  for (int Symbol = 0; Symbol < SymbolCount; ++Symbol)
    MakeGlyph(Symbol);
  const std::vector<int> Sequence = EveryPair(SymbolCount);
  // Pieces of 64 characters overlapping by one, so that every pair lies
  // within a piece; a piece that differs is looked at pair by pair, and one
  // that differs with no pair to blame means the font does not place
  // characters one after the other at all.
  constexpr std::size_t Piece = 64;
  for (std::size_t Start = 0; Start + 1 < Sequence.size(); Start += Piece - 1) {
    const std::vector<int> Text = PieceOf(Sequence, Start, Piece);
    if (ComposesLikeDrawText(Text)) continue;
    bool Blamed = false;
    for (std::size_t I = 0; I + 1 < Text.size(); ++I)
      if (!ComposesLikeDrawText({Text[I], Text[I + 1]})) {
        FBadPairs.set(static_cast<std::size_t>(Text[I] * SymbolCount + Text[I + 1]));
        Blamed = true;
      }
    if (!Blamed) FUnfit = true;
  }
  // The width of a text is its characters' widths summed and rounded, as
  // the font's metrics give it, unless the pieces say otherwise.
  const QFontMetrics Metrics(FFont);
  for (std::size_t Start = 0; Start < Sequence.size() && !FUnfit; Start += Piece) {
    const std::vector<int> Text = PieceOf(Sequence, Start, Piece);
    QString String;
    for (const int Symbol : Text)
      String += CharOf(Symbol);
    if (WidthOf(Text) != Metrics.horizontalAdvance(String)) FUnfit = true;
  }
}

std::int64_t TGlyphStamps::AdvanceOf(const std::vector<int>& Text) const {
  std::int64_t Advance = 0;
  for (const int Symbol : Text)
    Advance += FGlyphs[Symbol].Advance;
  return Advance;
}

int TGlyphStamps::WidthOf(const std::vector<int>& Text) const {
  return static_cast<int>((AdvanceOf(Text) + 32) >> 6);
}

bool TGlyphStamps::Stampable(const std::vector<int>& Text) const {
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (!FGlyphs[Text[I]].Usable) return false;
    if (I > 0 && FBadPairs.test(static_cast<std::size_t>(Text[I - 1] * SymbolCount + Text[I])))
      return false;
  }
  return true;
}

bool TGlyphStamps::Compose(TImageRaster& Raster, int X, int Y, const std::vector<int>& Text,
                           QRgb Colour) {
  if (!Stampable(Text)) return false;
  std::int64_t Pen = 0;
  for (const int Symbol : Text) {
    const TGlyph& Glyph = FGlyphs[Symbol];
    Raster.Paint(Glyph.Runs, X + static_cast<int>(Pen >> 6), Y + FAscent, Colour);
    Pen += Glyph.Advance;
  }
  return true;
}

bool TGlyphStamps::Width(std::string_view Text, int& Result) {
  if (!FProbed) Probe();
  if (FUnfit || !SymbolsOf(Text, FSymbols) || !Stampable(FSymbols)) return false;
  Result = WidthOf(FSymbols);
  return true;
}

bool TGlyphStamps::Paint(TImageRaster& Raster, int X, int Y, std::string_view Text, QRgb Colour) {
  if (!FProbed) Probe();
  return !FUnfit && SymbolsOf(Text, FSymbols) && Compose(Raster, X, Y, FSymbols, Colour);
}
