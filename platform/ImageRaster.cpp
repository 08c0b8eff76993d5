#include "platform/ImageRaster.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstdint>

namespace {

TRect Intersection(const TRect& A, const TRect& B) {
  return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
}

bool IsRasterFormat(QImage::Format Format) {
  return Format == QImage::Format_RGB32 || Format == QImage::Format_ARGB32 ||
         Format == QImage::Format_ARGB32_Premultiplied;
}

// One edge of a polygon as the scan conversion walks it: rows Top to
// Bottom - 1, the boundary at row Top (16.16) and its step per row.
struct TEdge {
  int Top, Bottom;
  std::int64_t X, Step;
};

// The first row whose centre lies below Y (16.16).
int RowBelow(std::int64_t Y) {
  return static_cast<int>(((Y - 0x8000) >> 16) + 1);
}

// The edge from A to B, given in 16.16; false when it crosses no row.
bool EdgeOf(std::int64_t Ax, std::int64_t Ay, std::int64_t Bx, std::int64_t By, TEdge& Edge) {
  if (Ay > By) {
    std::swap(Ax, Bx);
    std::swap(Ay, By);
  }
  Edge = {RowBelow(Ay), RowBelow(By), Ax + 0x8000, 0};
  if (Edge.Top >= Edge.Bottom) return false;
  if (Ax != Bx) {
    const double Slope = static_cast<double>(Bx - Ax) / static_cast<double>(By - Ay);
    Edge.Step = static_cast<std::int64_t>(Slope * 65536.0);
    // from the vertex to the first row's centre
    Edge.X += (Edge.Step * ((static_cast<std::int64_t>(Edge.Top) << 16) + 0x8000 - Ay)) >> 16;
  }
  return true;
}

} // namespace

std::unique_ptr<TImageRaster> TImageRaster::Of(QPainter& Painter) {
  QPaintDevice* Device = Painter.device();
  if (!Device || Device->devType() != QInternal::Image) return nullptr;
  QImage& Image = *static_cast<QImage*>(Device);
  const std::optional<TDeviceMap> Map = TDeviceMap::Of(Painter.deviceTransform());
  if (!IsRasterFormat(Image.format()) || !Map ||
      Painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
      Painter.backgroundMode() != Qt::TransparentMode || Painter.opacity() != 1.0)
    return nullptr;
  TRect Clip{0, 0, Image.width(), Image.height()};
  if (Painter.hasClipping()) {
    // The painter tells its clip in logical pixels, which may not say
    // where it lies on the device.
    if (!Map->IsIdentity()) return nullptr;
    const QRegion Region = Painter.clipRegion();
    if (Region.rectCount() != 1) return nullptr;
    const QRect R = Region.boundingRect();
    Clip = Intersection(Clip, {R.left(), R.top(), R.right() + 1, R.bottom() + 1});
  }
  auto Raster = std::make_unique<TImageRaster>(Image, *Map);
  Raster->FClip = Clip;
  return Raster;
}

TImageRaster::TImageRaster(QImage& Image, const TDeviceMap& Map)
    : FBits(Image.bits()), FStride(Image.bytesPerLine()),
      FMap(Map), FImage{0, 0, Image.width(), Image.height()}, FClip(FImage) {}

void TImageRaster::SetClip(const TRect* R) {
  FClip = R ? Intersection(FImage, FMap.Rect(*R)) : FImage;
}

void TImageRaster::FillRect(const TRect& R, QRgb Colour) {
  const TRect Part = Intersection(FMap.Rect(R), FClip);
  if (Part.IsEmpty()) return;
  uchar* Row = FBits + FStride * Part.Top;
  for (int Y = Part.Top; Y < Part.Bottom; ++Y, Row += FStride)
    std::fill_n(reinterpret_cast<QRgb*>(Row) + Part.Left, Part.Right - Part.Left, Colour);
}

