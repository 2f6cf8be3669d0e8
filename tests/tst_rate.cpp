#include "core/rate.h"
#include "lesson.h"

#include <QTest>
#include <cmath>

using formulas::Rational;
using rate::Columns;

Q_DECLARE_METATYPE(Columns)
Q_DECLARE_METATYPE(rate::Kind)

namespace {

// A piece as the palette gives it: `height` 2, 4 or 6 for a bar, 0 for the triangle.
struct Piece
{
    int column;
    int height;
};

Columns codesOf(const std::vector<Piece> &pieces)
{
    Columns codes {};
    for (const Piece &p : pieces) {
        if (p.height)
            codes[p.column] = p.height / 2;
        else
            codes[p.column] = 4, codes[p.column + 1] = 5, codes[p.column + 2] = 6;
    }
    return codes;
}

// Every figure the lesson can hold: each column empty or one of the three bars, or a triangle
// over three columns.
void figures(std::vector<Piece> &pieces, int column, std::vector<std::vector<Piece>> &out)
{
    if (column >= 5) {
        out.push_back(pieces);
        return;
    }
    for (int height : { -1, 2, 4, 6, 0 }) {
        if (height == 0 && column > 2)
            continue;
        if (height >= 0)
            pieces.push_back({ column, height });
        figures(pieces, column + (height == 0 ? 3 : 1), out);
        if (height >= 0)
            pieces.pop_back();
    }
}

QString nameOf(const std::vector<Piece> &pieces)
{
    QStringList names;
    for (const Piece &p : pieces)
        names << (p.height ? QStringLiteral("bar%1@%2").arg(p.height).arg(p.column)
                           : QStringLiteral("triangle@%1").arg(p.column));
    return names.isEmpty() ? QStringLiteral("empty") : names.join(u' ');
}

// The area in eighths of a cm² of the figure over the half centimetre [s/2, s/2 + 1/2]. A bar
// h high gives h/2 cm². The triangle is u cm high u cm past its tip, so the slice u to u + 1/2
// is a trapezoid of (2u + 1/2)/4 cm².
long long sliceEighths(const std::vector<Piece> &pieces, int s)
{
    long long eighths = 0;
    for (const Piece &p : pieces) {
        const int first = 4 * p.column; // half centimetres
        if (p.height && s >= first && s < first + 4)
            eighths += 4 * p.height;
        if (!p.height && s >= first && s < first + 12)
            eighths += 2 * (s - first) + 1;
    }
    return eighths;
}

double shoelace(const std::vector<QPointF> &polygon)
{
    double twice = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Piece>)
Q_DECLARE_METATYPE(Rational)

class tst_Rate : public QObject
{
    Q_OBJECT

private slots:
    void everyFigureEveryInterval_data();
    void everyFigureEveryInterval();
    void workedExample_data();
    void workedExample();
    void sentenceKind_data();
    void sentenceKind();
    void decimal_data();
    void decimal();
    void noIntervalUnlessFromBeforeTo();
};

void tst_Rate::everyFigureEveryInterval_data()
{
    QTest::addColumn<Columns>("codes");
    QTest::addColumn<std::vector<Piece>>("pieces");
    std::vector<Piece> pieces;
    std::vector<std::vector<Piece>> all;
    figures(pieces, 0, all);
    QCOMPARE(all.size(), size_t(4 * 4 * 4 * 4 * 4 + 3 * 4 * 4));
    for (const std::vector<Piece> &figure : all)
        QTest::newRow(qPrintable(nameOf(figure))) << codesOf(figure) << figure;
}

void tst_Rate::everyFigureEveryInterval()
{
    QFETCH(Columns, codes);
    QFETCH(std::vector<Piece>, pieces);
    for (int from = 0; from < 20; ++from) {
        long long eighths = 0;
        for (int to = from + 1; to <= 20; ++to) {
            eighths += sliceEighths(pieces, to - 1);
            const Rational dx(to - from, 2), dy(eighths, 8);
            const auto got = rate::interval(codes, from, to);
            const QString where = QStringLiteral("%1/2 to %2/2").arg(from).arg(to);
            QVERIFY2(got, qPrintable(where));
            QVERIFY2(got->fromHalves == from && got->toHalves == to, qPrintable(where));
            QVERIFY2(got->dx == dx && got->dy == dy && got->rate == dy / dx,
                     qPrintable(where
                                + QStringLiteral(": dy %1, expected %2")
                                      .arg(formulas::number(got->dy), formulas::number(dy))));

            const auto polygons = rate::strip(codes, *got);
            double area = 0;
            size_t touched = 0;
            for (const Piece &p : pieces) {
                const int left = 4 * p.column, right = left + (p.height ? 4 : 12);
                touched += left < to && from < right;
            }
            QVERIFY2(polygons.size() == touched, qPrintable(where));
            for (const std::vector<QPointF> &polygon : polygons) {
                QVERIFY2(polygon.size() >= 3, qPrintable(where));
                for (size_t i = 0; i < polygon.size(); ++i) {
                    const QPointF c = polygon[i];
                    QVERIFY2(c != polygon[(i + 1) % polygon.size()], qPrintable(where));
                    QVERIFY2(c.x() >= from / 2.0 && c.x() <= to / 2.0 && c.y() >= 0 && c.y() <= 6,
                             qPrintable(where));
                }
                const double a = shoelace(polygon);
                QVERIFY2(a > 0, qPrintable(where + QStringLiteral(": not counter-clockwise")));
                area += a;
            }
            // Every corner is a multiple of 1/2, so the sum is exact in a double.
            QVERIFY2(area == dy.toDouble(), qPrintable(where));
        }
    }
}

void tst_Rate::workedExample_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("dx");
    QTest::addColumn<QString>("dy");
    QTest::addColumn<Rational>("rate");
    QTest::addColumn<QString>("line");
    QTest::newRow("6 to 8 over the bar") << 12 << 16 << "+2"
                                         << "+8" << Rational(4) << "変化の割合 = 8 ÷ 2 = 4";
    QTest::newRow("0 to 6 over the triangle") << 0 << 12 << "+6"
                                              << "+18" << Rational(3) << "変化の割合 = 18 ÷ 6 = 3";
    QTest::newRow("2 to 4") << 4 << 8 << "+2"
                            << "+6" << Rational(3) << "変化の割合 = 6 ÷ 2 = 3";
    QTest::newRow("4 to 6") << 8 << 12 << "+2"
                            << "+10" << Rational(5) << "変化の割合 = 10 ÷ 2 = 5";
    QTest::newRow("0 to 1, a half") << 0 << 2 << "+1"
                                    << "+0.5" << Rational(1, 2) << "変化の割合 = 0.5 ÷ 1 = 1/2";
    QTest::newRow("0 to 0.5, an eighth over a half")
        << 0 << 1 << "+0.5"
        << "+0.125" << Rational(1, 4) << "変化の割合 = 0.125 ÷ 0.5 = 1/4";
    QTest::newRow("5.5 to 7.5, not whole x")
        << 11 << 15 << "+2"
        << "+8.875" << Rational(71, 16) << "変化の割合 = 8.875 ÷ 2 = 71/16";
}

