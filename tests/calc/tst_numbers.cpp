// SPDX-License-Identifier: GPL-3.0-or-later
// The number rules every figure shares: reading a field, rounding to 4 decimals,
// the fixed formats of fields and results, and the angle split.
#include <QRandomGenerator>
#include <QTest>
#include <charconv>
#include <cmath>

#include "calc/float_fault.h"
#include "calc/numbers.h"
#include "test_main.h"

using namespace mertano;

class TstNumbers : public QObject {
    Q_OBJECT

private slots:
    void readFieldText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("comma as separator") << "12,5" << 12.5;
        QTest::newRow("comma with the edit's four decimals") << "12,5000" << 12.5;
        QTest::newRow("only the first comma becomes a point") << "1,2,3" << 0.0;
        QTest::newRow("point") << "3.25" << 3.25;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks around") << "  7 " << 7.0;
        QTest::newRow("plus sign") << "+2" << 2.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("number then junk") << "12abc" << 0.0;
        QTest::newRow("infinity is no number") << "inf" << 0.0;
        QTest::newRow("nan is no number") << "nan" << 0.0;
        QTest::newRow("too large to hold") << "1e5000" << 0.0;
        QTest::newRow("too small to hold is zero") << "1e-5000" << 0.0;
        QTest::newRow("hexadecimal") << "0x10" << 0.0;
        QTest::newRow("lone exponent") << "1e" << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
    }
    void readFieldText() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(static_cast<double>(ReadFieldText(text.toStdString())), expected);
    }

    void commaToPoint() {
        QCOMPARE(CommaToPoint("1,2,3"), std::string("1.2,3"));
        QCOMPARE(CommaToPoint("abc"), std::string("abc"));
    }

    void roundTo4_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tie goes down to even") << "0.03125" << "0.0312";
        QTest::newRow("tie goes up to even") << "0.09375" << "0.0938";
        QTest::newRow("negative tie to even") << "-0.03125" << "-0.0312";
        QTest::newRow("above a half") << "2.00006" << "2.0001";
        QTest::newRow("largest that fits") << "922337203685477.5" << "922337203685477.5000";
    }
    void roundTo4() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const long double x = *ParseNumber(value.toStdString());
        QCOMPARE(QString::fromStdString(FormatFixed(RoundTo4(x), 4)), expected);
    }

    void roundTo4LeavesInt64Range_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("just beyond") << "922337203685477.6";
        QTest::newRow("cube of 100000") << "1e15";
        QTest::newRow("negative beyond") << "-922337203685477.6";
    }
    void roundTo4LeavesInt64Range() {
        QFETCH(QString, value);
        try {
            RoundTo4(*ParseNumber(value.toStdString()));
            QFAIL("no fault raised");
        } catch (const FloatFaultError& e) {
            QCOMPARE(e.fault(), FloatFault::InvalidOperation);
            QCOMPARE(QString(e.what()), QString("Invalid floating point operation"));
        }
    }

    void formatFixed_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole number") << "12" << 4 << "12.0000";
        QTest::newRow("half to even, down") << "0.125" << 2 << "0.12";
        QTest::newRow("half to even, up") << "0.135" << 2 << "0.14";
        QTest::newRow("a four-decimal tie below in binary still goes to even") << "0.0150" << 2 << "0.02";
        QTest::newRow("just above a half") << "0.12500001" << 2 << "0.13";
        QTest::newRow("carry through nines") << "99.99995" << 4 << "100.0000";
        QTest::newRow("eighteen digits decide, not the binary tail") << "2.00005" << 4 << "2.0000";
        QTest::newRow("no decimals") << "37" << 0 << "37";
        QTest::newRow("no decimals rounds to even") << "9.5" << 0 << "10";
        QTest::newRow("no decimals rounds to even, down") << "12.5" << 0 << "12";
        QTest::newRow("tiny is zero") << "1e-30" << 4 << "0.0000";
        QTest::newRow("negative rounding to zero has no sign") << "-0.00001" << 4 << "0.0000";
        QTest::newRow("negative") << "-2.5" << 2 << "-2.50";
        QTest::newRow("below one") << "0.5" << 2 << "0.50";
        QTest::newRow("a tie below the first decimal") << "0.00005" << 4 << "0.0000";
        QTest::newRow("rounds up into the first decimal") << "0.00006" << 4 << "0.0001";
        QTest::newRow("more than 18 integer digits") << "1e20" << 2 << "1E+20";
    }
    void formatFixed() {
        QFETCH(QString, value);
        QFETCH(int, digits);
        QFETCH(QString, expected);
        const long double x = *ParseNumber(value.toStdString());
        QCOMPARE(QString::fromStdString(FormatFixed(x, digits)), expected);
    }

    void resultText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << "12.3456" << "12.35";
        QTest::newRow("padded to three") << "0.5" << "0.50";
        QTest::newRow("zero") << "0" << "0.00";
        QTest::newRow("rounded to four first") << "0.0149996" << "0.02";
        QTest::newRow("a tie at the second decimal goes to even") << "4.145003" << "4.14";
        QTest::newRow("large") << "60000000000" << "60000000000.00";
    }
    void resultText() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ResultText(*ParseNumber(value.toStdString()))), expected);
    }

    void editValueText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four decimals") << "3.14159" << "3.1416";
        QTest::newRow("above the maximum") << "250000" << "100000.0000";
        QTest::newRow("below the minimum") << "-5" << "0.0000";
        QTest::newRow("zero") << "0" << "0.0000";
        QTest::newRow("fraction padded") << "12.5" << "12.5000";
    }
    void editValueText() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(EditValueText(*ParseNumber(value.toStdString()))), expected);
    }

    void acceptEditText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("held with four decimals") << "3.14159" << true << "3.1416";
        QTest::newRow("empty is the minimum") << "" << true << "0.0000";
        QTest::newRow("the maximum") << "100000" << true << "100000.0000";
        QTest::newRow("exponent") << "1e5" << true << "100000.0000";
        QTest::newRow("just above the maximum") << "100000.00004" << false << "";
        QTest::newRow("negative") << "-1" << false << "";
        QTest::newRow("no number") << "abc" << false << "";
        QTest::newRow("infinite") << "1e5000" << false << "";
        QTest::newRow("nan") << "nan" << false << "";
    }
    void acceptEditText() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        const std::optional<long double> value = AcceptEditText(text.toStdString());
        QCOMPARE(value.has_value(), accepted);
        if (value) QCOMPARE(QString::fromStdString(EditValueText(*value)), shown);
    }

    void splitAngle_data() {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::newRow("seconds truncated, not rounded") << "29.99999999" << 29 << 59 << 59;
        QTest::newRow("half a degree") << "7.5" << 7 << 30 << 0;
        QTest::newRow("cone base angle") << "53.13010235415598" << 53 << 7 << 48;
        QTest::newRow("negative truncates toward zero") << "-30.5" << -30 << -30 << 0;
    }
    void splitAngle() {
        QFETCH(QString, angle);
        const AngleParts p = SplitAngle(*ParseNumber(angle.toStdString()));
        QTEST(static_cast<int>(p.degrees), "degrees");
        QTEST(static_cast<int>(p.minutes), "minutes");
        QTEST(static_cast<int>(p.seconds), "seconds");
    }

    // The quick paths of reading and writing must agree with the general conversions.
    void quickConversionsAgreeWithGeneralOnes() {
        QRandomGenerator random(7);
        for (int k = 0; k < 200000; ++k) {
            // Values as the fields hold them, and values of every magnitude.
            const long double x =
                k % 2 == 0 ? static_cast<long double>(random.bounded(1000000000)) / 10000.0L
                           : std::ldexp(static_cast<long double>(random.generateDouble()) + 0.5L,
                                        random.bounded(-40, 70));
            char digits[18];
            int exponent = 0;
            SignificantDigits(x, digits, exponent);
            char buf[64];
            auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 17);
            std::string general(buf, res.ptr);
            general.erase(1, 1);  // the point
            const std::string expected = general.substr(0, 18);
            QCOMPARE(std::string(digits, 18), expected);
            QCOMPARE(exponent, std::stoi(general.substr(19)));

            const std::string text = FormatFixed(x, 4);
            long double parsed = 0;
            std::from_chars(text.data(), text.data() + text.size(), parsed);
            QCOMPARE(static_cast<double>(*ParseNumber(text)), static_cast<double>(parsed));
            QVERIFY(*ParseNumber(text) == parsed);
        }
    }

    void checkedArithmetic() {
        auto faultOf = [](auto f) -> int {
            try {
                f();
            } catch (const FloatFaultError& e) {
                return static_cast<int>(e.fault());
            }
            return -1;
        };
        QCOMPARE(faultOf([] { Sqrt(-1.0L); }), int(FloatFault::InvalidOperation));
        QCOMPARE(faultOf([] { ArcSin(1.0000001L); }), int(FloatFault::InvalidOperation));
        QCOMPARE(faultOf([] { ArcCos(-1.0000001L); }), int(FloatFault::InvalidOperation));
        QCOMPARE(faultOf([] { Div(1.0L, 0.0L); }), int(FloatFault::DivisionByZero));
        QCOMPARE(faultOf([] { Div(0.0L, 0.0L); }), int(FloatFault::InvalidOperation));
        QCOMPARE(faultOf([] { Checked(1e4000L * 1e4000L); }), int(FloatFault::Overflow));
        QCOMPARE(faultOf([] { ArcCos(-1.0L); }), -1);
        QCOMPARE(QString(FloatFaultError(FloatFault::DivisionByZero).what()),
                 QString("Floating point division by zero"));
        QCOMPARE(QString(FloatFaultError(FloatFault::Overflow).what()),
                 QString("Floating point overflow"));
    }
};

MERTANO_REGISTER_TEST(TstNumbers)
#include "tst_numbers.moc"
