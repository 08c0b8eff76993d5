#include "platform/KnownTexts.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

int StampsMade = 0;

std::unordered_map<QString, TKnownTexts>& Fonts() {
  static std::unordered_map<QString, TKnownTexts> Known;
  static const bool Watching = [] {
    if (auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
      QObject::connect(App, &QGuiApplication::fontDatabaseChanged, ForgetKnownTexts);
    return true;
  }();
  (void)Watching;
  return Known;
}

// The smallest rectangle holding every pixel of Image that is not clear.
QRect SetPixels(const QImage& Image) {
  const int Width = Image.width(), Height = Image.height();
  int Left = Width, Right = -1, Top = Height, Bottom = -1;
  for (int Y = 0; Y < Height; ++Y) {
    const auto* Line = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
    int First = 0;
    while (First < Width && Line[First] == 0)
      ++First;
    if (First == Width) continue;
    int Last = Width - 1;
    while (Line[Last] == 0)
      --Last;
    Left = std::min(Left, First);
    Right = std::max(Right, Last);
    Top = std::min(Top, Y);
    Bottom = Y;
  }
  return Right < 0 ? QRect() : QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

} // namespace

void ForgetKnownTexts() {
  Fonts().clear();
  StampsMade = 0;
}

TKnownTexts& KnownTexts(const QFont& Font) {
  return Fonts()[Font.key() + QChar(0) + QFontInfo(Font).family()];
}

bool MakeStamp(TKnownText& Known, const QString& Text, const QFont& Font,
               const QFontMetrics& Metrics) {
  if (!Known.Stamp.isNull()) return true;
  if (Known.Unstampable || StampsMade >= MaxStamps) return false;
  // The extent with a margin of a line height on every side; a text whose
  // pixels reach the edge of that may set more, and is left to drawText.
  const int Margin = Metrics.height();
  const QRect Box(-Margin, -Metrics.ascent() - Margin, Known.Width + 2 * Margin, 3 * Margin);
  QImage Image(Box.size(), QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  {
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::TextAntialiasing, false);
    Painter.setFont(Font);
    Painter.setPen(Qt::black);
    Painter.drawText(-Box.topLeft(), Text);
  }
  // Cut down to the pixels set, so that a stamp scans no more than it must.
  const QRect Set = SetPixels(Image);
  if (!Set.isEmpty() && !Image.rect().adjusted(1, 1, -1, -1).contains(Set)) {
    Known.Unstampable = true;
    return false;
  }
  Known.Stamp =
      QBitmap::fromImage(Image.copy(Set.isEmpty() ? QRect(0, 0, 1, 1) : Set).createAlphaMask());
  Known.Offset = Box.topLeft() + Set.topLeft() + QPoint(0, Metrics.ascent());
  ++StampsMade;
  return true;
}
