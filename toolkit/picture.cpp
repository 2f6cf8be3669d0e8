#include "toolkit/picture.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Whether the pixels of `area` in `now` differ from `before`, a copy of that area.
bool differs(const QImage &before, const QImage &now, const QRect &area)
{
    const size_t bytes = size_t(area.width()) * sizeof(QRgb);
    for (int y = 0; y < area.height(); ++y) {
        const uchar *was = before.constScanLine(y);
        const uchar *is = now.constScanLine(area.top() + y) + area.left() * sizeof(QRgb);
        if (std::memcmp(was, is, bytes) != 0)
            return true;
    }
    return false;
}

// The device pixels whose centres lie inside the band from `low` to `high` (device units).
// A centre on an edge is a tie: the raster engine mostly counts it to the lower band edge's
// side but not always, so `tieLow`/`tieHigh` tell where one lies.
struct Span
{
    int first, last;
    bool tieLow, tieHigh;
};

Span span(qreal low, qreal high)
{
    const auto tie = [](qreal t) { return std::abs(t - std::round(t)) < 1e-7; };
    const qreal tl = low - 0.5, th = high - 0.5;
    Span s { int(std::ceil(tl)), int(std::floor(th)), tie(tl), tie(th) };
    if (s.tieLow)
        s.first = int(std::round(tl)) + 1;
    if (s.tieHigh)
        s.last = int(std::round(th));
    return s;
}

} // namespace

bool onDevicePixels(const QPainter &painter, const QPointF &topLeft, qreal ratio)
{
    const QTransform device
        = QTransform::fromTranslate(topLeft.x(), topLeft.y()).scale(1 / ratio, 1 / ratio)
        * painter.combinedTransform();
    return device.type() <= QTransform::TxTranslate && device.dx() == std::round(device.dx())
        && device.dy() == std::round(device.dy());
}

void drawOneForOne(QPainter &painter, const QPointF &topLeft, const QImage &image)
{
    drawOneForOne(painter, topLeft, image, image.rect());
}

void drawOneForOne(QPainter &painter, const QPointF &topLeft, const QImage &image, QRect part)
{
    part &= image.rect();
    if (part.isEmpty())
        return;
    // Drawn at its device pixel ratio, the raster engine would copy only at ratios 1 and 2 and
    // scale pixel by pixel at any other (3 is a 4K projector), which costs far more than the
    // copy.
    painter.save();
    painter.translate(topLeft);
    painter.scale(1 / image.devicePixelRatio(), 1 / image.devicePixelRatio());
    const QTransform device = painter.combinedTransform();
    if (device.type() <= QTransform::TxTranslate && device.dx() == std::round(device.dx())
        && device.dy() == std::round(device.dy())) {
        // The same pixels, seen at ratio 1: no copy is made.
        const QImage oneToOne(image.constScanLine(part.top()) + part.left() * image.depth() / 8,
                              part.width(), part.height(), image.bytesPerLine(), image.format());
        painter.drawImage(QPointF(part.topLeft()), oneToOne);
        painter.restore();
        return;
    }
    painter.restore();
    const qreal ratio = image.devicePixelRatio();
    painter.drawImage(
        QRectF(topLeft + QPointF(part.topLeft()) / ratio, QSizeF(part.size()) / ratio), image,
        QRectF(part));
}

