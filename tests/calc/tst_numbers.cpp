// SPDX-License-Identifier: GPL-3.0-or-later
// The number rules every figure shares: reading a field, rounding to 4 decimals,
// the fixed formats of fields and results, and the angle split.
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

#include "calc/float_fault.h"
#include "calc/numbers.h"
#include "exact_decimal.h"
#include "test_main.h"

using namespace mertano;

namespace {

constexpr long double kPowers[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L};
constexpr unsigned kBias = 16383;  // the exponent field of 1.0

// The sanitizer build checks memory, not arithmetic, and runs some 40 times slower; the
// release suite holds the full million.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kPropertyValues = 100000;
#else
constexpr qint64 kPropertyValues = 1000000;
#endif

}  // namespace

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
        QTest::newRow("tie goes down to even") << "0.03125"
                                               << "0.0312";
        QTest::newRow("tie goes up to even") << "0.09375"
                                             << "0.0938";
        QTest::newRow("negative tie to even") << "-0.03125"
                                              << "-0.0312";
        QTest::newRow("above a half") << "2.00006"
                                      << "2.0001";
        QTest::newRow("largest a 64-bit count held") << "922337203685477.5"
                                                     << "922337203685477.5000";
        QTest::newRow("just beyond a 64-bit count") << "922337203685477.6"
                                                    << "922337203685477.6000";
        QTest::newRow("cube of 100000") << "1e15"
                                        << "1000000000000000.0000";
        QTest::newRow("negative beyond a 64-bit count") << "-922337203685477.6"
                                                        << "-922337203685477.6000";
        QTest::newRow("whole beyond 2^63 is its own rounding")
            << "1e30"
            << "1000000000000000000024696061952.0000";
        QTest::newRow("tiny") << "1e-100"
                              << "0.0000";
    }
    void roundTo4() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const long double x = *ParseNumber(value.toStdString());
        QCOMPARE(QString::fromStdString(FormatFixed(RoundTo4(x), 4)), expected);
    }

    void formatFixed_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole number") << "12" << 4 << "12.0000";
        QTest::newRow("half to even, down") << "0.125" << 2 << "0.12";
        QTest::newRow("half to even, up") << "0.135" << 2 << "0.14";
        QTest::newRow("a four-decimal tie below in binary still goes to even")
            << "0.0150" << 2 << "0.02";
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
        QTest::newRow("more than 18 integer digits") << "1e20" << 2 << "100000000000000000000.00";
        QTest::newRow("the last digit of a large sum")
            << "137771678404554.2652" << 4 << "137771678404554.2652";
        QTest::newRow("below the old digit buffer") << "1e-40" << 4 << "0.0000";
        QTest::newRow("smallest double") << "5e-324" << 4 << "0.0000";
        QTest::newRow("beyond 128 bits, every digit of the held value")
            << "1e40" << 0 << "9999999999999999999783686092270256259072";
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
        QTest::newRow("two decimals") << "12.3456"
                                      << "12.35";
        QTest::newRow("padded to three") << "0.5"
                                         << "0.50";
        QTest::newRow("zero") << "0"
                              << "0.00";
        QTest::newRow("rounded to four first") << "0.0149996"
                                               << "0.02";
        QTest::newRow("a tie at the second decimal goes to even") << "4.145003"
                                                                  << "4.14";
        QTest::newRow("large") << "60000000000"
                               << "60000000000.00";
        QTest::newRow("cuboid volume, up at the third decimal") << "137771678404554.2652"
                                                                << "137771678404554.27";
        QTest::newRow("cuboid volume near 2^63 ten-thousandths") << "922337201155325.5949"
                                                                 << "922337201155325.59";
        QTest::newRow("cube of 100000") << "1e15"
                                        << "1000000000000000.00";
        QTest::newRow("sphere of 60000, every leading digit") << "904778684233860.4536"
                                                              << "904778684233860.45";
        QTest::newRow("a tie of the exact 4 decimals above 2^64 ten-thousandths")
            << "2000000000000000.125"
            << "2000000000000000.12";
        QTest::newRow("largest result a field allows") << "1e18"
                                                       << "1000000000000000000.00";
        QTest::newRow("negative tiny has no sign") << "-1e-30"
                                                   << "0.00";
    }
    void resultText() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ResultText(*ParseNumber(value.toStdString()))), expected);
    }

    void editValueText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four decimals") << "3.14159"
                                       << "3.1416";
        QTest::newRow("above the maximum") << "250000"
                                           << "100000.0000";
        QTest::newRow("below the minimum") << "-5"
                                           << "0.0000";
        QTest::newRow("zero") << "0"
                              << "0.0000";
        QTest::newRow("fraction padded") << "12.5"
                                         << "12.5000";
    }
    void editValueText() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(EditValueText(*ParseNumber(value.toStdString()))),
                 expected);
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

    // The value a field set to x reads as, worked out without its text, against the text
    // read back; at the limits, past them, and where the count of units needs the long way.
    void editTextValueReadsAsItsText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        auto row = [](const char* name, const char* value, int digits = 4, double min = 0,
                      double max = 100000) {
            QTest::newRow(name) << value << digits << min << max;
        };
        row("four decimals", "3.14159");
        row("a tie of the fifth decimal", "2.00005");
        row("rounds up to the maximum", "99999.99995");
        row("above the maximum", "250000");
        row("below the minimum", "-5");
        row("not a number is the minimum", "nan");
        row("infinite is the maximum", "inf");
        row("minus zero", "-0");
        row("negative within the limits", "-2.5", 4, -10);
        row("negative rounding to zero shows no sign", "-0.00001", 4, -1);
        row("no decimals", "12.5", 0);
        row("eighteen decimals", "0.123456789012345678901", 18);
        row("a count beyond 10^18 units", "123456789012345.6789", 4, 0, 1e30);
        row("beyond 2^63", "1e25", 2, 0, 1e30);
    }
    void editTextValueReadsAsItsText() {
        QFETCH(QString, value);
        QFETCH(int, digits);
        QFETCH(double, min);
        QFETCH(double, max);
        const long double x = value == "nan"   ? std::nanl("")
                              : value == "inf" ? HUGE_VALL
                                               : *ParseNumber(value.toStdString());
        const EditLimits limits{digits, min, max};
        const std::string text = EditValueText(x, limits);
        const long double read = ReadFieldText(text);
        const long double worked = EditTextValue(x, limits);
        QVERIFY2(worked == read && std::signbit(worked) == std::signbit(read), text.c_str());
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

    // Long decimal forms read as their exponent forms do: both held, or both zero.
    void longDecimalFormsReadAsExponentForms_data() {
        QTest::addColumn<QString>("longForm");
        QTest::addColumn<QString>("exponentForm");
        QTest::newRow("below the smallest extended") << "0." + QString(4940, '0') + "1"
                                                     << "1e-4941";
        QTest::newRow("far below") << "0." + QString(6000, '0') + "7"
                                   << "7e-6001";
        QTest::newRow("smallest normal") << "0." + QString(4931, '0') + "4"
                                         << "4e-4932";
        QTest::newRow("leading zeros before a large value") << QString(3000, '0') + "12.5"
                                                            << "1.25e1";
        QTest::newRow("trailing zeros of a tiny one")
            << "0." + QString(20, '0') + "3" + QString(3000, '0') << "3e-21";
    }
    void longDecimalFormsReadAsExponentForms() {
        QFETCH(QString, longForm);
        QFETCH(QString, exponentForm);
        const std::optional<long double> a = ParseNumber(longForm.toStdString());
        const std::optional<long double> b = ParseNumber(exponentForm.toStdString());
        QVERIFY(a.has_value());
        QVERIFY(b.has_value());
        QVERIFY(*a == *b);
    }

    // The fixed formats against the rounding rule worked out with whole numbers, over
    // every magnitude from the smallest extended value to 10^18, halves included.
    void formatterMatchesExactDecimal() {
        const qint64 count = qEnvironmentVariableIsSet("MERTANO_PROPERTY_VALUES")
                                 ? qEnvironmentVariable("MERTANO_PROPERTY_VALUES").toLongLong()
                                 : kPropertyValues;
        QRandomGenerator64 random(20261208);
        const EditLimits kAnyValue{4, -1e30L, 1e30L};
        qint64 mismatches = 0;
        for (qint64 k = 0; k < count; ++k) {
            const std::uint64_t bits = random.generate();
            const std::uint64_t more = random.generate();
            long double x = 0.0L;
            switch (k % 4) {
                case 0:  // any binary exponent, denormals (exponent field 0) included
                    x = exact::FromBits(bits, static_cast<unsigned>(more % (kBias + 61)));
                    break;
                case 1:  // where the digits show: 2^-20 to 2^60
                    x = exact::FromBits(bits, static_cast<unsigned>(kBias - 20 + more % 80));
                    break;
                case 2:  // typed decimals: a count of ten-thousandths below 10^22
                    x = static_cast<long double>(bits % 10000000000000000000ULL) /
                        kPowers[more % 5] * kPowers[(more >> 8) % 8];
                    break;
                default:  // halves of the fifth and third decimals
                    x = (static_cast<long double>(bits >> ((more % 50) + 4)) + 0.5L) /
                        kPowers[2 + 2 * ((more >> 8) % 2)] / 10.0L;
                    break;
            }
            while (x >= 1e18L) x /= 1e4L;
            if ((more >> 63) != 0) x = -x;
            std::string two = ResultText(x);
            two.erase(0, two.find_first_not_of(' '));
            const std::string four = FormatFixed(x, 4);
            const exact::Texts expected = exact::FixedTexts(x);
            if ((four != expected.four || two != expected.two) && ++mismatches <= 5) {
                qWarning("%.21Lg: %s / %s, expected %s / %s", x, four.c_str(), two.c_str(),
                         expected.four.c_str(), expected.two.c_str());
            }
            // A field's value worked out without its text reads as the text does.
            const long double read = ReadFieldText(four);
            const long double worked = EditTextValue(x, kAnyValue);
            if ((worked != read || std::signbit(worked) != std::signbit(read)) &&
                ++mismatches <= 5) {
                qWarning("%.21Lg: value %.21Lg, its text %s reads %.21Lg", x, worked, four.c_str(),
                         read);
            }
        }
        QCOMPARE(mismatches, 0);
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
