// SPDX-License-Identifier: GPL-3.0-or-later
// Every figure solved from the inputs a user would type: the texts of the fields and
// results after the calculate command, to the last printed digit.
#include <QTest>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "sheet_helpers.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

Q_DECLARE_METATYPE(mertano::ShapeKind)
Q_DECLARE_METATYPE(mertano::CalcState)

class TstSolvers : public QObject {
    Q_OBJECT

private slots:
    void solve_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<CalcState>("state");
        QTest::addColumn<QString>("expected");
        using S = ShapeKind;
        const auto Solved = CalcState::Solved, NotSolvable = CalcState::NotSolvable,
                   Failed = CalcState::Failed, Refused = CalcState::Refused;

        QTest::newRow("triangle from three sides")
            << S::Triangle << "a=3 b=4 c=5" << Solved
            << "a=3.0000;b=4.0000;c=5.0000;KeruletText2=12.0000;KeruletText3=mm;"
               "gamma=90.0000;beta=53.1301;alfa=36.8699;TeruletText2=6.00;"
               "ma=4.0000;mb=3.0000;mc=2.4000;Fok3Text= 90;Perc3Text=  0;Mperc3Text=  0";
        QTest::newRow("triangle from two sides and the angle between")
            << S::Triangle << "a=5 b=7 gamma=60" << Solved
            << "c=6.2450;beta=76.1021;alfa=43.8979;TeruletText2=15.16;KeruletText2=18.2450";
        QTest::newRow("triangle from two sides and a height")
            << S::Triangle << "a=5 b=4 ma=3" << Solved
            << "c=3.8135;gamma=48.5904;beta=51.8770;alfa=79.5327;TeruletText2=7.50;ma=3.0000";
        QTest::newRow("triangle obtuse at B")
            << S::Triangle << "a=3 b=5 c=3" << Solved
            << "beta=112.8854;alfa=33.5573;gamma=33.5573;TeruletText2=4.15";
        QTest::newRow("triangle from b, c and alfa")
            << S::Triangle << "b=1 c=1 alfa=120" << Solved
            << "a=1.7321;gamma=30.0000;beta=30.0000;alfa=120.0000";
        QTest::newRow("triangle with one side and two angles")
            << S::Triangle << "a=5 beta=40 gamma=60" << NotSolvable
            << "a=5.0000;beta=40.0000;gamma=60.0000;KeruletText2=;TeruletText2=;Fok1Text=";
        QTest::newRow("triangle height longer than the side")
            << S::Triangle << "a=5 b=2 ma=3" << Failed << "c=0.0000;TeruletText2=";

        QTest::newRow("right triangle from the legs")
            << S::RightTriangle << "a=3 b=4" << Solved
            << "c=5.0000;alfa=36.8699;beta=53.1301;KeruletText2=12.00;TeruletText2=6.00;"
               "KeruletText3=;Fok3Text=";
        QTest::newRow("right triangle from hypotenuse and alfa")
            << S::RightTriangle << "c=10 alfa=30" << Solved
            << "a=5.0000;b=8.6603;beta=60.0000;KeruletText2=23.66;TeruletText2=21.65";
        QTest::newRow("right triangle from a leg and beta")
            << S::RightTriangle << "a=5 beta=60" << Solved
            << "b=8.6603;c=10.0000;alfa=30.0000;KeruletText2=23.66;TeruletText2=21.65";
        QTest::newRow("right triangle from b and alfa")
            << S::RightTriangle << "b=4 alfa=45" << Solved
            << "a=4.0000;c=5.6569;KeruletText2=13.66;TeruletText2=8.00";
        QTest::newRow("right triangle from a leg and the hypotenuse")
            << S::RightTriangle << "a=5 c=13" << Solved
            << "b=12.0000;alfa=22.6199;beta=67.3801;KeruletText2=30.00;TeruletText2=30.00";
        QTest::newRow("right triangle with an angle beyond 90 is refused")
            << S::RightTriangle << "c=10 alfa=100" << Refused
            << "a=0.0000;b=0.0000;alfa=100.0000;KeruletText2=;TeruletText2=";
        QTest::newRow("right triangle with beta 90 is refused")
            << S::RightTriangle << "c=10 beta=90" << Refused << "KeruletText2=";
        QTest::newRow("right triangle leg longer than hypotenuse")
            << S::RightTriangle << "a=12 c=10" << Failed << "b=0.0000";

