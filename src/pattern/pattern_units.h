// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace mertano {

// Millimetres to one unit of the figure, for "mm", "cm", "dm", "m", "in" and "ft" (as the
// mass names them, exact and case-sensitive); nothing for any other unit.
std::optional<double> MillimetresPerUnit(std::string_view unit);

// The drawing units code of a DXF header ($INSUNITS) for the same units; 0, unitless, for
// any other.
int DxfUnitsCode(std::string_view unit);

}  // namespace mertano
