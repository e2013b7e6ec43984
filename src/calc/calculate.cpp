// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculate.h"

#include <array>

#include "calc/attempt.h"
#include "calc/figure_checks.h"
#include "calc/figure_fit.h"
#include "calc/numbers.h"
#include "calc/solver.h"
#include "calc/units.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"

namespace mertano {
namespace {

constexpr std::array<Output, 4> kClearedResults = {Output::TeruletText2, Output::KeruletText2,
                                                   Output::FeluletText2, Output::TerfogatText2};

Measurements ReadMeasurements(const FieldOps& ops) {
    auto read = [&ops](Field f) { return ops.fieldValue(f); };
    Measurements m;
    // The order is the form's: a later field never influences an earlier one, but a
    // window implementation may watch the reads.
    m.a = read(Field::AoldEdit);
    m.b = read(Field::BoldEdit);
    m.c = read(Field::ColdEdit);
    m.alfa = read(Field::AlfaEdit);
    m.r = read(Field::SugarEdit);
    m.d = read(Field::AtmeroEdit);
    m.i = read(Field::IvEdit);
    m.h = read(Field::HurEdit);
    m.beta = read(Field::BetaEdit);
    m.gamma = read(Field::GammaEdit);
    m.ma = read(Field::MagasEdit1);
    m.mb = read(Field::MagasEdit2);
    m.mc = read(Field::MagasEdit3);
    m.R = read(Field::NagyrEdit);
    return m;
}

int FaultText(FloatFault fault) {
    switch (fault) {
        case FloatFault::DivisionByZero:
            return kTextFaultDivision;
        case FloatFault::Overflow:
            return kTextFaultOverflow;
        case FloatFault::InvalidOperation:
            break;
    }
    return kTextFaultInvalid;
}

FieldValues ValuesOf(const Measurements& m) {
    // In the fields' order, written out: every calculation asks.
    const long double v[kFieldCount] = {m.a, m.b,    m.c,     m.alfa, m.r,  m.d,  m.i,
                                        m.h, m.beta, m.gamma, m.ma,   m.mb, m.mc, m.R};
    FieldValues values;
    for (int k = 0; k < kFieldCount; ++k) values[k] = static_cast<double>(v[k]);
    return values;
}

// What one calculation works with.
struct Context {
    FieldOps& ops;
    const LanguageTexts& texts;
    StepRecorder* steps;
    ShapeKind shape;
    const Measurements& typed;
    FieldMask typedSet;
};

CalcOutcome Refuse(FieldOps& ops, std::string message) {
    ops.showMessage(message);
    return {CalcState::Refused, std::move(message), {}, 1};
}

std::string UnitOfField(const Context& c, Field f) {
    return IsAngleField(f) ? "\u00b0" : ' ' + c.ops.unitText();
}

std::string BeyondFieldMessage(const Context& c, const Attempt& a) {
    const Field f = *a.writes.beyondLimit();
    return FillIn(
        c.texts.text(kTextBeyondField),
        {ShownSymbol(c.shape, f), FormatFixed(a.out.*MemberOf(f), 4) + UnitOfField(c, f)});
}

std::string NoFitMessage(const Context& c, const std::vector<ReplacedValue>& replaced) {
    std::vector<std::string> typed, kept, became;
    for (Field f : ShownFields(c.shape)) {
        if ((c.typedSet & FieldBit(f)) == 0) continue;
        typed.push_back(ValueText(c.shape, f, c.typed.*MemberOf(f)));
        bool wasReplaced = false;
        for (const ReplacedValue& r : replaced) {
            if (r.field != f) continue;
            wasReplaced = true;
            became.push_back(FillIn(c.texts.text(kTextIsValue),
                                    {ShownSymbol(c.shape, f),
                                     FormatFixed(r.shown, 4) + (IsAngleField(f) ? "\u00b0" : "")}));
        }
        if (!wasReplaced) kept.push_back(ShownSymbol(c.shape, f));
    }
    if (kept.empty())
        return FillIn(c.texts.text(kTextNoFitNoneKept),
                      {ListText(c.texts, typed), ListText(c.texts, became)});
    return FillIn(c.texts.text(kTextNoFit),
                  {ListText(c.texts, typed), ListText(c.texts, kept), ListText(c.texts, became)});
}

SolutionStep CheckStep(const Context& c, Field f, long double figureValue) {
    SolutionStep step;
    step.quantity = FieldSymbol(c.shape, f);
    step.kind = IsAngleField(f) ? StepKind::Angle : StepKind::Length;
    step.value = c.typed.*MemberOf(f);  // shown as typed
    step.unit = IsAngleField(f) ? "\u00b0" : c.ops.unitText();
    step.checked = figureValue;
    step.formula = step.quantity;
    step.substituted =
        step.quantity + " = " + FormatFixed(step.value, 4) + (IsAngleField(f) ? "\u00b0" : "");
    return step;
}

// The mass as a step of its own: the density in g/cm³ times the volume in cm³.
std::optional<SolutionStep> MassStep(const Context& c, long double volume, long double massFactor) {
    std::string unit = c.ops.unitText();
    unit.erase(0, unit.find_first_not_of(' '));
    unit.erase(unit.find_last_not_of(' ') + 1);
    const std::optional<DensityScale> scale = DensityScaleFor(unit);
    if (!scale || !Given(massFactor)) return std::nullopt;
    const long double perCubicUnit = ScaleDensity(1.0L, *scale);  // kg a cube, at 1 g/cm³
    SolutionStep step;
    step.quantity = "M";
    step.kind = StepKind::Mass;
    step.formula = "M = \u03c1\u00b7V / 1000";
    step.substituted = "M = " + FormatFixed(massFactor / perCubicUnit, 4) + " g/cm\u00b3\u00b7" +
                       FormatFixed(RoundTo4(volume) * perCubicUnit * 1000.0L, 4) +
                       " cm\u00b3 / 1000";
    step.value = RoundTo4(volume) * massFactor;
    step.digits = 4;
    step.unit = "kg";
    return step;
}

// Shows what an attempt wrote, then its steps, the typed values it did not need and the
// mass.
void Show(const Context& c, const Attempt& a, const KeptValues& keep = {}, FieldMask checked = 0) {
    long double massFactor = 0;
    const std::optional<long double> volume = a.writes.replay(c.ops, massFactor, keep);
    if (!c.steps) return;
    for (const SolutionStep& step : a.steps.steps) c.steps->record(step);
    for (Field f : kAllFields) {
        if ((checked & FieldBit(f)) != 0) c.steps->record(CheckStep(c, f, a.out.*MemberOf(f)));
    }
    if (volume) {
        if (std::optional<SolutionStep> mass = MassStep(c, *volume, massFactor))
            c.steps->record(std::move(*mass));
    }
}

// A real figure, shown as its solver left it; the typed values it replaced are named.
CalcOutcome ShowWithReplaced(const Context& c, const Attempt& a, int solutions) {
    CalcOutcome outcome{CalcState::Solved, {}, {}, solutions};
    for (FieldMask rest = c.typedSet; rest != 0; rest &= rest - 1) {
        const auto f = static_cast<Field>(__builtin_ctz(rest));
        const long double typed = c.typed.*MemberOf(f);
        const std::optional<long double> shown = a.writes.written(f);
        if (shown && *shown != RoundTo4(typed)) outcome.replaced.push_back({f, typed, *shown});
    }
    if (!outcome.replaced.empty()) {
        outcome.message = NoFitMessage(c, outcome.replaced);
        outcome.solutions = 1;
    }
    Show(c, a);
    c.ops.setEnabled(Control::NyomtatBtn, true);
    return outcome;
}

// The prisms and spheres write back only what was typed, and the cap's and the zone's
// relations are among their typed values alone: checked before solving, they are solved
// straight into the fields, with nothing to hold back.
bool CheckedBeforeSolving(ShapeKind shape) {
    switch (shape) {
        case ShapeKind::Cube:
        case ShapeKind::Cuboid:
        case ShapeKind::Cylinder:
        case ShapeKind::Sphere:
        case ShapeKind::SphericalCap:
        case ShapeKind::SphericalZone:
            return true;
        default:
            return false;
    }
}

CalcOutcome SolveDirectly(const Context& c) {
    if (auto why = ImpossibleFigure(c.shape, c.typed, c.typed, c.texts)) return Refuse(c.ops, *why);
    Measurements m = c.typed;
    const SolverRun run = RunSolver(c.shape, m, c.ops, false, c.steps);
    if (run.fault) return {CalcState::Failed, FaultMessage(c.texts, c.shape, *run.fault), {}, 1};
    if (c.steps && run.reached) {
        if (std::optional<SolutionStep> mass = MassStep(c, m.volume, m.massFactor))
            c.steps->record(std::move(*mass));
    }
    c.ops.setEnabled(Control::NyomtatBtn, true);
    return {run.reached ? CalcState::Solved : CalcState::NotSolvable, {}, {}, 1};
}

// Exactly one way's values, or fewer than any way needs: the solver as it always ran,
// the figure checked when the values are enough for one.
CalcOutcome SolveAsTyped(const Context& c, bool enough, bool second) {
    if (CheckedBeforeSolving(c.shape)) return SolveDirectly(c);
    const Attempt a = TrySolve(c.shape, c.typed, c.ops, second, c.steps != nullptr);
    if (a.fault) {
        Show(c, a);  // what was written before the fault stays
        return {CalcState::Failed, FaultMessage(c.texts, c.shape, *a.fault), {}, 1};
    }
    if (enough) {
        if (auto why = ImpossibleFigure(c.shape, c.typed, a.out, c.texts))
            return Refuse(c.ops, *why);
        // The segment's arc and chord only give its perimeter: that is all it shows.
        if (!a.reached && c.shape != ShapeKind::CircularSegment)
            return Refuse(c.ops, NoFigureMessage(c.texts, c.shape));
        if (a.writes.beyondLimit()) return Refuse(c.ops, BeyondFieldMessage(c, a));
        if (a.reached) return ShowWithReplaced(c, a, a.forked ? 2 : 1);
    }
    Show(c, a);
    c.ops.setEnabled(Control::NyomtatBtn, true);
    return {a.reached ? CalcState::Solved : CalcState::NotSolvable, {}, {}, 1};
}

// More typed than one way needs: the figure that fits them all, shown as typed; when none
// does, the solver's own choice with what it replaced.
CalcOutcome SolveOverDetermined(const Context& c, const Ways& ways, bool second) {
    const FitSearch search = SearchFits(c.shape, c.typed, c.typedSet, ways, c.ops, c.texts);
    if (search.best) {
        const WaySolution& best = second && search.other ? *search.other : *search.best;
        std::optional<Attempt> recorded;
        if (c.steps)
            recorded.emplace(
                TrySolve(c.shape, OnlyFields(c.typed, best.way), c.ops, best.second, true));
        Show(c, recorded ? *recorded : best.attempt, {c.typedSet, &c.typed},
             c.typedSet & ~best.way);
        c.ops.setEnabled(Control::NyomtatBtn, true);
        return {CalcState::Solved, {}, {}, search.other ? 2 : 1};
    }
    const Attempt full = TrySolve(c.shape, c.typed, c.ops, false, c.steps != nullptr);
    if (RealFigure(c.shape, c.typed, full, c.texts)) return ShowWithReplaced(c, full, 1);
    if (search.firstReal) {
        const WaySolution& first = *search.firstReal;
        if (!c.steps) return ShowWithReplaced(c, first.attempt, 1);
        return ShowWithReplaced(
            c, TrySolve(c.shape, OnlyFields(c.typed, first.way), c.ops, first.second, true), 1);
    }
    return SolveAsTyped(c, true, false);
}

}  // namespace

std::string FaultMessage(const LanguageTexts& texts, std::optional<ShapeKind> shape,
                         FloatFault fault) {
    return NoFigureMessage(texts, shape) + "\r\r" + texts.text(FaultText(fault));
}

std::string_view CalcStateName(CalcState state) {
    switch (state) {
        case CalcState::Entering:
            return "Entering";
        case CalcState::Solved:
            return "Solved";
        case CalcState::NotSolvable:
            return "NotSolvable";
        case CalcState::Refused:
            return "Refused";
        case CalcState::Failed:
            return "Failed";
    }
    return "";
}

std::optional<int> CheckTriangleSides(const Measurements& m) {
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return std::nullopt;
    if (!(m.c < m.a + m.b)) return 33;
    if (!(m.b < m.a + m.c)) return 34;
    if (!(m.a < m.b + m.c)) return 35;
    return std::nullopt;
}

CalcOutcome Calculate(FieldOps& ops, const LanguageTexts& texts, StepRecorder* steps,
                      int solution) {
    for (Output o : kClearedResults) ops.setOutputText(o, "");
    Measurements m = ReadMeasurements(ops);
    m.massFactor = 0;
    m.perimeter = 0;
    m.area = 0;

    const std::optional<ShapeKind> shape = ops.selectedShape();
    if (shape == ShapeKind::Triangle || shape == ShapeKind::RightTriangle) {
        if (std::optional<int> text = CheckTriangleSides(m)) {
            CalcOutcome refused{
                CalcState::Refused, texts.text(*text) + '\r' + texts.text(36), {}, 1};
            ops.showMessage(refused.message);
            return refused;
        }
    }
    if (!shape) {
        ops.setEnabled(Control::NyomtatBtn, true);
        return {};
    }

    const Ways ways = MinimalWaysGiven(*shape, ValuesOf(m));
    const FieldMask typedSet = ways.given;
    bool overDetermined = false;
    for (int k = 0; k < ways.count; ++k)
        overDetermined = overDetermined || ways.masks[k] != typedSet;
    const Context context{ops, texts, steps, *shape, m, typedSet};
    if (overDetermined) return SolveOverDetermined(context, ways, solution == 2);
    return SolveAsTyped(context, ways.count > 0, solution == 2);
}

void Solver::writeBack(Field field, long double x) {
    ops_.setFieldValue(field, RoundTo4(x));
}

void Solver::showResult(Output output, long double x) {
    ops_.setOutputText(output, ResultText(x));
}

void Solver::setText(Output output, const std::string& text) {
    ops_.setOutputText(output, text);
}

void Solver::showAngle(int row, long double angle) {
    const AngleParts p = SplitAngle(angle);
    m.degrees = static_cast<long double>(p.degrees);
    m.minutes = static_cast<long double>(p.minutes);
    m.seconds = static_cast<long double>(p.seconds);
    const AngleBoxes& boxes = kAngleBoxes[row - 1];
    ops_.setOutputText(boxes.degrees, PadLeft(std::to_string(p.degrees), 3));
    ops_.setOutputText(boxes.minutes, PadLeft(std::to_string(p.minutes), 3));
    ops_.setOutputText(boxes.seconds, PadLeft(std::to_string(p.seconds), 3));
}

void Solver::computeMass() {
    ops_.computeMass(m.volume, m.massFactor);
}

void Solver::succeed() {
    ops_.setEnabled(Control::InputPanel, false);
    ops_.setEnabled(Control::SzamolBtn, false);
    ops_.setEnabled(Control::NyomtatBtn, false);
    succeeded_ = true;
}

}  // namespace mertano
