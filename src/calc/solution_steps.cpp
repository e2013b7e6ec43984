// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution_steps.h"

#include "calc/numbers.h"

namespace mertano {
namespace {

bool IsResult(StepKind kind) {
    return kind != StepKind::Length && kind != StepKind::Angle;
}

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

}  // namespace

std::string StepNumberText(const SolutionStep& step) {
    return IsResult(step.kind) ? Trimmed(ResultText(step.value)) : FormatFixed(step.value, 4);
}

std::string StepValueText(const SolutionStep& step) {
    std::string text = StepNumberText(step);
    if (step.kind != StepKind::Angle) return text + ' ' + step.unit;
    const AngleParts p = SplitAngle(step.value);
    return text + "\u00b0 (" + std::to_string(p.degrees) + "\u00b0 " + std::to_string(p.minutes) +
           "\u2032 " + std::to_string(p.seconds) + "\u2033)";
}

std::string StepText(const SolutionStep& step) {
    // The substituted form repeats the symbol; only its right-hand side is new.
    std::string rhs = step.substituted;
    if (const std::size_t eq = rhs.find(" = "); eq != std::string::npos) rhs.erase(0, eq + 3);
    return step.formula + " = " + rhs + " = " + StepValueText(step);
}

}  // namespace mertano
