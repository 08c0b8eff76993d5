#include "platform/GlyphStamps.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <array>
#include <cmath>

namespace {

constexpr int AsciiSymbols = 95; // ' ' to '~'

QChar CharOf(int Symbol) {
  return Symbol < AsciiSymbols ? QChar(0x20 + Symbol) : QChar(0xFF65);
}

// Whole pixels enough for a width in 64ths of a pixel.
int WholePixels(std::int64_t Width) {
  return static_cast<int>((Width + 63) >> 6);
}

// A pixel position in 64ths of a pixel.
std::int64_t Sixty4ths(double Position) {
  return std::llround(Position * 64);
}

bool AtOrigin(QPointF P) {
  return P.x() == 0 && P.y() == 0;
}

QImage ClearImage(int Width, int Height) {
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  return Image;
}

// Shaping gives the characters that belong to no script (digits, signs,
// spaces) the script of the letters in their text, and a font may draw and
// space them otherwise in a script: a text with a letter is laid out after
// this line of a letter.
const QString LetterLine = QStringLiteral("x\u2028");

// The glyph each of the last Count characters of Text is shaped into, with
// its position about the pen's start on the baseline of its line, and what
// the last one moves the pen by; false when one of them is shaped into no
// glyph or several.
template <std::size_t Count>
bool Shaped(const QString& Text, const QFont& Font, std::array<QGlyphRun, Count>& Glyphs,
            double& LastAdvance) {
  QTextLayout Layout(Text, Font);
  Layout.beginLayout();
  for (QTextLine Line = Layout.createLine(); Line.isValid(); Line = Layout.createLine())
    Line.setLineWidth(1e6);
  Layout.endLayout();
  const int First = static_cast<int>(Text.size() - static_cast<qsizetype>(Count));
  const QTextLine Line = Layout.lineForTextPosition(First);
  for (std::size_t I = 0; I < Count; ++I) {
    const QList<QGlyphRun> Runs = Layout.glyphRuns(First + static_cast<int>(I), 1);
    if (Runs.size() != 1 || Runs.front().glyphIndexes().size() != 1) return false;
    Glyphs[I] = Runs.front();
    Glyphs[I].setPositions(
        {Runs.front().positions().front() - QPointF(Line.x(), Line.y() + Line.ascent())});
  }
  LastAdvance = Line.horizontalAdvance() - Glyphs[Count - 1].positions().front().x();
  return true;
}

} // namespace

TGlyphStamps::TGlyphStamps(const QFont& Font)
    : FFont(Font), FUnfit(Font.underline() || Font.strikeOut() || Font.overline()),
      FSteps(KeyCount * SymbolCount, PairUnknown) {
  const QFontMetrics Metrics(Font);
  FAscent = Metrics.ascent();
  FLineHeight = Metrics.height();
  FPlaced = KeysOf(FPlacedText, FKeys) && Place();
}

bool TGlyphStamps::KeysOf(std::string_view Text, std::vector<int>& Keys) {
  Keys.clear();
  bool Letters = false;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const auto Byte = static_cast<unsigned char>(Text[I]);
    if (Byte >= 0x20 && Byte < 0x7F) {
      Keys.push_back(Byte - 0x20);
      Letters = Letters || ((Byte | 0x20) >= 'a' && (Byte | 0x20) <= 'z');
    } else if (Text.substr(I, 3) == "\xEF\xBD\xA5") { // U+FF65 in UTF-8
      Keys.push_back(AsciiSymbols);
      I += 2;
    } else {
      return false;
    }
  }
  if (Letters)
    for (int& Key : Keys)
      Key += SymbolCount;
  return true;
}

QString TGlyphStamps::TextOf(std::initializer_list<int> Keys) {
  QString Text = *Keys.begin() >= SymbolCount ? LetterLine : QString();
  for (const int Key : Keys)
    Text += CharOf(Key % SymbolCount);
  return Text;
}

QImage TGlyphStamps::Drawn(const QGlyphRun& Glyph, int Width, int Ratio8, int Phase) const {
  const int M = Margin();
  QImage Image =
      ClearImage((Width + 2 * M) * Ratio8 / 8 + 1, (2 * M + FLineHeight) * Ratio8 / 8 + 1);
  Image.setDevicePixelRatio(Ratio8 / 8.0);
  QPainter Painter(&Image);
  Painter.setRenderHint(QPainter::TextAntialiasing, false);
  Painter.setPen(Qt::black);
  Painter.drawGlyphRun(QPointF(M + Phase / 8.0 / Ratio8, M), Glyph);
  return Image;
}

const TGlyphStamps::TGlyph& TGlyphStamps::GlyphOf(int Key) {
  TGlyph& Glyph = FGlyphs[Key];
  if (!Glyph.Made) MakeGlyph(Key, Glyph);
  return Glyph;
}

