// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "calc/flat_pattern.h"
#include "cli/cli_request.h"
#include "materials/material_file.h"

namespace mertano::cli {

struct Result {
    ShapeKind shape = ShapeKind::Triangle;
    CalcState state = CalcState::Entering;
    std::string message;
    FieldSheet sheet;
    // The steps of the solution, when the request asked for them.
    std::optional<std::vector<SolutionStep>> steps;
    std::optional<std::string> material;  // as the request names it
    std::optional<int> count;             // as the request gives it
    // The typed values that did not fit the others, and what the figure shows instead.
    std::vector<ReplacedValue> replaced;
    int solutions = 1;  // 2: a second figure fits, shown with --solution 2
    // All pieces of a solved solid: the shown volume, and the shown mass when there is
    // one, times the count (1 by default), exactly; empty otherwise.
    std::string totalVolume;
    std::string totalMass;
    // The price of a kilogram, as the request gives it, and what the shown mass and the
    // total mass cost at it: their exact products rounded to 2 decimals, halves to even
    // (as a result box rounds), empty where there is no such mass.
    std::optional<std::string> price;
    std::string cost;
    std::string totalCost;
    // The flat pattern of a solved cone, truncated cone or cylinder, with the request's
    // seam allowance.
    std::optional<FlatPattern> pattern;
    // A material was named for a solved solid, but the unit has no factor to kilograms,
    // so the mass is left out, as the window leaves it empty.
    bool massUnitRefused = false;
};

// Does what the window does with the same typing: the figure chosen, the values
// entered, the angle exit checks, the calculate button's rule, then the calculate
// command. The mass of a solid is shown as the window shows it when the request names
// a material and `materials` holds the table (null: no mass), or gives a density, which
// needs no table.
Result Run(const Request& request, const LanguageTexts& texts,
           const MaterialTable* materials = nullptr);
// The same into a result used before, whose texts keep their room from line to line.
void RunInto(Result& result, const Request& request, const LanguageTexts& texts,
             const MaterialTable* materials = nullptr);

// `a` times `b`, two decimals as the answers write them ("7.2500", "-3", "0.35"), exactly,
// then rounded to `decimals` places with halves to the even neighbour, as a result box
// rounds: the cost of a mass is the mass times the price at 2 decimals. Empty when either
// text is no decimal.
std::string DecimalTimes(std::string_view a, std::string_view b, int decimals);

// 0 Solved, 1 Entering or NotSolvable, 2 Refused, 3 Failed.
int ExitStatus(CalcState state);

}  // namespace mertano::cli
