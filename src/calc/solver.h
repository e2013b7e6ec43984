// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "calc/constants.h"
#include "calc/field_ops.h"
#include "calc/float_fault.h"
#include "calc/measurements.h"
#include "calc/solution_steps.h"

namespace mertano {

// What a solver works with: the working values and the output operations.
class Solver {
public:
    // With a recorder, the steps that change a value are recorded against the values
    // typed at the start.
    Solver(Measurements& m, FieldOps& ops, StepRecorder* recorder = nullptr)
        : m(m), ops_(ops), recorder_(recorder) {
        if (recorder_) typed_ = m;
    }

    Measurements& m;

    // One step of the cascade: returns `value` untouched, for the caller to store. The
    // formula reads "symbol = expression", each working value in braces ("{r}", "{α}");
    // the symbol names the value the step sets. Costs a test of the recorder otherwise.
    // `digits`: the decimals the window shows the value with, when it is not the usual
    // 4 for a field or 2 for a result.
    long double step(std::string_view formula, long double value, int digits = 0) {
        if (recorder_) record(formula, value, digits);
        return value;
    }

    // The value rounded to 4 decimals into its field; the working value stays unrounded.
    void writeBack(Field field, long double x);
    // The result text of x (4-decimal rounding, 2 decimals shown).
    void showResult(Output output, long double x);
    void setText(Output output, const std::string& text);
    // Degrees, minutes and seconds of an angle into angle row 1, 2 or 3.
    void showAngle(int row, long double angle);
    void computeMass();
    // Locks the inputs and the calculate button; the figure is solved.
    void succeed();

    std::string unitText() const { return ops_.unitText(); }
    bool succeeded() const { return succeeded_; }

    // A step that two figures fit (two sides and a height, a chord with the radius):
    // the first is the one Mertano has always shown, the second is shown on request.
    // Returns whether this step takes the second; notes that there is one.
    bool takeSecond(bool secondExists) {
        forked_ = forked_ || secondExists;
        return secondExists && secondWanted_;
    }
    void wantSecond(bool second) { secondWanted_ = second; }
    bool forked() const { return forked_; }

private:
    void record(std::string_view formula, long double value, int digits);

    FieldOps& ops_;
    StepRecorder* recorder_;
    std::optional<Measurements> typed_;
    bool succeeded_ = false;
    bool secondWanted_ = false;
    bool forked_ = false;
};

// Trigonometry at the surface works in degrees.
inline long double SinDeg(long double x) {
    return Checked(std::sin(x * kDegToRad));
}
inline long double CosDeg(long double x) {
    return Checked(std::cos(x * kDegToRad));
}
inline long double TanDeg(long double x) {
    return Checked(std::tan(x * kDegToRad));
}
inline long double ArcSinDeg(long double x) {
    return Checked(ArcSin(x) * kRadToDeg);
}
inline long double ArcCosDeg(long double x) {
    return Checked(ArcCos(x) * kRadToDeg);
}

void SolveTriangle(Solver& s);
void SolveRightTriangle(Solver& s);
void SolveCircle(Solver& s);
void SolveSector(Solver& s);
void SolveSegment(Solver& s);
void SolveCube(Solver& s);
void SolveCylinder(Solver& s);
void SolveCuboid(Solver& s);
void SolveCone(Solver& s);
void SolveTruncatedCone(Solver& s);
void SolveSphere(Solver& s);
void SolveSphericalCap(Solver& s);
void SolveSphericalZone(Solver& s);

}  // namespace mertano
