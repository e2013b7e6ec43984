// SPDX-License-Identifier: GPL-3.0-or-later
// Real figures drawn at random, worked out here from their own geometry: every set of
// their values that the calculate button takes, typed to 4 decimals, must give that
// figure with the typed values unchanged; a typed value moved beyond its rounding must be
// named; and values typed at random must give a real figure or a message.
#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "calc/numbers.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

constexpr double kPiD = 3.14159265358979323846;
double Rad(double deg) {
    return deg * kPiD / 180.0;
}
double Deg(double rad) {
    return rad * 180.0 / kPiD;
}

// A figure: its fields by Field index (0 where the figure has none) and its results.
struct Figure {
    std::array<double, kFieldCount> field{};
    double perimeter = 0, area = 0, surface = 0, volume = 0;
    double& operator[](Field f) { return field[FieldIndex(f)]; }
    double operator[](Field f) const { return field[FieldIndex(f)]; }
};

using F = Field;

// Each figure from the values that fix it; the formulas are the textbook ones, written
// independently of the solvers.
Figure Triangle(double a, double b, double c) {
    Figure t;
    t[F::AoldEdit] = a, t[F::BoldEdit] = b, t[F::ColdEdit] = c;
    const double alfa = Deg(std::acos((b * b + c * c - a * a) / (2 * b * c)));
    const double beta = Deg(std::acos((a * a + c * c - b * b) / (2 * a * c)));
    t[F::AlfaEdit] = alfa, t[F::BetaEdit] = beta, t[F::GammaEdit] = 180 - alfa - beta;
    t.area = 0.5 * a * b * std::sin(Rad(t[F::GammaEdit]));
    t[F::MagasEdit1] = 2 * t.area / a, t[F::MagasEdit2] = 2 * t.area / b;
    t[F::MagasEdit3] = 2 * t.area / c;
    t.perimeter = a + b + c;
    return t;
}
Figure RightTriangle(double a, double b) {
    Figure t;
    const double c = std::hypot(a, b);
    t[F::AoldEdit] = a, t[F::BoldEdit] = b, t[F::ColdEdit] = c;
    t[F::AlfaEdit] = Deg(std::atan2(a, b)), t[F::BetaEdit] = 90 - t[F::AlfaEdit];
    t.perimeter = a + b + c, t.area = a * b / 2;
    return t;
}
Figure Circle(double r) {
    Figure t;
    t[F::SugarEdit] = r, t[F::AtmeroEdit] = 2 * r;
    t.perimeter = 2 * kPiD * r, t.area = kPiD * r * r;
    return t;
}
Figure Sector(double r, double alfa) {
    Figure t;
    t[F::SugarEdit] = r, t[F::AlfaEdit] = alfa, t[F::IvEdit] = r * Rad(alfa);
    t.perimeter = 2 * r + t[F::IvEdit], t.area = r * t[F::IvEdit] / 2;
    return t;
}
Figure Segment(double r, double alfa) {
    Figure t;
    t[F::SugarEdit] = r, t[F::AlfaEdit] = alfa, t[F::IvEdit] = r * Rad(alfa);
    t[F::HurEdit] = 2 * r * std::sin(Rad(alfa / 2));
    t[F::MagasEdit1] = r * (1 - std::cos(Rad(alfa / 2)));
    t.perimeter = t[F::IvEdit] + t[F::HurEdit];
    t.area = r * r / 2 * (Rad(alfa) - std::sin(Rad(alfa)));
    return t;
}
Figure Box(double a, double b, double c, bool cube) {
    Figure t;
    t[F::AoldEdit] = a;
    if (!cube) t[F::BoldEdit] = b, t[F::ColdEdit] = c;
    t.surface = 2 * (a * b + a * c + b * c), t.volume = a * b * c;
    return t;
}
Figure Cylinder(double r, double m) {
    Figure t;
    t[F::SugarEdit] = r, t[F::MagasEdit1] = m;
    t.surface = 2 * kPiD * r * (r + m), t.volume = kPiD * r * r * m;
    return t;
}
Figure Cone(double r, double m) {
    Figure t;
    const double a = std::hypot(r, m);
    t[F::SugarEdit] = r, t[F::MagasEdit1] = m, t[F::AoldEdit] = a;
    t[F::AlfaEdit] = Deg(std::atan2(m, r)), t[F::BetaEdit] = 180 - 2 * t[F::AlfaEdit];
    t.surface = kPiD * r * (a + r), t.volume = kPiD * r * r * m / 3;
    return t;
}
Figure TruncatedCone(double r, double R, double m) {
    Figure t;
    const double a = std::hypot(R - r, m);
    t[F::SugarEdit] = r, t[F::NagyrEdit] = R, t[F::MagasEdit1] = m, t[F::AoldEdit] = a;
    t[F::AlfaEdit] = Deg(std::atan2(m, std::fabs(R - r)));
    t.surface = kPiD * (R * R + r * r + (R + r) * a);
    t.volume = kPiD / 3 * m * (R * R + r * r + R * r);
    return t;
}
Figure Sphere(double r) {
    Figure t;
    t[F::SugarEdit] = r;
    t.surface = 4 * kPiD * r * r, t.volume = 4 * kPiD / 3 * r * r * r;
    return t;
}
// The zone between the planes at z1 < z2 from the centre; the cap is the zone up to the
// sphere's top.
Figure Zone(double r, double z1, double z2, bool cap) {
    Figure t;
    const double a1 = std::sqrt(r * r - z1 * z1), a2 = cap ? 0 : std::sqrt(r * r - z2 * z2);
    const double m = (cap ? r : z2) - z1;
    t[F::SugarEdit] = r, t[F::AoldEdit] = a1, t[F::MagasEdit1] = m;
    if (!cap) t[F::NagyrEdit] = a2;
    t.surface = kPiD * (a1 * a1 + a2 * a2) + 2 * kPiD * r * m;
    t.volume = kPiD * m / 6 * (3 * a1 * a1 + 3 * a2 * a2 + m * m);
    return t;
}

