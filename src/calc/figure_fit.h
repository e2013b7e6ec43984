// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "calc/attempt.h"
#include "calc/language_texts.h"
#include "shapes/calc_button_rule.h"

namespace mertano {

// A figure solved from one way's values.
struct WaySolution {
    WaySolution(Attempt a, FieldMask w, bool s) : attempt(std::move(a)), way(w), second(s) {}
    Attempt attempt;
    FieldMask way;
    bool second;  // the second of a step's two answers
};

// When more is typed than one way needs: the figure of each way (and each of its two
// answers), the real ones kept.
struct FitSearch {
    // Of the figures that fit every typed value within its rounding (carried through the
    // formulas), the one least moved by that rounding.
    std::optional<WaySolution> best;
    // A different figure that fits them as well: two sides with both their heights.
    std::optional<WaySolution> other;
    // The first real figure, in the order of the figure's ways.
    std::optional<WaySolution> firstReal;
};
FitSearch SearchFits(ShapeKind shape, const Measurements& typed, FieldMask typedSet,
                     const Ways& ways, const FieldOps& fields, const LanguageTexts& texts);

// Whether a solver's answer is a real figure: it came to its output without a fault,
// keeps the figure's relations and fits in the fields.
bool RealFigure(ShapeKind shape, const Measurements& in, const Attempt& attempt,
                const LanguageTexts& texts);

}  // namespace mertano