namespace {

// x · a / 255 for the four bytes of x at once, rounded as the raster engine rounds.
uint byteMul(uint x, uint a)
{
    uint t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

// std::ceil to an int without the library call, which costs more than the rest of a span's
// work (exact for any value an int holds).
int ceilToInt(double v)
{
    const int i = int(v);
    return i + (double(i) < v ? 1 : 0);
}

// Calls `span(y, first, last)` for the device pixels of each row of `bounds` whose centres lie
// inside `polygon`, by the even-odd rule.
template<typename Span> void spansInside(const QPolygonF &polygon, const QRect &bounds, Span span)
{
    // The edges that are not level, each with its ends in the polygon's order (the crossing
    // is worked out from them exactly as it always was, so the pixels do not move).
    struct Edge
    {
        double top, bottom; // the rows' middles it crosses lie in [top, bottom)
        QPointF a, b;
    };
    std::vector<Edge> edges;
    edges.reserve(size_t(polygon.size()));
    for (qsizetype k = 0; k < polygon.size(); ++k) {
        const QPointF a = polygon[k], b = polygon[k + 1 == polygon.size() ? 0 : k + 1];
        if (a.y() != b.y())
            edges.push_back({ std::min(a.y(), b.y()), std::max(a.y(), b.y()), a, b });
    }
    std::vector<double> xs;
    xs.reserve(edges.size());
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        // Where the edges cross the row's middle, each edge taking one end only.
        const double middle = y + 0.5;
        xs.clear();
        for (const Edge &e : edges) {
            if (e.top <= middle && middle < e.bottom)
                xs.push_back(e.a.x()
                             + (middle - e.a.y()) * (e.b.x() - e.a.x()) / (e.b.y() - e.a.y()));
        }
        if (xs.size() == 2) {
            if (xs[1] < xs[0])
                std::swap(xs[0], xs[1]);
        } else {
            std::sort(xs.begin(), xs.end());
        }
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            // The pixels whose middles lie in [xs[k], xs[k + 1]).
            const int first = std::max(bounds.left(), ceilToInt(xs[k] - 0.5));
            const int last = std::min(bounds.right(), ceilToInt(xs[k + 1] - 0.5) - 1);
            if (first <= last)
                span(y, first, last);
        }
    }
}

} // namespace

QRect copyInside(const QPolygonF &polygon, const QImage &from, QImage &to)
{
    const QRect bounds = polygon.boundingRect().toAlignedRect() & to.rect() & from.rect();
    uchar *target = to.bits();
    spansInside(polygon, bounds, [&](int y, int first, int last) {
        const auto *source = reinterpret_cast<const QRgb *>(from.constScanLine(y));
        std::copy(source + first, source + last + 1,
                  reinterpret_cast<QRgb *>(target + y * to.bytesPerLine()) + first);
    });
    return bounds;
}

QRect deviceCover(const QRect &logical, qreal ratio)
{
    const QRectF area(logical);
    return QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect();
}

void blendOver(QImage &to, const QImage &from, QPoint at)
{
    const QRect area = QRect(at, from.size()) & to.rect();
    if (area.isEmpty())
        return;
    uchar *bits = to.bits();
    const uchar *source = from.constBits();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *src
            = reinterpret_cast<const QRgb *>(source + qsizetype(y - at.y()) * from.bytesPerLine());
        auto *dst = reinterpret_cast<QRgb *>(bits + qsizetype(y) * to.bytesPerLine());
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = src[x - at.x()];
            const uint alpha = qAlpha(p);
            if (alpha == 255)
                dst[x] = p;
            else if (alpha != 0)
                dst[x] = p + byteMul(dst[x], 255 - alpha);
        }
    }
}

qint64 pixelCount(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

bool repaintAsOne(const QRect &a, qint64 aCovers, const QRect &b, qint64 bCovers, qint64 waste)
{
    // Rows shared in part would be cut into bands.
    const bool bands = a.top() <= b.bottom() && b.top() <= a.bottom()
        && (a.top() != b.top() || a.bottom() != b.bottom());
    return bands || pixelCount(a | b) - aCovers - bCovers <= waste;
}

QRegion coarseRegion(const QRegion &region, qint64 waste)
{
    return coarseRegion(std::vector<QRect>(region.begin(), region.end()), waste);
}

QRegion coarseRegion(const std::vector<QRect> &rects, qint64 waste)
{
    // Each box with the pixels it covers that must be repainted. Boxes that overlap share
    // rows, and so are taken as one.
    std::vector<std::pair<QRect, qint64>> boxes;
    for (const QRect &r : rects) {
        if (!r.isEmpty())
            boxes.emplace_back(r, pixelCount(r));
    }
    for (bool merged = true; merged && boxes.size() > 1;) {
        merged = false;
        for (size_t i = 0; i < boxes.size() && !merged; ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                auto &[a, aCovers] = boxes[i];
                const auto &[b, bCovers] = boxes[j];
                if (repaintAsOne(a, aCovers, b, bCovers, waste)) {
                    a |= b;
                    aCovers += bCovers;
                    boxes.erase(boxes.begin() + qsizetype(j));
                    merged = true;
                    break;
                }
            }
        }
    }
    QRegion coarse;
    for (const auto &box : boxes)
        coarse += box.first;
    return coarse;
}

