#include "platform/ShapeStamps.h"

#include <QPainter>
#include <QTransform>
#include <map>
#include <optional>
#include <tuple>

const TPixelRuns* ShapeStamp(const TShapeKey& Key, int Reach, int Ratio8, TPoint Phase,
                             const std::function<void(QPainter&, QPoint)>& Draw) {
  using TPlacedKey = std::tuple<TShapeKey, int, int, int>;
  static std::map<TPlacedKey, std::optional<TPixelRuns>> Stamps;
  const TPlacedKey Placed{Key, Ratio8, Phase.X, Phase.Y};
  if (const auto Known = Stamps.find(Placed); Known != Stamps.end())
    return Known->second ? &*Known->second : nullptr;
  if (Stamps.size() >= MaxShapeStamps) Stamps.clear();
  // The shape is drawn at a point a whole number of eighths of a pixel
  // from the image's corner on the device too, moved by Phase.
  const int Centre = (Reach + 7) / 8 * 8;
  const int DeviceCentre = Centre * Ratio8 / 8;
  const int Size = (2 * Centre + 1) * Ratio8 / 8 + 1;
  QImage Image(Size, Size, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  {
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setTransform(
        QTransform(Ratio8 / 8.0, 0, 0, Ratio8 / 8.0, Phase.X / 8.0, Phase.Y / 8.0));
    Draw(Painter, QPoint(Centre, Centre));
  }
  TPixelRuns Runs;
  bool Usable = RunsOfImage(Image, QPoint(DeviceCentre, DeviceCentre), Runs);
  const TRect Inside{1 - DeviceCentre, 1 - DeviceCentre, Size - 1 - DeviceCentre,
                     Size - 1 - DeviceCentre};
  for (const TPixelRun& Run : Runs.Runs)
    if (Run.Y < Inside.Top || Run.Y >= Inside.Bottom || Run.X0 < Inside.Left ||
        Run.X1 > Inside.Right)
      Usable = false;
  std::optional<TPixelRuns>& Stamp = Stamps[Placed];
  if (Usable) Stamp = std::move(Runs);
  return Stamp ? &*Stamp : nullptr;
}
