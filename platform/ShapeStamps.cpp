#include "platform/ShapeStamps.h"

#include <QPainter>
#include <map>
#include <optional>

const TPixelRuns* ShapeStamp(const TShapeKey& Key, int Reach,
                             const std::function<void(QPainter&, QPoint)>& Draw) {
  static std::map<TShapeKey, std::optional<TPixelRuns>> Stamps;
  if (const auto Known = Stamps.find(Key); Known != Stamps.end())
    return Known->second ? &*Known->second : nullptr;
  if (Stamps.size() >= MaxShapeStamps) Stamps.clear();
  const int Size = 2 * Reach + 1;
  QImage Image(Size, Size, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  {
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Draw(Painter, QPoint(Reach, Reach));
  }
  TPixelRuns Runs;
  bool Usable = RunsOfImage(Image, QPoint(Reach, Reach), Runs);
  for (const TPixelRun& Run : Runs.Runs)
    if (Run.Y == -Reach || Run.Y == Reach || Run.X0 == -Reach || Run.X1 == Reach + 1)
      Usable = false;
  std::optional<TPixelRuns>& Stamp = Stamps[Key];
  if (Usable) Stamp = std::move(Runs);
  return Stamp ? &*Stamp : nullptr;
}
