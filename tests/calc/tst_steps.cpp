// SPDX-License-Identifier: GPL-3.0-or-later
// The recorded solution against the engine: every step's substituted formula, worked out
// here by a reader of the notation of its own, gives the recorded value, and the steps
// name exactly the values that the calculation changed.
#include <QTest>
#include <cmath>
#include <map>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "calc/numbers.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"
#include "sheet_helpers.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

// Reads the notation the steps are written in: + − · /, ², ³, √, π, ° (degrees stay
// numbers), sin cos tan in degrees, arcsin arccos giving degrees.
class Notation {
public:
    explicit Notation(std::string text) : s_(std::move(text)) {}

    std::optional<double> value() {
        const double x = sum();
        skipBlanks();
        if (failed_ || p_ != s_.size()) return std::nullopt;
        return x;
    }

private:
    void skipBlanks() {
        while (p_ < s_.size() && s_[p_] == ' ') ++p_;
    }
    bool take(std::string_view token) {
        skipBlanks();
        if (s_.compare(p_, token.size(), token) != 0) return false;
        p_ += token.size();
        return true;
    }
    double sum() {
        double x = product();
        for (;;) {
            if (take("+"))
                x += product();
            else if (take("\u2212"))
                x -= product();
            else
                return x;
        }
    }
    double product() {
        double x = signedPower();
        for (;;) {
            if (take("\u00b7"))
                x *= signedPower();
            else if (take("/"))
                x /= signedPower();
            else
                return x;
        }
    }
    double signedPower() { return take("\u2212") ? -signedPower() : power(); }
    double power() {
        double x = primary();
        for (;;) {
            if (take("\u00b2"))
                x = x * x;
            else if (take("\u00b3"))
                x = x * x * x;
            else if (!take("\u00b0"))
                return x;
        }
    }
    double primary() {
        constexpr double kRad = M_PI / 180.0;
        if (take("(")) return closed(sum());
        if (take("\u03c0")) return M_PI;
        if (take("\u221a")) return std::sqrt(power());
        if (take("arcsin(")) return std::asin(closed(sum())) / kRad;
        if (take("arccos(")) return std::acos(closed(sum())) / kRad;
        if (take("sin(")) return std::sin(closed(sum()) * kRad);
        if (take("cos(")) return std::cos(closed(sum()) * kRad);
        if (take("tan(")) return std::tan(closed(sum()) * kRad);
        skipBlanks();
        std::size_t end = p_;
        while (end < s_.size() &&
               (std::isdigit(static_cast<unsigned char>(s_[end])) || s_[end] == '.'))
            ++end;
        if (end == p_) {
            failed_ = true;
            return 0;
        }
        const double x = std::stod(s_.substr(p_, end - p_));
        p_ = end;
        return x;
    }
    double closed(double x) {
        if (!take(")")) failed_ = true;
        return x;
    }

    std::string s_;
    std::size_t p_ = 0;
    bool failed_ = false;
};

// The result texts and the symbols of the steps that compute them.
const std::map<std::string, Output> kResults = {{"P", Output::KeruletText2},
                                                {"A", Output::TeruletText2},
                                                {"S", Output::FeluletText2},
                                                {"V", Output::TerfogatText2}};

QString Describe(const SolutionStep& step) {
    return QString::fromStdString(StepText(step));
}

}  // namespace

