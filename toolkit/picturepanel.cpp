#include "toolkit/picturepanel.h"

#include "toolkit/panelcontrols.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

namespace {

int vbButton(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int vbShift(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

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

} // namespace

PicturePanel::PicturePanel(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The picture covers the whole inside: nothing needs erasing before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PicturePanel::~PicturePanel()
{
    for (PanelItem *item : m_items)
        delete item;
}

void PicturePanel::setOuterGeometry(const QRect &outer)
{
    setGeometry(outer);
    allocate(contentsRect().size(), devicePixelRatioF());
}

void PicturePanel::placeWidget(QWidget *child, const QRect &pictureRect)
{
    child->setParent(this);
    child->setGeometry(pictureRect.translated(pictureOffset()));
}

void PicturePanel::allocate(const QSize &size, qreal ratio)
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
    // The fill mask is made by the first fill: most panels never fill, and it is as large as
    // the picture.
    m_visited = {};
    m_fillGeneration = 0;
    m_clearedTo = m_backColor;
    m_drawnSinceClear = carried ? QRect(QPoint(0, 0), size) : QRect();
    m_textReady = false;
    update();
}

void PicturePanel::setPictureRatio(qreal ratio)
{
    if (ratio > 0 && !qFuzzyCompare(ratio, m_ratio))
        allocate(m_size, ratio);
}

QColor PicturePanel::pixel(int x, int y) const
{
    const int dx = int(std::floor(x * m_ratio));
    const int dy = int(std::floor(y * m_ratio));
    if (x < 0 || y < 0 || dx >= m_image.width() || dy >= m_image.height())
        return m_backColor;
    return QColor(m_image.pixel(dx, dy));
}

void PicturePanel::setBackColor(const QColor &color)
{
    m_backColor = color;
}

void PicturePanel::changed(const QRectF &pictureRect)
{
    const QRect area = pictureRect.toAlignedRect().intersected(QRect(QPoint(0, 0), m_size));
    if (area.isEmpty())
        return;
    m_drawnSinceClear |= area;
    repaintArea(area.translated(pictureOffset()));
}

void PicturePanel::repaintArea(const QRect &widgetRect)
{
    // Changes gather into one rectangle until the next paint: a step makes dozens of small
    // changes, and a region of dozens of pieces costs more to keep and to clip to than the
    // pixels it saves. Hidden, nothing is painted, and showing paints everything.
    const QRect area = widgetRect.intersected(contentsRect());
    if (area.isEmpty() || !isVisible() || m_pendingRepaint.contains(area))
        return;
    m_pendingRepaint |= area;
    update(m_pendingRepaint);
}

QPen PicturePanel::pen(std::optional<QColor> color) const
{
    return QPen(color.value_or(m_foreColor), m_drawWidth, Qt::SolidLine, Qt::SquareCap,
                Qt::MiterJoin);
}

void PicturePanel::clear()
{
    m_image.fill(m_backColor);
    m_current = QPointF();
    // Only what was drawn since the last clear can differ from the background, unless the
    // background colour itself changed.
    if (m_backColor != m_clearedTo)
        repaintArea(contentsRect());
    else if (!m_drawnSinceClear.isEmpty())
        repaintArea(m_drawnSinceClear.translated(pictureOffset()));
    m_drawnSinceClear = QRect();
    m_clearedTo = m_backColor;
}

bool PicturePanel::drawAxisLine(const QPointF &from, const QPointF &to, const QColor &color)
{
    // Grid and axis lines are level or upright, at whole pixels, one or an even number of
    // pixels wide: for those the pixels the raster engine paints are known exactly (a pixel is
    // painted when its centre lies inside the square-capped stroke), and writing them directly
    // also tells whether any pixel changed. Anything else, or a line the picture's edge would
    // clip, is left to the painter.
    const int w = m_drawWidth;
    if (m_ratio != 1 || color.alpha() != 255 || from == to || (w != 1 && w % 2 != 0))
        return false;
    if (from.x() != to.x() && from.y() != to.y())
        return false;
    for (const qreal v : { from.x(), from.y(), to.x(), to.y() }) {
        if (v != std::floor(v) || std::abs(v) > 1e6)
            return false;
    }
    const qreal half = w / 2.0;
    const int left = int(std::floor(std::min(from.x(), to.x()) - half + 0.5));
    const int right = int(std::floor(std::max(from.x(), to.x()) + half - 0.5));
    const int top = int(std::floor(std::min(from.y(), to.y()) - half + 0.5));
    const int bottom = int(std::floor(std::max(from.y(), to.y()) + half - 0.5));
    if (left < 0 || top < 0 || right >= m_image.width() || bottom >= m_image.height())
        return false;

    const QRgb value = color.rgb();
    uchar *bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    bool any = false;
    for (int y = top; y <= bottom; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = left; x <= right; ++x) {
            any |= row[x] != value;
            row[x] = value;
        }
    }
    if (any)
        changed(QRect(QPoint(left, top), QPoint(right, bottom)));
    return true;
}

void PicturePanel::line(const QPointF &from, const QPointF &to, std::optional<QColor> color)
{
    if (!drawAxisLine(from, to, color.value_or(m_foreColor))) {
        {
            QPainter painter(&m_image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(pen(color));
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

void PicturePanel::lineStep(const QPointF &from, const QPointF &delta, std::optional<QColor> color)
{
    line(from, from + delta, color);
}

void PicturePanel::lineTo(const QPointF &to, std::optional<QColor> color)
{
    line(m_current, to, color);
}

void PicturePanel::prepareText()
{
    if (m_textReady)
        return;
    m_printFont = font();
    m_printFont.setStyleStrategy(QFont::NoAntialias);
    m_printMetrics.emplace(font());
    m_textBoxes.clear();
    m_printed.clear();
    m_textReady = true;
}

void PicturePanel::print(const QString &text)
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

void PicturePanel::printAt(const QPointF &topLeft, const QString &text)
{
    m_current = topLeft;
    print(text);
}

bool PicturePanel::floodFill(int x, int y, const QColor &border)
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
    if (++m_fillGeneration == 0) {
        std::fill(m_visited.begin(), m_visited.end(), 0);
        m_fillGeneration = 1;
    }
    const quint32 gen = m_fillGeneration;
    quint32 *visited = m_visited.data();
    auto open = [&](int xx, int yy) {
        return visited[size_t(yy) * w + xx] != gen && (row(yy)[xx] & 0xFFFFFF) != stop;
    };

    int minX = sx, maxX = sx, minY = sy, maxY = sy;
    m_fillStack.clear();
    m_fillStack.push_back(QPoint(sx, sy));
    while (!m_fillStack.empty()) {
        const QPoint seed = m_fillStack.back();
        m_fillStack.pop_back();
        const int yy = seed.y();
        if (!open(seed.x(), yy))
            continue;
        int left = seed.x();
        while (left > 0 && open(left - 1, yy))
            --left;
        int right = seed.x();
        while (right + 1 < w && open(right + 1, yy))
            ++right;
        QRgb *line = row(yy);
        quint32 *mark = visited + size_t(yy) * w;
        for (int i = left; i <= right; ++i) {
            line[i] = paint;
            mark[i] = gen;
        }
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, yy);
        maxY = std::max(maxY, yy);
        for (int ny : { yy - 1, yy + 1 }) {
            if (ny < 0 || ny >= h)
                continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool o = open(i, ny);
                if (o && !inRun)
                    m_fillStack.push_back(QPoint(i, ny));
                inRun = o;
            }
        }
    }
    const QRectF device(minX, minY, maxX - minX + 1, maxY - minY + 1);
    changed(QRectF(device.topLeft() / m_ratio, device.size() / m_ratio).adjusted(-1, -1, 1, 1));
    return true;
}

void PicturePanel::addItem(PanelItem *item)
{
    // Called from the item's base constructor: it cannot be asked for its bounds yet.
    m_items.push_back(item);
    update();
}

void PicturePanel::itemChanged(const QRect &before, const QRect &after)
{
    const QPoint offset = pictureOffset();
    const QRect area
        = (before.translated(offset) | after.translated(offset)).intersected(contentsRect());
    if (!area.isEmpty())
        repaintArea(area);
}

bool PicturePanel::event(QEvent *event)
{
    // Moved to a screen of another density (a projector beside a laptop), or shown on another
    // screen than the one it was made for: what is drawn from now on is drawn at the new
    // resolution; what was drawn is carried over, scaled.
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show)
        setPictureRatio(devicePixelRatioF());
    return QFrame::event(event);
}

void PicturePanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_textReady = false;
    QFrame::changeEvent(event);
}

void PicturePanel::paintEvent(QPaintEvent *event)
{
    // Everything asked for is painted now (the repaint manager hands over the whole dirty area).
    m_pendingRepaint = QRect();
    // The frame lies outside the picture: leave it alone when only the picture is repainted.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(pictureOffset());
    painter.drawImage(QPointF(0, 0), m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect dirty = event->rect().translated(-pictureOffset());
    for (const PanelItem *item : m_items) {
        if (item->isVisible() && item->bounds().intersects(dirty))
            item->paint(painter);
    }
}

void PicturePanel::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - pictureOffset();
    emit mouseDown(vbButton(event->button()), vbShift(event->modifiers()), float(p.x()),
                   float(p.y()));
}

void PicturePanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - pictureOffset();
    emit mouseMove(vbButton(event->buttons()), vbShift(event->modifiers()), float(p.x()),
                   float(p.y()));
}

void PicturePanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - pictureOffset();
    emit mouseUp(vbButton(event->button()), vbShift(event->modifiers()), float(p.x()),
                 float(p.y()));
}
