// SPDX-License-Identifier: GPL-3.0-or-later
// The solids: prisms, cones and spheres. Each shows its surface and volume, then asks
// for the mass, then locks the inputs.
#include <cmath>

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
    m.surface = s.step("S = 6·{a}²", Checked(m.a * m.a * 6.0L));
    m.volume = s.step("V = {a}³", Checked((m.a * m.a) * m.a));
    s.writeBack(Field::AoldEdit, m.a);
    ShowSolid(s);
}

void SolveCylinder(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.r) && Given(m.ma))) return;
    m.surface = s.step("S = 2·π·{r}·({m} + {r})", Checked(kTwoPi * m.r * (m.ma + m.r)));
    m.volume = s.step("V = {r}²·π·{m}", Checked(m.r * m.r * kPi * m.ma));
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::MagasEdit1, m.ma);
    ShowSolid(s);
}

void SolveCuboid(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;
    m.surface = s.step("S = 2·{a}·{b} + 2·{a}·{c} + 2·{b}·{c}",
                       Checked(m.a * 2.0L * m.b + m.a * 2.0L * m.c + m.b * 2.0L * m.c));
    m.volume = s.step("V = {a}·{b}·{c}", Checked(m.a * m.b * m.c));
    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);
    ShowSolid(s);
}

void SolveCone(Solver& s) {
    Measurements& m = s.m;
    // m.ma is the cone's height.
    auto fromBaseAngle = [&s, &m] {
        m.beta = s.step("β = 2·(90° − {α})", (90.0L - m.alfa) * 2.0L);
    };
    auto fromApexAngle = [&s, &m] { m.alfa = s.step("α = 90° − {β} / 2", 90.0L - m.beta / 2.0L); };
    auto heightFromSlant = [&s, &m] {
        m.ma = s.step("m = sin({α})·{a}", Checked(SinDeg(m.alfa) * m.a));
    };
    auto radiusFromSlant = [&s, &m] {
        m.r = s.step("r = cos({α})·{a}", Checked(CosDeg(m.alfa) * m.a));
    };
    auto heightFromRadius = [&s, &m] {
        m.ma = s.step("m = tan({α})·{r}", Checked(TanDeg(m.alfa) * m.r));
    };
    auto slantFromRadius = [&s, &m] {
        m.a = s.step("a = {r} / cos({α})", Div(m.r, CosDeg(m.alfa)));
    };
    auto radiusFromHeight = [&s, &m] {
        m.r = s.step("r = {m} / tan({α})", Div(m.ma, TanDeg(m.alfa)));
    };

    if (Given(m.r) && Given(m.ma))
        m.a = s.step("a = √({m}² + {r}²)", Sqrt(Checked(m.ma * m.ma + m.r * m.r)));
    if (Given(m.r) && Given(m.a))
        m.ma = s.step("m = √({a}² − {r}²)", Sqrt(Checked(m.a * m.a - m.r * m.r)));
    if (Given(m.ma) && Given(m.a))
        m.r = s.step("r = √({a}² − {m}²)", Sqrt(Checked(m.a * m.a - m.ma * m.ma)));
    if (Given(m.a) && Given(m.alfa)) {
        fromBaseAngle();
        heightFromSlant();
        radiusFromSlant();
    }
    if (Given(m.r) && Given(m.alfa)) {
        fromBaseAngle();
        heightFromRadius();
        slantFromRadius();
    }
    if (Given(m.ma) && Given(m.alfa)) {
        fromBaseAngle();
        radiusFromHeight();
        m.a = s.step("a = {m} / sin({α})", Div(m.ma, SinDeg(m.alfa)));
    }
    if (Given(m.ma) && Given(m.beta)) {
        fromApexAngle();
        radiusFromHeight();
        slantFromRadius();
    }
    if (Given(m.r) && Given(m.beta)) {
        fromApexAngle();
        heightFromRadius();
        slantFromRadius();
    }
    if (Given(m.a) && Given(m.beta)) {
        fromApexAngle();
        heightFromSlant();
        radiusFromSlant();
    }
    if (!(Given(m.r) && Given(m.ma) && Given(m.a))) return;

    m.alfa = s.step("α = arcsin({m} / {a})", ArcSinDeg(Div(m.ma, m.a)));
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    fromBaseAngle();
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.surface = s.step("S = π·{r}·({a} + {r})", Checked(kPi * m.r * (m.a + m.r)));
    m.volume = s.step("V = {r}²·π·{m} / 3", Checked(m.r * m.r * kPi * m.ma / 3.0L));
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::MagasEdit1, m.ma);
    ShowSolid(s);
}

