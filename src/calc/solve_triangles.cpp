// SPDX-License-Identifier: GPL-3.0-or-later
// The general and the right triangle. Each step runs when its inputs are given at that
// moment, so one step's result can enable a later one.
#include "calc/numbers.h"
#include "calc/solver.h"

namespace mertano {
namespace {

long double Sq(long double x) {
    return Checked(x * x);
}

// The third side from two sides and the height onto the first, the foot measured from
// the vertex between them: toward the first side's far end (an acute angle there), or
// for the second figure away from it (an obtuse angle).
long double SideFromHeight(long double side, long double other, long double height, bool obtuse) {
    const long double foot = Sqrt(Sq(other) - Sq(height));
    return Sqrt(Sq(height) + Sq(obtuse ? side + foot : side - foot));
}

// Both figures exist while the other side is longer than the height; equal, the angle is
// right and the two are one.
bool TwoFromHeight(long double other, long double height) {
    return Sq(other) > Sq(height);
}

// The law of cosines with the angle between the two sides.
long double SideFromAngle(long double x, long double y, long double angle) {
    return Sqrt(Checked(Sq(x) + Sq(y) - 2.0L * x * y * CosDeg(angle)));
}

}  // namespace

void SolveTriangle(Solver& s) {
    Measurements& m = s.m;
    if (Given(m.a) && Given(m.b) && Given(m.ma)) {
        const bool obtuse = s.takeSecond(TwoFromHeight(m.b, m.ma));
        m.c = s.step(obtuse ? "c = √({m_a}² + ({a} + √({b}² − {m_a}²))²)"
                            : "c = √({m_a}² + ({a} − √({b}² − {m_a}²))²)",
                     SideFromHeight(m.a, m.b, m.ma, obtuse));
    }
    if (Given(m.c) && Given(m.a) && Given(m.mc)) {
        const bool obtuse = s.takeSecond(TwoFromHeight(m.a, m.mc));
        m.b = s.step(obtuse ? "b = √({m_c}² + ({c} + √({a}² − {m_c}²))²)"
                            : "b = √({m_c}² + ({c} − √({a}² − {m_c}²))²)",
                     SideFromHeight(m.c, m.a, m.mc, obtuse));
    }
    if (Given(m.b) && Given(m.c) && Given(m.mb)) {
        const bool obtuse = s.takeSecond(TwoFromHeight(m.c, m.mb));
        m.a = s.step(obtuse ? "a = √({m_b}² + ({b} + √({c}² − {m_b}²))²)"
                            : "a = √({m_b}² + ({b} − √({c}² − {m_b}²))²)",
                     SideFromHeight(m.b, m.c, m.mb, obtuse));
    }
    if (Given(m.a) && Given(m.b) && Given(m.gamma)) {
        m.c = s.step("c = √({a}² + {b}² − 2·{a}·{b}·cos({γ}))", SideFromAngle(m.a, m.b, m.gamma));
    }
    if (Given(m.a) && Given(m.c) && Given(m.beta)) {
        m.b = s.step("b = √({a}² + {c}² − 2·{a}·{c}·cos({β}))", SideFromAngle(m.a, m.c, m.beta));
    }
    if (Given(m.b) && Given(m.c) && Given(m.alfa)) {
        m.a = s.step("a = √({b}² + {c}² − 2·{b}·{c}·cos({α}))", SideFromAngle(m.b, m.c, m.alfa));
    }
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;

    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);

    // The general triangle shows its perimeter with 4 decimals, unrounded before.
    m.perimeter = s.step("P = {a} + {b} + {c}", Checked(m.a + m.b + m.c), 4);
    s.setText(Output::KeruletText2, PadLeft(FormatFixed(m.perimeter, 4), 3));
    s.setText(Output::KeruletText3, s.unitText());

