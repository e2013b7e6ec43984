// SPDX-License-Identifier: GPL-3.0-or-later
// The unit labels and the mass of a solid as the main window shows them.
#include <QTest>
#include <cmath>

#include "material_fixtures.h"
#include "materials/mass.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

Q_DECLARE_METATYPE(long double)

class TstMass : public QObject {
    Q_OBJECT

    const MaterialTable table_ =
        DecodeMaterials(Records({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7850}, {"Fa", 1000}})).table;

private slots:
    void unitLabels_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("cm") << "cm" << QStringList{"cm", "cm", "cm2", "cm2", "cm3"};
        QTest::newRow("m") << "m" << QStringList{"m", "m", "m2", "m2", "m3"};
        QTest::newRow("typed text as it stands")
            << " CM" << QStringList{" CM", " CM", " CM2", " CM2", " CM3"};
        QTest::newRow("empty") << "" << QStringList{"", "", "2", "2", "3"};
    }
    void unitLabels() {
        QFETCH(QString, unit);
        const UnitLabels l = UnitLabelsFor(unit);
        QTEST((QStringList{l.egysegText2, l.keruletText3, l.teruletText3, l.feluletText3,
                           l.terfogatText3}),
              "labels");
    }

    void mass_data() {
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<long double>("volume");
        QTest::addColumn<QString>("mass");
        QTest::addColumn<long double>("factor");
        QTest::newRow("cube of 100000 cm, every digit")
            << "Fa"
            << "cm" << 1e15L << "1000000000000.0000" << 0.001L;
        QTest::newRow("cube of 100000 m of iron, beyond a 64-bit count")
            << "Vas"
            << "m" << 1e15L << "7850000000000000000.0000" << 7850.0L;
        QTest::newRow("cube of 10 cm in iron") << "Fa"
                                               << "cm" << 1000.0L << "1.0000" << 0.001L;
        QTest::newRow("cube of 100 mm") << "Fa"
                                        << "mm" << 1000000.0L << "1.0000" << 1e-6L;
        QTest::newRow("cube of 0.1 m") << "Fa"
                                       << "m" << 0.001L << "1.0000" << 1000.0L;
        QTest::newRow("last of equal names wins") << "Vas"
                                                  << "cm" << 1000.0L << "7.8500" << 0.00785L;
        QTest::newRow("material text is trimmed") << "\tAlu "
                                                  << "cm" << 1000.0L << "2.7000" << 0.0027L;
        QTest::newRow("unit text is trimmed") << "Fa"
                                              << " cm " << 1000.0L << "1.0000" << 0.001L;
        QTest::newRow("case-sensitive name matches nothing") << "vas"
                                                             << "cm" << 1000.0L << "0.0000" << 0.0L;
        QTest::newRow("cube of 1 dm") << "Fa"
                                      << "dm" << 1.0L << "1.0000" << 1.0L;
        QTest::newRow("cube of 10 in of steel") << "Vas"
                                                << "in" << 1000.0L << "128.6385" << 0.1286384524L;
        QTest::newRow("cube of 1 ft") << "Fa"
                                      << "ft" << 1.0L << "28.3168" << 28.316846592L;
        QTest::newRow("volume rounded to 4 decimals first")
            << "Fa"
            << "m" << 0.00004L << "0.0000" << 1000.0L;
        QTest::newRow("volume digits beyond 4 decimals are dropped")
            << "Fa"
            << "dm" << 1.23456789L << "1.2346" << 1.0L;
        QTest::newRow("largest volume that rounds")
            << "Fa"
            << "dm" << 900000000000000.0L << "900000000000000.0000" << 1.0L;
    }
    void mass() {
        QFETCH(QString, material);
        QFETCH(QString, unit);
        QFETCH(long double, volume);
        long double got = 0.0L;  // as the calculate command sets it
        const std::optional<QString> text = ComputeMass(table_, material, unit, volume, got);
        QVERIFY(text);
        QTEST(*text, "mass");
        QFETCH(long double, factor);
        QVERIFY2(std::fabs(got - factor) <= 1e-15L * std::fabs(factor),
                 qPrintable(QString::number(double(got))));
    }

    void worksOnTheFactorTheCallerSet() {
        long double factor = 2.0L;  // the driver's 0 in real use; here something else
        QCOMPARE(*ComputeMass(table_, "Nincs", "dm", 3.0L, factor), QString("6.0000"));
    }

    // A unit without a known factor would give a mass off by any factor at all (an inch
    // taken as a decimetre weighs 61 times too much): the box is emptied instead.
    void unknownUnitEmptiesTheMass_data() {
        QTest::addColumn<QString>("unit");
        QTest::newRow("a unit spelt out") << "inch";
        QTest::newRow("another letter case") << "CM";
        QTest::newRow("a unit with its power") << "mm3";
        QTest::newRow("empty") << "";
    }
    void unknownUnitEmptiesTheMass() {
        QFETCH(QString, unit);
        long double factor = 0.0L;
        const std::optional<QString> text = ComputeMass(table_, "Vas", unit, 1000.0L, factor);
        QVERIFY(text);
        QCOMPARE(*text, QString());
    }

    void blankMaterialLeavesEverything_data() {
        QTest::addColumn<QString>("material");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << " \t ";
    }
    void blankMaterialLeavesEverything() {
        QFETCH(QString, material);
        long double factor = 42.0L;
        QVERIFY(!ComputeMass(table_, material, "cm", 1000.0L, factor));
        QCOMPARE(double(factor), 42.0);
    }
};
MERTANO_REGISTER_TEST(TstMass)

#include "tst_mass.moc"
