// SPDX-License-Identifier: GPL-3.0-or-later
// The calculate button's rule: which typed combinations a figure's solver can use.
#include <QTest>

#include "calc/numbers.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

// "a=3 b=4" into the fourteen field texts; the rest stay as a fresh figure leaves them.
std::array<std::string, kFieldCount> Texts(const QString& inputs) {
    std::array<std::string, kFieldCount> texts;
    texts.fill("0.0000");
    for (const QString& item : inputs.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = item.split('=');
        texts[FieldIndex(*FieldFromValueName(kv[0].toStdString()))] = kv[1].toStdString();
    }
    return texts;
}

}  // namespace

class TstButtonRule : public QObject {
    Q_OBJECT

private slots:
    void enabled_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<bool>("enabled");
        using S = ShapeKind;
        QTest::newRow("triangle two sides only") << S::Triangle << "a=3 b=4" << false;
        QTest::newRow("triangle two sides and gamma") << S::Triangle << "a=3 b=4 gamma=90" << true;
        QTest::newRow("triangle a b and ma") << S::Triangle << "a=3 b=4 ma=2" << true;
        QTest::newRow("triangle c a and mc") << S::Triangle << "c=3 a=4 mc=2" << true;
        QTest::newRow("triangle b c and mb") << S::Triangle << "b=3 c=4 mb=2" << true;
        QTest::newRow("triangle a b and mb is no combination") << S::Triangle << "a=3 b=4 mb=2" << false;
        QTest::newRow("triangle three angles") << S::Triangle << "alfa=60 beta=60 gamma=60" << false;
        QTest::newRow("triangle three sides") << S::Triangle << "a=3 b=4 c=9" << true;
        QTest::newRow("triangle negative side is not given") << S::Triangle << "a=-3 b=4 gamma=90" << false;
        QTest::newRow("triangle comma text counts") << S::Triangle << "a=3,5 b=4 gamma=90" << true;

        QTest::newRow("right triangle leg equal to hypotenuse") << S::RightTriangle << "a=5 c=5" << false;
        QTest::newRow("right triangle leg shorter than hypotenuse") << S::RightTriangle << "a=3 c=5" << true;
        QTest::newRow("right triangle b equal to c") << S::RightTriangle << "b=5 c=5" << false;
        QTest::newRow("right triangle b shorter than c") << S::RightTriangle << "b=4 c=5" << true;
        QTest::newRow("right triangle equal leg made good by b") << S::RightTriangle << "a=5 b=1 c=5" << true;
        QTest::newRow("right triangle equal leg made good by an angle")
            << S::RightTriangle << "a=5 c=5 beta=30" << true;
        QTest::newRow("right triangle two angles") << S::RightTriangle << "alfa=30 beta=60" << false;
        QTest::newRow("right triangle one side") << S::RightTriangle << "c=5" << false;

        QTest::newRow("circle diameter only") << S::Circle << "d=10" << true;
        QTest::newRow("circle nothing") << S::Circle << "" << false;
        QTest::newRow("sector radius only") << S::CircularSector << "r=2" << false;
        QTest::newRow("sector arc and angle") << S::CircularSector << "i=2 alfa=30" << true;
        QTest::newRow("segment arc and chord") << S::CircularSegment << "i=2 h=1" << true;
        QTest::newRow("segment radius only") << S::CircularSegment << "r=2" << false;
        QTest::newRow("segment chord and height") << S::CircularSegment << "h=2 ma=1" << true;

        QTest::newRow("cube edge") << S::Cube << "a=1" << true;
        QTest::newRow("cylinder radius only") << S::Cylinder << "r=1" << false;
        QTest::newRow("cuboid two edges") << S::Cuboid << "a=1 b=2" << false;

        QTest::newRow("cone radius longer than slant") << S::Cone << "r=5 a=3" << false;
        QTest::newRow("cone radius shorter than slant") << S::Cone << "r=3 a=5" << true;
        QTest::newRow("cone slant equal to height") << S::Cone << "a=4 ma=4" << false;
        QTest::newRow("cone slant longer than height") << S::Cone << "a=5 ma=4" << true;
        QTest::newRow("cone height and apex angle") << S::Cone << "ma=4 beta=60" << true;
        QTest::newRow("cone angles only") << S::Cone << "alfa=40 beta=100" << false;

        QTest::newRow("truncated cone radii only") << S::TruncatedCone << "r=1 R=2" << false;
        QTest::newRow("truncated cone radii and angle") << S::TruncatedCone << "r=1 R=2 alfa=60" << true;
        QTest::newRow("truncated cone r a m") << S::TruncatedCone << "r=1 a=2 ma=1" << true;

        QTest::newRow("sphere") << S::Sphere << "r=1" << true;
        QTest::newRow("cap missing height") << S::SphericalCap << "r=5 a=4" << false;
        QTest::newRow("zone without a2") << S::SphericalZone << "a=4 r=5 ma=3" << false;
        QTest::newRow("zone complete") << S::SphericalZone << "a=4 r=5 ma=3 R=5" << true;
    }
    void enabled() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(bool, enabled);
        QCOMPARE(CalculateEnabled(shape, ReadFieldValues(Texts(inputs))), enabled);
    }

    void noFigureChosen() {
        QVERIFY(!CalculateEnabled(std::nullopt, ReadFieldValues(Texts("a=1 b=1 c=1 r=1"))));
    }

    // A value in a field the figure does not use never enables its button.
    void onlyTheFiguresOwnFieldsCount() {
        for (ShapeKind s : kAllShapes) {
            for (Field f : kAllFields) {
                if (ShowsField(s, f)) continue;
                std::array<std::string, kFieldCount> texts;
                texts.fill("0.0000");
                for (Field g : kAllFields) {
                    if (!ShowsField(s, g)) texts[FieldIndex(g)] = "5";
                }
                QVERIFY2(!CalculateEnabled(s, ReadFieldValues(texts)), Shape(s).name.data());
            }
        }
    }
};

MERTANO_REGISTER_TEST(TstButtonRule)
#include "tst_button_rule.moc"
