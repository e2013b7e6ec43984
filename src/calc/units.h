// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace mertano {

// How a density in g/cm³ (= kg/dm³) becomes kilograms per cube of a length unit: divided
// or multiplied by an exact factor, so that each unit's mass is worked out as it always was.
struct DensityScale {
    bool divide;
    long double factor;
};

// For "mm", "cm", "dm", "m", "in" and "ft" (exact, case-sensitive); nothing for any
// other unit, whose mass would be plainly wrong.
std::optional<DensityScale> DensityScaleFor(std::string_view unit);

inline long double ScaleDensity(long double gravity, DensityScale scale) {
    return scale.divide ? gravity / scale.factor : gravity * scale.factor;
}

}  // namespace mertano