qint64 pixelsWorthARound(qreal ratio)
{
    return qint64(8000 / (ratio * ratio));
}

QRect outlinePolygon(const QPolygonF &polygon, qreal width, QRgb colour, QImage &to)
{
    QRect bounds;
    const qreal half = width / 2;
    uchar *target = to.bits();
    const auto row
        = [&](int y) { return reinterpret_cast<QRgb *>(target + y * to.bytesPerLine()); };
    // The pixels whose centres lie in a rectangle.
    const auto fillRect = [&](const QRectF &r) {
        const QRect box
            = QRect(
                  QPoint(int(std::ceil(r.left() - 0.5)), int(std::ceil(r.top() - 0.5))),
                  QPoint(int(std::ceil(r.right() - 0.5)) - 1, int(std::ceil(r.bottom() - 0.5)) - 1))
            & to.rect();
        for (int y = box.top(); y <= box.bottom(); ++y)
            std::fill(row(y) + box.left(), row(y) + box.right() + 1, colour);
        bounds |= box;
    };
    const auto fill = [&](const QPolygonF &shape) {
        const QRect box = shape.boundingRect().toAlignedRect() & to.rect();
        spansInside(shape, box, [&](int y, int first, int last) {
            std::fill(row(y) + first, row(y) + last + 1, colour);
        });
        bounds |= box;
    };
    for (qsizetype k = 0; k < polygon.size(); ++k) {
        const QPointF a = polygon[k], b = polygon[(k + 1) % polygon.size()];
        const QPointF d = b - a;
        // Each corner a square as wide as the line: a right angle's mitre exactly.
        fillRect(QRectF(a - QPointF(half, half), QSizeF(width, width)));
        if (d.x() == 0 || d.y() == 0) {
            // Level and upright edges, most of a figure's, are rectangles.
            fillRect(QRectF(a, b).normalized().adjusted(-half, -half, half, half));
        } else {
            const qreal length = std::hypot(d.x(), d.y());
            const QPointF n(-d.y() * half / length, d.x() * half / length);
            fill(QPolygonF({ a + n, b + n, b - n, a - n }));
        }
    }
    return bounds;
}

void Picture::resize(const QSize &size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(m_backColor);
    const bool carried = !m_image.isNull();
    if (carried) {
        QPainter painter(&image);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(m_size)), m_image);
    }
    m_image = image;
    m_size = size;
    m_ratio = ratio;
    // The fill mask is made by the first fill: most pictures never fill, and it is as large as
    // the picture.
    m_visited = {};
    m_fillGeneration = 0;
    m_clearedTo = m_backColor;
    m_drawnSinceClear = carried ? QRect(QPoint(0, 0), size) : QRect();
    m_changed = QRect(QPoint(0, 0), size);
    m_textReady = false;
    m_tiedLines.clear();
    m_backdrop.reset();
    m_intactLines.clear();
}

QColor Picture::pixel(int x, int y) const
{
    const int dx = int(std::floor(x * m_ratio));
    const int dy = int(std::floor(y * m_ratio));
    if (x < 0 || y < 0 || dx >= m_image.width() || dy >= m_image.height())
        return m_backColor;
    return QColor(m_image.pixel(dx, dy));
}

void Picture::setFont(const QFont &font)
{
    m_font = font;
    m_textReady = false;
}

