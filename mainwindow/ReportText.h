#pragma once

#include <QString>
#include <Qt>
#include <memory>

class QFont;
class QPaintDevice;
class QPainter;
class QPointF;
class QTextLayout;

// A text of the report wrapped into a width: at word boundaries where it
// can, anywhere inside a word too long for a line. Its lines stand one
// Step apart, so a block of text can be cut between lines at multiples of
// Step. Laid out with the metrics of the device it will be painted on.
// Copies share the layout.
class TReportText {
public:
  TReportText(const QString& Text, const QFont& Font, int Width, Qt::Alignment Align,
              const QPaintDevice* Device);

  // The distance of the lines (the font's line spacing, rounded up).
  int Step() const { return FStep; }
  // Lines × Step; an empty text takes one line.
  int Height() const { return FLines * FStep; }
  void Draw(QPainter& Painter, const QPointF& TopLeft) const;

private:
  std::shared_ptr<QTextLayout> FLayout;
  int FStep = 0;
  int FLines = 0;
};