    m.gamma = s.step("γ = arccos(({a}² + {b}² − {c}²) / (2·{a}·{b}))",
                     ArcCosDeg(Div(Checked(Sq(m.a) + Sq(m.b) - Sq(m.c)), 2.0L * m.a * m.b)));
    s.writeBack(Field::GammaEdit, m.gamma);
    s.showAngle(3, m.gamma);
    m.beta = s.step("β = arccos(({a}² + {c}² − {b}²) / (2·{a}·{c}))",
                    ArcCosDeg(Div(Checked(Sq(m.a) + Sq(m.c) - Sq(m.b)), 2.0L * m.a * m.c)));
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.alfa = s.step("α = 180° − {β} − {γ}", 180.0L - m.beta - m.gamma);
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);

    m.area = s.step("A = sin({γ})·{a}·{b} / 2", Checked(SinDeg(m.gamma) * (m.a * m.b) / 2.0L));
    s.showResult(Output::TeruletText2, m.area);

    m.ma = s.step("m_a = sin({γ})·{b}", Checked(SinDeg(m.gamma) * m.b));
    m.mb = s.step("m_b = sin({α})·{c}", Checked(SinDeg(m.alfa) * m.c));
    m.mc = s.step("m_c = sin({β})·{a}", Checked(SinDeg(m.beta) * m.a));
    s.writeBack(Field::MagasEdit1, m.ma);
    s.writeBack(Field::MagasEdit2, m.mb);
    s.writeBack(Field::MagasEdit3, m.mc);
    s.succeed();
}

void SolveRightTriangle(Solver& s) {
    Measurements& m = s.m;
    // The hypotenuse as the sum of the legs' projections onto it.
    auto projections = [&s, &m] {
        m.c = s.step("c = sin({α})·{a} + sin({β})·{b}",
                     Checked(SinDeg(m.alfa) * m.a + SinDeg(m.beta) * m.b));
    };
    auto betaFromAlfa = [&s, &m] { m.beta = s.step("β = 90° − {α}", 90.0L - m.alfa); };
    auto alfaFromBeta = [&s, &m] { m.alfa = s.step("α = 90° − {β}", 90.0L - m.beta); };
    auto legsFromHypotenuse = [&s, &m] {
        m.a = s.step("a = sin({α})·{c}", Checked(SinDeg(m.alfa) * m.c));
        m.b = s.step("b = cos({α})·{c}", Checked(CosDeg(m.alfa) * m.c));
    };
    auto aFromB = [&s, &m] { m.a = s.step("a = tan({α})·{b}", Checked(TanDeg(m.alfa) * m.b)); };
    auto bFromA = [&s, &m] { m.b = s.step("b = {a} / tan({α})", Div(m.a, TanDeg(m.alfa))); };
    auto anglesFromSides = [&s, &m] {
        m.alfa = s.step("α = arcsin({a} / {c})", ArcSinDeg(Div(m.a, m.c)));
        m.beta = s.step("β = 90° − {α}", 90.0L - m.alfa);
    };

    if (Given(m.c) && Given(m.alfa)) {
        betaFromAlfa();
        legsFromHypotenuse();
    }
    if (Given(m.b) && Given(m.alfa)) {
        betaFromAlfa();
        aFromB();
        projections();
    }
    if (Given(m.a) && Given(m.alfa)) {
        betaFromAlfa();
        bFromA();
        projections();
    }
    if (Given(m.a) && Given(m.beta)) {
        alfaFromBeta();
        bFromA();
        projections();
    }
    if (Given(m.b) && Given(m.beta)) {
        alfaFromBeta();
        aFromB();
        projections();
    }
    if (Given(m.c) && Given(m.beta)) {
        alfaFromBeta();
        legsFromHypotenuse();
    }
    if (Given(m.a) && Given(m.b)) {
        m.c = s.step("c = √({a}² + {b}²)", Sqrt(Sq(m.a) + Sq(m.b)));
        anglesFromSides();
    }
    if (Given(m.a) && Given(m.c)) {
        m.b = s.step("b = √({c}² − {a}²)", Sqrt(Sq(m.c) - Sq(m.a)));
        anglesFromSides();
    }
    if (Given(m.b) && Given(m.c)) {
        m.a = s.step("a = √({c}² − {b}²)", Sqrt(Sq(m.c) - Sq(m.b)));
        anglesFromSides();
    }
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;

    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.perimeter = s.step("P = {a} + {b} + {c}", Checked(m.a + m.b + m.c));
    s.showResult(Output::KeruletText2, m.perimeter);
    m.area = s.step("A = {a}·{b} / 2", Checked(m.a * m.b / 2.0L));
    s.showResult(Output::TeruletText2, m.area);
    s.succeed();
}

}  // namespace mertano
