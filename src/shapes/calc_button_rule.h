// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/field.h"
#include "shapes/shape_kind.h"

namespace mertano {

// The fourteen field values as the change handler reads them (64-bit floats).
using FieldValues = std::array<double, kFieldCount>;

// Reads every field text the way the calculate command does, rounded to double.
FieldValues ReadFieldValues(const std::array<std::string, kFieldCount>& texts);

// Whether the calculate button may be pressed: some combination of the figure's inputs
// that its solver can use is given (values above 0), with its extra condition.
bool CalculateEnabled(std::optional<ShapeKind> shape, const FieldValues& values);

// The ways of solving the figure that the given values allow, each the set of fields it
// needs, leaving out every way that holds a smaller one of the figure (the circle's r
// with d): what the calculation tries when more is typed than one way needs.
struct Ways {
    std::array<FieldMask, 12> masks{};
    int count = 0;
    FieldMask given = 0;  // every field whose value is given
};
Ways MinimalWaysGiven(ShapeKind shape, const FieldValues& values);

}  // namespace mertano
