#pragma once

#include "mainwindow/BeamPainter.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

class QIODevice;
class QPageLayout;
class QPrinter;
class TData;
struct TReportInfo;

// Every export leaves the program as the data file does: Write fills a
// buffer in memory, whose bytes then go through WriteFileSafely, with its
// refusals (special files, read-only files), its messages and its
// all-or-nothing promise. A failure (Write returning false included)
// throws EFCreateError; the result is WriteFileSafely's note, empty unless
// the file is saved but not known to be on disk. The name goes to the
// file system as its own bytes (NativeFileName).
std::string WriteWholeFile(const QString& FileName, const std::function<bool(QIODevice&)>& Write);

// X (m), S (kN), M (kN･m) (θ and δ too when computed) of every sample
// and of every exact point (ExactPoints: supports, point loads, moments,
// extremes, both sides of a jump) in order along the beam, as CSV in UTF-8
// with a byte-order mark: a header line, then one line per row, numbers in
// the shortest form that reads back to the same value, 範囲外 for one that
// is not finite.
QByteArray ResultsCsv(const TData& Data);
std::string SaveResultsCsv(const TData& Data, const QString& FileName);

// A4 portrait with margins of 15 mm: the paper until the page set-up
// chooses another.
QPageLayout DefaultPageLayout();

// The report as a PDF, as many pages as it takes, on the paper of Layout.
std::string SaveReportPdf(TData& Data, const QString& FileName, const TReportInfo& Info,
                          const QPageLayout& Layout);
// The report on the printer, on its paper and orientation.
void PrintReport(TData& Data, QPrinter& Printer, const TReportInfo& Info);

// The diagram area at Width x Height pixels: SVG for a name ending in
// ".svg" (any case), PNG otherwise (the picture the window shows).
std::string SaveDiagramImage(TData& Data, const QString& FileName, int Width, int Height,
                             const TDiagramLayers& Layers);
// "1200x800" (or with "×", spaces allowed) into a size of 1..16384 pixels
// each way; false for anything else.
bool ParseImageSize(const QString& Text, int& Width, int& Height);
