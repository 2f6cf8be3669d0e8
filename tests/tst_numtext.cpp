#include "core/numtext.h"

#include <QtTest>
#include <cmath>
#include <limits>

class tst_NumText : public QObject
{
    Q_OBJECT

private slots:
    void printed_data();
    void printed();
    void read_data();
    void read();
    void roundHalfEven_data();
    void roundHalfEven();
    void saturatingIntegers();
};

void tst_NumText::printed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half has no leading zero") << 0.5 << " .5";
    QTest::newRow("one") << 1.0 << " 1";
    QTest::newRow("twelve and a half") << 12.5 << " 12.5";
    QTest::newRow("ten") << 10.0 << " 10";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero prints as zero") << -0.0 << " 0";
    QTest::newRow("eighth") << 0.125 << " .125";
    QTest::newRow("negative below one") << -0.25 << "-.25";
    QTest::newRow("negative") << -3.5 << "-3.5";
    QTest::newRow("sixty") << 60.0 << " 60";
    QTest::newRow("huge uses exponent") << 1e20 << " 1E+20";
}

void tst_NumText::printed()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numtext::printed(value), text);
}

void tst_NumText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("x text at start") << " 0.0" << 0.0;
    QTest::newRow("x text half") << " 0.5" << 0.5;
    QTest::newRow("x text ten") << " 10.0" << 10.0;
    QTest::newRow("printed half") << " .5" << 0.5;
    QTest::newRow("list item with blank") << " 0" << 0.0;
    QTest::newRow("plain") << "50" << 50.0;
    QTest::newRow("sign") << "-5" << -5.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("stops at letter") << "12abc" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("signed exponent") << "25E-1" << 2.5;
    QTest::newRow("letter e without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e+" << 7.0;
    QTest::newRow("garbage") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only blanks") << "   " << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("tab skipped") << "\t9" << 9.0;
    QTest::newRow("blank after sign stops") << "- 5" << 0.0;
    QTest::newRow("full-width digits are not digits") << "５０" << 0.0;
    QTest::newRow("tiny underflows to zero") << "1e-999" << 0.0;
    QTest::newRow("many digits") << "99999999999" << 99999999999.0;
}

void tst_NumText::read()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numtext::read(text), value);
}

void tst_NumText::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 2.5 << 2.0;
    QTest::newRow("half up to even") << 3.5 << 4.0;
    QTest::newRow("graph y") << 457.5 << 458.0;
    QTest::newRow("negative half") << -0.5 << 0.0;
    QTest::newRow("below half") << 1.49 << 1.0;
    QTest::newRow("above half") << 1.51 << 2.0;
}

void tst_NumText::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(numtext::roundHalfEven(value), rounded);
}

void tst_NumText::saturatingIntegers()
{
    QCOMPARE(numtext::toInt16(300.0), std::int16_t(300));
    QCOMPARE(numtext::toInt16(40000.0), std::int16_t(32767));
    QCOMPARE(numtext::toInt16(-40000.0), std::int16_t(-32768));
    QCOMPARE(numtext::toInt16(std::nan("")), std::int16_t(0));
    QCOMPARE(numtext::toInt32(1e300), std::numeric_limits<std::int32_t>::max());
    QCOMPARE(numtext::toInt32(-std::numeric_limits<double>::infinity()),
             std::numeric_limits<std::int32_t>::min());
    QCOMPARE(numtext::toInt32(5 * numtext::read("1e999")),
             std::numeric_limits<std::int32_t>::max());
}

QTEST_GUILESS_MAIN(tst_NumText)
#include "tst_numtext.moc"
