#include "mainwindow/ReportSheet.h"

#include "analysis/BeamData.h"
#include "mainwindow/ReportLayout.h"
#include "mainwindow/ReportTable.h"
#include "mainwindow/ReportText.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/VectorCanvas.h"
#include "platform/Fonts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr int FooterHeight = 24;

QFont SheetFont(int PixelSize, bool Bold = false) {
  QFont Font = FontFor(QStringLiteral("ＭＳ Ｐゴシック"));
  Font.setPixelSize(PixelSize);
  Font.setBold(Bold);
  return Font;
}

// Line with a name and its value ("fs = 90.400(N/mm²)") joined so that a
// wrap falls only between them: no break at the spaces around " = " nor
// after a "/" of a unit.
QString KeptTogether(QString Line) {
  return Line.replace(QStringLiteral(" = "), QStringLiteral("\u00A0=\u00A0"))
      .replace(QChar('/'), QStringLiteral("/\u2060"));
}

// The blocks of the report, made top to bottom on a sheet Width wide.
struct TSheetBlocks {
  const QPaintDevice* Device;
  int Width;
  std::vector<TReportBlock> Blocks;

  // Line wrapped to the sheet's width, Space above what follows.
  TReportBlock TextBlock(const QString& Line, const QFont& Font, int Space) const {
    const TReportText Text(KeptTogether(Line), Font, Width, Qt::AlignLeft, Device);
    return {Text.Height() + Space,
            [Text](QPainter& Painter, int Top) {
              Painter.setPen(Qt::black);
              Text.Draw(Painter, QPointF(0, Top));
            },
            Text.Step()};
  }
  TReportBlock& Text(const QString& Line, const QFont& Font, int Space = 2) {
    return Blocks.emplace_back(TextBlock(Line, Font, Space));
  }
};

void AddHeading(TSheetBlocks& Sheet, const TData& Data, const TReportInfo& Info) {
  Sheet.Text(QStringLiteral("Vantrel 計算書"), SheetFont(20, true), 6);
  const QFont Font = SheetFont(13);
  Sheet.Text(QCoreApplication::translate("ReportSheet", "件名: %1").arg(Info.Subject), Font);
  Sheet.Text(QCoreApplication::translate("ReportSheet", "設計者: %1    日付: %2")
                 .arg(Info.Designer, Info.Date),
             Font);
  const QString Name =
      Info.FileName.isEmpty() ? QStringLiteral("新規データ") : QFileInfo(Info.FileName).fileName();
  Sheet.Text(QStringLiteral("ファイル: ") + Name, Font);
  QStringList Lines{BeamLine(Data)};
  if (const QString Supports = SupportsLine(Data); !Supports.isEmpty()) Lines << Supports;
  const QStringList Section = SectionLines(Data);
  for (qsizetype I = 0; I < Lines.size(); ++I)
    Sheet.Text(Lines[I], Font, I + 1 == Lines.size() && Section.isEmpty() ? 8 : 2);
  for (qsizetype I = 0; I < Section.size(); ++I)
    Sheet.Text(Section[I], Font, I + 1 == Section.size() ? 8 : 2);
}

void AddDiagram(TSheetBlocks& Sheet, TData& Data, const TDiagramLayers& Layers, int BoxHeight) {
  const int Width = Sheet.Width;
  Sheet.Blocks.push_back(
      {BoxHeight + 6, [&Data, Layers, Width, BoxHeight](QPainter& Painter, int Top) {
         Painter.translate(0, Top);
         // A label longer than the box is cut at its edge.
         Painter.setClipRect(0, 0, Width, BoxHeight, Qt::IntersectClip);
         {
           TVectorCanvas Canvas(Painter);
           DrawBeam(Data, Canvas, {0, 0, Width, BoxHeight}, Layers, nullptr);
         }
         Painter.setPen(QPen(Qt::black, 1));
         Painter.setBrush(Qt::NoBrush);
         Painter.drawRect(QRect(0, 0, Width - 1, BoxHeight - 1));
       }});
}

