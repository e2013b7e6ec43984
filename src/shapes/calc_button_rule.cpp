// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc_button_rule.h"

#include <initializer_list>
#include <vector>

#include "calc/numbers.h"

namespace mertano {
namespace {

enum class Extra { None, ALessC, BLessC, RLessA, AGreaterM };

struct Combination {
    std::vector<Field> fields;
    Extra extra = Extra::None;
};

using F = Field;
constexpr F a = F::AoldEdit, b = F::BoldEdit, c = F::ColdEdit, alfa = F::AlfaEdit,
            beta = F::BetaEdit, gamma = F::GammaEdit, r = F::SugarEdit, d = F::AtmeroEdit,
            i = F::IvEdit, h = F::HurEdit, m = F::MagasEdit1, mb = F::MagasEdit2,
            mc = F::MagasEdit3, R = F::NagyrEdit;

const std::vector<Combination>& CombinationsOf(ShapeKind shape) {
    static const std::array<std::vector<Combination>, kShapeCount> kTable = {{
        // Triangle
        {{{a, b, m}},
         {{c, a, mc}},
         {{b, c, mb}},
         {{a, b, gamma}},
         {{a, c, beta}},
         {{b, c, alfa}},
         {{a, b, c}}},
        // RightTriangle
        {{{c, alfa}},
         {{b, alfa}},
         {{a, alfa}},
         {{a, beta}},
         {{b, beta}},
         {{c, beta}},
         {{a, b}},
         {{a, c}, Extra::ALessC},
         {{b, c}, Extra::BLessC},
         {{a, b, c}}},
        // Circle
        {{{r}}, {{d}}, {{r, d}}},
        // CircularSector
        {{{i, alfa}}, {{r, alfa}}, {{r, i}}, {{r, i, alfa}}},
        // CircularSegment
        {{{h, m}}, {{i, alfa}}, {{r, m}}, {{r, h}}, {{r, alfa}}, {{r, i, h, m}}, {{i, h}}},
        // Cube
        {{{a}}},
        // Cylinder
        {{{r, m}}},
        // Cone
        {{{r, m}},
         {{r, a}, Extra::RLessA},
         {{m, a}, Extra::AGreaterM},
         {{r, m, a}},
         {{a, alfa}},
         {{r, alfa}},
         {{m, alfa}},
         {{m, beta}},
         {{r, beta}},
         {{a, beta}}},
        // TruncatedCone
        {{{r, R, alfa}}, {{r, m, R}}, {{r, a, R}}, {{r, a, m}}, {{r, m, a, R}}},
        // Sphere
        {{{r}}},
        // Cuboid
        {{{a, b, c}}},
        // SphericalCap
        {{{a, r, m}}},
        // SphericalZone
        {{{a, r, m, R}}},
    }};
    return kTable[ShapeIndex(shape)];
}

bool Holds(const Combination& combination, const FieldValues& v) {
    auto val = [&v](Field f) { return v[FieldIndex(f)]; };
    for (Field f : combination.fields) {
        if (!(val(f) > 0.0)) return false;
    }
    switch (combination.extra) {
        case Extra::None:
            return true;
        case Extra::ALessC:
            return val(a) < val(c);
        case Extra::BLessC:
            return val(b) < val(c);
        case Extra::RLessA:
            return val(r) < val(a);
        case Extra::AGreaterM:
            return val(a) > val(m);
    }
    return false;
}

FieldMask MaskOf(const Combination& combination) {
    FieldMask mask = 0;
    for (Field f : combination.fields) mask |= FieldBit(f);
    return mask;
}

// Each combination's fields as a set, its extra rule, and whether no smaller combination
// lies within it; worked out once, as every calculation asks.
struct WayMask {
    FieldMask mask = 0;
    Extra extra = Extra::None;
    bool minimal = true;
};
const std::vector<WayMask>& WayMasksOf(ShapeKind shape) {
    static const std::array<std::vector<WayMask>, kShapeCount> kMasks = [] {
        std::array<std::vector<WayMask>, kShapeCount> all;
        for (int k = 0; k < kShapeCount; ++k) {
            for (const Combination& c : CombinationsOf(static_cast<ShapeKind>(k)))
                all[k].push_back({MaskOf(c), c.extra, true});
            for (WayMask& w : all[k]) {
                for (const WayMask& o : all[k]) {
                    if (o.mask != w.mask && (o.mask & w.mask) == o.mask) w.minimal = false;
                }
            }
        }
        return all;
    }();
    return kMasks[ShapeIndex(shape)];
}

}  // namespace

Ways MinimalWaysGiven(ShapeKind shape, const FieldValues& values) {
    Ways ways;
    for (int k = 0; k < kFieldCount; ++k)
        ways.given |= static_cast<FieldMask>(values[k] > 0.0) << k;
    for (const WayMask& way : WayMasksOf(shape)) {
        // The sets first: most ways lack a value, and only the rest have an extra rule.
        if (!way.minimal || (way.mask & ways.given) != way.mask) continue;
        if (way.extra == Extra::None || Holds({{}, way.extra}, values))
            ways.masks[ways.count++] = way.mask;
    }
    return ways;
}

FieldValues ReadFieldValues(const std::array<std::string, kFieldCount>& texts) {
    FieldValues values{};
    for (int k = 0; k < kFieldCount; ++k) {
        values[k] = static_cast<double>(ReadFieldText(texts[k]));
    }
    return values;
}

bool CalculateEnabled(std::optional<ShapeKind> shape, const FieldValues& values) {
    if (!shape) return false;
    for (const Combination& combination : CombinationsOf(*shape)) {
        if (Holds(combination, values)) return true;
    }
    return false;
}

}  // namespace mertano