        QTest::newRow("circle from r")
            << S::Circle << "r=1" << Solved << "d=2.0000;KeruletText2=6.28;TeruletText2=3.14";
        QTest::newRow("circle from d")
            << S::Circle << "d=2" << Solved << "r=1.0000;KeruletText2=6.28;TeruletText2=3.14";
        QTest::newRow("circle radius wins over diameter")
            << S::Circle << "r=1 d=5" << Solved << "d=2.0000;KeruletText2=6.28";

        QTest::newRow("sector from r and alfa")
            << S::CircularSector << "r=2 alfa=90" << Solved
            << "i=3.1416;KeruletText2=7.14;TeruletText2=3.14;Fok1Text= 90;Perc1Text=  0;"
               "Mperc1Text=  0";
        QTest::newRow("sector from r alone locks without results")
            << S::CircularSector << "r=2" << Solved
            << "r=2.0000;KeruletText2=;TeruletText2=;Fok1Text=";
        QTest::newRow("sector angle row truncates the unrounded angle")
            << S::CircularSector << "r=1 alfa:=29.99999999" << Solved
            << "alfa=30.0000;Fok1Text= 29;Perc1Text= 59;Mperc1Text= 59";
        QTest::newRow("sector whose arc wraps past the full circle is refused")
            << S::CircularSector << "r=0.001 i=100000" << Refused
            << "alfa=0.0000;Fok1Text=;KeruletText2=";
        QTest::newRow("sector of the full circle")
            << S::CircularSector << "r=1 i=6.2832" << Solved << "alfa=360.0008;KeruletText2=8.28";

        QTest::newRow("segment from chord and height")
            << S::CircularSegment << "h=6 ma=1" << Solved
            << "r=5.0000;alfa=73.7398;i=6.4350;KeruletText2=12.44;TeruletText2=4.09";
        QTest::newRow("segment half disc")
            << S::CircularSegment << "h=2 ma=1" << Solved
            << "r=1.0000;alfa=180.0000;KeruletText2=5.14;TeruletText2=1.57";
        QTest::newRow("segment larger than a half disc from chord and height")
            << S::CircularSegment << "h=2 ma=3" << Solved
            << "r=1.6667;ma=3.0000;alfa=286.2602;i=8.3270;KeruletText2=10.33;TeruletText2=8.27";
        QTest::newRow("segment larger than a half disc from radius and height")
            << S::CircularSegment << "r=2 ma=3" << Solved
            << "h=3.4641;ma=3.0000;alfa=240.0000;i=8.3776;KeruletText2=11.84;TeruletText2=10.11";
        QTest::newRow("segment from arc and chord gives the perimeter only")
            << S::CircularSegment << "i=3 h=2" << NotSolvable
            << "i=3.0000;h=2.0000;KeruletText2=5.00;TeruletText2=";
        QTest::newRow("segment chord longer than the diameter")
            << S::CircularSegment << "r=1 h=3" << Failed << "KeruletText2=";
        QTest::newRow("segment chord a ten-thousandth longer than the diameter")
            << S::CircularSegment << "r=1 h=2.0001" << Failed << "KeruletText2=";
        QTest::newRow("half disc from chord and height, small")
            << S::CircularSegment << "h=0.3814 ma=0.1907" << Solved
            << "r=0.1907;alfa=180.0000;Fok1Text=180;Perc1Text=  0;Mperc1Text=  0";
        QTest::newRow("half disc from chord and height, large")
            << S::CircularSegment << "h=29.9056 ma=14.9528" << Solved
            << "r=14.9528;alfa=180.0000;ma=14.9528;TeruletText2=351.21";

        QTest::newRow("cube") << S::Cube << "a=2" << Solved
                              << "a=2.0000;FeluletText2=24.00;TerfogatText2=8.00";
        QTest::newRow("cube of the largest side a field takes")
            << S::Cube << "a=100000" << Solved
            << "FeluletText2=60000000000.00;TerfogatText2=1000000000000000.00";
        QTest::newRow("cylinder") << S::Cylinder << "r=1 ma=2" << Solved
                                  << "FeluletText2=18.85;TerfogatText2=6.28";
        QTest::newRow("cylinder without height")
            << S::Cylinder << "r=1" << NotSolvable << "FeluletText2=;TerfogatText2=";
        QTest::newRow("cuboid volume whose third decimal rounds up")
            << S::Cuboid << "a=29296.7218 b=77862 c=60397" << Solved
            << "TerfogatText2=137771678404554.27";
        QTest::newRow("cuboid volume just below 2^63 ten-thousandths")
            << S::Cuboid << "a=99999.9999 b=99999.9999 c=92233.7203" << Solved
            << "TerfogatText2=922337201155325.59";
        QTest::newRow("cuboid") << S::Cuboid << "a=1 b=2 c=3" << Solved
                                << "FeluletText2=22.00;TerfogatText2=6.00";
        QTest::newRow("cuboid written back with comma input")
            << S::Cuboid << "a:=2,5 b=2 c=1" << Solved << "a=2.5000;TerfogatText2=5.00";

