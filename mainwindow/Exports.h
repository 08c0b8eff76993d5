#pragma once

#include "mainwindow/BeamPainter.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;
class QPageLayout;
class QPrinter;
class TData;
struct TReportInfo;

// Writes FileName whole or not at all: Write fills a temporary file beside
// it, which replaces the file only when everything was written. A failure
// (Write returning false included) leaves no file behind and throws
// EFCreateError with "ファイル "name". reason を作成できません".
void WriteWholeFile(const QString& FileName, const std::function<bool(QIODevice&)>& Write);

// X (m), S (kN), M (kN･m) of every sample as CSV in UTF-8 with a byte-order
// mark: a header line, then one line per sample, numbers in the shortest
// form that reads back to the same value, 範囲外 for one that is not
// finite.
QByteArray ResultsCsv(const TData& Data);
void SaveResultsCsv(const TData& Data, const QString& FileName);

// A4 portrait with margins of 15 mm: the paper until the page set-up
// chooses another.
QPageLayout DefaultPageLayout();

// The report as a PDF, as many pages as it takes, on the paper of Layout.
void SaveReportPdf(TData& Data, const QString& FileName, const TReportInfo& Info,
                   const QPageLayout& Layout);
// The report on the printer, on its paper and orientation.
void PrintReport(TData& Data, QPrinter& Printer, const TReportInfo& Info);

// The diagram area at Width x Height pixels: SVG for a name ending in
// ".svg" (any case), PNG otherwise (the picture the window shows).
void SaveDiagramImage(TData& Data, const QString& FileName, int Width, int Height,
                      const TDiagramLayers& Layers);
// "1200x800" (or with "×", spaces allowed) into a size of 1..16384 pixels
// each way; false for anything else.
bool ParseImageSize(const QString& Text, int& Width, int& Height);
