#include "core/challenge.h"
#include "core/figurecolumns.h"
#include "lesson.h"

#include <QtTest>
#include <random>
#include <set>

// The challenges' targets, verdicts and choices, against y measured from the pieces' shapes and
// the figures the palette can build, never against the challenge code's own arithmetic.

using namespace lesson;
using challenge::Verdict;

namespace {

using Ys = std::array<double, 21>;

const std::set<Codes> &buildable()
{
    static const std::set<Codes> all = [] {
        const std::vector<Codes> v = everyFigure();
        return std::set<Codes>(v.begin(), v.end());
    }();
    return all;
}

int piecesIn(const Codes &codes)
{
    return int(std::count_if(codes.begin(), codes.end(),
                             [](double c) { return (c >= 1 && c <= 3) || c == 4; }));
}

// How the learner's column differs from the target's, from the heights at its two sides.
Verdict::Kind differenceIn(const Codes &learner, const Codes &target, int column)
{
    const double d = 40.0 * column;
    const double l0 = heightAt(learner, d + 1), l1 = heightAt(learner, d + 39);
    const double t0 = heightAt(target, d + 1), t1 = heightAt(target, d + 39);
    if (l0 == t0 && l1 == t1)
        return Verdict::Solved;
    if (l0 == l1 && t0 == t1)
        return l0 > t0 ? Verdict::Steeper : Verdict::Gentler;
    return Verdict::Curve;
}

// The figure built again through the lesson's drops in another order: bars from the right,
// and a decoy square on each side of the triangle's middle that the triangle then replaces.
Codes builtAnotherWay(const Codes &codes)
{
    Codes built {};
    for (int k = 0; k < 3; ++k) {
        if (codes[k] == 4) {
            figurecolumns::drop(built, 1, k);
            figurecolumns::drop(built, 1, k + 2);
        }
    }
    for (int k = 4; k >= 0; --k) {
        if (codes[k] >= 1 && codes[k] <= 3)
            figurecolumns::drop(built, codes[k], k);
    }
    for (int k = 0; k < 3; ++k) {
        if (codes[k] == 4)
            figurecolumns::drop(built, 4, k + 1);
    }
    return built;
}

QString said(quint32 seed, const Codes &a, const Codes &b = {})
{
    return QStringLiteral("seed %1: %2 / %3").arg(seed).arg(textOf(a), textOf(b));
}

} // namespace

class tst_Challenge : public QObject
{
    Q_OBJECT

private slots:
    void levels_data();
    void levels();
    void namedTargetsStayTheSame_data();
    void namedTargetsStayTheSame();
    void everyFigureHasAGraphOfItsOwn();
    void choices_data();
    void choices();
    void texts_data();
    void texts();
};

void tst_Challenge::levels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("piecesWithTriangle"); // 0: never the triangle; -1: always
    QTest::newRow("level 1: one bar") << 1 << 1 << 0;
    QTest::newRow("level 2: two bars") << 2 << 2 << 0;
    QTest::newRow("level 3: the triangle and a bar") << 3 << -1 << 2;
    QTest::newRow("level 4: four bars, or the triangle and two") << 4 << 4 << 3;
}

void tst_Challenge::levels()
{
    QFETCH(int, level);
    QFETCH(int, pieces);
    QFETCH(int, piecesWithTriangle);
    const std::vector<Codes> all = everyFigure();
    std::mt19937 pickWrong { quint32(level) };
    std::set<Codes> seen;
    for (quint32 seed = 0; seed < 200; ++seed) {
        const Codes target = challenge::level(level, seed);
        QVERIFY2(buildable().count(target), qPrintable(said(seed, target)));
        QVERIFY(challenge::buildable(target));
        QVERIFY2(challenge::level(level, seed) == target, qPrintable(said(seed, target)));
        const bool triangle = std::count(target.begin(), target.end(), 4.0) == 1;
        QVERIFY2(triangle ? piecesWithTriangle != 0 : pieces != -1, qPrintable(said(seed, target)));
        QCOMPARE(piecesIn(target), triangle ? piecesWithTriangle : pieces);
        seen.insert(target);

        const Codes twin = builtAnotherWay(target);
        QVERIFY2(twin == target, qPrintable(said(seed, target, twin)));
        QCOMPARE(challenge::compare(twin, target).kind, Verdict::Solved);

        Codes wrong = all[pickWrong() % all.size()];
        if (wrong == target)
            wrong = Codes {};
        const Ys mine = ysOf(wrong), theirs = ysOf(target);
        const int first
            = int(std::mismatch(mine.begin(), mine.end(), theirs.begin()).first - mine.begin());
        QVERIFY2(first <= 20, qPrintable(said(seed, wrong, target)));
        // The half centimetre that first differs lies in the column the verdict starts at.
        const int column = (first - 1) / 4;
        const Verdict::Kind kind = differenceIn(wrong, target, column);
        int last = column;
        while (last < 4 && differenceIn(wrong, target, last + 1) == kind)
            ++last;
        const Verdict v = challenge::compare(wrong, target);
        QVERIFY2(v.kind == kind, qPrintable(said(seed, wrong, target)));
        QVERIFY2(v.from == 2 * column && v.to == 2 * last + 2,
                 qPrintable(said(seed, wrong, target)
                            + QStringLiteral(": %1 to %2")
                                  .arg(formulas::number(v.from), formulas::number(v.to))));
    }
    // A seed names a figure of its own, not one of a few.
    QVERIFY2(seen.size() >= 10, qPrintable(QString::number(seen.size())));
}

