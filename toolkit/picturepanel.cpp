#include "toolkit/picturepanel.h"

#include "toolkit/panelcontrols.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

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
    if (!m_image.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(m_size)), m_image);
    }
    m_image = image;
    m_size = size;
    m_ratio = ratio;
    m_visited.assign(size_t(m_image.width()) * size_t(m_image.height()), 0);
    m_fillGeneration = 0;
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

void PicturePanel::updatePicture(const QRectF &pictureRect)
{
    update(pictureRect.toAlignedRect().translated(pictureOffset()).intersected(contentsRect()));
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
    update(contentsRect());
}

void PicturePanel::line(const QPointF &from, const QPointF &to, std::optional<QColor> color)
{
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(pen(color));
        if (from == to)
            painter.drawPoint(from);
        else
            painter.drawLine(from, to);
    }
    m_current = to;
    const qreal margin = m_drawWidth + 1;
    updatePicture(QRectF(from, to).normalized().adjusted(-margin, -margin, margin, margin));
}

void PicturePanel::lineStep(const QPointF &from, const QPointF &delta, std::optional<QColor> color)
{
    line(from, from + delta, color);
}

void PicturePanel::lineTo(const QPointF &to, std::optional<QColor> color)
{
    line(m_current, to, color);
}

void PicturePanel::print(const QString &text)
{
    const QFontMetricsF metrics(font());
    {
        QPainter painter(&m_image);
        QFont aliased = font();
        aliased.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(aliased);
        painter.setPen(m_foreColor);
        painter.drawText(m_current + QPointF(0, metrics.ascent()), text);
    }
    const QRectF box(m_current, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    updatePicture(box.adjusted(-2, -2, 2, 2));
    m_current = QPointF(0, m_current.y() + metrics.height());
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
    updatePicture(
        QRectF(device.topLeft() / m_ratio, device.size() / m_ratio).adjusted(-1, -1, 1, 1));
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
        update(area);
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

void PicturePanel::paintEvent(QPaintEvent *event)
{
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
