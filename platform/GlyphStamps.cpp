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

int TGlyphStamps::SymbolOf(QChar C) {
  const char16_t Code = C.unicode();
  if (Code >= 0x20 && Code < 0x7F) return Code - 0x20;
  return Code == 0xFF65 ? AsciiSymbols : -1;
}

QImage TGlyphStamps::Drawn(const QString& Text, int Width, int Fraction) const {
  QImage Image = ClearImage(Width + 2 * FLineHeight, 3 * FLineHeight);
  QPainter Painter(&Image);
  Painter.setRenderHint(QPainter::TextAntialiasing, false);
  Painter.setFont(FFont);
  Painter.setPen(Qt::black);
  Painter.drawText(QPointF(FLineHeight + Fraction / 64.0, FLineHeight + FAscent), Text);
  return Image;
}

void TGlyphStamps::MakeGlyph(int Symbol) {
  TGlyph& Glyph = FGlyphs[Symbol];
  const QString Text(CharOf(Symbol));
  Glyph.Advance = std::llround(QFontMetricsF(FFont).horizontalAdvance(Text) * 64);
  const int Width = WholePixels(Glyph.Advance) + 1;
  Glyph.Usable = true;
  for (int Variant = 0; Variant < Positions; ++Variant) {
    const QImage Image = Drawn(Text, Width, Variant * 64 / Positions);
    TPixelRuns& Runs = Glyph.Runs[Variant];
    Glyph.Usable =
        Glyph.Usable && RunsOfImage(Image, QPoint(FLineHeight, FLineHeight + FAscent), Runs);
    // Pixels reaching the edge of the image may reach further.
    for (const TPixelRun& Run : Runs)
      if (Run.Y == -FLineHeight - FAscent || Run.Y == 2 * FLineHeight - FAscent - 1 ||
          Run.X0 == -FLineHeight || Run.X1 == Width + FLineHeight)
        Glyph.Usable = false;
  }
}

bool TGlyphStamps::ComposesLikeDrawText(const QString& Text) {
  std::int64_t Advance = 0;
  for (const QChar C : Text)
    Advance += FGlyphs[SymbolOf(C)].Advance;
  const int Width = WholePixels(Advance) + 1;
  QImage Composed = ClearImage(Width + 2 * FLineHeight, 3 * FLineHeight);
  TImageRaster Raster(Composed);
  return Compose(Raster, FLineHeight, FLineHeight, Text, qRgb(0, 0, 0)) &&
         Composed == Drawn(Text, Width, 0);
}

void TGlyphStamps::Probe() {
  FProbed = true;
  for (int Symbol = 0; Symbol < Symbols; ++Symbol)
    MakeGlyph(Symbol);
  const std::vector<int> Sequence = EveryPair(Symbols);
  // Pieces of 64 characters overlapping by one, so that every pair lies
  // within a piece; a piece that differs is looked at pair by pair, and one
  // that differs with no pair to blame means the font does not place
  // characters one after the other at all.
  constexpr std::size_t Piece = 64;
  for (std::size_t Start = 0; Start + 1 < Sequence.size(); Start += Piece - 1) {
    QString Text;
    for (std::size_t I = Start; I < std::min(Sequence.size(), Start + Piece); ++I)
      Text += CharOf(Sequence[I]);
    if (ComposesLikeDrawText(Text)) continue;
    bool Blamed = false;
    for (qsizetype I = 0; I + 1 < Text.size(); ++I)
      if (!ComposesLikeDrawText(Text.mid(I, 2))) {
        FBadPairs.set(
            static_cast<std::size_t>(SymbolOf(Text[I]) * Symbols + SymbolOf(Text[I + 1])));
        Blamed = true;
      }
    if (!Blamed) FUnfit = true;
  }
}

bool TGlyphStamps::Compose(TImageRaster& Raster, int X, int Y, const QString& Text, QRgb Colour) {
  int Previous = -1;
  for (const QChar C : Text) {
    const int Symbol = SymbolOf(C);
    if (Symbol < 0 || !FGlyphs[Symbol].Usable) return false;
    if (Previous >= 0 && FBadPairs.test(static_cast<std::size_t>(Previous * Symbols + Symbol)))
      return false;
    Previous = Symbol;
  }
  std::int64_t Pen = 0;
  for (const QChar C : Text) {
    const TGlyph& Glyph = FGlyphs[SymbolOf(C)];
    const int Variant = static_cast<int>(((Pen & 63) * Positions) >> 6);
    Raster.Paint(Glyph.Runs[Variant], X + static_cast<int>(Pen >> 6), Y + FAscent, Colour);
    Pen += Glyph.Advance;
  }
  return true;
}

bool TGlyphStamps::Paint(TImageRaster& Raster, int X, int Y, const QString& Text, QRgb Colour) {
  if (!FProbed) Probe();
  return !FUnfit && Compose(Raster, X, Y, Text, Colour);
}