// A teacher names a target by level and seed ("レベル 3 の 17"): the name must mean the same
// figure with every standard library and in every later version.
void tst_Challenge::namedTargetsStayTheSame_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QString>("codes");
    QTest::newRow("level 1, 17") << 1 << 17u << "0 2 0 0 0";
    QTest::newRow("level 2, 0") << 2 << 0u << "1 0 0 0 1";
    QTest::newRow("level 3, 0: the worked example") << 3 << 0u << "4 5 6 2 0";
    QTest::newRow("level 3, 17") << 3 << 17u << "2 4 5 6 0";
    QTest::newRow("level 4, 17") << 4 << 17u << "3 1 0 2 3";
    QTest::newRow("level 4, largest seed") << 4 << 4294967295u << "0 2 2 3 3";
}

void tst_Challenge::namedTargetsStayTheSame()
{
    QFETCH(int, level);
    QFETCH(quint32, seed);
    QFETCH(QString, codes);
    QCOMPARE(textOf(challenge::level(level, seed)), codes);
}

// The graph fixes the height at AB at every x, so no figure is built differently with the same
// graph: the same figure dropped in another order is the only twin (see levels()).
void tst_Challenge::everyFigureHasAGraphOfItsOwn()
{
    std::set<Ys> graphs;
    for (const Codes &codes : everyFigure()) {
        QVERIFY(challenge::buildable(codes));
        QCOMPARE(challenge::compare(codes, codes).kind, Verdict::Solved);
        graphs.insert(ysOf(codes));
    }
    QCOMPARE(graphs.size(), buildable().size());
    // Codes the palette cannot leave behind: half a triangle, a triangle past C, no piece.
    for (const char *odd : { "5 6 0 0 0", "0 0 0 4 5", "4 5 0 0 0", "7 0 0 0 0", "0 0.5 0 0 0" })
        QVERIFY2(!challenge::buildable(codesFrom(QLatin1String(odd))), odd);
}

void tst_Challenge::choices_data()
{
    QTest::addColumn<int>("level"); // 0: every figure the palette builds, the seed its index
    for (int level = 1; level <= challenge::levels; ++level)
        QTest::addRow("level %d, 200 seeds", level) << level;
    QTest::newRow("every figure") << 0;
}

void tst_Challenge::choices()
{
    QFETCH(int, level);
    const std::vector<Codes> all = everyFigure();
    const quint32 count = level ? 200 : quint32(all.size());
    std::array<int, 4> rightAt {};
    for (quint32 seed = 0; seed < count; ++seed) {
        const Codes figure = level ? challenge::level(level, seed) : all[seed];
        int right = -1;
        const auto four = challenge::choices(figure, seed, &right);
        QVERIFY2(right >= 0 && right < 4 && four[size_t(right)] == figure,
                 qPrintable(said(seed, figure)));
        ++rightAt[size_t(right)];
        int equal = 0;
        for (size_t i = 0; i < 4; ++i) {
            QVERIFY2(buildable().count(four[i]), qPrintable(said(seed, figure, four[i])));
            equal += ysOf(four[i]) == ysOf(figure);
            for (size_t j = 0; j < i; ++j)
                QVERIFY2(ysOf(four[i]) != ysOf(four[j]), qPrintable(said(seed, four[i], four[j])));
        }
        QCOMPARE(equal, 1);
        QVERIFY(challenge::choices(figure, seed, nullptr) == four);
    }
    // Shuffled: the right graph is not always in one place.
    for (int n : rightAt)
        QVERIFY2(n > 0,
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(rightAt[0])
                                .arg(rightAt[1])
                                .arg(rightAt[2])
                                .arg(rightAt[3])));
}

void tst_Challenge::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto verdict = [](Verdict::Kind kind, int from, int to) {
        return challenge::text(Verdict { kind, from, to });
    };
    QTest::newRow("solved") << verdict(Verdict::Solved, 0, 0)
                            << QStringLiteral("正解です。グラフが目標と重なりました");
    QTest::newRow("too high over one column")
        << verdict(Verdict::Steeper, 2, 4)
        << QStringLiteral("2 ≦ x ≦ 4 で、グラフが目標より急です（図形が高すぎます）");
    QTest::newRow("too low from the start")
        << verdict(Verdict::Gentler, 0, 6)
        << QStringLiteral("0 ≦ x ≦ 6 で、グラフが目標よりゆるやかです（図形が低すぎます）");
    QTest::newRow("curved differently up to the end")
        << verdict(Verdict::Curve, 4, 10)
        << QStringLiteral("4 ≦ x ≦ 10 で、グラフの曲がり方が目標と違います");
    QTest::newRow("level name") << challenge::levelName(3, 17) << QStringLiteral("レベル 3 の 17");
    QTest::newRow("labels") << challenge::choiceLabel(0) + challenge::choiceLabel(1)
            + challenge::choiceLabel(2) + challenge::choiceLabel(3)
                            << QStringLiteral("アイウエ");
}

void tst_Challenge::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

QTEST_GUILESS_MAIN(tst_Challenge)
#include "tst_challenge.moc"
