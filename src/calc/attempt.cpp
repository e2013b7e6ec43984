// SPDX-License-Identifier: GPL-3.0-or-later
#include "attempt.h"

#include "calc/solver.h"

namespace mertano {
namespace {

void Dispatch(ShapeKind shape, Solver& s) {
    switch (shape) {
        case ShapeKind::Triangle:
            return SolveTriangle(s);
        case ShapeKind::RightTriangle:
            return SolveRightTriangle(s);
        case ShapeKind::Circle:
            return SolveCircle(s);
        case ShapeKind::CircularSector:
            return SolveSector(s);
        case ShapeKind::CircularSegment:
            return SolveSegment(s);
        case ShapeKind::Cube:
            return SolveCube(s);
        case ShapeKind::Cylinder:
            return SolveCylinder(s);
        case ShapeKind::Cuboid:
            return SolveCuboid(s);
        case ShapeKind::Cone:
            return SolveCone(s);
        case ShapeKind::TruncatedCone:
            return SolveTruncatedCone(s);
        case ShapeKind::Sphere:
            return SolveSphere(s);
        case ShapeKind::SphericalCap:
            return SolveSphericalCap(s);
        case ShapeKind::SphericalZone:
            return SolveSphericalZone(s);
    }
}

}  // namespace

SolverRun RunSolver(ShapeKind shape, Measurements& m, FieldOps& ops, bool second,
                    StepRecorder* steps) {
    SolverRun run;
    Solver solver(m, ops, steps);
    solver.wantSecond(second);
    try {
        Dispatch(shape, solver);
    } catch (const FloatFaultError& e) {
        run.fault = e.fault();
    }
    run.reached = !run.fault && solver.succeeded();
    run.forked = solver.forked();
    return run;
}

Attempt TrySolve(ShapeKind shape, const Measurements& in, const FieldOps& fields, bool second,
                 bool recordSteps) {
    Attempt attempt(fields);
    attempt.out = in;
    const SolverRun run = RunSolver(shape, attempt.out, attempt.writes, second,
                                    recordSteps ? &attempt.steps : nullptr);
    attempt.fault = run.fault;
    attempt.reached = run.reached;
    attempt.forked = run.forked;
    return attempt;
}

Measurements OnlyFields(const Measurements& m, FieldMask keep) {
    Measurements only = m;
    for (Field f : kAllFields) {
        if ((keep & FieldBit(f)) == 0) only.*MemberOf(f) = 0.0L;
    }
    return only;
}

}  // namespace mertano