QRect Picture::takeChanged()
{
    const QRect area = m_changed;
    m_changed = QRect();
    return area;
}

void Picture::changed(const QRectF &area)
{
    const QRect inside = area.toAlignedRect().intersected(QRect(QPoint(0, 0), m_size));
    if (inside.isEmpty())
        return;
    m_drawnSinceClear |= inside;
    pixelsChanged(inside);
}

void Picture::pixelsChanged(const QRect &logical)
{
    m_changed |= logical;
    m_drawnSinceBackdrop |= logical;
    const QRect device = deviceRect(logical);
    std::erase_if(m_intactLines, [&](const IntactLine &l) { return l.pixels.intersects(device); });
}

void Picture::clear()
{
    m_current = QPointF();
    // Only what was drawn since the last clear can differ from the background, unless the
    // background colour itself changed: clear only that. (A step clears the blackboard; at a
    // projector's ratio the whole picture is megabytes.)
    if (m_backColor != m_clearedTo) {
        m_image.fill(m_backColor);
        pixelsChanged(QRect(QPoint(0, 0), m_size));
    } else if (!m_drawnSinceClear.isEmpty()) {
        const QRect device = deviceRect(m_drawnSinceClear);
        if (!device.isEmpty()) {
            // The same pixels, seen as an image of that area only: filled in place.
            QImage area(m_image.scanLine(device.top()) + device.left() * sizeof(QRgb),
                        device.width(), device.height(), m_image.bytesPerLine(), m_image.format());
            area.fill(m_backColor);
        }
        pixelsChanged(m_drawnSinceClear);
    }
    m_drawnSinceClear = QRect();
    m_clearedTo = m_backColor;
}

QRect Picture::deviceRect(const QRect &logical) const
{
    return deviceCover(logical, m_ratio).intersected(m_image.rect());
}

void Picture::keepBackdrop(const BackdropKey &key)
{
    // Outside what was drawn since the last clear every pixel has the cleared colour: keep
    // only the inside (the grid's band, not the whole board).
    const QRect area = m_drawnSinceClear;
    QImage pixels = m_image.copy(deviceRect(area));
    m_backdrop = Backdrop { key, pixels, area, m_clearedTo.rgb(), m_current, m_drawWidth };
    m_drawnSinceBackdrop = QRect();
}

bool Picture::restoreBackdrop(const BackdropKey &key)
{
    if (!m_backdrop || m_backdrop->key != key)
        return false;
    const Backdrop &kept = *m_backdrop;
    const QRect device = deviceRect(m_drawnSinceBackdrop);
    if (!device.isEmpty()) {
        const QRect source = deviceRect(kept.area);
        const qsizetype stride = m_image.bytesPerLine();
        uchar *bits = m_image.bits();
        for (int y = device.top(); y <= device.bottom(); ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
            const bool band = y >= source.top() && y <= source.bottom();
            const int from = band ? std::clamp(source.left(), device.left(), device.right() + 1)
                                  : device.right() + 1;
            const int to = band ? std::clamp(source.right() + 1, from, device.right() + 1) : from;
            std::fill(row + device.left(), row + from, kept.clearedTo);
            if (to > from) {
                const QRgb *keptRow
                    = reinterpret_cast<const QRgb *>(kept.pixels.constScanLine(y - source.top()));
                std::copy(keptRow + (from - source.left()), keptRow + (to - source.left()),
                          row + from);
            }
            std::fill(row + to, row + device.right() + 1, kept.clearedTo);
        }
        pixelsChanged(m_drawnSinceBackdrop);
    }
    m_drawnSinceBackdrop = QRect();
    m_drawnSinceClear = kept.area;
    m_clearedTo = QColor(kept.clearedTo);
    m_current = kept.current;
    m_drawWidth = kept.drawWidth;
    return true;
}

