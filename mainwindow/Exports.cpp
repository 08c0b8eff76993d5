#include "mainwindow/Exports.h"

#include "analysis/BeamData.h"
#include "analysis/ExactPoints.h"
#include "analysis/FileErrors.h"
#include "analysis/SafeSave.h"
#include "mainwindow/BeamImage.h"
#include "mainwindow/ReportSheet.h"
#include "mainwindow/ResultsText.h"
#include "mainwindow/VectorCanvas.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The shortest form that reads back as Value; 範囲外 for a value that is
// not finite.
void AppendNumber(QByteArray& Out, double Value) {
  if (!std::isfinite(Value)) {
    Out.append(OutOfRangeText().toUtf8());
    return;
  }
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  Out.append(Buffer, Result.ptr - Buffer);
}

// The printable area of a painter's device, where its painter starts.
QRect PageRect(const QPageLayout& Layout, int Resolution) {
  return QRect(QPoint(0, 0), Layout.paintRectPixels(Resolution).size());
}

bool PaintReport(TData& Data, QPagedPaintDevice& Device, const QRect& Page,
                 const TReportInfo& Info) {
  QPainter Painter;
  if (!Painter.begin(&Device)) return false;
  const bool Painted =
      DrawReport(Data, Painter, Page, Info, [&Device] { return Device.newPage(); });
  return Painter.end() && Painted;
}

} // namespace

std::string WriteWholeFile(const QString& FileName, const std::function<bool(QIODevice&)>& Write) {
  const std::string Path = NativeFileName(FileName);
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  if (!Write(Buffer))
    throw EFCreateError(CreateErrorMessage(
        FullFileName(Path),
        QCoreApplication::translate("Exports", "内容を作れなかったため").toStdString()));
  return WriteFileSafely(Path, std::vector<std::uint8_t>(Bytes.begin(), Bytes.end()));
}

QByteArray ResultsCsv(const TData& Data) {
  QByteArray Out("\xEF\xBB\xBF");
  // The columns in the order of the list of quantities: S, M, then θ and
  // δ when they were computed.
  std::vector<TQuantity> Columns;
  QString Header = QStringLiteral("X (m)");
  for (const TQuantityInfo& Q : Quantities())
    if (!Q.NeedsStiffness || Data.Results().HasBending) {
      Columns.push_back(Q.Id);
      Header +=
          QStringLiteral(",%1 (%2)").arg(QString::fromUtf8(Q.Symbol), QString::fromUtf8(Q.Unit));
    }
  Out.append((Header + QStringLiteral("\r\n")).toUtf8());
  // The samples and the exact points in order along the beam, at one
  // position the left side first; a row that repeats the one before it is
  // left out.
  std::vector<TExactPoint> Rows;
  for (const TCalcPoint& P : Data.Points())
    Rows.push_back({P, psOnly});
  const std::vector<TExactPoint> Exact = ExactPoints(Data);
  Rows.insert(Rows.end(), Exact.begin(), Exact.end());
  std::stable_sort(Rows.begin(), Rows.end(), [](const TExactPoint& A, const TExactPoint& B) {
    return A.Point.X < B.Point.X || (A.Point.X == B.Point.X && A.Side < B.Side);
  });
  QByteArray Last;
  for (const TExactPoint& Row : Rows) {
    QByteArray Line;
    AppendNumber(Line, Row.Point.X);
    for (const TQuantity Q : Columns) {
      Line.append(',');
      AppendNumber(Line, Row.Point.Value(Q));
    }
    if (Line != Last) Out.append(Line + "\r\n");
    Last = Line;
  }
  return Out;
}

std::string SaveResultsCsv(const TData& Data, const QString& FileName) {
  const QByteArray Bytes = ResultsCsv(Data);
  return WriteWholeFile(FileName,
                        [&Bytes](QIODevice& File) { return File.write(Bytes) == Bytes.size(); });
}

QPageLayout DefaultPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

std::string SaveReportPdf(TData& Data, const QString& FileName, const TReportInfo& Info,
                          const QPageLayout& Layout) {
  return WriteWholeFile(FileName, [&](QIODevice& File) {
    QPdfWriter Writer(&File);
    Writer.setCreator(QStringLiteral("Vantrel"));
    Writer.setTitle(QStringLiteral("Vantrel 計算書"));
    Writer.setPageLayout(Layout);
    return PaintReport(Data, Writer, PageRect(Writer.pageLayout(), Writer.resolution()), Info);
  });
}

void PrintReport(TData& Data, QPrinter& Printer, const TReportInfo& Info) {
  if (!PaintReport(Data, Printer, PageRect(Printer.pageLayout(), Printer.resolution()), Info))
    throw Exception("印刷できません。プリンタの設定を確認してください。");
}

std::string SaveDiagramImage(TData& Data, const QString& FileName, int Width, int Height,
                             const TDiagramLayers& Layers) {
  if (QFileInfo(FileName).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) != 0) {
    const QImage Image = RenderBeamImage(Data, Width, Height, Layers);
    return WriteWholeFile(FileName, [&Image](QIODevice& File) { return Image.save(&File, "PNG"); });
  }
  return WriteWholeFile(FileName, [&](QIODevice& File) {
    QSvgGenerator Svg;
    Svg.setOutputDevice(&File);
    Svg.setSize(QSize(Width, Height));
    Svg.setViewBox(QRect(0, 0, Width, Height));
    Svg.setTitle(QStringLiteral("Vantrel"));
    QPainter Painter;
    if (!Painter.begin(&Svg)) return false;
    TVectorCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, Width, Height}, Layers, nullptr);
    return Painter.end();
  });
}

bool ParseImageSize(const QString& Text, int& Width, int& Height) {
  static const QRegularExpression Pattern(
      QStringLiteral("^\\s*(\\d{1,5})\\s*[xX×]\\s*(\\d{1,5})\\s*$"));
  const QRegularExpressionMatch Match = Pattern.match(Text);
  if (!Match.hasMatch()) return false;
  const int W = Match.captured(1).toInt(), H = Match.captured(2).toInt();
  if (W < 1 || H < 1 || W > 16384 || H > 16384) return false;
  Width = W;
  Height = H;
  return true;
}
