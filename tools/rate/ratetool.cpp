// The rate of change from a start point to P. Everything here stands above the panels'
// pictures as controls of its own, so switching the tool off gives back the lesson's pixels.
#include "tools/rate/ratetool.h"

#include "core/lessonformat.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picture.h"
#include "toolkit/picturepanel.h"
#include "tools/formulapaint.h"
#include "tools/host/toolhost.h"
#include "tools/jump/jump.h"

#include <QHash>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace {

// The tool's own colours: orange marks, a darker start marker, a light tint on the board.
const QColor legColour(230, 90, 0);
const QColor markerColour(150, 40, 0);
const QColor stripTint(255, 140, 0, 100);
const QColor stripHatch(230, 90, 0, 200);
const QColor chalk(255, 200, 120);

// The board's picture: the text goes into the empty left of the palette band, the strip lies
// in the rectangle left of AB.
constexpr QRect boardArea(0, 0, 310, 310);
constexpr double textLeft = 8, textTop = 6, textWidth = 280;
constexpr int textArea = 140; // the palette band's height

// The chord on the graph: dashes of 4 pixels, 2 apart.
constexpr double dashOn = 4, dashPeriod = 6;

// The table: arrows above the x row and below the y row, clear of the printed numbers.
constexpr double xArrowY = 14, yArrowY = 100, markerTop = 2;

// The device pixels of `image` that are not clear (an empty rectangle if none).
QRect deviceInk(const QImage &image)
{
    int left = image.width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The small texts beside the arrows and the legs: their font and metrics, and each text's
// width measured once, as they are drawn again on every step.
struct MarkText
{
    QFont font = fonts::gothic(9, true);
    QFontMetricsF metrics { font };
    QHash<QString, qreal> widths;

    static MarkText &get()
    {
        static MarkText marks;
        return marks;
    }

    qreal width(const QString &text)
    {
        auto found = widths.find(text);
        if (found == widths.end()) {
            if (widths.size() > 256)
                widths.clear();
            found = widths.insert(text, metrics.horizontalAdvance(text));
        }
        return *found;
    }
    // Where `text` drawn from `at` lays its ink, with a pixel to spare.
    QRectF box(QPointF at, const QString &text)
    {
        return QRectF(at.x() - 1, at.y() - metrics.ascent() - 1, width(text) + 2,
                      metrics.ascent() + metrics.descent() + 2);
    }

    // Draws `text` in the pen's colour with its baseline starting at `at`, into `image`, the
    // painter's own untransformed device. Each text is set once for each fraction of a device
    // pixel it starts at and copied from then on: the raster engine's blending of glyphs costs
    // more than a copy, and the same increases come back step after step.
    void draw(QPainter &p, QImage &image, QPointF at, const QString &text)
    {
        if (!p.transform().isIdentity() || p.device() != &image
            || image.format() != QImage::Format_ARGB32_Premultiplied) {
            formulas::drawText(p, font, p.device(), at, text);
            return;
        }
        const qreal r = image.devicePixelRatio();
        // The glyphs are placed in 64ths of a pixel.
        const qint64 x64 = std::llround(at.x() * r * 64), y64 = std::llround(at.y() * r * 64);
        const QPoint whole(int(x64 >> 6), int(y64 >> 6));
        const QRgb pen = p.pen().color().rgba();
        const SetKey key { text, r, int(x64 & 63), int(y64 & 63), pen };
        auto found = set.constFind(key);
        if (found == set.cend()) {
            if (set.size() > 256)
                set.clear();
            // The baseline's start lies at `origin`, plus the fraction, in the set image.
            const QPoint origin(int(std::ceil(2 * r)), int(std::ceil((metrics.ascent() + 2) * r)));
            QImage glyphs(QSize(origin.x() + int(std::ceil((width(text) + 4) * r)),
                                origin.y() + int(std::ceil((metrics.descent() + 2) * r))),
                          QImage::Format_ARGB32_Premultiplied);
            glyphs.setDevicePixelRatio(r);
            glyphs.fill(Qt::transparent);
            QPainter q(&glyphs);
            q.setRenderHints(p.renderHints());
            q.setPen(p.pen());
            formulas::drawText(
                q, font, &glyphs,
                QPointF((origin.x() + key.x64 / 64.0) / r, (origin.y() + key.y64 / 64.0) / r),
                text);
            q.end();
            // Kept only where the glyphs lay ink: most of the box is clear.
            const QRect ink = deviceInk(glyphs);
            found = set.insert(key, { glyphs.copy(ink), origin - ink.topLeft() });
        }
        blendOver(image, found->glyphs, whole - found->origin);
    }

private:
    struct SetKey
    {
        QString text;
        qreal ratio;
        int x64, y64; // the start's fraction of a device pixel, in 64ths
        QRgb pen;
        bool operator==(const SetKey &) const = default;
        friend size_t qHash(const SetKey &k, size_t seed = 0)
        {
            return qHashMulti(seed, k.text, k.ratio, k.x64, k.y64, k.pen);
        }
    };
    struct Set
    {
        QImage glyphs;
        QPoint origin;
    };
    QHash<SetKey, Set> set;
};

Lesson::State stateOf(const ToolHost &host)
{
    return host.lesson().state();
}

// Paints "start ─→ end" with a tick at each end and the increase beside the head.
// (Level and upright lines are filled as rectangles: the raster engine strokes a thin line
// pixel by pixel.)
QPointF arrowLabelAt(double to, double y)
{
    return QPointF(to + 5, y + MarkText::get().metrics.ascent() / 2 - 1);
}

void drawArrow(QPainter &p, QImage &image, double from, double to, double y, const QString &label)
{
    p.fillRect(QRectF(from, y - 0.5, to - from, 1), legColour);
    p.fillRect(QRectF(from - 0.5, y - 4, 1, 8), legColour);
    p.fillRect(QRectF(to - 0.5, y - 4, 1, 8), legColour);
    p.setPen(Qt::NoPen);
    p.setBrush(legColour);
    p.drawPolygon(QPolygonF({ QPointF(to, y), QPointF(to - 6, y - 3), QPointF(to - 6, y + 3) }));
    p.setPen(legColour);
    MarkText::get().draw(p, image, arrowLabelAt(to, y), label);
}

// Where an arrow and its label lay ink: one rectangle, as every rectangle of a repaint costs the
// panel a round of its controls.
QRect arrowBounds(double from, double to, double y, const QString &label)
{
    return (QRectF(from - 2, y - 5, to - from + 4, 10)
            | MarkText::get().box(arrowLabelAt(to, y), label))
        .toAlignedRect();
}

// A small triangle pointing down at `tip`.
void drawMarker(QPainter &p, QPointF tip)
{
    p.setPen(Qt::NoPen);
    p.setBrush(markerColour);
    p.drawPolygon(QPolygonF({ tip, tip + QPointF(-6, -9), tip + QPointF(6, -9) }));
}

// Makes the device pixels `device` of a 32-bit image clear.
void clearPixels(QImage &image, const QRect &device)
{
    for (int y = device.top(); y <= device.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row + device.left(), row + device.right() + 1, 0u);
    }
}

