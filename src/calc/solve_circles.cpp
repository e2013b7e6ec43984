// SPDX-License-Identifier: GPL-3.0-or-later
// Circle, sector and segment. The sector and the segment lock the inputs as soon as the
// radius is known and show each other output under its own test.
#include <cmath>

#include "calc/solver.h"

namespace mertano {

void SolveCircle(Solver& s) {
    Measurements& m = s.m;
    if (Given(m.r))
        m.d = s.step("d = 2·{r}", Checked(m.r * 2.0L));  // the radius wins over a typed diameter
    if (Given(m.d)) m.r = s.step("r = {d} / 2", m.d / 2.0L);
    if (!(Given(m.r) && Given(m.d))) return;
    s.writeBack(Field::SugarEdit, m.r);
    s.writeBack(Field::AtmeroEdit, m.d);
    m.perimeter = s.step("P = 2·{r}·π", Checked(m.r * 2.0L * kPi));
    s.showResult(Output::KeruletText2, m.perimeter);
    m.area = s.step("A = {r}²·π", Checked(m.r * m.r * kPi));
    s.showResult(Output::TeruletText2, m.area);
    s.succeed();
}

void SolveSector(Solver& s) {
    Measurements& m = s.m;
    if (Given(m.i) && Given(m.alfa)) {
        m.r = s.step("r = {i} / ({α}·π / 180°)", Div(m.i, m.alfa * kDegToRad));
    }
    if (Given(m.r) && Given(m.alfa)) {
        m.i = s.step("i = π / 180°·{r}·{α}", Checked(kDegToRad * m.r * m.alfa));
    }
    if (Given(m.r) && Given(m.i)) {
        m.alfa = s.step("α = {i} / ({r}·π / 180°)", Div(m.i, m.r * kPi / 180.0L));
    }
    if (Given(m.r) && Given(m.i) && Given(m.alfa)) {
        m.perimeter = s.step("P = 2·{r} + {i}", Checked(m.r * 2.0L + m.i));
        m.area = s.step("A = {r}·{i} / 2", Checked(m.r * m.i / 2.0L));
    }
    if (Given(m.r)) {
        s.writeBack(Field::SugarEdit, m.r);
        s.succeed();
    }
    if (Given(m.i)) s.writeBack(Field::IvEdit, m.i);
    if (m.alfa != 0.0L) {
        s.writeBack(Field::AlfaEdit, m.alfa);
        s.showAngle(1, m.alfa);
    }
    if (m.perimeter > 0.0L) s.showResult(Output::KeruletText2, m.perimeter);
    if (m.area > 0.0L) s.showResult(Output::TeruletText2, m.area);
}

namespace {

// The central angle of a chord h in a circle of radius r, below 180° for the smaller
// segment, 360° less that for the larger.
long double ChordAngle(long double r, long double h) {
    const long double twoRSquared = Checked(r * r * 2.0L);
    return ArcCosDeg(Div(Checked(twoRSquared - h * h), twoRSquared));
}

// Half the distance between the two heights a chord gives: the smaller height is
// r less it, the larger r plus it.
long double HalfHeightGap(long double r, long double h) {
    return RootOfDifference(Checked(r * r * 4.0L), Checked(h * h)) / 2.0L;
}

}  // namespace

void SolveSegment(Solver& s) {
    Measurements& m = s.m;
    // Each step keeps the segment the values it has describe: a height above the radius,
    // or an angle above 180°, is the larger segment of its chord.
    auto chordAngle = [&s, &m](bool larger) {
        m.alfa = larger ? s.step("α = 360° − arccos((2·{r}² − {h}²) / (2·{r}²))",
                                 360.0L - ChordAngle(m.r, m.h))
                        : s.step("α = arccos((2·{r}² − {h}²) / (2·{r}²))", ChordAngle(m.r, m.h));
    };
    auto height = [&s, &m](bool larger) {
        const long double gap = HalfHeightGap(m.r, m.h);
        m.ma = larger ? s.step("m = {r} + √(4·{r}² − {h}²) / 2", Checked(m.r + gap))
                      : s.step("m = {r} − √(4·{r}² − {h}²) / 2", Checked(m.r - gap));
    };
    if (Given(m.h) && Given(m.ma)) {
        const long double halfChord = m.h / 2.0L;
        m.r = s.step("r = (({h} / 2)² / {m} + {m}) / 2",
                     Checked((Div(halfChord * halfChord, m.ma) + m.ma) / 2.0L));
        chordAngle(m.ma > m.r);
    }
    if (Given(m.i) && Given(m.alfa)) {
        m.r = s.step("r = {i} / ({α}·π / 180°)", Div(m.i, m.alfa * kDegToRad));
    }
    if (Given(m.r) && Given(m.ma)) {
        m.h = s.step("h = 2·√(2·{r}·{m} − {m}²)",
                     2.0L * Sqrt(Checked(2.0L * m.r * m.ma - m.ma * m.ma)));
    }
    if (Given(m.r) && Given(m.h)) {
        // A height known by now chooses the segment; with the chord alone both fit.
        const long double gap = HalfHeightGap(m.r, m.h);
        const bool larger = Given(m.ma)
                                ? std::fabs(m.ma - (m.r + gap)) < std::fabs(m.ma - (m.r - gap))
                                : s.takeSecond(gap > 0.0L);
        height(larger);
        chordAngle(larger);
    }
    if (Given(m.r) && Given(m.alfa)) {
        m.i = s.step("i = π / 180°·{r}·{α}", Checked(kDegToRad * m.r * m.alfa));
        const long double twoRSquared = Checked(m.r * m.r * 2.0L);
        m.h = s.step("h = √(2·{r}² − 2·{r}²·cos({α}))",
                     Sqrt(Checked(twoRSquared - twoRSquared * CosDeg(m.alfa))));
        height(m.alfa > 180.0L);
    }
    if (Given(m.r) && Given(m.i) && Given(m.h) && Given(m.ma)) {
        m.area = s.step("A = ({r}·{i} − ({r} − {m})·{h}) / 2",
                        Checked((m.r * m.i - (m.r - m.ma) * m.h) * 0.5L));
    }
    if (Given(m.i) && Given(m.h)) m.perimeter = s.step("P = {i} + {h}", Checked(m.i + m.h));
    if (Given(m.r)) {
        s.writeBack(Field::SugarEdit, m.r);
        s.succeed();
    }
    if (Given(m.h)) s.writeBack(Field::HurEdit, m.h);
    if (Given(m.i)) s.writeBack(Field::IvEdit, m.i);
    if (Given(m.ma)) s.writeBack(Field::MagasEdit1, m.ma);
    if (m.alfa != 0.0L) {
        s.writeBack(Field::AlfaEdit, m.alfa);
        s.showAngle(1, m.alfa);
    }
    if (m.perimeter > 0.0L) s.showResult(Output::KeruletText2, m.perimeter);
    if (m.area > 0.0L) s.showResult(Output::TeruletText2, m.area);
}

}  // namespace mertano