bool Picture::drawAxisLine(const QPointF &from, const QPointF &to, const QColor &color)
{
    // Grid and axis lines are level or upright: the raster engine paints the device pixels
    // whose centres lie inside the square-capped stroke. Where no centre lies on the stroke's
    // edge those pixels are known exactly and are written directly, which also tells whether
    // any changed. Where one does, the engine draws, but only if a pixel the line may take
    // has another colour, so a line drawn again over itself changes nothing. A diagonal line,
    // or one the picture's edge would clip, is left to the painter.
    if (color.alpha() != 255 || from == to)
        return false;
    if (from.x() != to.x() && from.y() != to.y())
        return false;
    for (const qreal v : { from.x(), from.y(), to.x(), to.y() }) {
        if (!(std::abs(v) < 1e6))
            return false;
    }
    const qreal r = m_ratio;
    const qreal half = m_drawWidth * r / 2;
    const Span across
        = span(std::min(from.x(), to.x()) * r - half, std::max(from.x(), to.x()) * r + half);
    const Span down
        = span(std::min(from.y(), to.y()) * r - half, std::max(from.y(), to.y()) * r + half);
    const bool tie = across.tieLow || across.tieHigh || down.tieLow || down.tieHigh;
    // One logical pixel wide at ratio 1 the engine draws a thin line, whose ties are settled.
    const bool exact = !tie || (r == 1 && m_drawWidth == 1);
    // Every pixel the line may take, ties included either way.
    const QRect reach(
        QPoint(across.first - (across.tieLow && !exact), down.first - (down.tieLow && !exact)),
        QPoint(across.last + (across.tieHigh && !exact), down.last + (down.tieHigh && !exact)));
    if (reach.isEmpty() || !m_image.rect().contains(reach))
        return false;
    const QRgb value = color.rgb();
    QRect painted = reach;
    if (!exact) {
        const std::optional<QRect> learnt = tiedLine(from, to, reach);
        if (!learnt)
            return false;
        painted = *learnt;
    }
    // The graph's grid goes over itself at every step: where nothing was drawn since, there
    // is not even a pixel to read.
    const IntactLine drawn { painted, value };
    if (std::find(m_intactLines.cbegin(), m_intactLines.cend(), drawn) != m_intactLines.cend())
        return true;
    const qsizetype stride = m_image.bytesPerLine();
    uchar *bits = m_image.bits();
    // Only the pixels that took another colour count as changed: a grid line drawn again over
    // the figure changes the figure's part of it, not the whole width of the board.
    QRect differed;
    const int n = painted.width();
    for (int y = painted.top(); y <= painted.bottom(); ++y) {
        // Read first: a grid drawn again over itself changes no pixel and writes none.
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride) + painted.left();
        QRgb differ = 0;
        for (int i = 0; i < n; ++i)
            differ |= row[i] ^ value;
        if (!differ)
            continue;
        int first = 0;
        while (row[first] == value)
            ++first;
        int last = n - 1;
        while (row[last] == value)
            --last;
        std::fill(row + first, row + last + 1, value);
        differed |= QRect(painted.left() + first, y, last - first + 1, 1);
    }
    if (!differed.isEmpty())
        changed(QRectF(QPointF(differed.topLeft()) / r, QSizeF(differed.size()) / r));
    if (m_intactLines.size() >= 256)
        m_intactLines.clear();
    m_intactLines.push_back(drawn);
    return true;
}