// Rectangles of picture pixels, which may overlap.
using Boxes = std::vector<QRect>;

// The marks of one panel: a control standing above its picture, painted by the panel in the
// same pass as the picture under it. (A widget of their own over the panel would have every
// repaint of the panel painted twice, and every repaint of the lesson passed to it.)
class MarkItem : public PanelItem
{
public:
    MarkItem(RateTool &tool, PicturePanel *panel)
        : PanelItem(panel)
        , t(tool)
    { }

    QRect bounds() const override { return m_bounds; }
    void paint(QPainter &p) const override
    {
        paintPiece(p, QRect(QPoint(0, 0), panel()->pictureSize()));
    }

    // Repaints what the marks left and what they take now: a whole panel repainted on every
    // step would cost more than the step itself.
    virtual void marksChanged(bool)
    {
        Boxes now = region();
        repaint(coarseRegion(repaintFor(m_painted, now), roundWorth()));
        m_bounds = QRect();
        for (const QRect &box : now)
            m_bounds |= box;
        m_painted = std::move(now);
        m_printed = false;
    }

    // The marks are printed once for each change into an image of their own and copied from it
    // piece by piece: drawn through the panel's clip, the raster engine's lines and texts
    // would cost more than the lesson's step.
    void paintPiece(QPainter &p, const QRect &piece) const override
    {
        auto &self = const_cast<MarkItem &>(*this); // printing on demand fills the image
        const qreal ratio = panel()->pictureRatio();
        if (m_image.isNull() || m_image.devicePixelRatio() != ratio) {
            self.m_image
                = QImage(panel()->pictureSize() * ratio, QImage::Format_ARGB32_Premultiplied);
            self.m_image.setDevicePixelRatio(ratio);
            self.m_image.fill(Qt::transparent);
            self.m_printed = false;
        } else if (!m_printed) {
            for (const QRect &r : m_inImage)
                clearPixels(self.m_image, imageRect(r));
        }
        if (!m_printed) {
            QPainter q(&self.m_image);
            self.printMarks(q, self.m_image);
            self.m_inImage = coarseRegion(m_painted, roundWorth());
            self.m_printed = true;
        }
        for (const QRect &marks : m_inImage) {
            const QRect area = piece & marks;
            if (!area.isEmpty())
                drawOneForOne(p, QPointF(0, 0), m_image, imageRect(area));
        }
    }

protected:
    // What to repaint when the marks move from `was` to `now`; marks that know which of them
    // stayed where they were give less.
    virtual Boxes repaintFor(const Boxes &was, const Boxes &now)
    {
        Boxes both = was;
        both.insert(both.end(), now.begin(), now.end());
        return both;
    }