// A short stroke of each shown line in its colour and pen (those the
// diagram draws it with), with its name and unit, side by side.
void AddLegend(TSheetBlocks& Sheet, const TData& Data, const TDiagramLayers& Layers) {
  struct TEntry {
    const TQuantityInfo* Quantity;
    TReportText Text;
  };
  const TShownQuantities Shown = Layers.Lines();
  int Count = 0;
  for (const TQuantityInfo& Q : Quantities())
    Count += Q.Drawn && Shown[Q.Id] && Data.Results().Has(Q.Id);
  if (Count == 0) return;
  const int Column = Sheet.Width / std::max(Count, 2), Stroke = 28, TextLeft = Stroke + 6;
  const QFont Font = SheetFont(12);
  std::vector<TEntry> Entries;
  for (const TQuantityInfo& Q : Quantities())
    if (Q.Drawn && Shown[Q.Id] && Data.Results().Has(Q.Id))
      Entries.push_back(
          {&Q,
           {QStringLiteral("%1: %2 (%3)")
                .arg(QString::fromUtf8(Q.Symbol),
                     QCoreApplication::translate("ReportSheet", Q.Name), QString::fromUtf8(Q.Unit)),
            Font, Column - TextLeft, Qt::AlignLeft, Sheet.Device}});
  int Height = 0;
  for (const TEntry& Entry : Entries)
    Height = std::max(Height, Entry.Text.Height());
  Sheet.Blocks.push_back(
      {Height + 4, [Entries, Column, Stroke, TextLeft](QPainter& Painter, int Top) {
         const double Middle = Top + Entries.front().Text.Step() / 2.0;
         for (std::size_t I = 0; I < Entries.size(); ++I) {
           const int X = static_cast<int>(I) * Column;
           Painter.setPen(
               QPen(ToQColor(Entries[I].Quantity->Colour), Entries[I].Quantity->PenWidth));
           Painter.drawLine(QPointF(X, Middle), QPointF(X + Stroke, Middle));
           Painter.setPen(Qt::black);
           Entries[I].Text.Draw(Painter, QPointF(X + TextLeft, Top));
         }
       }});
}

void AddResults(TSheetBlocks& Sheet, const TData& Data) {
  Sheet.Text(
      QCoreApplication::translate(
          "ReportSheet",
          "符号: 荷重は下向き正、反力は上向き正、S は左側の鉛直力の和で上向き正、"
          "M は下に凸(正曲げ)を正(固定端の M も梁の曲げモーメント)、モーメント荷重は時計回り正、"
          "固定端で支点が梁に与える反力モーメントは向きを言葉で示します。"
          "図は正の S と M を軸の下側に描きます。"),
      SheetFont(11), Data.Results().HasBending ? 2 : 10);
  if (Data.Results().HasBending)
    Sheet.Text(QCoreApplication::translate("ReportSheet",
                                           "θ は時計回り正、δ は下向き正。たわみ図は曲がった梁を"
                                           "軸の下側を正として拡大して描きます。"),
               SheetFont(11), 10);
  Sheet.Text(QStringLiteral("計算結果"), SheetFont(14, true), 4).KeepWithNext = true;
  for (const QString& Line : ResultLines(Data))
    Sheet.Text(Line, SheetFont(12));
  Sheet.Blocks.back().Height += 8;
}

// The table's title, header row and rows; Head receives what heads a page
// the table continues on.
void AddLoadTable(TSheetBlocks& Sheet, const TData& Data, std::vector<TReportBlock>& Head) {
  const QFont TitleFont = SheetFont(14, true);
  Sheet.Text(QStringLiteral("荷重と反力の分担"), TitleFont, 4).KeepWithNext = true;
  const TReportTable Table = LayOutLoadTable(Data, SheetFont(11), Sheet.Width, Sheet.Device);
  Head = {Sheet.TextBlock(QCoreApplication::translate("ReportSheet", "荷重と反力の分担 (続き)"),
                          TitleFont, 4),
          Table.Header};
  Sheet.Blocks.push_back(Table.Header);
  Sheet.Blocks.insert(Sheet.Blocks.end(), Table.Rows.begin(), Table.Rows.end());
}

void PaintFooter(QPainter& Painter, int Width, int Height, std::size_t Page, std::size_t Pages) {
  Painter.setPen(Qt::black);
  Painter.setFont(SheetFont(11));
  Painter.drawText(QRect(0, Height - FooterHeight, Width, FooterHeight),
                   Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("%1 / %2").arg(Page).arg(Pages));
}

} // namespace

bool DrawReport(TData& Data, QPainter& Painter, const QRect& Page, const TReportInfo& Info,
                const std::function<bool()>& NewPage) {
  const double Scale = Painter.device()->logicalDpiX() / 96.0;
  const int Width = static_cast<int>(Page.width() / Scale);
  const int Height = static_cast<int>(Page.height() / Scale);
  TSheetBlocks Sheet{Painter.device(), Width, {}};
  std::vector<TReportBlock> TableHead;
  AddHeading(Sheet, Data, Info);
  AddDiagram(Sheet, Data, Info.Layers, std::min(380, Height * 2 / 5));
  AddLegend(Sheet, Data, Info.Layers);
  AddResults(Sheet, Data);
  AddLoadTable(Sheet, Data, TableHead);

  const std::vector<TReportPage> Pages = FlowBlocks(Sheet.Blocks, TableHead, Height - FooterHeight);
  for (std::size_t I = 0; I < Pages.size(); ++I) {
    if (I > 0 && !NewPage()) return false;
    Painter.save();
    Painter.translate(Page.topLeft());
    Painter.scale(Scale, Scale);
    PaintPage(Painter, Pages[I], Width);
    PaintFooter(Painter, Width, Height, I + 1, Pages.size());
    Painter.restore();
  }
  return true;
}