void TGlyphStamps::MakeGlyph(int Key, TGlyph& Glyph) {
  Glyph.Made = true;
  std::array<QGlyphRun, 1> Shape;
  double Advance = 0;
  if (!Shaped(TextOf({Key}), FFont, Shape, Advance) || !AtOrigin(Shape[0].positions().front()))
    return;
  Glyph.Usable = true;
  Glyph.Run = Shape[0];
  Glyph.Advance = Sixty4ths(Advance);
}

const TGlyphStamps::TPixels& TGlyphStamps::PixelsOf(TDrawnGlyphs& AtRatio, int Ratio8, int Key) {
  TPixels& Pixels = AtRatio.Glyphs[static_cast<std::size_t>(Key)];
  if (!Pixels.Made) MakePixels(AtRatio, Ratio8, Key, Pixels);
  return Pixels;
}

void TGlyphStamps::MakePixels(TDrawnGlyphs& AtRatio, int Ratio8, int Key, TPixels& Pixels) {
  Pixels.Made = true;
  const TGlyph& Glyph = FGlyphs[Key];
  const int Width = WholePixels(Glyph.Advance) + 1;
  const QImage Image = Drawn(Glyph.Run, Width, Ratio8);
  const int Origin = Margin() * Ratio8 / 8;
  Pixels.Usable = RunsOfImage(Image, QPoint(Origin, Origin), Pixels.Runs);
  // Pixels reaching the edge of the image may reach further.
  for (const TPixelRun& Run : Pixels.Runs.Runs)
    if (Run.Y == -Origin || Run.Y == Image.height() - Origin - 1 || Run.X0 == -Origin ||
        Run.X1 == Image.width() - Origin)
      Pixels.Usable = false;
  // A glyph is drawn with the same pixels wherever its position falls
  // within a device pixel, or the font cannot be stamped at that ratio.
  if (Image != Drawn(Glyph.Run, Width, Ratio8, 37)) AtRatio.Unfit = true;
}

std::int32_t TGlyphStamps::StepOf(int First, int Second) {
  std::int32_t& Step = FSteps[static_cast<std::size_t>(First * SymbolCount + Second % SymbolCount)];
  if (Step == PairUnknown) Step = ShapedStep(First, Second);
  return Step;
}

std::int32_t TGlyphStamps::ShapedStep(int First, int Second) {
  const TGlyph &A = GlyphOf(First), &B = GlyphOf(Second);
  std::array<QGlyphRun, 2> Shape;
  double Advance = 0;
  // Each character must keep its own glyph, the first one where it stands
  // alone, the second on the baseline.
  if (!Shaped(TextOf({First, Second}), FFont, Shape, Advance) ||
      Shape[0].glyphIndexes() != A.Run.glyphIndexes() || Shape[0].rawFont() != A.Run.rawFont() ||
      Shape[1].glyphIndexes() != B.Run.glyphIndexes() || Shape[1].rawFont() != B.Run.rawFont() ||
      !AtOrigin(Shape[0].positions().front()) || Shape[1].positions().front().y() != 0)
    return PairUnusable;
  return static_cast<std::int32_t>(Sixty4ths(Shape[1].positions().front().x()));
}

bool TGlyphStamps::Place() {
  FPens.clear();
  if (FUnfit) return false;
  std::int64_t Pen = 0;
  for (std::size_t I = 0; I < FKeys.size(); ++I) {
    if (!GlyphOf(FKeys[I]).Usable) return false;
    FPens.push_back(Pen);
    if (I + 1 < FKeys.size()) {
      const std::int32_t Step = StepOf(FKeys[I], FKeys[I + 1]);
      if (Step == PairUnusable) return false;
      Pen += Step;
    } else {
      Pen += FGlyphs[FKeys[I]].Advance;
    }
  }
  FPens.push_back(Pen);
  return true;
}

bool TGlyphStamps::Placed(std::string_view Text) {
  // A text is mostly measured right before it is painted.
  if (Text != FPlacedText) {
    FPlacedText = Text;
    FPlaced = KeysOf(Text, FKeys) && Place();
  }
  return FPlaced;
}

bool TGlyphStamps::Width(std::string_view Text, int& Result) {
  if (!Placed(Text)) return false;
  Result = static_cast<int>((FPens.back() + 32) >> 6);
  return true;
}

bool TGlyphStamps::Paint(TImageRaster& Raster, int X, int Y, std::string_view Text, QRgb Colour) {
  if (!Placed(Text)) return false;
  const TDeviceMap& Map = Raster.Map();
  TDrawnGlyphs& Drawn = FDrawn[Map.Ratio8()];
  for (const int Key : FKeys)
    if (!PixelsOf(Drawn, Map.Ratio8(), Key).Usable) return false;
  if (Drawn.Unfit) return false;
  const int Baseline = Map.EdgeY(Y + FAscent);
  for (std::size_t I = 0; I < FKeys.size(); ++I)
    Raster.Paint(Drawn.Glyphs[static_cast<std::size_t>(FKeys[I])].Runs, Map.GlyphX(X, FPens[I]),
                 Baseline, Colour);
  return true;
}
