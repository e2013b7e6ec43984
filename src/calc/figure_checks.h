// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/language_texts.h"
#include "calc/measurements.h"
#include "shapes/shape_kind.h"

namespace mertano {

// Half a unit of the 4th decimal: how far a typed value may lie from the true one.
inline constexpr long double kHalfUnit = 0.00005L;

// Why no real figure has the values it was solved from (`in`, with `out` the working
// values after its solver), in the user's language: the condition and, where one value
// would make it real, that value. Nothing when the figure is real.
std::optional<std::string> ImpossibleFigure(ShapeKind shape, const Measurements& in,
                                            const Measurements& out, const LanguageTexts& texts);

// The figure's name, that no such figure has the values given, and what to look at.
std::string NoFigureMessage(const LanguageTexts& texts, std::optional<ShapeKind> shape);

// A field's symbol as the window labels it: "a1", "ma", "α".
std::string ShownSymbol(ShapeKind shape, Field f);
// "r = 5.0000", "α = 30.0000°".
std::string ValueText(ShapeKind shape, Field f, long double value);
// "a, b and c" in the user's language.
std::string ListText(const LanguageTexts& texts, const std::vector<std::string>& items);

}  // namespace mertano