        QTest::newRow("cone from r and m")
            << S::Cone << "r=3 ma=4" << Solved
            << "a=5.0000;alfa=53.1301;Fok1Text= 53;Perc1Text=  7;Mperc1Text= 48;beta=73.7398;"
               "Fok2Text= 73;Perc2Text= 44;Mperc2Text= 23;FeluletText2=75.40;TerfogatText2=37.70";
        QTest::newRow("cone from m and beta")
            << S::Cone << "ma=4 beta=60" << Solved
            << "alfa=60.0000;r=2.3094;a=4.6188;FeluletText2=50.27;TerfogatText2=22.34";
        QTest::newRow("cone slant side replaced by the first step")
            << S::Cone << "r=3 ma=4 a=10" << Solved << "a=5.0000;FeluletText2=75.40";
        QTest::newRow("cone slant side shorter than the radius")
            << S::Cone << "r=5 a=3" << Failed << "FeluletText2=";
        QTest::newRow("cone apex angle 180 divides by zero")
            << S::Cone << "ma=4 beta=180" << Failed << "FeluletText2=";
        QTest::newRow("cone whose slant height no field holds is refused")
            << S::Cone << "r=100000 ma=100000" << Refused << "a=0.0000;FeluletText2=";
        QTest::newRow("cone near the longest slant height a field holds")
            << S::Cone << "r=70000 ma=70000" << Solved
            << "a=98994.9494;alfa=45.0000;FeluletText2=37163930399.57;"
               "TerfogatText2=359188760060433.03";

        QTest::newRow("truncated cone")
            << S::TruncatedCone << "r=2 R=5 ma=4" << Solved
            << "a=5.0000;alfa=53.1301;FeluletText2=201.06;TerfogatText2=163.36";
        QTest::newRow("truncated cone with the larger face on top")
            << S::TruncatedCone << "r=5 R=3 ma=4" << Solved << "a=4.4721;R=3.0000";
        QTest::newRow("truncated cone with the larger face on top, from the angle")
            << S::TruncatedCone << "r=5 R=3 alfa=45" << Solved
            << "ma=2.0000;a=2.8284;TerfogatText2=102.63";

        QTest::newRow("sphere") << S::Sphere << "r=1" << Solved
                                << "FeluletText2=12.57;TerfogatText2=4.19";
        QTest::newRow("sphere of the largest radius a field takes")
            << S::Sphere << "r=100000" << Solved
            << "FeluletText2=125663706143.59;TerfogatText2=4188790204786390.98";
        QTest::newRow("cap keeps the typed texts")
            << S::SphericalCap << "r:=5 ma:=2 a:=4" << Solved
            << "r=5;ma=2;a=4;FeluletText2=113.10;TerfogatText2=54.45";
        QTest::newRow("cap without height")
            << S::SphericalCap << "r=5 a=4" << NotSolvable << "FeluletText2=";
        QTest::newRow("zone") << S::SphericalZone << "r=5 ma=3 a=4 R=5" << Solved
                              << "FeluletText2=223.05;TerfogatText2=207.35";
    }

    void solve() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(CalcState, state);
        QFETCH(QString, expected);
        FieldSheet sheet;
        sheet.choose(shape);
        Fill(sheet, inputs);
        const CalcOutcome outcome = Calculate(sheet, LanguageTexts::BuiltinEnglish());
        QCOMPARE(CalcStateName(outcome.state), CalcStateName(state));
        Expect(sheet, expected);
        // Only a solved figure locks its inputs.
        QCOMPARE(sheet.enabled(Control::InputPanel), state != CalcState::Solved);
        // A refusal leaves the print button as it was, disabled since the figure was chosen.
        QCOMPARE(sheet.enabled(Control::NyomtatBtn),
                 state != CalcState::Failed && state != CalcState::Refused);
    }
};

MERTANO_REGISTER_TEST(TstSolvers)
#include "tst_solvers.moc"
