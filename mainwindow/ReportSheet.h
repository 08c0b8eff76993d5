#pragma once

#include "mainwindow/BeamPainter.h"

#include <QString>
#include <functional>

class QPainter;
class QRect;

// What the report says besides the document. Subject, Designer and Date
// are the header the user fills in (kept by ReportHeader).
struct TReportInfo {
  QString FileName; // shown without its folder; empty for a new document
  QString Date;
  TDiagramLayers Layers;
  QString Subject{};
  QString Designer{};
};

// Paints the whole report onto the pages of the painter's device, each
// page into Page (device pixels): the header, the beam, the diagrams
// through the same drawing code as the window (as vectors) with a legend
// of their lines, the sign conventions, the results and the load table
// with every load, its header row repeated on every page it continues on,
// and "n / N" at the foot of each page. The report is laid out whole
// before the first page is painted. The sheet is laid out on a grid of
// 1/96 inch whatever the device's resolution, so that it looks alike on
// paper, in a PDF and in a picture. NewPage is called before every page
// after the first; when it fails, painting stops and false is returned.
bool DrawReport(TData& Data, QPainter& Painter, const QRect& Page, const TReportInfo& Info,
                const std::function<bool()>& NewPage);