    // Where the marks paint, in picture pixels: every pixel repainted under them is the
    // panel's to paint again too.
    virtual Boxes region() = 0;
    // Paints the marks, in picture pixels, with a painter on the marks' image (which a mark
    // may also write to itself).
    virtual void printMarks(QPainter &, QImage &) { }

    void repaint(const QRegion &area)
    {
        for (const QRect &r : area)
            panel()->itemChanged(QRect(), r);
    }
    void setBounds(const QRect &bounds) { m_bounds = bounds; }
    qint64 roundWorth() const { return pixelsWorthARound(panel()->pictureRatio()); }

    RateTool &t;

private:
    QRect imageRect(const QRect &r) const
    {
        return deviceCover(r, m_image.devicePixelRatio()) & m_image.rect();
    }

    QRect m_bounds; // where the panel may find marks to paint
    Boxes m_painted; // where the marks stand, as last asked for (boxes that may overlap)
    QImage m_image;
    QRegion m_inImage; // where m_image holds marks
    bool m_printed = false; // m_image holds the marks as they are
};

// The strip that crossed AB during the interval, and the line and sentence written beside it.
class BoardItem : public MarkItem
{
public:
    BoardItem(RateTool &tool, PicturePanel *panel)
        : MarkItem(tool, panel)
    { }

    // `figureRepainted`: the lesson has just drawn the figure where it stood and where it
    // stands, and so every pixel of the old strip and the new, which lie inside the figure.
    void marksChanged(bool figureRepainted) override
    {
        const RateTool::Marks &m = t.marks();
        const QRect strip = m.strip.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
        if (!figureRepainted)
            repaint(m_strip | strip);
        m_strip = strip;
        m_stripSet = false;
        setBounds(m.interval ? strip | QRect(0, 0, boardArea.width(), textArea) : QRect());
        // The line and the sentence are set again only when they change, and repainted only
        // where either text lays ink.
        const QString line = m.interval ? m.linePlain : QString();
        const QString sentence = m.interval ? m.sentence : QString();
        if (line == m_lineAsked && sentence == m_sentenceAsked)
            return;
        const QRect lineWas = m_lineAsked.isEmpty() ? QRect() : m_line.ink;
        const QRect sentenceWas = m_sentenceAsked.isEmpty() ? QRect() : m_sentence.ink;
        if (m.interval)
            setWords(m);
        if (line != m_lineAsked)
            repaint(wordsArea(lineWas | (line.isEmpty() ? QRect() : m_line.ink), textTop));
        if (sentence != m_sentenceAsked)
            repaint(wordsArea(sentenceWas | (sentence.isEmpty() ? QRect() : m_sentence.ink),
                              sentenceTop()));
        m_lineAsked = line;
        m_sentenceAsked = sentence;
    }

    // The line the board shows now, for the tests: what was asked for may not be painted yet.
    QString shownLine() const { return m_shownLine; }

    void paintPiece(QPainter &p, const QRect &piece) const override
    {
        const_cast<BoardItem &>(*this).paintOn(p, piece); // painting sets the words and strip
    }

protected:
    Boxes region() override { return {}; }

private:
    void paintOn(QPainter &p, const QRect &piece)
    {
        const RateTool::Marks &m = t.marks();
        if (!m.interval)
            return;
        // The lesson repaints the figure on every step; the words above it rarely change.
        const bool words = piece.intersects(QRect(0, 0, boardArea.width(), textArea));
        const bool strip = !m.strip.isEmpty() && piece.intersects(m_strip);
        if (words) {
            setWords(m);
            m_shownLine = m_line.set;
            // Only the ink within the piece: the words are wide and the piece is often small.
            const auto copy = [&](const Words &w, QPoint at) {
                const QRect part = piece.translated(-at) & w.ink;
                if (!part.isEmpty())
                    drawOneForOne(p, at, w.image, deviceCover(part, w.ratio));
            };
            copy(m_line, QPoint(int(textLeft), int(textTop)));
            copy(m_sentence, QPoint(int(textLeft), int(sentenceTop())));
        }
        if (strip) {
            setStrip(m);
            const QRect device = deviceCover(piece, m_pixels.devicePixelRatio());
            for (const QRect &part : m_pieces)
                drawOneForOne(p, QPointF(0, 0), m_pixels, part & device);
        }
    }