// A well-shaped figure of the kind: angles from 15° up, lengths from 1 to 100.
Figure Draw(ShapeKind shape, std::mt19937& rng) {
    auto u = [&rng](double lo, double hi) { return std::uniform_real_distribution(lo, hi)(rng); };
    const double s = u(1, 100);
    switch (shape) {
        case ShapeKind::Triangle: {
            const double alfa = u(20, 120), beta = u(20, 160 - alfa);
            const double gamma = 180 - alfa - beta, k = s / std::sin(Rad(gamma));
            return Triangle(k * std::sin(Rad(alfa)), k * std::sin(Rad(beta)), s);
        }
        case ShapeKind::RightTriangle:
            return RightTriangle(s, s * std::tan(Rad(u(15, 75))));
        case ShapeKind::Circle:
            return Circle(s);
        case ShapeKind::CircularSector:
            return Sector(s, u(15, 179));
        case ShapeKind::CircularSegment:
            return Segment(s, u(20, 340));
        case ShapeKind::Cube:
            return Box(s, s, s, true);
        case ShapeKind::Cuboid:
            return Box(s, u(1, 100), u(1, 100), false);
        case ShapeKind::Cylinder:
            return Cylinder(s, u(1, 100));
        case ShapeKind::Cone:
            return Cone(s, s * std::tan(Rad(u(15, 75))));
        case ShapeKind::TruncatedCone: {
            const double R = s * u(0.2, 0.8);  // either face the larger
            const double m = (s - R) * std::tan(Rad(u(15, 75)));
            return u(0, 1) < 0.5 ? TruncatedCone(R, s, m) : TruncatedCone(s, R, m);
        }
        case ShapeKind::Sphere:
            return Sphere(s);
        case ShapeKind::SphericalCap:
            return Zone(s, s * u(-0.8, 0.8), s, true);
        case ShapeKind::SphericalZone: {
            const double z1 = s * u(-0.85, 0.6);
            return Zone(s, z1, z1 + s * u(0.15, 0.85 - z1 / s), false);
        }
    }
    return {};
}

