#include "core/challenge.h"

#include "core/figurecolumns.h"
#include "core/lessonformat.h"
#include "core/numtext.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace challenge {

using formulas::Rational;

namespace {

// Our own generator and our own way to pick from it, so that "レベル 3 の 17" is the same figure
// with every standard library (splitmix64, then a multiply-shift into the range).
class Random
{
public:
    Random(quint32 seed, quint32 stream)
        : state((std::uint64_t(stream) << 32) | seed)
    { }

    int below(int n)
    {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        const std::uint32_t r = std::uint32_t((z ^ (z >> 31)) >> 32);
        return int((std::uint64_t(r) * std::uint64_t(n)) >> 32);
    }

    template<typename T> void shuffle(std::vector<T> &v)
    {
        for (size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[size_t(below(int(i)))]);
    }

private:
    std::uint64_t state;
};

// Separate streams, so that the levels and the choices of one seed are unrelated.
constexpr quint32 choiceStream = 0x43484F49;

bool isBar(double code)
{
    return code == 1 || code == 2 || code == 3;
}

// The column a drop aims at: a triangle is held by its middle column.
int dropColumn(const lessonformat::Piece &piece)
{
    return piece.kind == lessonformat::PieceKind::Triangle ? piece.column + 1 : piece.column;
}

double codeOf(lessonformat::PieceKind kind)
{
    return kind == lessonformat::PieceKind::Triangle ? 4 : int(kind) + 1;
}

// The shape of the figure over column k, read from y's formula there: the height at the
// column's left side and whether it rises across the column (only the triangle does).
struct Shape
{
    Rational height;
    bool rising = false;
    friend bool operator==(const Shape &, const Shape &) = default;
};

Shape shapeOf(const std::vector<formulas::Stretch> &stretches, int k)
{
    const Rational middle = 2 * k + 1;
    for (const formulas::Stretch &s : stretches) {
        if (formulas::holds(s, middle)) // y′ = 2ax + b is the height
            return { 2 * s.y.a * Rational(2 * k) + s.y.b, s.y.a != 0 };
    }
    return {};
}

Verdict::Kind difference(const Shape &learner, const Shape &target)
{
    if (learner == target)
        return Verdict::Solved;
    if (learner.rising || target.rising)
        return Verdict::Curve;
    return target.height < learner.height ? Verdict::Steeper : Verdict::Gentler;
}

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(challenge)
};

QString bound(Rational x)
{
    return numtext::printed(x.toDouble()).trimmed();
}

void addIfBuildable(std::vector<Figure> &out, const Figure &figure)
{
    if (buildable(figure))
        out.push_back(figure);
}

// A piece swapped for another: a bar for a bar of another height, the triangle for a bar in its
// middle column; an empty figure gets a bar.
std::vector<Figure> swapped(const Figure &f)
{
    std::vector<Figure> out;
    for (int k = 0; k < 5; ++k) {
        for (int code = 1; code <= 3; ++code) {
            Figure g = f;
            if (isBar(f[k]) && f[k] != code) {
                g[k] = code;
            } else if (f[k] == 4) {
                g[k] = g[k + 1] = g[k + 2] = 0;
                g[k + 1] = code;
            } else if (f == Figure {}) {
                g[k] = code;
            } else {
                continue;
            }
            addIfBuildable(out, g);
        }
    }
    return out;
}

// A piece moved one column left or right into room beside it, or two neighbouring bars
// exchanged: the same stretch of graph a column earlier or later.
std::vector<Figure> shifted(const Figure &f)
{
    std::vector<Figure> out;
    for (const lessonformat::Piece &p : lessonformat::piecesOf(f)) {
        for (int by : { -1, 1 }) {
            Figure g = f;
            figurecolumns::takeOff(g, codeOf(p.kind), p.column);
            if (figurecolumns::drop(g, codeOf(p.kind), dropColumn(p) + by)
                && lessonformat::piecesOf(g).size() == lessonformat::piecesOf(f).size())
                addIfBuildable(out, g);
        }
    }
    for (int k = 0; k + 1 < 5; ++k) {
        if (isBar(f[k]) && isBar(f[k + 1]) && f[k] != f[k + 1]) {
            Figure g = f;
            std::swap(g[k], g[k + 1]);
            addIfBuildable(out, g);
        }
    }
    return out;
}

// Straight for curved: the triangle becomes the three bars of its heights. Curved for
// straight: three columns become the triangle.
std::vector<Figure> bent(const Figure &f)
{
    std::vector<Figure> out;
    for (int k = 0; k <= 2; ++k) {
        Figure g = f;
        if (f[k] == 4) {
            g[k] = 1, g[k + 1] = 2, g[k + 2] = 3;
        } else if (!hasTriangle(f)) {
            g[k] = g[k + 1] = g[k + 2] = 0;
            figurecolumns::drop(g, 4, k + 1);
        } else {
            continue;
        }
        addIfBuildable(out, g);
    }
    return out;
}

} // namespace

bool buildable(const Figure &figure)
{
    Figure built {};
    for (const lessonformat::Piece &p : lessonformat::piecesOf(figure)) {
        if (!figurecolumns::drop(built, codeOf(p.kind), dropColumn(p)))
            return false;
    }
    return built == figure;
}

