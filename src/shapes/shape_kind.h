// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace mertano {

// One value per figure button, SpeedBtn1 to SpeedBtn13 in this order.
enum class ShapeKind {
    Triangle,
    RightTriangle,
    Circle,
    CircularSector,
    CircularSegment,
    Cube,
    Cylinder,
    Cone,
    TruncatedCone,
    Sphere,
    Cuboid,
    SphericalCap,
    SphericalZone,
};
inline constexpr int kShapeCount = 13;

inline constexpr std::array<ShapeKind, kShapeCount> kAllShapes = {
    ShapeKind::Triangle, ShapeKind::RightTriangle, ShapeKind::Circle,        ShapeKind::CircularSector,
    ShapeKind::CircularSegment, ShapeKind::Cube,   ShapeKind::Cylinder,      ShapeKind::Cone,
    ShapeKind::TruncatedCone,   ShapeKind::Sphere, ShapeKind::Cuboid,        ShapeKind::SphericalCap,
    ShapeKind::SphericalZone,
};

constexpr int ShapeIndex(ShapeKind s) { return static_cast<int>(s); }

}  // namespace mertano
