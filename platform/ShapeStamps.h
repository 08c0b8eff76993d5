#pragma once

#include "platform/ImageRaster.h"

#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>

class QPainter;

// Shapes a painter strokes or fills (ellipses, arcs) kept as runs of
// pixels by their form, pen and brush, so that painting one again anywhere
// costs a copy of its pixels. Without antialiasing the painter paints a
// shape moved by whole device pixels as the same pixels moved, so a stamp
// serves every place whose corner falls on the same fraction of a device
// pixel.
using TShapeKey = std::array<std::int64_t, 8>;

// The pixels Draw paints about the point it is given, within Reach pixels
// every way, made once per Key, on a device of Ratio8 eighths of a device
// pixel per pixel where that point falls Phase eighths past the corner of
// a device pixel, given about that pixel in device pixels; nullptr when
// some are not opaque or they reach that far. At most MaxShapeStamps are
// kept; beyond that they start afresh.
const TPixelRuns* ShapeStamp(const TShapeKey& Key, int Reach, int Ratio8, TPoint Phase,
                             const std::function<void(QPainter&, QPoint)>& Draw);
constexpr std::size_t MaxShapeStamps = 4096;
