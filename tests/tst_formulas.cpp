#include "core/formulas.h"
#include "lesson.h"

#include <QtTest>

// y written out for each stretch of x: the texts for figures worked by hand, and every formula
// of every figure the pieces can make against the area measured from the pieces' shapes.

using namespace lesson;
using formulas::Quadratic;
using formulas::Rational;

Q_DECLARE_METATYPE(Rational)
Q_DECLARE_METATYPE(Quadratic)

namespace {

// The area within x cm of the figure's left end, x a multiple of a quarter centimetre: no
// quarter strip crosses a column bound, so each is a trapezoid whose mean height stands at its
// middle (5 pixels wide, heights in pixels, 400 square pixels to the cm²).
double areaWithinQuarters(const Codes &codes, double x)
{
    double pixels = 0;
    for (int k = 0; k < int(std::lround(4 * x)); ++k)
        pixels += 5 * heightAt(codes, 5 * k + 2.5);
    return pixels / 400;
}

// How a line is set, in a form a row can spell: a variable "_x_", a sign "[=]" between its
// blanks, a fraction "{1|2}", a power "^2".
QString setAs(const formulas::Written &written)
{
    QString s;
    for (const formulas::Part &p : written) {
        switch (p.kind) {
        case formulas::Part::Text:
            s += p.text;
            break;
        case formulas::Part::Sign:
            s += QStringLiteral(" [%1] ").arg(p.text);
            break;
        case formulas::Part::Variable:
            s += QStringLiteral("_%1_").arg(p.text);
            break;
        case formulas::Part::Fraction:
            s += QStringLiteral("{%1|%2}").arg(p.text, p.below);
            break;
        case formulas::Part::Power:
            s += u'^' + p.text;
            break;
        }
    }
    return s;
}

} // namespace

class tst_Formulas : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void number_data();
    void number();
    void rightSide_data();
    void rightSide();
    void variablesAndSignsMarked_data();
    void variablesAndSignsMarked();
    void everyFormulaIsTheArea();
};

void tst_Formulas::lines_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("worked example: triangle in 0-2, 4 cm bar in 3")
        << "4 5 6 2 0"
        << QStringList { "0 ≦ x ≦ 6 のとき y = 1/2 x²", "6 ≦ x ≦ 8 のとき y = 4x − 6",
                         "8 ≦ x ≦ 10 のとき y = 26" };
    QTest::newRow("empty figure") << "0 0 0 0 0" << QStringList { "0 ≦ x ≦ 10 のとき y = 0" };
    QTest::newRow("five tall bars, one formula")
        << "3 3 3 3 3" << QStringList { "0 ≦ x ≦ 10 のとき y = 6x" };
    QTest::newRow("triangle after a square: corner at 2, 4 cm² before it")
        << "1 4 5 6 0"
        << QStringList { "0 ≦ x ≦ 2 のとき y = 2x", "2 ≦ x ≦ 8 のとき y = 1/2 (x − 2)² + 4",
                         "8 ≦ x ≦ 10 のとき y = 22" };
    QTest::newRow("triangle at the far end")
        << "0 0 4 5 6"
        << QStringList { "0 ≦ x ≦ 4 のとき y = 0", "4 ≦ x ≦ 10 のとき y = 1/2 (x − 4)²" };
    QTest::newRow("two squares merged")
        << "1 1 0 0 0" << QStringList { "0 ≦ x ≦ 4 のとき y = 2x", "4 ≦ x ≦ 10 のとき y = 8" };
    QTest::newRow("a gap, then a square")
        << "0 1 0 0 0"
        << QStringList { "0 ≦ x ≦ 2 のとき y = 0", "2 ≦ x ≦ 4 のとき y = 2x − 4",
                         "4 ≦ x ≦ 10 のとき y = 4" };
    QTest::newRow("a square after a gap meets y = 2x again")
        << "2 0 1 0 0"
        << QStringList { "0 ≦ x ≦ 2 のとき y = 4x", "2 ≦ x ≦ 4 のとき y = 8",
                         "4 ≦ x ≦ 6 のとき y = 2x", "6 ≦ x ≦ 10 のとき y = 12" };
    QTest::newRow("a triangle's columns without its corner show nothing")
        << "0 5 6 0 0" << QStringList { "0 ≦ x ≦ 10 のとき y = 0" };
}

void tst_Formulas::lines()
{
    QFETCH(QString, figure);
    QFETCH(QStringList, expected);
    QStringList written;
    for (const formulas::Stretch &s : formulas::stretches(codesFrom(figure)))
        written << formulas::line(s);
    QCOMPARE(written, expected);
}

