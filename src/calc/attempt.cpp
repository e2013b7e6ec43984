// SPDX-License-Identifier: GPL-3.0-or-later
#include "attempt.h"

#include "calc/solver.h"

namespace mertano {
namespace {

void RunSolver(ShapeKind shape, Solver& s) {
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

Attempt TrySolve(ShapeKind shape, const Measurements& in, const FieldOps& fields, bool second,
                 bool recordSteps) {
    Attempt attempt(fields);
    attempt.out = in;
    Solver solver(attempt.out, attempt.writes, recordSteps ? &attempt.steps : nullptr);
    solver.wantSecond(second);
    try {
        RunSolver(shape, solver);
    } catch (const FloatFaultError& e) {
        attempt.fault = e.fault();
    }
    attempt.reached = !attempt.fault && solver.succeeded();
    attempt.forked = solver.forked();
    return attempt;
}

FieldMask GivenFields(const Measurements& m) {
    FieldMask mask = 0;
    for (Field f : kAllFields) {
        if (Given(m.*MemberOf(f))) mask |= FieldBit(f);
    }
    return mask;
}

Measurements OnlyFields(const Measurements& m, FieldMask keep) {
    Measurements only = m;
    for (Field f : kAllFields) {
        if ((keep & FieldBit(f)) == 0) only.*MemberOf(f) = 0.0L;
    }
    return only;
}

}  // namespace mertano