// The figure the shown fields describe, worked out from those that fix it.
Figure FromShown(ShapeKind shape, const Figure& shown) {
    auto v = [&shown](Field f) { return shown.field[FieldIndex(f)]; };
    switch (shape) {
        case ShapeKind::Triangle:
            return Triangle(v(F::AoldEdit), v(F::BoldEdit), v(F::ColdEdit));
        case ShapeKind::RightTriangle:
            return RightTriangle(v(F::AoldEdit), v(F::BoldEdit));
        case ShapeKind::Circle:
            return Circle(v(F::SugarEdit));
        case ShapeKind::CircularSector:
            return Sector(v(F::SugarEdit), v(F::AlfaEdit));
        case ShapeKind::CircularSegment:
            return Segment(v(F::SugarEdit), v(F::AlfaEdit));
        case ShapeKind::Cube:
            return Box(v(F::AoldEdit), v(F::AoldEdit), v(F::AoldEdit), true);
        case ShapeKind::Cuboid:
            return Box(v(F::AoldEdit), v(F::BoldEdit), v(F::ColdEdit), false);
        case ShapeKind::Cylinder:
            return Cylinder(v(F::SugarEdit), v(F::MagasEdit1));
        case ShapeKind::Cone:
            return Cone(v(F::SugarEdit), v(F::MagasEdit1));
        case ShapeKind::TruncatedCone:
            return TruncatedCone(v(F::SugarEdit), v(F::NagyrEdit), v(F::MagasEdit1));
        case ShapeKind::Sphere:
            return Sphere(v(F::SugarEdit));
        case ShapeKind::SphericalCap: {
            const double r = v(F::SugarEdit);
            return Zone(r, r - v(F::MagasEdit1), r, true);
        }
        case ShapeKind::SphericalZone: {
            // The planes on one side of the centre or on both: whichever the height fits.
            const double r = v(F::SugarEdit), m = v(F::MagasEdit1);
            const double d1 = std::sqrt(std::fmax(0, r * r - v(F::AoldEdit) * v(F::AoldEdit)));
            const double d2 = std::sqrt(std::fmax(0, r * r - v(F::NagyrEdit) * v(F::NagyrEdit)));
            const bool apart = std::fabs(m - (d1 + d2)) < std::fabs(m - std::fabs(d1 - d2));
            const double z1 = apart || d1 > d2 ? -d1 : d1;
            return Zone(r, z1, apart ? d2 : (d1 > d2 ? -d2 : d2), false);
        }
    }
    return {};
}

struct Answer {
    CalcOutcome outcome;
    Figure shown;
    FieldSheet sheet;
};

Answer Solve(ShapeKind shape, const Figure& typed, int solution = 1) {
    Answer answer;
    answer.sheet.choose(shape);
    for (Field f : kAllFields) {
        if (typed.field[FieldIndex(f)] > 0)
            answer.sheet.setFieldValue(f, RoundTo4(typed.field[FieldIndex(f)]));
    }
    answer.outcome = Calculate(answer.sheet, LanguageTexts::BuiltinEnglish(), nullptr, solution);
    for (Field f : kAllFields)
        answer.shown.field[FieldIndex(f)] = static_cast<double>(answer.sheet.fieldValue(f));
    auto result = [&answer](Output o) {
        return static_cast<double>(ReadFieldText(answer.sheet.output(o)));
    };
    answer.shown.perimeter = result(Output::KeruletText2);
    answer.shown.area = result(Output::TeruletText2);
    answer.shown.surface = result(Output::FeluletText2);
    answer.shown.volume = result(Output::TerfogatText2);
    return answer;
}

// Where the shown figure differs from `truth` beyond the printing and the typed rounding
// carried through a well-shaped figure; empty when it does not.
// `size`: the length the slack is relative to, the figure's own when it is given (values
// typed at random give figures of any shape, and a flat one is ill-conditioned).
QString Difference(ShapeKind shape, const Figure& truth, const Figure& shown, double slack,
                   double size = 0) {
    auto off = [slack](double want, double got, double printed, double scale) {
        return std::fabs(want - got) > printed + slack * std::max({1.0, std::fabs(want), scale});
    };
    for (Field f : ShownFields(shape)) {
        const double want = truth.field[FieldIndex(f)], got = shown.field[FieldIndex(f)];
        // An angle's slack is relative to the half turn whenever lengths are to the figure.
        if (off(want, got, 5e-5, size > 0 && IsAngleField(f) ? 180.0 : size))
            return QString("%1 %2 shown, %3 true")
                .arg(QString::fromStdString(std::string(FieldValueName(f))))
                .arg(got, 0, 'f', 4)
                .arg(want, 0, 'f', 6);
    }
    const std::array<std::pair<double, double>, 4> results = {
        std::pair{truth.perimeter, shown.perimeter},
        {truth.area, shown.area},
        {truth.surface, shown.surface},
        {truth.volume, shown.volume}};
    for (const auto& [want, got] : results) {
        // Each result as the window shows it: the general triangle's perimeter with 4
        // decimals, every other with 2; a figure shows only some of them.
        if (got != 0 && off(want, got, 5e-3, size * size))
            return QString("result %1 shown, %2 true").arg(got, 0, 'f', 4).arg(want, 0, 'f', 6);
    }
    return {};
}

