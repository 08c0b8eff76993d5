#include "mainwindow/ReportSheet.h"

#include "analysis/BeamData.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/VectorCanvas.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr int LineHeight = 18;
constexpr int RowHeight = 16;

QFont SheetFont(int PixelSize, bool Bold = false) {
  QFont Font(QStringLiteral("ＭＳ Ｐゴシック"));
  Font.setPixelSize(PixelSize);
  Font.setBold(Bold);
  return Font;
}

// The writing position down the sheet, in units of 1/96 inch.
struct TSheet {
  QPainter& Painter;
  int Width;
  int Height;
  int Y = 0;

  void Text(const QString& Line, const QFont& Font, int Advance) {
    Painter.setFont(Font);
    Painter.setPen(Qt::black);
    Painter.drawText(QRect(0, Y, Width, Advance), Qt::AlignLeft | Qt::AlignVCenter, Line);
    Y += Advance;
  }
};

void DrawHeading(TSheet& Sheet, const TData& Data, const TReportInfo& Info) {
  const QFont Title = SheetFont(20, true);
  Sheet.Painter.setFont(SheetFont(12));
  Sheet.Painter.drawText(QRect(0, 0, Sheet.Width, 28), Qt::AlignRight | Qt::AlignVCenter,
                         Info.Date);
  Sheet.Text(QStringLiteral("Vantrel 計算書"), Title, 34);
  const QString Name =
      Info.FileName.isEmpty() ? QStringLiteral("新規データ") : QFileInfo(Info.FileName).fileName();
  Sheet.Text(QStringLiteral("ファイル: ") + Name, SheetFont(13), LineHeight + 2);
  Sheet.Text(BeamLine(Data), SheetFont(13), LineHeight + 8);
}

void DrawDiagramBox(TSheet& Sheet, TData& Data, const TReportInfo& Info, int BoxHeight) {
  QPainter& Painter = Sheet.Painter;
  Painter.save();
  Painter.translate(0, Sheet.Y);
  {
    TVectorCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, Sheet.Width, BoxHeight}, Info.Layers, nullptr);
  }
  Painter.setPen(QPen(Qt::black, 1));
  Painter.setBrush(Qt::NoBrush);
  Painter.drawRect(QRect(0, 0, Sheet.Width - 1, BoxHeight - 1));
  Painter.restore();
  Sheet.Y += BoxHeight + 12;
}

void DrawLoadTable(TSheet& Sheet, const TData& Data) {
  const std::vector<QStringList> Rows = LoadTableRows(Data);
  const QFont Font = SheetFont(11);
  const QFontMetrics Metrics(Font);
  std::vector<int> Widths(Rows.front().size(), 0);
  for (const QStringList& Row : Rows)
    for (qsizetype C = 0; C < Row.size(); ++C)
      Widths[C] = std::max(Widths[C], Metrics.horizontalAdvance(Row[C]) + 14);
  Sheet.Painter.setFont(Font);
  for (std::size_t R = 0; R < Rows.size(); ++R) {
    // The rows that do not fit are counted instead.
    if (Sheet.Y + 2 * RowHeight > Sheet.Height && R + 1 < Rows.size()) {
      Sheet.Text(QStringLiteral("ほか %1 件の荷重は省略しました。").arg(Rows.size() - R), Font,
                 RowHeight);
      return;
    }
    int X = 0;
    for (qsizetype C = 0; C < Rows[R].size(); ++C) {
      const Qt::Alignment Align =
          C == 1 || C + 1 == Rows[R].size() ? Qt::AlignLeft : Qt::AlignRight;
      Sheet.Painter.drawText(QRect(X, Sheet.Y, Widths[C] - 7, RowHeight), Align | Qt::AlignVCenter,
                             Rows[R][C]);
      X += Widths[C];
    }
    if (R == 0) Sheet.Painter.drawLine(0, Sheet.Y + RowHeight, X, Sheet.Y + RowHeight);
    Sheet.Y += RowHeight;
  }
}

} // namespace

void DrawReportSheet(TData& Data, QPainter& Painter, const QRect& Page, const TReportInfo& Info) {
  const double Scale = Painter.device()->logicalDpiX() / 96.0;
  Painter.save();
  Painter.translate(Page.topLeft());
  Painter.scale(Scale, Scale);
  TSheet Sheet{Painter, static_cast<int>(Page.width() / Scale),
               static_cast<int>(Page.height() / Scale)};
  DrawHeading(Sheet, Data, Info);
  DrawDiagramBox(Sheet, Data, Info, std::min(380, Sheet.Height * 2 / 5));
  Sheet.Text(QStringLiteral("計算結果"), SheetFont(14, true), LineHeight + 4);
  for (const QString& Line : ResultLines(Data))
    Sheet.Text(Line, SheetFont(12), LineHeight);
  Sheet.Y += 8;
  Sheet.Text(QStringLiteral("荷重と反力の分担"), SheetFont(14, true), LineHeight + 4);
  DrawLoadTable(Sheet, Data);
  Painter.restore();
}