void tst_Rate::workedExample()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, dx);
    QFETCH(QString, dy);
    QFETCH(Rational, rate);
    QFETCH(QString, line);
    const auto got = rate::interval(lesson::workedExample, from, to);
    QVERIFY(got);
    QCOMPARE(rate::increase(got->dx), dx);
    QCOMPARE(rate::increase(got->dy), dy);
    QVERIFY(got->rate == rate);
    QCOMPARE(rate::lineText(*got), line);
    // A rate that is not whole is set as a stacked fraction at the end of the line.
    const formulas::Written written = rate::line(*got);
    const formulas::Part last = written.back();
    if (rate.d == 1)
        QCOMPARE(last.kind, formulas::Part::Text);
    else
        QVERIFY(last
                == (formulas::Part { formulas::Part::Fraction, QString::number(rate.n),
                                     QString::number(rate.d) }));
    // The worksheet asks with x as the table prints it and answers with the same line.
    const QString x1 = QString::number(from / 2.0), x2 = QString::number(to / 2.0);
    QCOMPARE(rate::increases(*got),
             QStringLiteral("x の増加量 %1、y の増加量 %2").arg(dx.mid(1), dy.mid(1)));
    QCOMPARE(
        rate::question(*got),
        QStringLiteral("x が %1 から %2 まで増加するときの変化の割合を求めなさい").arg(x1, x2));
}

