#include "mainwindow/BeamImage.h"

#include "platform/QtCanvas.h"

#include <QPainter>

QImage RenderBeamImage(TData& Data, int Width, int Height, const TDiagramLayers& Layers) {
  QImage Image(Width, Height, QImage::Format_RGB32);
  Image.setDevicePixelRatio(1);
  Image.fill(Qt::white);
  {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, Width, Height}, Layers, nullptr);
  } // everything painted
  return Image;
}
