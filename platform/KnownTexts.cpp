#include "platform/KnownTexts.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

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
  if (StampsMade >= MaxStamps) return false;
  // Every pixel the text may set: its ink and its extent, with a margin.
  const QRect Ink = Metrics.boundingRect(Text)
                        .united(QRect(0, -Metrics.ascent(), Known.Width, Metrics.height()))
                        .adjusted(-2, -2, 2, 2);
  QImage Image(Ink.size(), QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  {
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::TextAntialiasing, false);
    Painter.setFont(Font);
    Painter.setPen(Qt::black);
    Painter.drawText(-Ink.topLeft(), Text);
  }
  Known.Stamp = QBitmap::fromImage(Image.createAlphaMask());
  Known.Offset = QPoint(Ink.left(), Ink.top() + Metrics.ascent());
  ++StampsMade;
  return true;
}
