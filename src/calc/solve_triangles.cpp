// SPDX-License-Identifier: GPL-3.0-or-later
// The general and the right triangle. Each step runs when its inputs are given at that
// moment, so one step's result can enable a later one.
#include "calc/numbers.h"
#include "calc/solver.h"

namespace mertano {
namespace {

long double Sq(long double x) { return Checked(x * x); }

// The third side from two sides and the height onto the first, the foot measured from
// the vertex between them.
long double SideFromHeight(long double side, long double other, long double height) {
    return Sqrt(Sq(height) + Sq(side - Sqrt(Sq(other) - Sq(height))));
}

// The law of cosines with the angle between the two sides.
long double SideFromAngle(long double x, long double y, long double angle) {
    return Sqrt(Checked(Sq(x) + Sq(y) - 2.0L * x * y * CosDeg(angle)));
}

}  // namespace

void SolveTriangle(Solver& s) {
    Measurements& m = s.m;
    if (Given(m.a) && Given(m.b) && Given(m.ma)) m.c = SideFromHeight(m.a, m.b, m.ma);
    if (Given(m.c) && Given(m.a) && Given(m.mc)) m.b = SideFromHeight(m.c, m.a, m.mc);
    if (Given(m.b) && Given(m.c) && Given(m.mb)) m.a = SideFromHeight(m.b, m.c, m.mb);
    if (Given(m.a) && Given(m.b) && Given(m.gamma)) m.c = SideFromAngle(m.a, m.b, m.gamma);
    if (Given(m.a) && Given(m.c) && Given(m.beta)) m.b = SideFromAngle(m.a, m.c, m.beta);
    if (Given(m.b) && Given(m.c) && Given(m.alfa)) m.a = SideFromAngle(m.b, m.c, m.alfa);
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;

    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);

    // The general triangle shows its perimeter with 4 decimals, unrounded before.
    m.perimeter = Checked(m.a + m.b + m.c);
    s.setText(Output::KeruletText2, PadLeft(FormatFixed(m.perimeter, 4), 3));
    s.setText(Output::KeruletText3, s.unitText());

    m.gamma = ArcCosDeg(Div(Checked(Sq(m.a) + Sq(m.b) - Sq(m.c)), 2.0L * m.a * m.b));
    s.writeBack(Field::GammaEdit, m.gamma);
    s.showAngle(3, m.gamma);
    m.beta = ArcCosDeg(Div(Checked(Sq(m.a) + Sq(m.c) - Sq(m.b)), 2.0L * m.a * m.c));
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.alfa = 180.0L - m.beta - m.gamma;
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);

    m.area = Checked(SinDeg(m.gamma) * (m.a * m.b) / 2.0L);
    s.showResult(Output::TeruletText2, m.area);

    m.ma = Checked(SinDeg(m.gamma) * m.b);
    m.mb = Checked(SinDeg(m.alfa) * m.c);
    m.mc = Checked(SinDeg(m.beta) * m.a);
    s.writeBack(Field::MagasEdit1, m.ma);
    s.writeBack(Field::MagasEdit2, m.mb);
    s.writeBack(Field::MagasEdit3, m.mc);
    s.succeed();
}

void SolveRightTriangle(Solver& s) {
    Measurements& m = s.m;
    // The hypotenuse as the sum of the legs' projections onto it.
    auto projections = [&m] { return Checked(SinDeg(m.alfa) * m.a + SinDeg(m.beta) * m.b); };

    if (Given(m.c) && Given(m.alfa)) {
        m.beta = 90.0L - m.alfa;
        m.a = Checked(SinDeg(m.alfa) * m.c);
        m.b = Checked(CosDeg(m.alfa) * m.c);
    }
    if (Given(m.b) && Given(m.alfa)) {
        m.beta = 90.0L - m.alfa;
        m.a = Checked(TanDeg(m.alfa) * m.b);
        m.c = projections();
    }
    if (Given(m.a) && Given(m.alfa)) {
        m.beta = 90.0L - m.alfa;
        m.b = Div(m.a, TanDeg(m.alfa));
        m.c = projections();
    }
    if (Given(m.a) && Given(m.beta)) {
        m.alfa = 90.0L - m.beta;
        m.b = Div(m.a, TanDeg(m.alfa));
        m.c = projections();
    }
    if (Given(m.b) && Given(m.beta)) {
        m.alfa = 90.0L - m.beta;
        m.a = Checked(TanDeg(m.alfa) * m.b);
        m.c = projections();
    }
    if (Given(m.c) && Given(m.beta)) {
        m.alfa = 90.0L - m.beta;
        m.a = Checked(SinDeg(m.alfa) * m.c);
        m.b = Checked(CosDeg(m.alfa) * m.c);
    }
    if (Given(m.a) && Given(m.b)) {
        m.c = Sqrt(Sq(m.a) + Sq(m.b));
        m.alfa = ArcSinDeg(Div(m.a, m.c));
        m.beta = 90.0L - m.alfa;
    }
    if (Given(m.a) && Given(m.c)) {
        m.b = Sqrt(Sq(m.c) - Sq(m.a));
        m.alfa = ArcSinDeg(Div(m.a, m.c));
        m.beta = 90.0L - m.alfa;
    }
    if (Given(m.b) && Given(m.c)) {
        m.a = Sqrt(Sq(m.c) - Sq(m.b));
        m.alfa = ArcSinDeg(Div(m.a, m.c));
        m.beta = 90.0L - m.alfa;
    }
    if (!(Given(m.a) && Given(m.b) && Given(m.c))) return;

    s.writeBack(Field::AoldEdit, m.a);
    s.writeBack(Field::BoldEdit, m.b);
    s.writeBack(Field::ColdEdit, m.c);
    s.writeBack(Field::AlfaEdit, m.alfa);
    s.showAngle(1, m.alfa);
    s.writeBack(Field::BetaEdit, m.beta);
    s.showAngle(2, m.beta);
    m.perimeter = Checked(m.a + m.b + m.c);
    s.showResult(Output::KeruletText2, m.perimeter);
    m.area = Checked(m.a * m.b / 2.0L);
    s.showResult(Output::TeruletText2, m.area);
    s.succeed();
}

}  // namespace mertano
