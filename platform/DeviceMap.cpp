#include "platform/DeviceMap.h"

#include <QTransform>
#include <cmath>

namespace {

// V in whole eighths, within the reach of a device's coordinates.
std::optional<int> WholeEighths(double V) {
  const double Eighths = V * 8;
  if (!(std::abs(Eighths) <= 1 << 24) || Eighths != std::floor(Eighths)) return std::nullopt;
  return static_cast<int>(Eighths);
}

} // namespace

std::optional<TDeviceMap> TDeviceMap::Of(const QTransform& Transform) {
  if (Transform.type() > QTransform::TxScale || Transform.m11() != Transform.m22())
    return std::nullopt;
  const std::optional<int> Ratio8 = WholeEighths(Transform.m11());
  const std::optional<int> Dx8 = WholeEighths(Transform.dx());
  const std::optional<int> Dy8 = WholeEighths(Transform.dy());
  if (!Ratio8 || !Dx8 || !Dy8 || *Ratio8 <= 0 || *Ratio8 > 64) return std::nullopt;
  return TDeviceMap(*Ratio8, *Dx8, *Dy8);
}