    // The line and the sentence each set once for each text: shaping them on every repaint of
    // the board would cost more than the lesson's step. A class steps back and forth over the
    // same few intervals, so the texts set lately are kept too.
    struct Words
    {
        QString set; // what `image` holds
        QImage image;
        QRect ink; // where `image` is not clear, in its logical pixels
        qreal ratio = 0;
        QHash<QString, std::pair<QImage, QRect>> lately; // at `ratio`
    };

    // Where an image of words is not clear, in its logical pixels, with a pixel to spare.
    static QRect inkOf(const QImage &image)
    {
        const QRect ink = deviceInk(image);
        if (ink.isEmpty())
            return {};
        const qreal r = image.devicePixelRatio();
        return QRect(
            QPoint(int(std::floor(ink.left() / r)) - 1, int(std::floor(ink.top() / r)) - 1),
            QPoint(int(std::ceil((ink.right() + 1) / r)), int(std::ceil((ink.bottom() + 1) / r))));
    }

    // The board's pixels that `ink` of words drawn with their top at `top` may take.
    QRect wordsArea(const QRect &ink, qreal top) const
    {
        return ink.translated(int(textLeft), int(std::floor(top))).adjusted(0, 0, 1, 1)
            & QRect(0, 0, boardArea.width(), textArea);
    }

