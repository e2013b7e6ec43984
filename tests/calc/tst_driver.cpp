// SPDX-License-Identifier: GPL-3.0-or-later
// The calculate command around the solvers: refusals, what it clears and keeps, the
// enabled states it leaves, the mass hook, and that no input ever shows garbage.
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "sheet_helpers.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

// Records what the mass hook is handed.
class MassSheet : public FieldSheet {
public:
    void computeMass(long double volume, long double& factor) override {
        volumes.push_back(volume);
        factorsSeen.push_back(factor);
        factor = 7.25L;
    }
    std::vector<long double> volumes;
    std::vector<long double> factorsSeen;
};

LanguageTexts NumberedTexts() {
    LanguageTexts t;
    for (int n = 29; n <= 36; ++n) t.set(n, "text" + std::to_string(n));
    return t;
}

bool IsCleanNumber(const std::string& text) {
    const std::optional<long double> v = ParseNumber(text);
    return v && std::isfinite(static_cast<double>(*v));
}

}  // namespace

class TstDriver : public QObject {
    Q_OBJECT

private slots:
    // A field set to a value writes its text and reads its value only when asked, and a
    // chosen figure resets only what was set: after any mix of setting, reading and
    // choosing, a field shows and reads what the last step gave it.
    void fieldShowsAndReadsItsLastSetting_data() {
        QTest::addColumn<QStringList>("steps");  // "value X", "text X", "read", "choose"
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        auto row = [](const char* name, const QStringList& steps, const char* text, double value) {
            QTest::newRow(name) << steps << text << value;
        };
        row("a value, rounded", {"value 3.14159"}, "3.1416", 3.1416);
        row("a value past the maximum", {"value 250000"}, "100000.0000", 100000);
        row("read before it is shown", {"value 2.5", "read"}, "2.5000", 2.5);
        row("a value over a text", {"text 7,25", "value 1.5"}, "1.5000", 1.5);
        row("a text over a value", {"value 1.5", "text 7,25"}, "7,25", 7.25);
        row("a text over a value that was read", {"value 1.5", "read", "text 9"}, "9", 9);
        row("a value set twice", {"value 1", "read", "value 2"}, "2.0000", 2);
        row("choosing resets a set value", {"value 4", "choose"}, "0.0000", 0);
        row("choosing resets a value that was read", {"value 4", "read", "choose"}, "0.0000", 0);
        row("choosing resets a text", {"text abc", "choose"}, "0.0000", 0);
        row("set again after choosing", {"value 4", "choose", "value 6"}, "6.0000", 6);
        row("a text that is no number reads as 0", {"text abc"}, "abc", 0);
    }
    void fieldShowsAndReadsItsLastSetting() {
        QFETCH(QStringList, steps);
        QFETCH(QString, text);
        QFETCH(double, value);
        FieldSheet sheet;
        sheet.choose(ShapeKind::Cube);
        sheet.setFieldValue(Field::BoldEdit, 8);  // a neighbour that must stay as it is
        for (const QString& step : steps) {
            const QString argument = step.section(' ', 1);
            if (step.startsWith("value ")) {
                sheet.setFieldValue(Field::AoldEdit, *ParseNumber(argument.toStdString()));
            } else if (step.startsWith("text ")) {
                sheet.setFieldText(Field::AoldEdit, argument.toStdString());
            } else if (step == "read") {
                sheet.fieldValue(Field::AoldEdit);
            } else {
                sheet.choose(ShapeKind::Cube);
                sheet.setFieldValue(Field::BoldEdit, 8);
            }
        }
        QCOMPARE(QString::fromStdString(sheet.fieldText(Field::AoldEdit)), text);
        QCOMPARE(static_cast<double>(sheet.fieldValue(Field::AoldEdit)), value);
        QCOMPARE(sheet.field(Field::BoldEdit), std::string("8.0000"));
        QCOMPARE(static_cast<double>(sheet.fieldValue(Field::BoldEdit)), 8.0);
    }

