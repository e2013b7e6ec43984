// SPDX-License-Identifier: GPL-3.0-or-later
// How a solver's step becomes a recorded step: the symbols of the figures mapped to the
// working values they stand for.
#include <array>
#include <stdexcept>

#include "calc/numbers.h"
#include "calc/solver.h"

namespace mertano {
namespace {

struct Symbol {
    std::string_view name;
    long double Measurements::*value;
    StepKind kind;
};

// "m" is the height of the solids and the segment, which keep it where the triangle
// keeps m_a; the zone's two radii a_1 and a_2 sit in a and R.
constexpr std::array<Symbol, 21> kSymbols = {{
    {"a", &Measurements::a, StepKind::Length},
    {"b", &Measurements::b, StepKind::Length},
    {"c", &Measurements::c, StepKind::Length},
    {"r", &Measurements::r, StepKind::Length},
    {"d", &Measurements::d, StepKind::Length},
    {"i", &Measurements::i, StepKind::Length},
    {"h", &Measurements::h, StepKind::Length},
    {"R", &Measurements::R, StepKind::Length},
    {"m", &Measurements::ma, StepKind::Length},
    {"m_a", &Measurements::ma, StepKind::Length},
    {"m_b", &Measurements::mb, StepKind::Length},
    {"m_c", &Measurements::mc, StepKind::Length},
    {"a_1", &Measurements::a, StepKind::Length},
    {"a_2", &Measurements::R, StepKind::Length},
    {"\u03b1", &Measurements::alfa, StepKind::Angle},
    {"\u03b2", &Measurements::beta, StepKind::Angle},
    {"\u03b3", &Measurements::gamma, StepKind::Angle},
    {"P", &Measurements::perimeter, StepKind::Perimeter},
    {"A", &Measurements::area, StepKind::Area},
    {"S", &Measurements::surface, StepKind::Surface},
    {"V", &Measurements::volume, StepKind::Volume},
}};

const Symbol& FindSymbol(std::string_view name) {
    for (const Symbol& s : kSymbols) {
        if (s.name == name) return s;
    }
    // A formula names only the symbols above; an unknown one is a slip in a solver.
    throw std::logic_error("unknown symbol in a solver step: " + std::string(name));
}

std::string UnitOf(StepKind kind, const std::string& unit) {
    switch (kind) {
        case StepKind::Angle:
            return "\u00b0";
        case StepKind::Area:
        case StepKind::Surface:
            return unit + "\u00b2";
        case StepKind::Volume:
            return unit + "\u00b3";
        case StepKind::Mass:
            return "kg";
        case StepKind::Length:
        case StepKind::Perimeter:
            break;
    }
    return unit;
}

}  // namespace

void Solver::record(std::string_view formula, long double value, int digits) {
    const std::size_t eq = formula.find(" = ");
    const Symbol& target = FindSymbol(formula.substr(0, eq));
    const long double held = m.*target.value;
    // A step that leaves the shown value as it stands tells the reader nothing.
    if (Given(held) && RoundTo4(held) == RoundTo4(value)) return;

    SolutionStep step;
    step.quantity = std::string(target.name);
    step.value = value;
    step.kind = target.kind;
    const bool result = target.kind != StepKind::Length && target.kind != StepKind::Angle;
    step.digits = digits > 0 ? digits : result ? 2 : 4;
    step.unit = UnitOf(target.kind, unitText());
    const long double typed = (*typed_).*target.value;
    // A typed value counts as replaced while the field would still show it: steps too
    // small to show may have moved the working value already.
    if (Given(typed) && RoundTo4(held) == RoundTo4(typed)) step.replaced = typed;

    for (std::size_t k = 0; k < formula.size(); ++k) {
        if (formula[k] != '{') {
            step.formula += formula[k];
            step.substituted += formula[k];
            continue;
        }
        const std::size_t close = formula.find('}', k);
        const Symbol& s = FindSymbol(formula.substr(k + 1, close - k - 1));
        const long double x = m.*s.value;
        std::string number = FormatFixed(x, 4);
        if (s.kind == StepKind::Angle) number += "\u00b0";
        if (x < 0) number = "(" + number + ")";
        step.formula += s.name;
        step.substituted += number;
        k = close;
    }
    recorder_->record(std::move(step));
}

}  // namespace mertano
