// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculate.h"

#include <array>

#include "calc/numbers.h"
#include "calc/solver.h"
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

void RunSolver(ShapeKind shape, Solver& s) {
    switch (shape) {
        case ShapeKind::Triangle: return SolveTriangle(s);
        case ShapeKind::RightTriangle: return SolveRightTriangle(s);
        case ShapeKind::Circle: return SolveCircle(s);
        case ShapeKind::CircularSector: return SolveSector(s);
        case ShapeKind::CircularSegment: return SolveSegment(s);
        case ShapeKind::Cube: return SolveCube(s);
        case ShapeKind::Cylinder: return SolveCylinder(s);
        case ShapeKind::Cuboid: return SolveCuboid(s);
        case ShapeKind::Cone: return SolveCone(s);
        case ShapeKind::TruncatedCone: return SolveTruncatedCone(s);
        case ShapeKind::Sphere: return SolveSphere(s);
        case ShapeKind::SphericalCap: return SolveSphericalCap(s);
        case ShapeKind::SphericalZone: return SolveSphericalZone(s);
    }
}

int HintText(std::optional<ShapeKind> shape) {
    switch (shape.value_or(ShapeKind::Cube)) {
        case ShapeKind::Triangle: return kTextHintTriangle;
        case ShapeKind::RightTriangle: return kTextHintRightTriangle;
        case ShapeKind::CircularSegment: return kTextHintSegment;
        case ShapeKind::Cone: return kTextHintCone;
        case ShapeKind::TruncatedCone: return kTextHintTruncatedCone;
        default: return kTextHintOther;
    }
}

int FaultText(FloatFault fault) {
    switch (fault) {
        case FloatFault::DivisionByZero: return kTextFaultDivision;
        case FloatFault::Overflow: return kTextFaultOverflow;
        case FloatFault::InvalidOperation:
            break;
    }
    return kTextFaultInvalid;
}

}  // namespace

std::string FaultMessage(const LanguageTexts& texts, std::optional<ShapeKind> shape,
                         FloatFault fault) {
    std::string message;
    if (shape && !texts.text(Shape(*shape).captionText).empty())
        message = texts.text(Shape(*shape).captionText) + ": ";
    message += texts.text(kTextNoSuchFigure) + '\r' + texts.text(HintText(shape)) + "\r\r" +
               texts.text(FaultText(fault));
    return message;
}

std::string_view CalcStateName(CalcState state) {
    switch (state) {
        case CalcState::Entering: return "Entering";
        case CalcState::Solved: return "Solved";
        case CalcState::NotSolvable: return "NotSolvable";
        case CalcState::Refused: return "Refused";
        case CalcState::Failed: return "Failed";
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

CalcOutcome Calculate(FieldOps& ops, const LanguageTexts& texts, StepRecorder* steps) {
    for (Output o : kClearedResults) ops.setOutputText(o, "");
    Measurements m = ReadMeasurements(ops);
    m.massFactor = 0;
    m.perimeter = 0;
    m.area = 0;

    const std::optional<ShapeKind> shape = ops.selectedShape();
    if (shape == ShapeKind::Triangle || shape == ShapeKind::RightTriangle) {
        if (std::optional<int> text = CheckTriangleSides(m)) {
            CalcOutcome refused{CalcState::Refused, texts.text(*text) + '\r' + texts.text(36)};
            ops.showMessage(refused.message);
            return refused;
        }
    }

    Solver solver(m, ops, steps);
    try {
        if (shape) RunSolver(*shape, solver);
    } catch (const FloatFaultError& e) {
        return {CalcState::Failed, FaultMessage(texts, shape, e.fault())};
    }
    ops.setEnabled(Control::NyomtatBtn, true);
    return {solver.succeeded() ? CalcState::Solved : CalcState::NotSolvable, {}};
}

void Solver::writeBack(Field field, long double x) { ops_.setFieldValue(field, RoundTo4(x)); }

void Solver::showResult(Output output, long double x) { ops_.setOutputText(output, ResultText(x)); }

void Solver::setText(Output output, const std::string& text) { ops_.setOutputText(output, text); }

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

void Solver::computeMass() { ops_.computeMass(m.volume, m.massFactor); }

void Solver::succeed() {
    ops_.setEnabled(Control::InputPanel, false);
    ops_.setEnabled(Control::SzamolBtn, false);
    ops_.setEnabled(Control::NyomtatBtn, false);
    succeeded_ = true;
}

}  // namespace mertano