    void refusesSidesThatFormNoTriangle_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("message");
        using S = ShapeKind;
        QTest::newRow("c not less than a + b") << S::Triangle << "a=3 b=4 c=7" << "text33\rtext36";
        QTest::newRow("b not less than a + c") << S::Triangle << "a=3 b=7 c=3" << "text34\rtext36";
        QTest::newRow("a not less than b + c") << S::Triangle << "a=10 b=3 c=4" << "text35\rtext36";
        QTest::newRow("right triangle is checked too")
            << S::RightTriangle << "a=3 b=4 c=8" << "text33\rtext36";
    }
    void refusesSidesThatFormNoTriangle() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QString, message);
        FieldSheet sheet;
        sheet.choose(shape);
        Fill(sheet, inputs);
        const std::string aBefore = sheet.fieldText(Field::AoldEdit);
        const CalcOutcome outcome = Calculate(sheet, NumberedTexts());
        QCOMPARE(CalcStateName(outcome.state), std::string_view("Refused"));
        QCOMPARE(QString::fromStdString(outcome.message), message);
        QCOMPARE(sheet.messages().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(sheet.messages().front()), message);
        // Nothing else changes: fields as typed, no result, print button untouched.
        QCOMPARE(sheet.fieldText(Field::AoldEdit), aBefore);
        QCOMPARE(sheet.output(Output::KeruletText2), std::string());
        QVERIFY(!sheet.enabled(Control::NyomtatBtn));
        QVERIFY(sheet.enabled(Control::InputPanel));
    }

    void sideCheckOnlyForTriangles() {
        FieldSheet sheet;
        sheet.choose(ShapeKind::Cuboid);
        Fill(sheet, "a=1 b=2 c=10");
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::Solved);
        QVERIFY(sheet.messages().empty());
    }

    void clearsResultsButKeepsTheMass() {
        FieldSheet sheet;
        sheet.choose(ShapeKind::Cylinder);
        for (Output o : {Output::KeruletText2, Output::TeruletText2, Output::FeluletText2,
                         Output::TerfogatText2, Output::TomegText2}) {
            sheet.setOutputText(o, "old");
        }
        Fill(sheet, "r=1");  // not enough: nothing is written after the clearing
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::NotSolvable);
        Expect(sheet, "KeruletText2=;TeruletText2=;FeluletText2=;TerfogatText2=;TomegText2=old");
    }

    void secondPressAfterAddingTheMissingInput() {
        FieldSheet sheet;
        sheet.choose(ShapeKind::Cylinder);
        Fill(sheet, "r=1");
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::NotSolvable);
        QVERIFY(sheet.enabled(Control::NyomtatBtn));
        Fill(sheet, "ma=2");
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::Solved);
        Expect(sheet, "FeluletText2=18.85;TerfogatText2=6.28");
        QVERIFY(!sheet.enabled(Control::InputPanel));
        QVERIFY(!sheet.enabled(Control::SzamolBtn));
        QVERIFY(sheet.enabled(Control::NyomtatBtn));
    }

    void noFigureChosenStillEnablesPrinting() {
        FieldSheet sheet;
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::NotSolvable);
        QVERIFY(sheet.enabled(Control::NyomtatBtn));
    }

    void hiddenAndUnreadableFieldsTakeNoPart() {
        FieldSheet sheet;
        sheet.choose(ShapeKind::Cube);
        Fill(sheet, "a=2 r:=junk");
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::Solved);
        Expect(sheet, "a=2.0000;r=junk;TerfogatText2=8.00");
    }

    void massHookGetsTheVolume_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("volume");
        using S = ShapeKind;
        QTest::newRow("cube") << S::Cube << "a=2" << "8";
        QTest::newRow("sphere hands over its rounded volume") << S::Sphere << "r=1" << "4.1888";
        QTest::newRow("cap hands over the unrounded volume")
            << S::SphericalCap << "r=5 ma=2 a=4" << "54.45427266222308";
    }
    void massHookGetsTheVolume() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QString, volume);
        MassSheet sheet;
        sheet.choose(shape);
        Fill(sheet, inputs);
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::Solved);
        QCOMPARE(sheet.volumes.size(), std::size_t(1));
        QCOMPARE(QString::number(static_cast<double>(sheet.volumes[0]), 'g', 16), volume);
        QCOMPARE(static_cast<double>(sheet.factorsSeen[0]), 0.0);
        // The factor is set back to 0 at the start of every calculation.
        Calculate(sheet, NumberedTexts());
        QCOMPARE(static_cast<double>(sheet.factorsSeen[1]), 0.0);
    }

    void massHookNotCalledForPlaneFiguresOrFaults() {
        MassSheet sheet;
        sheet.choose(ShapeKind::Circle);
        Fill(sheet, "r=1");
        Calculate(sheet, NumberedTexts());
        sheet.choose(ShapeKind::Cone);
        Fill(sheet, "ma=4 beta=180");
        QCOMPARE(Calculate(sheet, NumberedTexts()).state, CalcState::Failed);
        QVERIFY(sheet.volumes.empty());
    }

    // A fault is told in plain words of the user's language: the figure, that no such
    // figure has the values, what to look at, and only then the technical text.
    void faultMessageNamesFigureHintAndFault_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<int>("hint");
        QTest::addColumn<int>("fault");
        QTest::newRow("segment higher than its diameter")
            << ShapeKind::CircularSegment << "r=1 ma=3" << 84 << 88;
        QTest::newRow("cone with a flat apex angle divides by zero")
            << ShapeKind::Cone << "ma=4 beta=180" << 85 << 89;
        QTest::newRow("leg longer than the hypotenuse")
            << ShapeKind::RightTriangle << "a=12 c=10" << 83 << 88;
        QTest::newRow("height longer than the side beside it")
            << ShapeKind::Triangle << "a=5 b=2 ma=3" << 82 << 88;
    }
    void faultMessageNamesFigureHintAndFault() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(int, hint);
        QFETCH(int, fault);
        LanguageTexts texts;
        for (int n = 1; n <= kLanguageTextCount; ++n) texts.set(n, "T" + std::to_string(n));
        FieldSheet sheet;
        sheet.choose(shape);
        Fill(sheet, inputs);
        const CalcOutcome outcome = Calculate(sheet, texts);
        QCOMPARE(outcome.state, CalcState::Failed);
        const std::string expected = "T" + std::to_string(Shape(shape).captionText) + ": T81\rT" +
                                     std::to_string(hint) + "\r\rT" + std::to_string(fault);
        QCOMPARE(outcome.message, expected);
    }

    // A language file from before these texts existed still gives whole sentences.
    void faultMessageFallsBackToEnglish() {
        LanguageTexts texts;
        texts.set(19, "Téglatest");
        QCOMPARE(FaultMessage(texts, ShapeKind::Cuboid, FloatFault::Overflow),
                 std::string("Téglatest: no such figure has the values given.\r"
                             "One of the values is too large or too small for the others.\r\r"
                             "Floating point overflow"));
    }

    // Whatever the user types, every field and result afterwards is a clean number or
    // empty, and a fault is reported with one of the three texts.
    void neverShowsGarbage_data() {
        QTest::addColumn<ShapeKind>("shape");
        for (ShapeKind s : kAllShapes) QTest::newRow(Shape(s).name.data()) << s;
    }
    void neverShowsGarbage() {
        QFETCH(ShapeKind, shape);
        static const char* const kValues[] = {"0",   "0.0001", "0.5", "1",     "2",     "3",
                                              "45",  "89.9999", "90", "120",   "179.9999", "180",
                                              "1000", "60386", "99999.9999", "100000"};
        QRandomGenerator random(4242 + ShapeIndex(shape));
        const std::vector<Field> shown = ShownFields(shape);
        for (int round = 0; round < 3000; ++round) {
            FieldSheet sheet;
            sheet.choose(shape);
            for (Field f : shown) {
                if (random.bounded(3) == 0) continue;
                sheet.setFieldValue(f, ReadFieldText(kValues[random.bounded(int(std::size(kValues)))]));
            }
            const CalcOutcome outcome = Calculate(sheet, NumberedTexts());
            if (outcome.state == CalcState::Failed) {
                const std::string& m = outcome.message;
                QVERIFY2(m.ends_with("\r\rInvalid floating point operation") ||
                             m.ends_with("\r\rFloating point division by zero") ||
                             m.ends_with("\r\rFloating point overflow"),
                         m.c_str());
            }
            for (Field f : kAllFields) {
                const std::string text = sheet.fieldText(f);
                QVERIFY2(IsCleanNumber(text), text.c_str());
                const long double v = *ParseNumber(text);
                QVERIFY(v >= 0 && v <= 100000);
            }
            for (int k = 0; k < kOutputCount; ++k) {
                const std::string text = sheet.output(static_cast<Output>(k));
                if (static_cast<Output>(k) == Output::KeruletText3) continue;
                QVERIFY2(text.empty() || IsCleanNumber(text), text.c_str());
            }
        }
    }
};

MERTANO_REGISTER_TEST(TstDriver)
#include "tst_driver.moc"
