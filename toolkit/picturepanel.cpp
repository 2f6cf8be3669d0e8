#include "toolkit/picturepanel.h"

#include "toolkit/panelcontrols.h"

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

PicturePanel::~PicturePanel() = default;

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
    m_picture.resize(size, ratio);
    m_picture.takeChanged();
    update();
}

void PicturePanel::setPictureRatio(qreal ratio)
{
    if (ratio > 0 && !qFuzzyCompare(ratio, m_picture.ratio()))
        allocate(m_picture.size(), ratio);
}

void PicturePanel::flush()
{
    const QRect area = m_picture.takeChanged();
    if (!area.isEmpty())
        repaintArea(area.translated(pictureOffset()));
}

void PicturePanel::repaintArea(const QRect &widgetRect)
{
    // Changes gather into a few rectangles until the next paint: a step makes dozens of small
    // changes, and a region of dozens of pieces costs more to keep and to clip to than the
    // pixels it saves. But one rectangle round the figure and a label that moves far below it
    // would copy every row between them as well. Hidden, nothing is painted, and showing
    // paints everything.
    QRect area = widgetRect.intersected(contentsRect());
    if (area.isEmpty() || !isVisible())
        return;
    for (const QRect &pending : m_pendingRepaint) {
        if (pending.contains(area))
            return;
    }
    // Near rectangles are taken as one (see coarseRegion()).
    const qint64 waste = pixelsWorthARound(devicePixelRatioF());
    for (auto it = m_pendingRepaint.begin(); it != m_pendingRepaint.end();) {
        if (repaintAsOne(*it, pixelCount(*it), area, pixelCount(area), waste)) {
            area |= *it;
            it = m_pendingRepaint.erase(it);
        } else {
            ++it;
        }
    }
    constexpr size_t most = 4;
    if (m_pendingRepaint.size() < most) {
        m_pendingRepaint.push_back(area);
        update(area);
        return;
    }
    // Grow the rectangle that grows least.
    const auto growth = [&](const QRect &r) { return pixelCount(r | area) - pixelCount(r); };
    QRect *best = &m_pendingRepaint.front();
    for (QRect &pending : m_pendingRepaint) {
        if (growth(pending) < growth(*best))
            best = &pending;
    }
    *best |= area;
    update(*best);
}

void PicturePanel::clear()
{
    m_picture.clear();
    flush();
}

void PicturePanel::line(const QPointF &from, const QPointF &to, std::optional<QColor> color)
{
    m_picture.line(from, to, color);
    flush();
}

void PicturePanel::lineStep(const QPointF &from, const QPointF &delta, std::optional<QColor> color)
{
    line(from, from + delta, color);
}

void PicturePanel::lineTo(const QPointF &to, std::optional<QColor> color)
{
    line(m_picture.currentPos(), to, color);
}

void PicturePanel::sendFont()
{
    if (!m_fontSent) {
        m_picture.setFont(font());
        m_fontSent = true;
    }
}

void PicturePanel::print(const QString &text)
{
    sendFont();
    m_picture.print(text);
    flush();
}

void PicturePanel::printAt(const QPointF &topLeft, const QString &text)
{
    sendFont();
    m_picture.printAt(topLeft, text);
    flush();
}

bool PicturePanel::floodFill(int x, int y, const QColor &border)
{
    const bool painted = m_picture.floodFill(x, y, border);
    flush();
    return painted;
}

bool PicturePanel::restoreBackdrop(const Picture::BackdropKey &key)
{
    const bool restored = m_picture.restoreBackdrop(key);
    flush();
    return restored;
}

void PicturePanel::addItem(PanelItem *item)
{
    // Called from the item's base constructor: it cannot be asked for its bounds yet.
    m_items.emplace_back(item);
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
        m_fontSent = false;
    QFrame::changeEvent(event);
}

void PicturePanel::paintEvent(QPaintEvent *event)
{
    // Everything asked for is painted now (the repaint manager hands over the whole dirty area).
    m_pendingRepaint.clear();
    // The frame lies outside the picture: leave it alone when only the picture is repainted
    // (which takes more than a look at the bounding rectangle: two areas far apart can span
    // past a corner of the picture).
    if (!(event->region() - contentsRect()).isEmpty())
        QFrame::paintEvent(event);
    QPainter painter(this);
    // Qt leaves the opaque controls standing on the panel out of the area it lets a paint
    // reach. Through a clip with such holes the raster engine copies and fills row by row, and
    // hands many rows to worker threads and waits for them: at a projector's ratio that costs
    // more than the work. Painted one hole-free rectangle at a time, a copy is a plain blit.
    const QRegion dirty = event->region() & contentsRect();
    const QRect reach = dirty.boundingRect();
    QRegion standing;
    for (const QObject *child : children()) {
        const auto *widget = qobject_cast<const QWidget *>(child);
        if (widget && widget->isVisible() && widget->geometry().intersects(reach))
            standing |= widget->geometry();
    }
    std::vector<QRect> pieces;
    if (standing.isEmpty()) {
        pieces.assign(dirty.begin(), dirty.end());
    } else {
        for (const QRegion &part : { dirty - standing, dirty & standing })
            pieces.insert(pieces.end(), part.begin(), part.end());
    }
    painter.translate(pictureOffset());
    for (QRect &piece : pieces) {
        piece.translate(-pictureOffset());
        painter.setClipRect(piece, Qt::ReplaceClip);
        drawOneForOne(painter, QPointF(0, 0), m_picture.image());
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The pieces do not overlap: a control painted in each piece it reaches is painted once
    // at every pixel, over the picture and under the controls that come after it.
    for (const auto &item : m_items) {
        if (!item->isVisible())
            continue;
        const QRect bounds = item->bounds();
        for (const QRect &piece : pieces) {
            if (bounds.intersects(piece)) {
                painter.setClipRect(piece, Qt::ReplaceClip);
                item->paintPiece(painter, piece);
            }
        }
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