int pieceCount(const Figure &figure)
{
    return int(lessonformat::piecesOf(figure).size());
}

bool hasTriangle(const Figure &figure)
{
    return std::find(figure.begin(), figure.begin() + 3, 4.0) != figure.begin() + 3;
}

Figure level(int level, quint32 seed)
{
    level = std::clamp(level, 1, levels);
    Random random(seed, quint32(level));
    Figure f {};
    int bars = level == 1 ? 1 : level == 2 ? 2 : level == 3 ? 1 : 4;
    if (level == 3 || (level == 4 && random.below(3) == 0)) {
        figurecolumns::drop(f, 4, 1 + random.below(3));
        bars = level == 3 ? 1 : 2;
    }
    for (int i = 0; i < bars; ++i) {
        std::vector<int> free;
        for (int k = 0; k < 5; ++k) {
            if (f[k] == 0)
                free.push_back(k);
        }
        const int column = free[size_t(random.below(int(free.size())))];
        figurecolumns::drop(f, 1 + random.below(3), column);
    }
    return f;
}

QString levelName(int level, quint32 seed)
{
    //: a target named by its level and its seed: level 3, number 17
    return Text::tr("レベル %1 の %2").arg(level).arg(seed);
}

Rational yAt(const Figure &figure, Rational x)
{
    for (const formulas::Stretch &s : formulas::stretches(figure)) {
        if (formulas::holds(s, x))
            return s.y.at(x);
    }
    return 0;
}

bool sameGraph(const Figure &a, const Figure &b)
{
    for (int i = 0; i <= 20; ++i) {
        if (yAt(a, Rational(i, 2)) != yAt(b, Rational(i, 2)))
            return false;
    }
    return true;
}

Verdict compare(const Figure &learner, const Figure &target)
{
    if (sameGraph(learner, target))
        return {};
    // Up to the first column whose shapes differ the graphs agree; so that the learner knows
    // which pieces to change, the stretch covers that column and the following ones that differ
    // the same way.
    const auto mine = formulas::stretches(learner), theirs = formulas::stretches(target);
    Verdict v;
    for (int k = 0; k < 5; ++k) {
        const Verdict::Kind kind = difference(shapeOf(mine, k), shapeOf(theirs, k));
        if (v.kind == Verdict::Solved && kind != Verdict::Solved) {
            v = { kind, 2 * k, 2 * k + 2 };
        } else if (v.kind != Verdict::Solved) {
            if (kind != v.kind)
                break;
            v.to = 2 * k + 2;
        }
    }
    return v;
}

QString text(const Verdict &v)
{
    switch (v.kind) {
    case Verdict::Solved:
        //: the learner's graph is the target's
        return Text::tr("正解です。グラフが目標と重なりました");
    case Verdict::Steeper:
        //: where the learner's graph rises faster than the target's
        return Text::tr("%1 ≦ x ≦ %2 で、グラフが目標より急です（図形が高すぎます）")
            .arg(bound(v.from), bound(v.to));
    case Verdict::Gentler:
        //: where the learner's graph rises more slowly than the target's
        return Text::tr("%1 ≦ x ≦ %2 で、グラフが目標よりゆるやかです（図形が低すぎます）")
            .arg(bound(v.from), bound(v.to));
    case Verdict::Curve:
        //: where one graph is straight and the other curved, or both curve from other heights
        return Text::tr("%1 ≦ x ≦ %2 で、グラフの曲がり方が目標と違います")
            .arg(bound(v.from), bound(v.to));
    }
    return {};
}

std::array<Figure, 4> choices(const Figure &figure, quint32 seed, int *right)
{
    Random random(seed, choiceStream);
    std::vector<Figure> picked { figure };
    const auto taken = [&](const Figure &g) {
        return std::any_of(picked.begin(), picked.end(),
                           [&](const Figure &p) { return sameGraph(p, g); });
    };
    std::vector<Figure> spare;
    for (std::vector<Figure> misses : { swapped(figure), shifted(figure), bent(figure) }) {
        random.shuffle(misses);
        const auto own = std::find_if(misses.begin(), misses.end(),
                                      [&](const Figure &g) { return !taken(g); });
        if (own != misses.end())
            picked.push_back(*own);
        spare.insert(spare.end(), misses.begin(), misses.end());
    }
    // A figure with no miss of some kind (nothing to shift in a full row) gets another of the
    // other kinds.
    for (const Figure &g : spare) {
        if (picked.size() < 4 && !taken(g))
            picked.push_back(g);
    }
    while (picked.size() < 4) // cannot happen: every figure has at least three swaps or bends
        picked.push_back(picked.back());
    random.shuffle(picked);
    if (right)
        *right = int(std::find(picked.begin(), picked.end(), figure) - picked.begin());
    return { picked[0], picked[1], picked[2], picked[3] };
}

QString choiceLabel(int index)
{
    switch (index) {
    case 0:
        //: the first of four answers, as a Japanese test labels them
        return Text::tr("ア");
    case 1:
        return Text::tr("イ");
    case 2:
        return Text::tr("ウ");
    case 3:
        return Text::tr("エ");
    }
    return {};
}

} // namespace challenge
