// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution_steps.h"

#include "calc/numbers.h"

namespace mertano {
namespace {

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

int DescriptionText(ShapeKind shape, const SolutionStep& step) {
    switch (step.kind) {
        case StepKind::Perimeter:
            return 38;  // the window's captions of the results
        case StepKind::Area:
            return 39;
        case StepKind::Surface:
            return 63;
        case StepKind::Volume:
            return 64;
        case StepKind::Mass:
            return 67;
        case StepKind::Angle:
            return kTextStepAngle;
        case StepKind::Length:
            break;
    }
    const std::string& q = step.quantity;
    if (q == "a" && (shape == ShapeKind::Cone || shape == ShapeKind::TruncatedCone))
        return kTextStepSlant;
    if (q == "r" || q == "R" || q == "a_1" || q == "a_2") return kTextStepRadius;
    if (q[0] == 'm') return kTextStepHeight;
    if (q == "d") return kTextStepDiameter;
    if (q == "i") return kTextStepArc;
    if (q == "h") return kTextStepChord;
    return kTextStepSide;
}

}  // namespace

std::string FieldSymbol(ShapeKind shape, Field f) {
    const bool zone = shape == ShapeKind::SphericalZone;
    switch (f) {
        case Field::AoldEdit:
            return zone ? "a_1" : "a";
        case Field::NagyrEdit:
            return zone ? "a_2" : "R";
        case Field::MagasEdit1:
            return shape == ShapeKind::Triangle ? "m_a" : "m";
        case Field::MagasEdit2:
            return "m_b";
        case Field::MagasEdit3:
            return "m_c";
        case Field::AlfaEdit:
            return "\u03b1";
        case Field::BetaEdit:
            return "\u03b2";
        case Field::GammaEdit:
            return "\u03b3";
        default:
            return std::string(FieldValueName(f));
    }
}

std::string StepNumberText(const SolutionStep& step) {
    return step.digits == 2 ? Trimmed(ResultText(step.value))
                            : FormatFixed(step.value, step.digits);
}

std::string StepValueText(const SolutionStep& step) {
    std::string text = StepNumberText(step);
    if (step.kind != StepKind::Angle) return text + ' ' + step.unit;
    const AngleParts p = SplitAngle(step.value);
    return text + "\u00b0 (" + std::to_string(p.degrees) + "\u00b0 " + std::to_string(p.minutes) +
           "\u2032 " + std::to_string(p.seconds) + "\u2033)";
}

std::string CheckText(const LanguageTexts& texts, const SolutionStep& step) {
    if (!step.checked) return {};
    SolutionStep figure = step;
    figure.value = *step.checked;
    return step.quantity + ": " +
           FillIn(texts.text(kTextCheckGives), {StepValueText(step), StepValueText(figure)});
}

std::string StepText(const SolutionStep& step) {
    if (step.checked) return step.quantity + " = " + StepValueText(step);
    // The substituted form repeats the symbol; only its right-hand side is new.
    std::string rhs = step.substituted;
    if (const std::size_t eq = rhs.find(" = "); eq != std::string::npos) rhs.erase(0, eq + 3);
    return step.formula + " = " + rhs + " = " + StepValueText(step);
}

std::string StepDescription(const LanguageTexts& texts, ShapeKind shape, const SolutionStep& step) {
    std::string text = texts.text(step.checked ? kTextStepCheck : DescriptionText(shape, step));
    while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string ReplacedText(const LanguageTexts& texts, const SolutionStep& step) {
    if (!step.replaced) return {};
    // Typed values are field values: 4 decimals, whatever the step computes.
    const std::string unit = step.kind == StepKind::Angle ? "\u00b0" : " " + step.unit;
    return step.quantity + ": " + FormatFixed(*step.replaced, 4) + unit + ' ' +
           texts.text(kTextReplacedBy) + ' ' + StepNumberText(step) + unit + " (" +
           texts.text(kTextReplacedWhy) + ')';
}

std::string StepsPlainText(const LanguageTexts& texts, ShapeKind shape,
                           const std::vector<SolutionStep>& steps, const std::string& indent) {
    std::string out;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const std::string number = std::to_string(k + 1) + ". ";
        out += indent + number + StepDescription(texts, shape, steps[k]) + ": " +
               (steps[k].checked ? CheckText(texts, steps[k]) : StepText(steps[k])) + '\n';
        if (steps[k].replaced) {
            out += indent + std::string(number.size(), ' ') + ReplacedText(texts, steps[k]) + '\n';
        }
    }
    return out;
}

}  // namespace mertano