QString Typed(ShapeKind shape, const Figure& typed) {
    QString text = QString::fromStdString(std::string(Shape(shape).name));
    for (Field f : ShownFields(shape)) {
        if (typed.field[FieldIndex(f)] > 0)
            text += QString(" %1=%2")
                        .arg(QString::fromStdString(std::string(FieldValueName(f))))
                        .arg(RoundTo4(typed.field[FieldIndex(f)]), 0, 'f', 4);
    }
    return text;
}

// The typed subsets of the figure's fields that the calculate button takes.
std::vector<Figure> AcceptedSubsets(ShapeKind shape, const Figure& figure) {
    const std::vector<Field> fields = ShownFields(shape);
    std::vector<Figure> subsets;
    for (unsigned bits = 1; bits < (1U << fields.size()); ++bits) {
        Figure typed;
        FieldValues values{};
        bool typeable = true;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if ((bits & (1U << k)) == 0) continue;
            const double x = static_cast<double>(RoundTo4(figure.field[FieldIndex(fields[k])]));
            // The window refuses a typed angle above 180° as the field is left.
            typeable = typeable && !(IsAngleField(fields[k]) && x > 180);
            typed.field[FieldIndex(fields[k])] = values[FieldIndex(fields[k])] = x;
        }
        if (typeable && CalculateEnabled(shape, values)) subsets.push_back(typed);
    }
    return subsets;
}

// Whether more is typed than one of the figure's ways needs, or the figure takes more
// values than fix it (the cap and the zone).
bool OverDetermined(ShapeKind shape, const Figure& typed) {
    FieldValues values{};
    FieldMask typedSet = 0;
    for (Field f : kAllFields) {
        values[FieldIndex(f)] = typed.field[FieldIndex(f)];
        if (typed.field[FieldIndex(f)] > 0) typedSet |= FieldBit(f);
    }
    const Ways ways = MinimalWaysGiven(shape, values);
    for (int k = 0; k < ways.count; ++k) {
        if (ways.masks[k] != typedSet) return true;
    }
    return shape == ShapeKind::SphericalCap || shape == ShapeKind::SphericalZone;
}

}  // namespace

class TstRealFigures : public QObject {
    Q_OBJECT

private slots:
    void figures_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<int>("count");
        for (ShapeKind shape : kAllShapes) {
            // The triangle has 9 fields and some 400 sets of them.
            const int count = shape == ShapeKind::Triangle ? 6 : 25;
            QTest::newRow(Shape(shape).name.data()) << shape << count;
        }
    }

    void figures() {
        QFETCH(ShapeKind, shape);
        QFETCH(int, count);
        std::mt19937 rng(static_cast<unsigned>(ShapeIndex(shape)) * 7919U + 17U);
        for (int n = 0; n < count; ++n) {
            const Figure truth = Draw(shape, rng);
            for (const Figure& typed : AcceptedSubsets(shape, truth)) {
                const bool perimeterOnly = shape == ShapeKind::CircularSegment &&
                                           typed[F::SugarEdit] == 0 && typed[F::AlfaEdit] == 0 &&
                                           typed[F::MagasEdit1] == 0;
                if (perimeterOnly) continue;  // the arc with the chord gives the perimeter only
                typedFigureIsSolved(shape, truth, typed);
                if (OverDetermined(shape, typed)) movedValueIsNamed(shape, typed, rng);
            }
        }
    }

    void randomValues_data() {
        QTest::addColumn<ShapeKind>("shape");
        for (ShapeKind shape : kAllShapes) QTest::newRow(Shape(shape).name.data()) << shape;
    }

    void randomValues() {
        QFETCH(ShapeKind, shape);
        std::mt19937 rng(static_cast<unsigned>(ShapeIndex(shape)) + 101U);
        const std::vector<Field> fields = ShownFields(shape);
        int tried = 0;
        for (int n = 0; n < 4000 && tried < 300; ++n) {
            Figure typed;
            FieldValues values{};
            for (Field f : fields) {
                if (std::uniform_int_distribution(0, 2)(rng) == 0) continue;
                const double hi = IsAngleField(f) ? 180 : 100;
                const double x =
                    std::round(std::uniform_real_distribution(0.1, hi)(rng) * 1e4) / 1e4;
                typed[f] = values[FieldIndex(f)] = x;
            }
            if (!CalculateEnabled(shape, values)) continue;
            ++tried;
            answerIsRealOrSaid(shape, typed, Solve(shape, typed));
        }
        QVERIFY(tried > 0);
    }

