// SPDX-License-Identifier: GPL-3.0-or-later
// The solids: prisms, cones and spheres. Each shows its surface and volume, then asks
// for the mass, then locks the inputs.
#include "calc/numbers.h"
#include "calc/solver.h"

namespace mertano {
namespace {

void ShowSolid(Solver& s) {
    s.showResult(Output::FeluletText2, s.m.surface);
    s.showResult(Output::TerfogatText2, s.m.volume);
    s.computeMass();
    s.succeed();
}

}  // namespace

void SolveCube(Solver& s) {
    Measurements& m = s.m;
    if (!Given(m.a)) return;
    m.surface = Checked(m.a * m.a * 6.0L);
    m.volume = Checked((m.a * m.a) * m.a);
    s.writeBack(Field::AoldEdit, m.a);
    ShowSolid(s);
}

void SolveCylinder(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.r) && Given(m.ma))) return;
    m.surface = Checked(kTwoPi * m.r * (m.ma + m.r));
    m.volume = Checked(m.r * m.r * kPi * m.ma);
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::MagasEdit1, m.ma);
    ShowSolid(s);
}

void SolveCuboid(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;
    m.surface = Checked(m.a * 2.0L * m.b + m.a * 2.0L * m.c + m.b * 2.0L * m.c);
    m.volume = Checked(m.a * m.b * m.c);
    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);
    ShowSolid(s);
}

void SolveCone(Solver& s) {
    Measurements& m = s.m;
    // m.ma is the cone's height.
    auto fromBaseAngle = [&m] { m.beta = (90.0L - m.alfa) * 2.0L; };
    auto fromApexAngle = [&m] { m.alfa = 90.0L - m.beta / 2.0L; };

    if (Given(m.r) && Given(m.ma)) m.a = Sqrt(Checked(m.ma * m.ma + m.r * m.r));
    if (Given(m.r) && Given(m.a)) m.ma = Sqrt(Checked(m.a * m.a - m.r * m.r));
    if (Given(m.ma) && Given(m.a)) m.r = Sqrt(Checked(m.a * m.a - m.ma * m.ma));
    if (Given(m.a) && Given(m.alfa)) {
        fromBaseAngle();
        m.ma = Checked(SinDeg(m.alfa) * m.a);
        m.r = Checked(CosDeg(m.alfa) * m.a);
    }
    if (Given(m.r) && Given(m.alfa)) {
        fromBaseAngle();
        m.ma = Checked(TanDeg(m.alfa) * m.r);
        m.a = Div(m.r, CosDeg(m.alfa));
    }
    if (Given(m.ma) && Given(m.alfa)) {
        fromBaseAngle();
        m.r = Div(m.ma, TanDeg(m.alfa));
        m.a = Div(m.ma, SinDeg(m.alfa));
    }
    if (Given(m.ma) && Given(m.beta)) {
        fromApexAngle();
        m.r = Div(m.ma, TanDeg(m.alfa));
        m.a = Div(m.r, CosDeg(m.alfa));
    }
    if (Given(m.r) && Given(m.beta)) {
        fromApexAngle();
        m.ma = Checked(TanDeg(m.alfa) * m.r);
        m.a = Div(m.r, CosDeg(m.alfa));
    }
    if (Given(m.a) && Given(m.beta)) {
        fromApexAngle();
        m.ma = Checked(SinDeg(m.alfa) * m.a);
        m.r = Checked(CosDeg(m.alfa) * m.a);
    }
    if (!(Given(m.r) && Given(m.ma) && Given(m.a))) return;

    m.alfa = ArcSinDeg(Div(m.ma, m.a));
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    fromBaseAngle();
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.surface = Checked(kPi * m.r * (m.a + m.r));
    m.volume = Checked(m.r * m.r * kPi * m.ma / 3.0L);
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::MagasEdit1, m.ma);
    ShowSolid(s);
}

void SolveTruncatedCone(Solver& s) {
    Measurements& m = s.m;
    if (Given(m.r) && Given(m.R) && Given(m.alfa)) m.ma = Checked(TanDeg(m.alfa) * (m.R - m.r));
    if (Given(m.r) && Given(m.ma) && Given(m.R)) {
        m.a = Sqrt(Checked((m.R - m.r) * (m.R - m.r) + m.ma * m.ma));
    }
    if (Given(m.r) && Given(m.a) && Given(m.R)) {
        m.ma = Sqrt(Checked(m.a * m.a - (m.R - m.r) * (m.R - m.r)));
    }
    if (Given(m.r) && Given(m.a) && Given(m.ma)) {
        m.R = Checked(Sqrt(Checked(m.a * m.a - m.ma * m.ma)) + m.r);
    }
    if (!(Given(m.r) && Given(m.ma) && Given(m.a) && Given(m.R))) return;

    m.alfa = ArcSinDeg(Div(m.ma, m.a));
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    m.surface = Checked((m.R * m.R + m.r * m.r + (m.R + m.r) * m.a) * kPi);
    m.volume = Checked((m.R * m.R + m.r * m.r + m.R * m.r) * kPiThirds * m.ma);
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::MagasEdit1, m.ma);
    s.writeBack(Field::NagyrEdit, m.R);
    ShowSolid(s);
}

void SolveSphere(Solver& s) {
    Measurements& m = s.m;
    if (!Given(m.r)) return;
    // The sphere keeps its results already rounded, so the mass sees the rounded volume.
    m.surface = RoundTo4(m.r * m.r * kFourPi);
    m.volume = RoundTo4(m.r * m.r * kFourPiThirds * m.r);
    s.writeBack(Field::SugarEdit, m.r);
    ShowSolid(s);
}

void SolveSphericalCap(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.ma) && Given(m.r))) return;
    m.surface = Checked(kTwoPi * m.r * m.ma + kPi * m.a * m.a);
    m.volume = Checked(m.ma * m.ma * kPiThirds * (m.r * 3.0L - m.ma));
    ShowSolid(s);
}

void SolveSphericalZone(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.ma) && Given(m.r) && Given(m.R))) return;
    m.surface = Checked(m.a * m.a * kPi + kTwoPi * m.r * m.ma + m.R * m.R * kPi);
    m.volume = Checked((m.a * m.a * 3.0L + m.ma * m.ma + m.R * m.R * 3.0L) * kPiSixths * m.ma);
    ShowSolid(s);
}

}  // namespace mertano
