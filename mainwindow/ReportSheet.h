#pragma once

#include "mainwindow/BeamPainter.h"

#include <QString>

class QPainter;
class QRect;

// What the sheet says besides the document.
struct TReportInfo {
  QString FileName; // shown without its folder; empty for a new document
  QString Date;
  TDiagramLayers Layers;
};

// Paints one sheet into Page (device pixels of the painter's device): the
// file name and date, the beam, the diagrams through the same drawing code
// as the window (as vectors), the results and the load table with remarks.
// The sheet is laid out on a grid of 1/96 inch whatever the device's
// resolution, so that it looks alike on paper, in a PDF and in a picture.
void DrawReportSheet(TData& Data, QPainter& Painter, const QRect& Page, const TReportInfo& Info);