bool TImageRaster::FillPolygon(const TPoint* Points, std::size_t Count, QRgb Colour) {
  if (Count > MaxVertices) return false;
  for (std::size_t I = 0; I < Count; ++I)
    if (!FClip.Contains(FMap.Pixel(Points[I]))) return false;
  TEdge Edges[MaxVertices];
  std::size_t EdgeCount = 0;
  int Top = FClip.Bottom, Bottom = FClip.Top;
  for (std::size_t I = 0; I < Count; ++I) {
    const TPoint A = Points[I], B = Points[(I + 1) % Count];
    TEdge& Edge = Edges[EdgeCount];
    if (!EdgeOf(FMap.FixedX(A.X), FMap.FixedY(A.Y), FMap.FixedX(B.X), FMap.FixedY(B.Y), Edge))
      continue;
    ++EdgeCount;
    Top = std::min(Top, Edge.Top);
    Bottom = std::max(Bottom, Edge.Bottom);
  }
  for (int Y = Top; Y < Bottom; ++Y) {
    int Crossings[MaxVertices];
    std::size_t N = 0;
    for (std::size_t I = 0; I < EdgeCount; ++I) {
      if (Y < Edges[I].Top || Y >= Edges[I].Bottom) continue;
      // In order from the left, placed as they come (there are few).
      const int X = static_cast<int>((Edges[I].X + (Y - Edges[I].Top) * Edges[I].Step) >> 16);
      std::size_t At = N++;
      for (; At > 0 && Crossings[At - 1] > X; --At)
        Crossings[At] = Crossings[At - 1];
      Crossings[At] = X;
    }
    for (std::size_t I = 0; I + 1 < N; I += 2)
      Span(Y, Crossings[I], Crossings[I + 1], Colour);
  }
  return true;
}

void TPixelRuns::Add(const TPixelRun& Run) {
  Bounds = Runs.empty() ? TRect{Run.X0, Run.Y, Run.X1, Run.Y + 1}
                        : TRect{std::min(Bounds.Left, Run.X0), std::min(Bounds.Top, Run.Y),
                                std::max(Bounds.Right, Run.X1), std::max(Bounds.Bottom, Run.Y + 1)};
  Runs.push_back(Run);
}

template <typename TColourOf>
void TImageRaster::PaintRuns(const TPixelRuns& Runs, int X, int Y, TColourOf ColourOf) {
  const TRect Moved{Runs.Bounds.Left + X, Runs.Bounds.Top + Y, Runs.Bounds.Right + X,
                    Runs.Bounds.Bottom + Y};
  if (Intersection(Moved, FClip) == Moved) {
    // Wholly inside: no run needs clipping.
    for (const TPixelRun& Run : Runs.Runs) {
      auto* Row = reinterpret_cast<QRgb*>(FBits + FStride * (Run.Y + Y));
      std::fill(Row + Run.X0 + X, Row + Run.X1 + X, ColourOf(Run));
    }
    return;
  }
  for (const TPixelRun& Run : Runs.Runs)
    Span(Run.Y + Y, Run.X0 + X, Run.X1 + X, ColourOf(Run));
}

void TImageRaster::Paint(const TPixelRuns& Runs, int X, int Y) {
  PaintRuns(Runs, X, Y, [](const TPixelRun& Run) { return Run.Colour; });
}

void TImageRaster::Paint(const TPixelRuns& Runs, int X, int Y, QRgb Colour) {
  PaintRuns(Runs, X, Y, [Colour](const TPixelRun&) { return Colour; });
}

bool RunsOfImage(const QImage& Image, QPoint Origin, TPixelRuns& Runs) {
  const QImage Pixels = Image.convertToFormat(QImage::Format_ARGB32);
  for (int Y = 0; Y < Pixels.height(); ++Y) {
    const auto* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y));
    for (int X = 0; X < Pixels.width();) {
      const QRgb P = Row[X];
      if (qAlpha(P) == 0) {
        ++X;
        continue;
      }
      if (qAlpha(P) != 255) return false;
      int End = X + 1;
      while (End < Pixels.width() && Row[End] == P)
        ++End;
      Runs.Add({Y - Origin.y(), X - Origin.x(), End - Origin.x(), P});
      X = End;
    }
  }
  return true;
}