void SolveTruncatedCone(Solver& s) {
    Measurements& m = s.m;
    // Either face may be the larger: the height and the rebuilt radius follow the faces
    // as typed.
    if (Given(m.r) && Given(m.R) && Given(m.alfa)) {
        m.ma = m.R >= m.r
                   ? s.step("m = tan({α})·({R} − {r})", Checked(TanDeg(m.alfa) * (m.R - m.r)))
                   : s.step("m = tan({α})·({r} − {R})", Checked(TanDeg(m.alfa) * (m.r - m.R)));
    }
    if (Given(m.r) && Given(m.ma) && Given(m.R)) {
        m.a = s.step("a = √(({R} − {r})² + {m}²)",
                     Sqrt(Checked((m.R - m.r) * (m.R - m.r) + m.ma * m.ma)));
    }
    if (Given(m.r) && Given(m.a) && Given(m.R)) {
        m.ma = s.step("m = √({a}² − ({R} − {r})²)",
                      Sqrt(Checked(m.a * m.a - (m.R - m.r) * (m.R - m.r))));
    }
    if (Given(m.r) && Given(m.a) && Given(m.ma)) {
        // A typed R chooses its face; without it the larger base is the first figure, and
        // a smaller one fits too while the run is shorter than r.
        const long double run = Sqrt(Checked(m.a * m.a - m.ma * m.ma));
        const bool smaller = Given(m.R)
                                 ? std::fabs(m.R - (m.r - run)) < std::fabs(m.R - (m.r + run))
                                 : s.takeSecond(run > 0.0L && run < m.r);
        m.R = smaller ? s.step("R = {r} − √({a}² − {m}²)", Checked(m.r - run))
                      : s.step("R = √({a}² − {m}²) + {r}", Checked(run + m.r));
    }
    if (!(Given(m.r) && Given(m.ma) && Given(m.a) && Given(m.R))) return;

    m.alfa = s.step("α = arcsin({m} / {a})", ArcSinDeg(Div(m.ma, m.a)));
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    m.surface = s.step("S = ({R}² + {r}² + ({R} + {r})·{a})·π",
                       Checked((m.R * m.R + m.r * m.r + (m.R + m.r) * m.a) * kPi));
    m.volume = s.step("V = ({R}² + {r}² + {R}·{r})·π / 3·{m}",
                      Checked((m.R * m.R + m.r * m.r + m.R * m.r) * kPiThirds * m.ma));
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
    m.surface = s.step("S = 4·{r}²·π", RoundTo4(m.r * m.r * kFourPi));
    m.volume = s.step("V = 4·{r}³·π / 3", RoundTo4(m.r * m.r * kFourPiThirds * m.r));
    s.writeBack(Field::SugarEdit, m.r);
    ShowSolid(s);
}

void SolveSphericalCap(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.ma) && Given(m.r))) return;
    m.surface = s.step("S = 2·π·{r}·{m} + π·{a}²", Checked(kTwoPi * m.r * m.ma + kPi * m.a * m.a));
    m.volume = s.step("V = {m}²·π / 3·(3·{r} − {m})",
                      Checked(m.ma * m.ma * kPiThirds * (m.r * 3.0L - m.ma)));
    ShowSolid(s);
}

void SolveSphericalZone(Solver& s) {
    Measurements& m = s.m;
    if (!(Given(m.a) && Given(m.ma) && Given(m.r) && Given(m.R))) return;
    m.surface = s.step("S = {a_1}²·π + 2·π·{r}·{m} + {a_2}²·π",
                       Checked(m.a * m.a * kPi + kTwoPi * m.r * m.ma + m.R * m.R * kPi));
    m.volume =
        s.step("V = (3·{a_1}² + {m}² + 3·{a_2}²)·π / 6·{m}",
               Checked((m.a * m.a * 3.0L + m.ma * m.ma + m.R * m.R * 3.0L) * kPiSixths * m.ma));
    ShowSolid(s);
}

}  // namespace mertano