void tst_Rate::sentenceKind_data()
{
    QTest::addColumn<Columns>("codes");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<rate::Kind>("kind");
    QTest::addColumn<QString>("sentence");
    const QString straight
        = QStringLiteral("x が 1 cm 増えるごとに y は %1 cm² 増える（辺ABを通る図形の高さ %1 cm）");
    const QString curved = QStringLiteral(
        "変化の割合は一定ではない。辺ABを通る図形が高くなるので、y の増え方も大きくなる");
    const QString several
        = QStringLiteral("変化の割合はこの間の平均。途中で辺ABを通る図形の高さが変わる");
    QTest::newRow("bar, touching the triangle's end")
        << lesson::workedExample << 12 << 16 << rate::Kind::Straight << straight.arg(4);
    QTest::newRow("nothing at AB")
        << lesson::workedExample << 16 << 20 << rate::Kind::Straight
        << QStringLiteral("x が増えても y は増えない（辺ABを通る図形がない）");
    QTest::newRow("two squares are one stretch")
        << Columns { 1, 1, 0, 0, 0 } << 1 << 7 << rate::Kind::Straight << straight.arg(2);
    QTest::newRow("within the triangle")
        << lesson::workedExample << 4 << 8 << rate::Kind::Curved << curved;
    QTest::newRow("triangle into the bar")
        << lesson::workedExample << 11 << 13 << rate::Kind::Several << several;
    QTest::newRow("two different bars")
        << Columns { 3, 1, 0, 0, 0 } << 2 << 6 << rate::Kind::Several << several;
}

void tst_Rate::sentenceKind()
{
    QFETCH(Columns, codes);
    QFETCH(int, from);
    QFETCH(int, to);
    const auto got = rate::interval(codes, from, to);
    QVERIFY(got);
    QFETCH(rate::Kind, kind);
    QFETCH(QString, sentence);
    QCOMPARE(rate::kind(codes, *got), kind);
    QCOMPARE(rate::sentence(codes, *got), sentence);
}

void tst_Rate::decimal_data()
{
    QTest::addColumn<Rational>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << Rational(0) << "0";
    QTest::newRow("whole") << Rational(26) << "26";
    QTest::newRow("eighth") << Rational(1, 8) << "0.125";
    QTest::newRow("fortieth, zeros kept") << Rational(1, 40) << "0.025";
    QTest::newRow("over ten") << Rational(101, 8) << "12.625";
    QTest::newRow("no finite decimal") << Rational(1, 3) << "1/3";
}

void tst_Rate::decimal()
{
    QFETCH(Rational, value);
    QFETCH(QString, text);
    QCOMPARE(rate::decimal(value), text);
}

void tst_Rate::noIntervalUnlessFromBeforeTo()
{
    QVERIFY(!rate::interval(lesson::workedExample, 4, 4));
    QVERIFY(!rate::interval(lesson::workedExample, 6, 4));
    QVERIFY(!rate::interval(lesson::workedExample, -1, 4));
    QVERIFY(!rate::interval(lesson::workedExample, 0, 21));
}

QTEST_GUILESS_MAIN(tst_Rate)
#include "tst_rate.moc"