class TstSteps : public QObject {
    Q_OBJECT

private slots:
    // One consistent figure per row; every subset of its fields that enables the
    // calculate button is solved from it.
    void everyCombination_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("figure");
        using S = ShapeKind;
        QTest::newRow("general triangle 5-6-7")
            << S::Triangle
            << "a=5 b=6 c=7 alfa=44.4153 beta=57.1217 gamma=78.4630 ma=5.8788 mb=4.8990 mc=4.1991";
        QTest::newRow("right triangle 3-4-5")
            << S::RightTriangle << "a=3 b=4 c=5 alfa=36.8699 beta=53.1301";
        QTest::newRow("circle") << S::Circle << "r=3 d=6";
        QTest::newRow("sector of 60 degrees") << S::CircularSector << "r=5 i=5.2360 alfa=60";
        QTest::newRow("segment of 60 degrees")
            << S::CircularSegment << "r=5 i=5.2360 alfa=60 h=5 ma=0.6699";
        QTest::newRow("cube") << S::Cube << "a=2";
        QTest::newRow("cylinder") << S::Cylinder << "r=3 ma=4";
        QTest::newRow("cuboid") << S::Cuboid << "a=2 b=3 c=4";
        QTest::newRow("cone 3-4-5") << S::Cone << "r=3 ma=4 a=5 alfa=53.1301 beta=73.7398";
        QTest::newRow("truncated cone") << S::TruncatedCone << "r=2 R=5 ma=4 a=5 alfa=53.1301";
        QTest::newRow("sphere") << S::Sphere << "r=3";
        QTest::newRow("spherical cap") << S::SphericalCap << "a=4 ma=2 r=5";
        QTest::newRow("spherical zone") << S::SphericalZone << "a=3 R=4 ma=1 r=5";
    }
    void everyCombination() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, figure);
        FieldSheet full;
        full.choose(shape);
        Fill(full, figure);
        const std::vector<Field> shown = ShownFields(shape);
        const LanguageTexts texts = LanguageTexts::BuiltinEnglish();
        int solved = 0;
        for (unsigned subset = 1; subset < (1u << shown.size()); ++subset) {
            FieldSheet sheet;
            sheet.choose(shape);
            std::array<std::string, kFieldCount> typed;
            for (std::size_t k = 0; k < shown.size(); ++k) {
                if (subset & (1u << k)) sheet.setFieldText(shown[k], full.fieldText(shown[k]));
            }
            for (Field f : kAllFields) typed[FieldIndex(f)] = sheet.fieldText(f);
            if (!CalculateEnabled(shape, ReadFieldValues(typed))) continue;

            FieldSheet unrecorded = sheet;
            Calculate(unrecorded, texts);
            StepList list;
            if (Calculate(sheet, texts, &list).state != CalcState::Solved) continue;
            ++solved;
            QString inputs;
            for (Field f : shown) {
                if (ReadFieldText(typed[FieldIndex(f)]) > 0)
                    inputs += QString::fromStdString(FieldSymbol(shape, f) + " ");
            }
            checkSteps(shape, inputs, typed, sheet, list.steps);
            // Recording changes nothing that the calculation shows.
            for (Field f : kAllFields) QCOMPARE(sheet.fieldText(f), unrecorded.fieldText(f));
            for (int o = 0; o < kOutputCount; ++o)
                QCOMPARE(sheet.output(Output(o)), unrecorded.output(Output(o)));
        }
        QVERIFY(solved > 0);
    }

    // The solutions a reader meets first, to the last character.
    void worked_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QStringList>("expected");
        using S = ShapeKind;
        QTest::newRow("cone from radius and height")
            << S::Cone << "r=3 ma=4"
            << QStringList{"a = √(m² + r²) = √(4.0000² + 3.0000²) = 5.0000 mm",
                           "α = arcsin(m / a) = arcsin(4.0000 / 5.0000) = 53.1301° (53° 7′ 48″)",
                           "β = 2·(90° − α) = 2·(90° − 53.1301°) = 73.7398° (73° 44′ 23″)",
                           "S = π·r·(a + r) = π·3.0000·(5.0000 + 3.0000) = 75.40 mm²",
                           "V = r²·π·m / 3 = 3.0000²·π·4.0000 / 3 = 37.70 mm³"};
        QTest::newRow("circle: the radius wins over a typed diameter")
            << S::Circle << "r=5 d=7"
            << QStringList{"d = 2·r = 2·5.0000 = 10.0000 mm (7.0000 replaced)",
                           "P = 2·r·π = 2·5.0000·π = 31.42 mm", "A = r²·π = 5.0000²·π = 78.54 mm²"};
        QTest::newRow("general triangle, its perimeter with 4 decimals as the window shows it")
            << S::Triangle << "a=3 b=4 c=5"
            << QStringList{"P = a + b + c = 3.0000 + 4.0000 + 5.0000 = 12.0000 mm",
                           "γ = arccos((a² + b² − c²) / (2·a·b)) = arccos((3.0000² + 4.0000² − "
                           "5.0000²) / (2·3.0000·4.0000)) = 90.0000° (90° 0′ 0″)",
                           "β = arccos((a² + c² − b²) / (2·a·c)) = arccos((3.0000² + 5.0000² − "
                           "4.0000²) / (2·3.0000·5.0000)) = 53.1301° (53° 7′ 48″)",
                           "α = 180° − β − γ = 180° − 53.1301° − 90.0000° = 36.8699° (36° 52′ 11″)",
                           "A = sin(γ)·a·b / 2 = sin(90.0000°)·3.0000·4.0000 / 2 = 6.00 mm²",
                           "m_a = sin(γ)·b = sin(90.0000°)·4.0000 = 4.0000 mm",
                           "m_b = sin(α)·c = sin(36.8699°)·5.0000 = 3.0000 mm",
                           "m_c = sin(β)·a = sin(53.1301°)·3.0000 = 2.4000 mm"};
    }
    void worked() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QStringList, expected);
        FieldSheet sheet;
        sheet.choose(shape);
        Fill(sheet, inputs);
        StepList list;
        Calculate(sheet, LanguageTexts::BuiltinEnglish(), &list);
        QStringList lines;
        for (const SolutionStep& step : list.steps) {
            QString line = Describe(step);
            if (step.replaced)
                line +=
                    " (" + QString::fromStdString(FormatFixed(*step.replaced, 4)) + " replaced)";
            lines << line;
        }
        QCOMPARE(lines, expected);
    }

