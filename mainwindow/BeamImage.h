#pragma once

#include "mainwindow/BeamPainter.h"

#include <QImage>

// The diagram area of a document painted into a white image of the given
// size (device pixel ratio 1) with the window font, as the window shows it.
QImage RenderBeamImage(TData& Data, int Width, int Height, const TDiagramLayers& Layers);
