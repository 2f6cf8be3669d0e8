#include "toolkit/panelcontrols.h"

#include "toolkit/picturepanel.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

PanelItem::PanelItem(PicturePanel *panel)
    : m_panel(panel)
{
    panel->addItem(this);
}

void PanelItem::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    changing([&] { m_visible = visible; });
}

void PanelItem::notify(const QRect &before)
{
    m_panel->itemChanged(before, m_visible ? bounds() : QRect());
}

PanelLine::PanelLine(PicturePanel *panel, const QColor &color, int width)
    : PanelItem(panel)
    , m_color(color)
    , m_width(width)
{ }

void PanelLine::setX1(double v)
{
    changing([&] { m_p1.setX(v); });
}

void PanelLine::setY1(double v)
{
    changing([&] { m_p1.setY(v); });
}

void PanelLine::setX2(double v)
{
    changing([&] { m_p2.setX(v); });
}

void PanelLine::setY2(double v)
{
    changing([&] { m_p2.setY(v); });
}

void PanelLine::setPoints(const QPointF &p1, const QPointF &p2)
{
    changing([&] {
        m_p1 = p1;
        m_p2 = p2;
    });
}

QRect PanelLine::bounds() const
{
    const int margin = m_width / 2 + 2;
    return QRectF(m_p1, m_p2)
        .normalized()
        .toAlignedRect()
        .adjusted(-margin, -margin, margin, margin);
}

void PanelLine::paint(QPainter &painter) const
{
    const QPen pen(m_color, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    const QRect box = bounds();
    // The raster engine strokes a wide line anew on every repaint, once for each rectangle of
    // the area: an upright or level one, whose box is little more than the line, is printed
    // once and copied, and so is a short slanting one (a copy of a long one would blend its
    // whole box). Aliased and opaque, the copy is the same pixels. A line that moves on every
    // event (a piece in hand) is printed only once it is painted again where it was.
    const QLineF line(m_p1, m_p2);
    const bool again = line == m_paintedLine;
    m_paintedLine = line;
    const bool printed = !m_printed.isNull() && m_printedRatio == ratio && m_printedLine == line;
    const bool small = qint64(box.width()) * box.height() <= 2500;
    const bool printable = (m_p1.x() == m_p2.x() || m_p1.y() == m_p2.y() || small)
        && m_color.alpha() == 255 && !painter.testRenderHint(QPainter::Antialiasing)
        && onDevicePixels(painter, box.topLeft(), ratio) && (printed || again);
    if (!printable) {
        painter.setPen(pen);
        painter.drawLine(m_p1, m_p2);
        return;
    }
    if (!printed) {
        m_printed = QImage(box.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_printed.setDevicePixelRatio(ratio);
        m_printed.fill(Qt::transparent);
        QPainter print(&m_printed);
        print.setRenderHints(painter.renderHints());
        print.translate(-box.topLeft());
        print.setPen(pen);
        print.drawLine(line);
        m_printedRatio = ratio;
        m_printedLine = line;
    }
    drawOneForOne(painter, box.topLeft(), m_printed);
}

PanelLabel::PanelLabel(PicturePanel *panel, const QString &caption, const QFont &font,
                       const QColor &textColor, const QColor &background, bool transparent)
    : PanelItem(panel)
    , m_caption(caption)
    , m_font(font)
    , m_textColor(textColor)
    , m_background(background)
    , m_transparent(transparent)
{
    resizeToCaption();
}

void PanelLabel::resizeToCaption()
{
    const QFontMetrics metrics(m_font);
    m_size = QSize(metrics.horizontalAdvance(m_caption), metrics.height());
}

void PanelLabel::setCaption(const QString &caption)
{
    changing([&] {
        m_caption = caption;
        resizeToCaption();
    });
}

void PanelLabel::setLeft(double v)
{
    changing([&] { m_pos.setX(v); });
}

void PanelLabel::setTop(double v)
{
    changing([&] { m_pos.setY(v); });
}

void PanelLabel::move(const QPointF &topLeft)
{
    changing([&] { m_pos = topLeft; });
}

QRect PanelLabel::bounds() const
{
    return QRectF(m_pos, QSizeF(m_size)).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void PanelLabel::paint(QPainter &painter) const
{
    const QRectF box(m_pos, QSizeF(m_size));
    // A caption shaped and drawn anew costs more than the rest of a repaint under a tool's
    // marks: print it once, with its background, into an image at the device's ratio and copy
    // that. Glyphs of 64 device pixels and more (a 24-point letter at ratio 2, an 18-point one
    // at ratio 3) are outlines the raster engine fills anew each time: those are copied even
    // where the copy cannot fall on whole device pixels.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    const QPointF corner = m_pos - QPointF(1, 1);
    const bool large = QFontInfo(m_font).pixelSize() * ratio >= 64;
    // A caption that changes on every step (x's value) is printed only once it is painted again.
    const bool again = m_caption == m_paintedCaption;
    m_paintedCaption = m_caption;
    const bool printed
        = !m_printed.isNull() && m_printedRatio == ratio && m_printedCaption == m_caption;
    if (!large && (!onDevicePixels(painter, corner, ratio) || (!printed && !again))) {
        if (!m_transparent)
            painter.fillRect(box, m_background);
        printCaption(painter, box);
        return;
    }
    if (!printed) {
        const QRectF around(QPointF(-1, -1), QSizeF(m_size) + QSizeF(2, 2));
        m_printed = QImage((around.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_printed.setDevicePixelRatio(ratio);
        m_printed.fill(Qt::transparent);
        QPainter print(&m_printed);
        print.setRenderHints(painter.renderHints());
        print.translate(1, 1);
        const QRectF inside(QPointF(0, 0), QSizeF(m_size));
        if (!m_transparent)
            print.fillRect(inside, m_background);
        printCaption(print, inside);
        m_printedRatio = ratio;
        m_printedCaption = m_caption;
    }
    drawOneForOne(painter, corner, m_printed);
}

void PanelLabel::printCaption(QPainter &painter, const QRectF &box) const
{
    painter.setFont(m_font);
    painter.setPen(m_textColor);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

PanelShape::PanelShape(PicturePanel *panel, const QColor &color, const QSize &size)
    : PanelItem(panel)
    , m_size(size)
    , m_color(color)
{ }

void PanelShape::setLeft(double v)
{
    changing([&] { m_pos.setX(v); });
}

void PanelShape::setTop(double v)
{
    changing([&] { m_pos.setY(v); });
}

QPointF PanelShape::centre() const
{
    return m_pos + QPointF(m_size.width() / 2.0, m_size.height() / 2.0);
}

QRect PanelShape::bounds() const
{
    return QRectF(m_pos, QSizeF(m_size)).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void PanelShape::paint(QPainter &painter) const
{
    const double diameter = std::min(m_size.width(), m_size.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_color);
    painter.drawEllipse(centre(), diameter / 2, diameter / 2);
    painter.setBrush(Qt::NoBrush);
}