void tst_Formulas::number_data()
{
    QTest::addColumn<Rational>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << Rational(0) << "0";
    QTest::newRow("whole") << Rational(26) << "26";
    QTest::newRow("negative whole, proper minus") << Rational(-6) << "−6";
    QTest::newRow("a half") << Rational(1, 2) << "1/2";
    QTest::newRow("a quarter") << Rational(2, 8) << "1/4";
    QTest::newRow("three quarters, negative") << Rational(-3, 4) << "−3/4";
    QTest::newRow("three halves") << Rational(3, 2) << "3/2";
    QTest::newRow("seven twelfths") << Rational(7, 12) << "7/12";
}

void tst_Formulas::number()
{
    QFETCH(Rational, value);
    QFETCH(QString, text);
    QCOMPARE(formulas::number(value), text);
}

void tst_Formulas::rightSide_data()
{
    QTest::addColumn<Quadratic>("y");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("plain");
    const Rational half(1, 2);
    QTest::newRow("coefficient 1 left out") << Quadratic { 1, 0, 0 } << "_x_^2"
                                            << "x²";
    QTest::newRow("slope 1 left out") << Quadratic { 0, 1, 0 } << "_x_"
                                      << "x";
    QTest::newRow("slope −1") << Quadratic { 0, -1, 3 } << "−_x_ [+] 3"
                              << "−x + 3";
    QTest::newRow("fraction slope") << Quadratic { 0, Rational(3, 2), -1 } << "{3|2}_x_ [−] 1"
                                    << "3/2 x − 1";
    QTest::newRow("corner left of 0, fraction term")
        << Quadratic { half, 3, 0 } << "{1|2}(_x_ [+] 3)^2 [−] {9|2}"
        << "1/2 (x + 3)² − 9/2";
    QTest::newRow("constant fraction") << Quadratic { 0, 0, half } << "{1|2}"
                                       << "1/2";
    QTest::newRow("negative constant") << Quadratic { 0, 0, -6 } << "−6"
                                       << "−6";
}

void tst_Formulas::rightSide()
{
    QFETCH(Quadratic, y);
    QFETCH(QString, set);
    QFETCH(QString, plain);
    QCOMPARE(setAs(formulas::rightSide(y)), set);
    QCOMPARE(formulas::plain(formulas::rightSide(y)), plain);
}

void tst_Formulas::variablesAndSignsMarked_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("set");
    QTest::newRow("a lone x and y") << "点Ｐが点Ｂから x cm 動いたとき、y cm² とします"
                                    << "点Ｐが点Ｂから _x_ cm 動いたとき、_y_ cm² とします";
    QTest::newRow("letters inside words stay") << "next to y, extra xy"
                                               << "next to _y_, extra xy";
    QTest::newRow("signs between blanks") << "For 0 ≤ x ≤ 6: y = 4x − 6"
                                          << "For 0 [≤] _x_ [≤] 6: _y_ [=] 4_x_ [−] 6";
    QTest::newRow("a sign without blanks is text") << "x−1 (cm)"
                                                   << "_x_−1 (cm)";
}

void tst_Formulas::variablesAndSignsMarked()
{
    QFETCH(QString, text);
    QFETCH(QString, set);
    QCOMPARE(setAs(formulas::written(text)), set);
}

void tst_Formulas::everyFormulaIsTheArea()
{
    const std::vector<Codes> figures = everyFigure();
    QVERIFY(figures.size() > 1000);
    for (const Codes &codes : figures) {
        const QString figure = textOf(codes);
        const std::vector<formulas::Stretch> s = formulas::stretches(codes);
        // The stretches cover 0 to 10 end to end, and break only where the formula changes.
        QVERIFY2(!s.empty() && s.front().from == 0 && s.back().to == 10, qPrintable(figure));
        for (size_t i = 0; i < s.size(); ++i) {
            QVERIFY2(s[i].from < s[i].to, qPrintable(figure));
            if (i + 1 < s.size()) {
                QVERIFY2(s[i].to == s[i + 1].from, qPrintable(figure));
                QVERIFY2(!(s[i].y == s[i + 1].y), qPrintable(figure));
            }
        }
        // Every formula whose stretch holds x gives the area, at every quarter centimetre.
        for (int quarters = 0; quarters <= 40; ++quarters) {
            const Rational x(quarters, 4);
            const double area = areaWithinQuarters(codes, quarters / 4.0);
            int holding = 0;
            for (const formulas::Stretch &stretch : s) {
                if (!formulas::holds(stretch, x))
                    continue;
                ++holding;
                QVERIFY2(stretch.y.at(x).toDouble() == area,
                         qPrintable(QStringLiteral("%1 at x = %2: %3 gives %4, area %5")
                                        .arg(figure)
                                        .arg(quarters / 4.0)
                                        .arg(formulas::line(stretch))
                                        .arg(stretch.y.at(x).toDouble())
                                        .arg(area)));
            }
            QVERIFY2(holding >= 1, qPrintable(figure));
        }
    }
}

QTEST_APPLESS_MAIN(tst_Formulas)
#include "tst_formulas.moc"