std::optional<QRect> Picture::tiedLine(const QPointF &from, const QPointF &to, const QRect &reach)
{
    // Which of the tied pixels the engine takes depends on rounding inside it: ask it once, on a
    // scratch picture of the same size and ratio, and remember the answer for this line. The
    // grids are drawn again with every step, always the same lines.
    const TiedLine key { from, to, m_drawWidth };
    if (const auto known = m_tiedLines.constFind(key); known != m_tiedLines.cend())
        return *known;
    if (m_scratch.size() != m_image.size()) {
        m_scratch = QImage(m_image.size(), QImage::Format_Alpha8);
        m_scratch.setDevicePixelRatio(m_ratio);
    }
    // One pixel round what it may take, to see that it takes nothing beyond.
    const QRect around = reach.adjusted(-1, -1, 1, 1).intersected(m_scratch.rect());
    for (int y = around.top(); y <= around.bottom(); ++y)
        std::memset(m_scratch.scanLine(y) + around.left(), 0, size_t(around.width()));
    {
        QPainter painter(&m_scratch);
        painter.setPen(QPen(Qt::black, m_drawWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawLine(from, to);
    }
    QRect painted;
    int count = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
        const uchar *row = m_scratch.constScanLine(y);
        for (int x = around.left(); x <= around.right(); ++x) {
            if (row[x] != 0) {
                painted |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    // Anything but a solid rectangle is left to the engine on the picture itself.
    if (painted.isEmpty() || !reach.contains(painted)
        || count != painted.width() * painted.height())
        return std::nullopt;
    if (m_tiedLines.size() >= 1024)
        m_tiedLines.clear();
    m_tiedLines.insert(key, painted);
    return painted;
}

void Picture::line(const QPointF &from, const QPointF &to, std::optional<QColor> color)
{
    const QColor c = color.value_or(m_foreColor);
    if (!drawAxisLine(from, to, c)) {
        {
            QPainter painter(&m_image);
            painter.setPen(QPen(c, m_drawWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            if (from == to)
                painter.drawPoint(from);
            else
                painter.drawLine(from, to);
        }
        const qreal margin = m_drawWidth + 1;
        changed(QRectF(from, to).normalized().adjusted(-margin, -margin, margin, margin));
    }
    m_current = to;
}

void Picture::prepareText()
{
    if (m_textReady)
        return;
    m_printFont = m_font;
    m_printFont.setStyleStrategy(QFont::NoAntialias);
    m_printMetrics.emplace(m_font);
    m_textBoxes.clear();
    m_printed.clear();
    m_textReady = true;
}

void Picture::print(const QString &text)
{
    prepareText();
    const QFontMetricsF &metrics = *m_printMetrics;
    auto box = m_textBoxes.constFind(text);
    if (box == m_textBoxes.cend()) {
        if (m_textBoxes.size() >= 256)
            m_textBoxes.clear();
        // The line's box and the ink, which may stand out of it.
        const QRectF cover = QRectF(0, 0, metrics.horizontalAdvance(text), metrics.height())
            | metrics.boundingRect(text).translated(0, metrics.ascent());
        box = m_textBoxes.insert(text, cover.adjusted(-2, -2, 2, 2));
    }
    const QRectF touched = box->translated(m_current);
    // Printing a text again where it already stands changes no pixel (the text is aliased and of
    // one colour): keep what it covers and repaint only if something differs.
    const QRectF deviceBox(touched.topLeft() * m_ratio, touched.size() * m_ratio);
    const QRect device = deviceBox.toAlignedRect().intersected(m_image.rect());
    const QPointF at = m_current;
    m_current = QPointF(0, at.y() + metrics.height());
    const Printed key { text, at.x(), at.y(), m_foreColor.rgba() };
    const bool opaque = m_foreColor.alpha() == 255 && !device.isEmpty();
    if (opaque) {
        // Over the very pixels it left last time, the text would paint each of its pixels
        // the colour it already has.
        const auto last = m_printed.constFind(key);
        if (last != m_printed.cend() && last->size() == device.size()
            && !differs(*last, m_image, device))
            return;
    }
    const QImage before = m_image.copy(device);
    {
        QPainter painter(&m_image);
        painter.setFont(m_printFont);
        painter.setPen(m_foreColor);
        painter.drawText(at + QPointF(0, metrics.ascent()), text);
    }
    if (!device.isEmpty() && differs(before, m_image, device))
        changed(touched);
    if (opaque) {
        if (m_printed.size() >= 256)
            m_printed.clear();
        m_printed.insert(key, m_image.copy(device));
    }
}

void Picture::printAt(const QPointF &topLeft, const QString &text)
{
    m_current = topLeft;
    print(text);
}

bool Picture::floodFill(int x, int y, const QColor &border)
{
    if (m_fillStyle != FillStyle::Solid)
        return false;
    const int w = m_image.width();
    const int h = m_image.height();
    const int sx = int(std::floor((x + 0.5) * m_ratio));
    const int sy = int(std::floor((y + 0.5) * m_ratio));
    if (x < 0 || y < 0 || sx >= w || sy >= h)
        return false;

    // Raw access: scanLine() per pixel would run a detach check every time.
    uchar *bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    auto row = [&](int yy) { return reinterpret_cast<QRgb *>(bits + yy * stride); };
    const QRgb stop = border.rgb() & 0xFFFFFF;
    const QRgb paint = m_fillColor.rgb() | 0xFF000000;
    if ((row(sy)[sx] & 0xFFFFFF) == stop)
        return false;

    const size_t cells = size_t(w) * size_t(h);
    if (m_visited.size() != cells) {
        m_visited.assign(cells, 0);
        m_fillGeneration = 0;
    }
    // One byte a pixel: the mask is read as often as the picture. It is cleared only when the
    // generations run out.
    if (++m_fillGeneration == 0) {
        std::fill(m_visited.begin(), m_visited.end(), 0);
        m_fillGeneration = 1;
    }
    const quint8 gen = m_fillGeneration;
    quint8 *visited = m_visited.data();

    int minX = sx, maxX = sx, minY = sy, maxY = sy;
    auto open = [&](const QRgb *line, const quint8 *mark, int xx) {
        return (line[xx] & 0xFFFFFF) != stop && mark[xx] != gen;
    };
    // The last open pixel of the run going right from the open `xx`. Most of a fill's reading
    // is here: sixteen pixels are tested at once where the processor can.
    auto runEnd = [&](const QRgb *line, const quint8 *mark, int xx) {
#ifdef __SSE2__
        const __m128i colour = _mm_set1_epi32(0xFFFFFF), border = _mm_set1_epi32(int(stop));
        const __m128i seen = _mm_set1_epi8(char(gen));
        while (xx + 16 < w) {
            const auto pixels = [&](int k) {
                const __m128i p
                    = _mm_loadu_si128(reinterpret_cast<const __m128i *>(line + xx + 1 + k));
                return _mm_cmpeq_epi32(_mm_and_si128(p, colour), border);
            };
            const __m128i marks = _mm_cmpeq_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(mark + xx + 1)), seen);
            const __m128i closed = _mm_or_si128(_mm_or_si128(pixels(0), pixels(4)),
                                                _mm_or_si128(pixels(8), pixels(12)));
            if (_mm_movemask_epi8(_mm_or_si128(closed, marks)) != 0)
                break;
            xx += 16;
        }
#endif
        while (xx + 1 < w && open(line, mark, xx + 1))
            ++xx;
        return xx;
    };
    auto fillRun = [&](QRgb *line, quint8 *mark, int yy, int left, int right) {
        std::fill(line + left, line + right + 1, paint);
        std::fill(mark + left, mark + right + 1, gen);
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, yy);
        maxY = std::max(maxY, yy);
    };
    // Runs are filled whole, and the row beyond a run is scanned only under it; the row back
    // towards the run it came from, only where it reaches past that run (the rest is filled or
    // closed already). So each pixel is read about once, not three times.
    {
        QRgb *line = row(sy);
        quint8 *mark = visited + size_t(sy) * w;
        int left = sx, right = sx;
        while (left > 0 && open(line, mark, left - 1))
            --left;
        right = runEnd(line, mark, right);
        fillRun(line, mark, sy, left, right);
        m_fillStack.clear();
        m_fillStack.push_back({ left, right, sy + 1, 1 });
        m_fillStack.push_back({ left, right, sy - 1, -1 });
    }
    while (!m_fillStack.empty()) {
        const FillSpan from = m_fillStack.back();
        m_fillStack.pop_back();
        const int yy = from.y;
        if (yy < 0 || yy >= h)
            continue;
        QRgb *line = row(yy);
        quint8 *mark = visited + size_t(yy) * w;
        int xx = from.left;
        while (xx <= from.right) {
            if (!open(line, mark, xx)) {
                ++xx;
                continue;
            }
            int left = xx;
            if (xx == from.left) // a run under the left end may reach further left
                while (left > 0 && open(line, mark, left - 1))
                    --left;
            const int right = runEnd(line, mark, xx);
            fillRun(line, mark, yy, left, right);
            m_fillStack.push_back({ left, right, yy + from.dy, from.dy });
            // The run came from a row filled over [from.left, from.right], closed just beyond
            // either end: what lies further out in that row is unexplored.
            if (left < from.left - 1)
                m_fillStack.push_back({ left, from.left - 2, yy - from.dy, -from.dy });
            if (right > from.right + 1)
                m_fillStack.push_back({ from.right + 2, right, yy - from.dy, -from.dy });
            xx = right + 2; // right + 1 is closed
        }
    }
    const QRectF device(minX, minY, maxX - minX + 1, maxY - minY + 1);
    changed(QRectF(device.topLeft() / m_ratio, device.size() / m_ratio).adjusted(-1, -1, 1, 1));
    return true;
}

void dashedLine(QImage &image, const QLineF &line, qreal width, QRgb colour, qreal on, qreal period)
{
    const qreal r = image.devicePixelRatio();
    const QPointF a = line.p1() * r, b = line.p2() * r;
    const qreal length = QLineF(a, b).length(), half = width * r / 2;
    on *= r;
    period *= r;
    if (length <= 0 || period <= on + 1 || image.depth() != 32)
        return;
    const QPointF u = (b - a) / length, n(-u.y(), u.x()); // along and across
    const QRect box = QRectF(a, b)
                          .normalized()
                          .adjusted(-half - 1, -half - 1, half + 1, half + 1)
                          .toAlignedRect()
        & image.rect();
    const uint opaque = colour | 0xff000000;
    uchar *bits = image.bits();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const qreal dy = y + 0.5 - a.y();
        int left = box.left(), right = box.right();
        if (std::abs(n.x()) > 1e-9) {
            // The pixels whose centres lie within half + 0.5 across the line.
            const qreal x1 = a.x() + (-(half + 0.5) - dy * n.y()) / n.x();
            const qreal x2 = a.x() + ((half + 0.5) - dy * n.y()) / n.x();
            left = std::max(left, int(std::floor(std::min(x1, x2) - 0.5)));
            right = std::min(right, int(std::ceil(std::max(x1, x2) - 0.5)));
        }
        auto *row = reinterpret_cast<QRgb *>(bits + y * image.bytesPerLine());
        // Across and along the line, from pixel to pixel by steps.
        const qreal px = left + 0.5 - a.x();
        qreal across = px * n.x() + dy * n.y();
        qreal at = px * u.x() + dy * u.y();
        qreal phase = at - period * std::floor(at / period);
        for (int x = left; x <= right; ++x, across += n.x(), at += u.x(), phase += u.x()) {
            if (phase >= period)
                phase -= period;
            else if (phase < 0)
                phase += period;
            qreal coverage = std::min(half + 0.5 - std::abs(across), qreal(1));
            if (coverage <= 0)
                continue;
            // Along the line: the part of the pixel in a dash (the gaps are wider than a
            // pixel, so at most the end of one dash and the start of the next), and within
            // the line's ends.
            const qreal dash
                = std::clamp(std::min(phase + 0.5, on - phase + 0.5), qreal(0), qreal(1))
                + std::max(phase + 0.5 - period, qreal(0));
            coverage *= std::min(std::min(dash, qreal(1)), std::min(at + 0.5, length - at + 0.5));
            if (coverage <= 0)
                continue;
            const uint alpha = uint(255 * coverage + 0.5);
            row[x] = byteMul(opaque, alpha) + byteMul(row[x], 255 - alpha);
        }
    }
}