private:
    void checkSteps(ShapeKind shape, const QString& inputs,
                    const std::array<std::string, kFieldCount>& typed, const FieldSheet& sheet,
                    const std::vector<SolutionStep>& steps) {
        std::map<std::string, const SolutionStep*> last;
        std::map<std::string, bool> seen;
        for (const SolutionStep& step : steps) {
            const std::string rhs = step.substituted.substr(step.substituted.find(" = ") + 3);
            const std::optional<double> x = Notation(rhs).value();
            QVERIFY2(x.has_value(), qPrintable(inputs + ": unreadable " + Describe(step)));
            const double v = static_cast<double>(step.value);
            QVERIFY2(std::fabs(*x - v) <= 2e-3 * std::max(1.0, std::fabs(v)),
                     qPrintable(inputs + ": " + Describe(step) + " works out to " +
                                QString::number(*x, 'f', 6)));
            QVERIFY2(step.formula.substr(0, step.formula.find(" = ")) == step.quantity,
                     qPrintable(Describe(step)));
            // The figure is real: every typed value is kept, none replaced; those the
            // solution did not need are checked, once each.
            QVERIFY2(!step.replaced.has_value(), qPrintable(inputs + Describe(step)));
            if (step.checked) {
                QVERIFY2(!seen[step.quantity], qPrintable(inputs + Describe(step)));
                seen[step.quantity] = true;
            }
            last[step.quantity] = &step;
        }
        // Every field the calculation changed has its step, and the last step on a field
        // ends on the value it shows (a cascade may move a typed value and bring it back).
        for (Field f : ShownFields(shape)) {
            const std::string symbol = FieldSymbol(shape, f);
            const long double before = ReadFieldText(typed[FieldIndex(f)]);
            const long double after = ReadFieldText(sheet.fieldText(f));
            const bool changed = RoundTo4(before) != RoundTo4(after);
            const auto it = last.find(symbol);
            QVERIFY2(!changed || it != last.end(),
                     qPrintable(inputs + ": " + QString::fromStdString(symbol) +
                                " changed without a step"));
            if (it != last.end()) QCOMPARE(StepNumberText(*it->second), sheet.fieldText(f));
        }
        // Every result shown has its step, and no step computes a result not shown.
        for (const auto& [symbol, output] : kResults) {
            const bool shown = !sheet.output(output).empty();
            QVERIFY2(shown == (last.count(symbol) == 1),
                     qPrintable(inputs + ": result " + QString::fromStdString(symbol)));
            // As the window shows it.
            if (shown) {
                QCOMPARE(StepNumberText(*last[symbol]),
                         QString::fromStdString(sheet.output(output)).trimmed().toStdString());
            }
        }
        for (const auto& [symbol, step] : last) {
            const bool known = kResults.count(symbol) == 1 || [&] {
                for (Field f : ShownFields(shape)) {
                    if (FieldSymbol(shape, f) == symbol) return true;
                }
                return false;
            }();
            QVERIFY2(known, qPrintable(inputs + ": step on a value not shown: " + Describe(*step)));
        }
    }
};

MERTANO_REGISTER_TEST(TstSteps)
#include "tst_steps.moc"
