// SPDX-License-Identifier: GPL-3.0-or-later
// The figure catalogue agrees with itself: names, focus fields and the pictures of the
// fields each figure shows.
#include <QTest>

#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;

class TstCatalogue : public QObject {
    Q_OBJECT

private slots:
    void figureNamesIgnoreCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("shape");
        QTest::newRow("as written") << "TruncatedCone" << int(ShapeKind::TruncatedCone);
        QTest::newRow("lower case") << "cone" << int(ShapeKind::Cone);
        QTest::newRow("upper case") << "SPHERICALZONE" << int(ShapeKind::SphericalZone);
        QTest::newRow("unknown") << "Pyramid" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void figureNamesIgnoreCase() {
        QFETCH(QString, name);
        QFETCH(int, shape);
        const std::optional<ShapeKind> found = ShapeFromName(name.toStdString());
        QCOMPARE(found ? int(*found) : -1, shape);
    }

    void everyFigureIsConsistent() {
        for (ShapeKind s : kAllShapes) {
            const ShapeInfo& info = Shape(s);
            QCOMPARE(info.kind, s);
            QCOMPARE(ShapeFromName(info.name), std::optional<ShapeKind>(s));
            QVERIFY2(ShowsField(s, info.firstFocus), info.name.data());
            QCOMPARE(!info.magasCaption.empty(), ShowsField(s, Field::MagasEdit1));
            for (Field f : kAllFields) {
                // Entering a field shows a picture exactly when the figure shows the field.
                QVERIFY2(EnterPicture(f, s).empty() != ShowsField(s, f),
                         (std::string(info.name) + " " + std::string(FieldControlName(f))).c_str());
            }
        }
    }

    void angleExitChecks_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("message");
        QTest::newRow("180 is accepted") << int(Field::AlfaEdit) << 180.0 << 0;
        QTest::newRow("alfa above 180") << int(Field::AlfaEdit) << 180.0001 << 29;
        QTest::newRow("beta above 180") << int(Field::BetaEdit) << 200.0 << 30;
        QTest::newRow("gamma above 180") << int(Field::GammaEdit) << 181.0 << 31;
        QTest::newRow("not an angle field") << int(Field::AoldEdit) << 500.0 << 0;
    }
    void angleExitChecks() {
        QFETCH(int, field);
        QFETCH(double, value);
        QFETCH(int, message);
        QCOMPARE(AngleExitMessage(static_cast<Field>(field), value).value_or(0), message);
    }
};

MERTANO_REGISTER_TEST(TstCatalogue)
#include "tst_catalogue.moc"