    QImage &setOnce(Words &words, const QString &key, qreal height,
                    const std::function<void(QPainter &)> &write)
    {
        const qreal ratio = panel()->pictureRatio();
        if (key == words.set && ratio == words.ratio)
            return words.image;
        if (ratio != words.ratio || words.lately.size() > 32)
            words.lately.clear();
        words.set = key;
        words.ratio = ratio;
        const auto kept = words.lately.constFind(key);
        if (kept != words.lately.cend()) {
            words.image = kept->first;
            words.ink = kept->second;
            return words.image;
        }
        words.image = QImage(QSizeF(textWidth + 4, height).toSize() * ratio,
                             QImage::Format_ARGB32_Premultiplied);
        words.image.setDevicePixelRatio(ratio);
        words.image.fill(Qt::transparent);
        QPainter p(&words.image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(chalk);
        write(p);
        p.end();
        words.ink = inkOf(words.image);
        words.lately.insert(key, { words.image, words.ink });
        return words.image;
    }

    static QFont lineFont() { return fonts::gothic(12, true); }

    // The line's height with its stacked fractions, the same for every line.
    qreal lineHeight()
    {
        if (m_lineHeight == 0) {
            const formulas::Setter line(lineFont(), panel());
            m_lineHeight = line.ascent() + line.descent() + 4;
        }
        return m_lineHeight;
    }
    // On a whole pixel, so that the sentence is copied pixel for pixel and looks the same
    // whether the line's repaint reaches its top or not.
    qreal sentenceTop() { return std::ceil(textTop + lineHeight()); }

    void setWords(const RateTool::Marks &m)
    {
        setOnce(m_line, m.linePlain, lineHeight(), [&](QPainter &q) {
            const formulas::Setter line(lineFont(), panel());
            line.draw(q, QPointF(0, line.ascent()), m.line);
        });
        setOnce(m_sentence, m.sentence, textArea - sentenceTop(), [&](QPainter &q) {
            const formulas::Setter words(fonts::gothic(10), panel());
            words.drawWrapped(q, QPointF(0, 0), textWidth, formulas::written(m.sentence), 2);
        });
    }

    // The strip's tinted and hatched pixels, copied from the pattern over the whole board: the
    // raster engine's own translucent fills of the strip cost more than the lesson's step.
    void setStrip(const RateTool::Marks &m)
    {
        const qreal ratio = panel()->pictureRatio();
        if (m_pattern.isNull() || m_pattern.devicePixelRatio() != ratio) {
            m_pattern = QImage(boardArea.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            m_pattern.setDevicePixelRatio(ratio);
            m_pattern.fill(Qt::transparent);
            QPainter q(&m_pattern);
            q.fillRect(boardArea, stripTint);
            q.fillRect(boardArea, QBrush(stripHatch, Qt::BDiagPattern));
            q.end();
            m_pixels = QImage(m_pattern.size(), m_pattern.format());
            m_pixels.setDevicePixelRatio(ratio);
            m_pixels.fill(Qt::transparent);
            m_pieces.clear();
            m_stripSet = false;
        }
        if (m_stripSet)
            return;
        for (const QRect &piece : m_pieces)
            clearPixels(m_pixels, piece);
        m_pieces.clear();
        const QList<QPolygonF> pieces
            = m.strip.toSubpathPolygons(QTransform::fromScale(ratio, ratio));
        for (const QPolygonF &piece : pieces)
            m_pieces.push_back(copyInside(piece, m_pattern, m_pixels));
        // The outline over the tint, two pixels wide across the edges.
        for (size_t i = 0; i < m_pieces.size(); ++i)
            m_pieces[i]
                |= outlinePolygon(pieces[qsizetype(i)], 2 * ratio, legColour.rgb(), m_pixels);
        m_stripSet = true;
    }

    QRect m_strip; // where the strip was last asked to be painted
    QImage m_pattern, m_pixels;
    std::vector<QRect> m_pieces; // where m_pixels holds the strip, in device pixels
    bool m_stripSet = false; // m_pixels holds the strip of the marks
    QString m_lineAsked, m_sentenceAsked; // what the last repaint asked for
    qreal m_lineHeight = 0;
    Words m_line, m_sentence;
    QString m_shownLine;
};

class TableItem : public MarkItem
{
public:
    TableItem(RateTool &tool, PicturePanel *panel)
        : MarkItem(tool, panel)
    { }

protected:
    Boxes region() override
    {
        const RateTool::Marks &m = t.marks();
        const double from = RateTool::tableColumnCentre(t.start() / 2.0);
        Boxes area { QRectF(from - 7, 0, 14, markerTop + 11).toAlignedRect() };
        if (m.interval) {
            const double to = RateTool::tableColumnCentre(m.interval->toHalves / 2.0);
            area.push_back(arrowBounds(from, to, xArrowY, m.dx));
            if (m.withY)
                area.push_back(arrowBounds(from, to, yArrowY, m.dy));
        }
        return area;
    }

    // A step with the start where it was moves only the arrows' heads and numbers: the shafts
    // grow or shrink at their ends.
    Boxes repaintFor(const Boxes &was, const Boxes &now) override
    {
        const RateTool::Marks &m = t.marks();
        const Drawn before = std::exchange(
            m_drawn,
            { t.start(), m.interval ? std::optional(m.interval->toHalves) : std::nullopt, m.withY,
              m.dx, m.dy });
        if (!before.to || !m_drawn.to || before.start != m_drawn.start
            || before.withY != m_drawn.withY)
            return MarkItem::repaintFor(was, now);
        const double a = RateTool::tableColumnCentre(*before.to / 2.0);
        const double b = RateTool::tableColumnCentre(*m_drawn.to / 2.0);
        MarkText &text = MarkText::get();
        const auto ends = [&](double y, const QString &old, const QString &fresh) {
            return (QRectF(std::min(a, b) - 8, y - 5, std::abs(b - a) + 11, 10)
                    | text.box(arrowLabelAt(a, y), old) | text.box(arrowLabelAt(b, y), fresh))
                .toAlignedRect();
        };
        Boxes area { ends(xArrowY, before.dx, m_drawn.dx) };
        if (m_drawn.withY)
            area.push_back(ends(yArrowY, before.dy, m_drawn.dy));
        return area;
    }

    void printMarks(QPainter &p, QImage &image) override
    {
        const RateTool::Marks &m = t.marks();
        const double from = RateTool::tableColumnCentre(t.start() / 2.0);
        drawMarker(p, QPointF(from, markerTop + 9));
        if (!m.interval)
            return;
        const double to = RateTool::tableColumnCentre(m.interval->toHalves / 2.0);
        drawArrow(p, image, from, to, xArrowY, m.dx);
        if (m.withY)
            drawArrow(p, image, from, to, yArrowY, m.dy);
    }

private:
    struct Drawn
    {
        int start = -1;
        std::optional<int> to;
        bool withY = false;
        QString dx, dy;
    };
    Drawn m_drawn; // what the last repaint was asked for
};

class GraphItem : public MarkItem
{
public:
    GraphItem(RateTool &tool, PicturePanel *panel)
        : MarkItem(tool, panel)
    { }

protected:
    // The marker, the legs with their numbers and the chord, each in a box of its own: the box
    // around the whole triangle would have the graph repainted under its empty middle.
    Boxes region() override
    {
        const RateTool::Marks &m = t.marks();
        const QPointF tip = RateTool::graphPoint(t.start() / 2.0, 0);
        Boxes area { QRectF(tip.x() - 7, tip.y() - 11, 14, 12).toAlignedRect() };
        if (!m.interval)
            return area;
        const Placed at = place(m);
        const auto [a, corner, b] = at.corners;
        MarkText &text = MarkText::get();
        area.push_back(
            (QRectF(a, corner).normalized().adjusted(-2, -2, 2, 2) | text.box(at.dx, m.dx))
                .toAlignedRect());
        if (!m.withY)
            return area;
        area.push_back(
            (QRectF(corner, b).normalized().adjusted(-2, -2, 2, 2) | text.box(at.dy, m.dy))
                .toAlignedRect());
        // A few boxes along the chord: each rectangle of a repaint costs the panel a round of
        // its controls.
        const int pieces = std::clamp(int(std::ceil(QLineF(a, b).length() / 40)), 1, 3);
        for (int i = 0; i < pieces; ++i) {
            const QPointF p = a + (b - a) * i / pieces, q = a + (b - a) * (i + 1) / pieces;
            area.push_back(QRectF(p, q).normalized().adjusted(-2, -2, 2, 2).toAlignedRect());
        }
        return area;
    }

    void printMarks(QPainter &p, QImage &image) override
    {
        const RateTool::Marks &m = t.marks();
        drawMarker(p, RateTool::graphPoint(t.start() / 2.0, 0) - QPointF(0, 1));
        if (!m.interval)
            return;
        const Placed at = place(m);
        const auto [a, corner, b] = at.corners;
        MarkText &text = MarkText::get();
        p.fillRect(QRectF(a.x(), a.y() - 1, corner.x() - a.x(), 2), legColour);
        p.setPen(legColour);
        text.draw(p, image, at.dx, m.dx);
        if (!m.withY)
            return;
        p.fillRect(QRectF(corner.x() - 1, b.y(), 2, corner.y() - b.y()).normalized(), legColour);
        text.draw(p, image, at.dy, m.dy);
        // The chord dashed, straight into the marks' image.
        dashedLine(image, QLineF(a, b), 1, legColour.rgb(), dashOn, dashPeriod);
    }

private:
    struct Placed
    {
        std::array<QPointF, 3> corners;
        QPointF dx, dy; // where the increases' baselines start
    };

    static Placed place(const RateTool::Marks &m)
    {
        Placed at { corners(m), {}, {} };
        const auto [a, corner, b] = at.corners;
        MarkText &text = MarkText::get();
        const QFontMetricsF &metrics = text.metrics;
        // Under the leg, unless the axis's numbers are there: then above it.
        const double below = a.y() + 3 + metrics.ascent();
        const double baseline = below + metrics.descent() < geometry::graphOriginY - 2
            ? below
            : a.y() - 3 - metrics.descent();
        at.dx = QPointF((a.x() + corner.x() - text.width(m.dx)) / 2, baseline);
        // Beside the middle of the upright leg, but never down on the level one.
        at.dy = QPointF(corner.x() + 4,
                        std::min((corner.y() + b.y() + metrics.ascent()) / 2,
                                 corner.y() - 3 - metrics.descent()));
        return at;
    }

    // The triangle's corners: the start, the right angle, the end (y on the axis while it is
    // a question).
    static std::array<QPointF, 3> corners(const RateTool::Marks &m)
    {
        const double x1 = m.interval->fromHalves / 2.0, x2 = m.interval->toHalves / 2.0;
        const double y2 = m.withY ? m.y1 + m.interval->dy.toDouble() : 0;
        return { RateTool::graphPoint(x1, m.y1), RateTool::graphPoint(x2, m.y1),
                 RateTool::graphPoint(x2, y2) };
    }
};

// The marker's grip on the graph, in picture pixels around its tip on the x axis.
bool onMarker(QPointF at, int start)
{
    const QPointF tip = RateTool::graphPoint(start / 2.0, 0);
    return std::abs(at.x() - tip.x()) <= 8 && at.y() >= tip.y() - 14 && at.y() <= tip.y() + 6;
}

} // namespace

RateTool::RateTool(ToolHost &host)
    : Tool(host)
{
    for (Lesson::Panel which : { Lesson::Panel::Table, Lesson::Panel::Graph })
        host.lesson().panel(which)->installEventFilter(this);
    // Predictions opened or closed: what may be shown of y changes.
    connect(&host, &ToolHost::questionsChanged, this, [this] { refresh(false); });
}

RateTool::~RateTool() = default;

bool RateTool::isOn() const
{
    return host.isOn(u"rate");
}

void RateTool::act(const tools::ToolRow &, bool on)
{
    setShown(on);
}

void RateTool::setShown(bool on)
{
    if (on && !m_board) {
        Lesson &lesson = host.lesson();
        // The panels own the marks from now on.
        m_board = new BoardItem(*this, lesson.panel(Lesson::Panel::Board));
        m_table = new TableItem(*this, lesson.panel(Lesson::Panel::Table));
        m_graph = new GraphItem(*this, lesson.panel(Lesson::Panel::Graph));
    }
    if (!m_board)
        return;
    // A start point a lesson file brought stays: the teacher prepared that interval.
    if (on && !m_startFromFile)
        m_start = stateOf(host).halves;
    if (!on)
        m_startFromFile = false;
    m_dragging = false;
    for (PanelItem *marks : { m_board, m_table, m_graph })
        marks->setVisible(on);
    if (on)
        refresh(true);
    else
        host.announce(tr("変化の割合を終わりました"));
}

void RateTool::setStart(int halves)
{
    m_start = std::clamp(halves, 0, jump::lastHalf);
    refresh(true);
}

std::optional<rate::Interval> RateTool::interval() const
{
    const Lesson::State s = stateOf(host);
    return rate::interval(s.columns, m_start, s.halves);
}

bool RateTool::showsY() const
{
    const Lesson::State s = stateOf(host);
    const auto shown = [&](int halves) {
        const double x = halves / 2.0;
        if (host.hidesY(x))
            return false;
        if (!host.isOn(u"predict"))
            return true;
        // While the class predicts, a y is no question once the table or the graph shows it.
        const bool inTable
            = halves % 2 == 0 && s.isShown(Lesson::View::Table) && s.tabled[size_t(halves / 2)];
        const bool onGraph = s.isShown(Lesson::View::Graph) && s.graphed[size_t(halves)];
        return inTable || onGraph;
    };
    return shown(m_start) && shown(s.halves);
}

QString RateTool::increaseOfX() const
{
    const std::optional<rate::Interval> iv = interval();
    return iv ? tr("x の増加量 %1").arg(rate::decimal(iv->dx)) : QString();
}

QString RateTool::statement() const
{
    const QString from = rate::decimal(formulas::Rational(m_start, 2));
    if (!m_marks.interval)
        return tr("変化の割合の始まり: x = %1 cm").arg(from);
    const QString to = rate::decimal(formulas::Rational(m_marks.interval->toHalves, 2));
    //: x from the first number to the second: the rate (or the increase of x), then a sentence
    return tr("x が %1 から %2 まで: %3。%4").arg(from, to, m_marks.linePlain, m_marks.sentence);
}

void RateTool::refresh(bool say, bool boardRepainted)
{
    if (!isOn() || !m_board)
        return;
    const Lesson::State s = stateOf(host);
    Marks m;
    m.interval = interval();
    if (m.interval) {
        m.withY = showsY();
        m.dx = rate::increase(m.interval->dx);
        if (m.withY) {
            m.dy = rate::increase(m.interval->dy);
            m.y1 = rate::yAt(s.columns, m.interval->fromHalves).toDouble();
            m.line = rate::line(*m.interval);
            m.sentence = rate::sentence(s.columns, *m.interval);
            // From the figure's left end, where P is, to the board's pixels.
            const double left = geometry::Bx - geometry::pxPerCm * s.x();
            for (const std::vector<QPointF> &piece : rate::strip(s.columns, *m.interval)) {
                QPolygonF polygon;
                for (const QPointF &c : piece)
                    polygon << QPointF(left + geometry::pxPerCm * c.x(),
                                       geometry::baseY - geometry::pxPerCm * c.y());
                polygon << polygon.first();
                m.strip.addPolygon(polygon);
            }
        } else {
            m.line = formulas::written(increaseOfX());
            m.sentence = tr("y の増加量は、y が表かグラフに出てから示す");
        }
    }
    m.linePlain = formulas::plain(m.line);
    m_marks = std::move(m);
    static_cast<MarkItem *>(m_board)->marksChanged(boardRepainted);
    static_cast<MarkItem *>(m_table)->marksChanged(false);
    static_cast<MarkItem *>(m_graph)->marksChanged(false);
    if (say)
        host.announce(statement());
}

void RateTool::follow(Lesson::Change what)
{
    if (!isOn())
        return;
    // A jump is said once, at its end; a view ticked or unticked changes only what is shown.
    // Every other change draws the figure again, where it stood and where it stands.
    const bool view = what == Lesson::Change::View;
    refresh(!view && !stateOf(host).jumping, !view);
}

std::optional<bool> RateTool::key(QWidget *target, const QKeyEvent &key)
{
    if (!isOn() || key.modifiers() != Qt::ShiftModifier)
        return {};
    const Lesson::State s = stateOf(host);
    Lesson &lesson = host.lesson();
    if (!(target == lesson.panel(Lesson::Panel::Table) && s.isShown(Lesson::View::Table))
        && !(target == lesson.panel(Lesson::Panel::Graph) && s.isShown(Lesson::View::Graph)))
        return {};
    switch (key.key()) {
    case Qt::Key_Left:
        setStart(m_start - 1);
        return true;
    case Qt::Key_Right:
        setStart(m_start + 1);
        return true;
    case Qt::Key_Home:
        setStart(0);
        return true;
    case Qt::Key_End:
        setStart(s.halves);
        return true;
    default:
        return {};
    }
}

bool RateTool::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The window leaves keys with Shift to the focused control: the panel's are ours.
    if (type == QEvent::KeyPress && isOn()) {
        const std::optional<bool> taken
            = key(static_cast<QWidget *>(watched), *static_cast<QKeyEvent *>(event));
        if (taken.value_or(false))
            host.setKeyboardInUse(true);
        return taken.value_or(false);
    }
    if (!isOn()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
            && type != QEvent::MouseButtonRelease))
        return false;
    auto *panel = static_cast<PicturePanel *>(watched);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPointF at = mouse->position() - panel->pictureOffset();
    const Lesson::State s = stateOf(host);
    const bool graph = panel == host.lesson().panel(Lesson::Panel::Graph);
    if (type == QEvent::MouseMove) {
        if (!m_dragging)
            return false;
        const int halves = jump::graphHalfNearest(at.x());
        if (halves != m_start)
            setStart(halves);
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (!m_dragging || mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = false;
        return true;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    const bool shift = mouse->modifiers() == Qt::ShiftModifier;
    if (!graph) {
        const std::optional<int> column = jump::tableColumnAt(at.x(), at.y());
        if (!shift || !s.isShown(Lesson::View::Table) || !column)
            return false;
        setStart(2 * *column);
        return true;
    }
    if (!s.isShown(Lesson::View::Graph))
        return false;
    if (onMarker(at, m_start)) {
        m_dragging = true;
        return true;
    }
    if (shift && jump::inPlot(at.x(), at.y())) {
        setStart(jump::graphHalfNearest(at.x()));
        return true;
    }
    return false;
}

void RateTool::retranslate()
{
    refresh(false);
}

std::vector<KeyLine> RateTool::keyLines() const
{
    return {
        { QT_TRANSLATE_NOOP("keys", "Shift+←, Shift+→ (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "変化の割合: 始まりの点を0.5 cm動かす") },
        { QT_TRANSLATE_NOOP("keys", "Shift+Home, Shift+End (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "変化の割合: 始まりの点をχ = 0へ、点Ｐのところへ") },
        { QT_TRANSLATE_NOOP("keys", "Shift+クリック (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys",
                            "変化の割合: そのχを始まりの点にする（グラフの印はドラッグでも）") },
    };
}

void RateTool::keepIn(lessonformat::Lesson &lesson) const
{
    if (isOn() || m_startFromFile)
        lesson.rateFrom = m_start / 2.0;
}

void RateTool::takeFrom(const lessonformat::Lesson &lesson)
{
    if (!lesson.rateFrom)
        return;
    m_start = std::clamp(int(std::lround(2 * *lesson.rateFrom)), 0, jump::lastHalf);
    m_startFromFile = true;
    refresh(false);
}

std::vector<SheetTask> RateTool::sheetTasks() const
{
    const std::optional<rate::Interval> iv = interval();
    if (!isOn() || !iv)
        return {};
    SheetTask task;
    task.question = { formulas::written(rate::question(*iv)) };
    task.answer = { rate::line(*iv), formulas::written(rate::increases(*iv)) };
    return { task };
}

QString RateTool::shownLine() const
{
    return m_board ? static_cast<const BoardItem *>(m_board)->shownLine() : QString();
}

double RateTool::tableColumnCentre(double x)
{
    // The numbers stand at 60 for x = 0 and from tableColumnLeft for whole x, one digit wide.
    const auto whole = [](int column) {
        return column == 0 ? geometry::tableZeroLeft + 5.0 : geometry::tableColumnLeft(column) + 6;
    };
    const int below = std::clamp(int(std::floor(x)), 0, 9);
    return whole(below) + (x - below) * (whole(below + 1) - whole(below));
}

QPointF RateTool::graphPoint(double x, double y)
{
    return geometry::graphPoint(x, y);
}
