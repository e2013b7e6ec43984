// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/field.h"
#include "calc/language_texts.h"
#include "shapes/shape_kind.h"

namespace mertano {

// What a step computed: a measurement the fields show with 4 decimals, an angle, or one
// of the results shown with 2.
enum class StepKind { Length, Angle, Perimeter, Area, Surface, Volume, Mass };

// One step of a solution, as the solver ran it.
struct SolutionStep {
    std::string quantity;     // the figure's symbol: "a", "α", "m_a", "V"
    std::string formula;      // "a = √(m² + r²)"
    std::string substituted;  // "a = √(4.0000² + 3.0000²)"
    long double value = 0;    // unrounded, as the solver goes on with it
    StepKind kind = StepKind::Length;
    int digits = 4;    // the decimals the window shows it with: 2 for most results
    std::string unit;  // "mm", "mm²", "mm³" or "°"
    std::optional<long double> replaced;  // the typed value this step overwrote
    // A typed value the solution did not need (`value`, shown as typed): the value the
    // figure gives for it.
    std::optional<long double> checked;
};

// Whoever wants to know how a calculation went hands one of these to the calculate
// command; without one the solvers record nothing.
class StepRecorder {
public:
    virtual ~StepRecorder() = default;
    virtual void record(SolutionStep step) = 0;
};

class StepList : public StepRecorder {
public:
    void record(SolutionStep step) override { steps.push_back(std::move(step)); }
    std::vector<SolutionStep> steps;
};

// The symbol a field stands for in the figure's formulas and picture: "a_1", "m_a", "α".
std::string FieldSymbol(ShapeKind shape, Field f);

// The value as the window shows it, with its unit: "5.0000 mm", "37.70 mm²",
// "36.8699° (36° 52′ 11″)".
std::string StepValueText(const SolutionStep& step);
// "a = √(m² + r²) = √(4.0000² + 3.0000²) = 5.0000 mm"
std::string StepText(const SolutionStep& step);
// The value as it is shown, without unit: 4 decimals, results 2.
std::string StepNumberText(const SolutionStep& step);

// What the step computes, in the current language: "Slant height", "Volume".
std::string StepDescription(const LanguageTexts& texts, ShapeKind shape, const SolutionStep& step);
// "d: typed 2.0000 mm, the figure gives 2.0000 mm"; empty for a step that checks nothing.
std::string CheckText(const LanguageTexts& texts, const SolutionStep& step);
// "d: 7.0000 mm typed, replaced by 10.0000 mm (it does not fit the other values)"; empty
// for a step that replaced nothing.
std::string ReplacedText(const LanguageTexts& texts, const SolutionStep& step);
// The numbered lines of the command line's table and of the copied text:
// "1. Slant height: a = ... = 5.0000 mm", a replaced value on a line of its own.
std::string StepsPlainText(const LanguageTexts& texts, ShapeKind shape,
                           const std::vector<SolutionStep>& steps, const std::string& indent);

}  // namespace mertano
