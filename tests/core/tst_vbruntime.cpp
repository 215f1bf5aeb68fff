#include "platform/vbruntime.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace angoli;

namespace
{
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

class TestVbRuntime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Val reads the leading decimal number and ignores the rest.
    void val_data();
    void val();
    // Out-of-range and absurd inputs give a finite or infinite value, never UB.
    void valExtremes_data();
    void valExtremes();
    // CStr writes plain digits, '-' for negatives, no leading blank.
    void cstr_data();
    void cstr();
    // Format: '0' is the only digit placeholder, the rest is literal.
    void format_data();
    void format();
    // CInt rounds half to even and reports overflow outside -32768..32767.
    void cint_data();
    void cint();
    // Integer + value is formed in double and converted like CInt.
    void addInteger_data();
    void addInteger();
    // QBColor gives 0x00BBGGRR; numbers outside 0..15 are refused.
    void qbcolor();
};

void TestVbRuntime::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("score line") << "12\r\n" << 12.0;
    QTest::newRow("line break alone") << "\r\n" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("leading blank") << " 12" << 12.0;
    QTest::newRow("leading tab and LF") << "\t\n 7" << 7.0;
    QTest::newRow("leading CR is not skipped") << "\r12" << 0.0;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("explicit plus") << "+5" << 5.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("fraction") << "12.5" << 12.5;
    QTest::newRow("fraction only") << ".5" << 0.5;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent upper case with sign") << "1E+3" << 1000.0;
    QTest::newRow("negative exponent") << "2.5e-1" << 0.25;
    QTest::newRow("D exponent") << "1d2" << 100.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+x" << 1.0;
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("leading zeros") << "0012" << 12.0;
    QTest::newRow("negative zero is zero") << "-0" << 0.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 0.0;
}

void TestVbRuntime::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = Val(text);
    QCOMPARE(value, expected);
    QVERIFY2(!std::signbit(value) || value != 0.0, "zero must not carry a sign");
}

void TestVbRuntime::valExtremes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("400 nines") << QString(400, u'9') << kInf;
    QTest::newRow("negative overflow") << "-1e400" << -kInf;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("exponent longer than any integer") << "1e99999999999999999999" << kInf;
    QTest::newRow("tiny exponent longer than any integer") << "1e-99999999999999999999" << 0.0;
    QTest::newRow("zero with huge exponent") << "0e99999" << 0.0;
    QTest::newRow("many digits scaled back to one")
        << (QStringLiteral("1") + QString(100000, u'0') + QStringLiteral("e-100000")) << 1.0;
    QTest::newRow("many leading fraction zeros")
        << (QStringLiteral("0.") + QString(5000, u'0') + QStringLiteral("25e5001")) << 2.5;
}

void TestVbRuntime::valExtremes()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestVbRuntime::cstr_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("positive") << 12 << "12";
    QTest::newRow("negative") << -5 << "-5";
    QTest::newRow("Long minimum") << std::numeric_limits<qint32>::min() << "-2147483648";
    QTest::newRow("Long maximum") << std::numeric_limits<qint32>::max() << "2147483647";
}

void TestVbRuntime::cstr()
{
    QFETCH(qint32, value);
    QFETCH(QString, expected);
    QCOMPARE(CStr(value), expected);
}

void TestVbRuntime::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("fmt");
    QTest::addColumn<QString>("expected");

    QTest::newRow("00 zero") << 0.0 << "00"
                             << "00";
    QTest::newRow("00 one digit") << 5.0 << "00"
                                  << "05";
    QTest::newRow("00 fifteen") << 15.0 << "00"
                                << "15";
    QTest::newRow("00 fifty-nine") << 59.0 << "00"
                                   << "59";
    QTest::newRow("00 three digits are kept") << 100.0 << "00"
                                              << "100";
    QTest::newRow("00 half rounds to even down") << 2.5 << "00"
                                                 << "02";
    QTest::newRow("00 half rounds to even up") << 3.5 << "00"
                                               << "04";
    QTest::newRow("00 above half") << 8.51 << "00"
                                   << "09";
    QTest::newRow("00 negative") << -5.0 << "00"
                                 << "-05";
    QTest::newRow("literal 15 with zero") << 0.0 << "15"
                                          << "15";
    QTest::newRow("literal 15 with other value") << 42.0 << "15"
                                                 << "15";
    QTest::newRow("single placeholder") << 7.0 << "0"
                                        << "7";
    QTest::newRow("three placeholders") << 7.0 << "000"
                                        << "007";
    QTest::newRow("literal digit before placeholder") << 5.0 << "10"
                                                      << "15";
}

void TestVbRuntime::format()
{
    QFETCH(double, value);
    QFETCH(QString, fmt);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, fmt), expected);
}

void TestVbRuntime::cint_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("0.5 to even 0") << 0.5 << true << 0;
    QTest::newRow("1.5 to even 2") << 1.5 << true << 2;
    QTest::newRow("2.5 to even 2") << 2.5 << true << 2;
    QTest::newRow("-2.5 to even -2") << -2.5 << true << -2;
    QTest::newRow("-0.5 to 0") << -0.5 << true << 0;
    QTest::newRow("0.49 down") << 0.49 << true << 0;
    QTest::newRow("0.51 up") << 0.51 << true << 1;
    QTest::newRow("-1.6 to -2") << -1.6 << true << -2;
    QTest::newRow("32767.4 fits") << 32767.4 << true << 32767;
    QTest::newRow("32767.5 overflows") << 32767.5 << false << 0;
    QTest::newRow("32768 overflows") << 32768.0 << false << 0;
    QTest::newRow("-32768.5 to even -32768") << -32768.5 << true << -32768;
    QTest::newRow("-32768.51 overflows") << -32768.51 << false << 0;
    QTest::newRow("-32769 overflows") << -32769.0 << false << 0;
    QTest::newRow("huge overflows") << 1e300 << false << 0;
    QTest::newRow("infinity overflows") << kInf << false << 0;
    QTest::newRow("NaN overflows") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestVbRuntime::cint()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<qint16> result = CInt(value);
    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(int(*result), expected);
}

void TestVbRuntime::addInteger_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain sum") << 180 << 43.0 << true << 223;
    QTest::newRow("reaches the maximum") << 32766 << 1.0 << true << 32767;
    QTest::newRow("one past the maximum") << 32767 << 1.0 << false << 0;
    QTest::newRow("one below the minimum") << -32768 << -1.0 << false << 0;
    QTest::newRow("half sum rounds to even") << 10 << 2.5 << true << 12;
    QTest::newRow("sum far below the minimum") << 100 << -40000.0 << false << 0;
}

void TestVbRuntime::addInteger()
{
    QFETCH(int, a);
    QFETCH(double, b);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<qint16> result = angoli::addInteger(qint16(a), b);
    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(int(*result), expected);
}

void TestVbRuntime::qbcolor()
{
    QCOMPARE(QBColor(1), 0x800000u); // dark blue: blue in the high byte
    QCOMPARE(QBColor(2), 0x008000u); // dark green
    QCOMPARE(QBColor(4), 0x000080u); // dark red: red in the low byte
    QCOMPARE(QBColor(0), 0x000000u);
    QCOMPARE(QBColor(15), 0xFFFFFFu);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, QBColor(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, QBColor(16));
}

QTEST_GUILESS_MAIN(TestVbRuntime)
#include "tst_vbruntime.moc"
