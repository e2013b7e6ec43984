// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_sketch.h"
#include "shapes/shape_kind.h"

namespace mertano {

// The drawing of a figure on a 150 x 150 picture, every measurement it names labelled.
Sketch FigureSketch(ShapeKind kind);

}  // namespace mertano
