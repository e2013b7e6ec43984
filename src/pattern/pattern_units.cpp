// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_units.h"

namespace mertano {
namespace {

struct PatternUnit {
    std::string_view name;
    double millimetres;
    int dxfCode;
};

// The inch and the foot are exact in millimetres since 1959.
constexpr PatternUnit kUnits[] = {
    {"mm", 1.0, 4},   {"cm", 10.0, 5}, {"dm", 100.0, 14},
    {"m", 1000.0, 6}, {"in", 25.4, 1}, {"ft", 304.8, 2},
};

const PatternUnit* Find(std::string_view unit) {
    for (const PatternUnit& u : kUnits)
        if (u.name == unit) return &u;
    return nullptr;
}

}  // namespace

std::optional<double> MillimetresPerUnit(std::string_view unit) {
    const PatternUnit* u = Find(unit);
    return u ? std::optional<double>(u->millimetres) : std::nullopt;
}

int DxfUnitsCode(std::string_view unit) {
    const PatternUnit* u = Find(unit);
    return u ? u->dxfCode : 0;
}

}  // namespace mertano
