// SPDX-License-Identifier: GPL-3.0-or-later
// Over-determined input: each way of solving that the typed values hold is tried on its
// own values, and a figure fits when every other typed value lies within what the
// rounding of the values it was solved from allows.
#include "figure_fit.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "calc/figure_checks.h"

namespace mertano {
namespace {

// Every field, then the results: what a figure is compared and conditioned on.
constexpr int kQuantities = kFieldCount + 4;
using Quantities = std::array<long double, kQuantities>;

Quantities QuantitiesOf(const Measurements& m) {
    Quantities q{};
    for (Field f : kAllFields) q[FieldIndex(f)] = m.*MemberOf(f);
    q[kFieldCount] = m.perimeter;
    q[kFieldCount + 1] = m.area;
    q[kFieldCount + 2] = m.surface;
    q[kFieldCount + 3] = m.volume;
    return q;
}

struct Sensitivity {
    // Per quantity: the sum over the way's values of |d quantity / d value|.
    Quantities absolute{};
    // The same relative to the sizes.
    Quantities relative{};
};

// How much the rounding of the way's values moves what the figure shows that was not
// typed: the typed values are shown as typed whatever the way.
long double ConditionOf(const Sensitivity& s, FieldMask typedSet) {
    long double condition = 0;
    for (int k = 0; k < kQuantities; ++k) {
        if (k < kFieldCount && (typedSet & (1U << k)) != 0) continue;
        condition += s.relative[k];
    }
    return condition;
}

// First-order sensitivity of the figure to the values it was solved from, by moving each
// a little; a value the figure cannot move by (a move that breaks it) makes it infinite.
Sensitivity SensitivityOf(ShapeKind shape, const Measurements& in, const Attempt& base,
                          FieldMask way, bool second, const FieldOps& fields) {
    Sensitivity s;
    const Quantities q0 = QuantitiesOf(base.out);
    for (Field f : kAllFields) {
        if ((way & FieldBit(f)) == 0) continue;
        const long double x = in.*MemberOf(f);
        long double step = 1e-7L * std::fmax(std::fabs(x), 1.0L);
        std::optional<Quantities> moved;
        for (long double sign : {1.0L, -1.0L}) {
            Measurements shifted = in;
            shifted.*MemberOf(f) = x + sign * step;
            const Attempt a = TrySolve(shape, shifted, fields, second, false);
            if (a.reached) {
                moved = QuantitiesOf(a.out);
                step *= sign;
                break;
            }
        }
        for (int k = 0; k < kQuantities; ++k) {
            const long double d = moved ? std::fabs(((*moved)[k] - q0[k]) / step)
                                        : std::numeric_limits<long double>::infinity();
            s.absolute[k] += d;
            if (Given(q0[k])) s.relative[k] += d * std::fmax(std::fabs(x), kHalfUnit) / q0[k];
        }
    }
    return s;
}

bool FitsTyped(const Measurements& typed, FieldMask typedSet, const Quantities& q,
               const Sensitivity& s) {
    for (Field f : kAllFields) {
        if ((typedSet & FieldBit(f)) == 0) continue;
        const int k = FieldIndex(f);
        const long double t = typed.*MemberOf(f);
        const long double allowed =
            1.01L * kHalfUnit * (1.0L + s.absolute[k]) + 1e-12L * std::fmax(std::fabs(t), 1.0L);
        if (!(std::fabs(q[k] - t) <= allowed)) return false;
    }
    return true;
}

}  // namespace

bool RealFigure(ShapeKind shape, const Measurements& in, const Attempt& attempt,
                const LanguageTexts& texts) {
    return attempt.reached && !ImpossibleFigure(shape, in, attempt.out, texts) &&
           !attempt.writes.beyondLimit();
}

namespace {

struct Fitting {
    WaySolution solution;
    Quantities values;
    Sensitivity sensitivity;
    long double condition;
};

// Two fitting answers are one figure when they agree within what both roundings allow.
bool SameFigure(const Fitting& x, const Fitting& y) {
    for (int k = 0; k < kFieldCount; ++k) {
        const long double allowed =
            kHalfUnit * (2.0L + x.sensitivity.absolute[k] + y.sensitivity.absolute[k]);
        if (!(std::fabs(x.values[k] - y.values[k]) <= 1.01L * allowed)) return false;
    }
    return true;
}

// The best-conditioned of the answers that are the same figure as `like`.
const Fitting* BestLike(const std::vector<Fitting>& fitting, const Fitting& like, bool same) {
    const Fitting* best = nullptr;
    for (const Fitting& f : fitting) {
        if (SameFigure(f, like) != same) continue;
        if (!best || f.condition < best->condition) best = &f;
    }
    return best;
}

}  // namespace

FitSearch SearchFits(ShapeKind shape, const Measurements& typed, FieldMask typedSet,
                     const Ways& ways, const FieldOps& fields, const LanguageTexts& texts) {
    FitSearch search;
    std::vector<Fitting> fitting;
    for (int w = 0; w < ways.count; ++w) {
        const FieldMask way = ways.masks[w];
        if ((way & typedSet) != way) continue;
        const Measurements in = OnlyFields(typed, way);
        for (bool second : {false, true}) {
            Attempt attempt = TrySolve(shape, in, fields, second, false);
            if (second && !attempt.forked) break;  // no second answer to this way
            if (!RealFigure(shape, in, attempt, texts)) continue;
            const Sensitivity s = SensitivityOf(shape, in, attempt, way, second, fields);
            const Quantities values = QuantitiesOf(attempt.out);
            if (FitsTyped(typed, typedSet, values, s)) {
                fitting.push_back(
                    {WaySolution(attempt, way, second), values, s, ConditionOf(s, typedSet)});
            }
            if (!search.firstReal) search.firstReal.emplace(std::move(attempt), way, second);
        }
    }
    if (fitting.empty()) return search;
    // The figure of the first way that fits is the first figure, as a way's first answer
    // is; another that fits every typed value as well is the second.
    const Fitting& first = *BestLike(fitting, fitting.front(), true);
    search.best.emplace(first.solution);
    if (const Fitting* other = BestLike(fitting, fitting.front(), false))
        search.other.emplace(other->solution);
    return search;
}

}  // namespace mertano