private:
    // Solved: a real figure, every typed value shown as typed or named as replaced; any
    // other answer says why in a message.
    void answerIsRealOrSaid(ShapeKind shape, const Figure& typed, const Answer& answer) {
        const CalcState state = answer.outcome.state;
        const QString context = Typed(shape, typed) + ": " +
                                QString::fromStdString(std::string(CalcStateName(state))) + " " +
                                QString::fromStdString(answer.outcome.message);
        if (state != CalcState::Solved) {
            const bool perimeterOnly = shape == ShapeKind::CircularSegment &&
                                       state == CalcState::NotSolvable &&
                                       answer.shown.perimeter > 0;
            QVERIFY2(perimeterOnly || !answer.outcome.message.empty(), qPrintable(context));
            return;
        }
        for (Field f : ShownFields(shape)) {
            if (typed[f] == 0) continue;
            bool named = false;
            for (const ReplacedValue& r : answer.outcome.replaced) named = named || r.field == f;
            QVERIFY2(answer.shown[f] == typed[f] || named,
                     qPrintable(context + " changes " +
                                QString::fromStdString(std::string(FieldValueName(f)))));
        }
        double size = 0;
        for (Field f : ShownFields(shape)) {
            if (!IsAngleField(f)) size = std::fmax(size, answer.shown[f]);
        }
        const QString off =
            Difference(shape, FromShown(shape, answer.shown), answer.shown, 5e-3, size);
        QVERIFY2(off.isEmpty(), qPrintable(context + ": no real figure: " + off));
    }

    void typedFigureIsSolved(ShapeKind shape, const Figure& truth, const Figure& typed) {
        Answer answer = Solve(shape, typed);
        QString off = Difference(shape, truth, answer.shown, 3e-4);
        // Two figures fit the typed values: the other one is the figure drawn.
        if (!off.isEmpty() && answer.outcome.solutions == 2) {
            answer = Solve(shape, typed, 2);
            off = Difference(shape, truth, answer.shown, 3e-4);
        }
        const QString context =
            Typed(shape, typed) + ": " +
            QString::fromStdString(std::string(CalcStateName(answer.outcome.state))) + " " +
            QString::fromStdString(answer.outcome.message);
        QVERIFY2(answer.outcome.state == CalcState::Solved, qPrintable(context));
        QVERIFY2(answer.outcome.message.empty(), qPrintable(context));
        for (Field f : kAllFields) {
            if (typed.field[FieldIndex(f)] > 0)
                QVERIFY2(answer.shown.field[FieldIndex(f)] == typed.field[FieldIndex(f)],
                         qPrintable(context + " changes " +
                                    QString::fromStdString(std::string(FieldValueName(f)))));
        }
        QVERIFY2(off.isEmpty(), qPrintable(context + ": " + off));
    }

    void movedValueIsNamed(ShapeKind shape, const Figure& typed, std::mt19937& rng) {
        std::vector<Field> given;
        for (Field f : kAllFields) {
            if (typed.field[FieldIndex(f)] > 0) given.push_back(f);
        }
        const Field f = given[std::uniform_int_distribution<std::size_t>(0, given.size() - 1)(rng)];
        Figure moved = typed;
        const double factor = std::uniform_real_distribution(1.1, 1.3)(rng);
        moved[f] = std::round(typed.field[FieldIndex(f)] * factor * 1e4) / 1e4;
        if (IsAngleField(f) && moved[f] > 180)
            moved[f] = std::round(typed.field[FieldIndex(f)] / factor * 1e4) / 1e4;
        const Answer answer = Solve(shape, moved);
        // The moved value may leave a real figure (a side the redundant values do not
        // tie); otherwise it is named.
        answerIsRealOrSaid(shape, moved, answer);
        const QString message = QString::fromStdString(answer.outcome.message);
        if (answer.outcome.state == CalcState::Solved && !message.isEmpty()) {
            const QString named =
                QString::fromStdString(ValueTextForTest(shape, f, moved.field[FieldIndex(f)]));
            QVERIFY2(message.contains(named), qPrintable(Typed(shape, moved) + ": " + message));
        }
    }

    static std::string ValueTextForTest(ShapeKind shape, Field f, double x) {
        std::string symbol = FieldSymbol(shape, f);
        if (const auto u = symbol.find('_'); u != std::string::npos) symbol.erase(u, 1);
        return symbol + " = " + FormatFixed(x, 4);
    }
};

MERTANO_REGISTER_TEST(TstRealFigures)
#include "tst_real_figures.moc"
