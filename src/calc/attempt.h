// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "calc/float_fault.h"
#include "calc/measurements.h"
#include "calc/recorded_ops.h"
#include "calc/solution_steps.h"
#include "shapes/shape_kind.h"

namespace mertano {

// One run of a figure's solver on some of the typed values, with its writes held back.
struct Attempt {
    explicit Attempt(const FieldOps& fields) : writes(fields) {}

    Measurements out;    // the working values after the solver
    RecordedOps writes;  // what it wrote, not yet shown
    StepList steps;      // its steps, when they were asked for
    std::optional<FloatFault> fault;
    bool reached = false;  // the solver came to its output and locked the inputs
    bool forked = false;   // a step had two answers: a second figure fits
};

// What a run of a solver came to.
struct SolverRun {
    std::optional<FloatFault> fault;
    bool reached = false;
    bool forked = false;
};
// Runs the solver of `shape` on `m`, writing straight to `ops`.
SolverRun RunSolver(ShapeKind shape, Measurements& m, FieldOps& ops, bool second,
                    StepRecorder* steps);

// Runs the solver of `shape` on `in` (the values read from the fields, or some of them).
// `second`: where a step has two answers, take the second.
Attempt TrySolve(ShapeKind shape, const Measurements& in, const FieldOps& fields, bool second,
                 bool recordSteps);

// `m` with only the fields of `keep` given: the others 0, as a field that was never typed.
Measurements OnlyFields(const Measurements& m, FieldMask keep);

}  // namespace mertano
