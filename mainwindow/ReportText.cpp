#include "mainwindow/ReportText.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <cmath>

TReportText::TReportText(const QString& Text, const QFont& Font, int Width, Qt::Alignment Align,
                         const QPaintDevice* Device)
    : FLayout(std::make_shared<QTextLayout>(Text, Font, Device)),
      FStep(static_cast<int>(std::ceil(QFontMetricsF(Font, Device).lineSpacing()))) {
  QTextOption Option(Align);
  Option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  FLayout->setTextOption(Option);
  FLayout->beginLayout();
  for (QTextLine Line = FLayout->createLine(); Line.isValid(); Line = FLayout->createLine()) {
    Line.setLineWidth(std::max(Width, 1));
    Line.setPosition(QPointF(0, FLines * FStep));
    ++FLines;
  }
  FLayout->endLayout();
  FLines = std::max(FLines, 1);
}

void TReportText::Draw(QPainter& Painter, const QPointF& TopLeft) const {
  FLayout->draw(&Painter, TopLeft);
}
