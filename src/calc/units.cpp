// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

namespace mertano {

std::optional<DensityScale> DensityScaleFor(std::string_view unit) {
    if (unit == "mm") return DensityScale{true, 1000000.0L};
    if (unit == "cm") return DensityScale{true, 1000.0L};
    if (unit == "dm") return DensityScale{false, 1.0L};
    if (unit == "m") return DensityScale{false, 1000.0L};
    if (unit == "in") return DensityScale{false, 0.016387064L};   // 2.54^3 cm3, in dm3
    if (unit == "ft") return DensityScale{false, 28.316846592L};  // 30.48^3 cm3, in dm3
    return std::nullopt;
}

}  // namespace mertano
