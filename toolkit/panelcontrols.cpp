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
    painter.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(m_p1, m_p2);
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
    if (!m_transparent)
        painter.fillRect(box, m_background);
    // Glyphs of 64 device pixels and more are outlines the raster engine fills anew each time
    // (a 24-point letter at ratio 2, an 18-point one at ratio 3): print those once into an
    // image at the device's ratio and show that.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    if (QFontInfo(m_font).pixelSize() * ratio < 64) {
        printCaption(painter, box);
        return;
    }
    if (m_printed.isNull() || m_printedRatio != ratio || m_printedCaption != m_caption) {
        const QRectF around(QPointF(-1, -1), QSizeF(m_size) + QSizeF(2, 2));
        m_printed = QImage((around.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_printed.setDevicePixelRatio(ratio);
        m_printed.fill(Qt::transparent);
        QPainter print(&m_printed);
        print.setRenderHints(painter.renderHints());
        print.translate(1, 1);
        printCaption(print, QRectF(QPointF(0, 0), QSizeF(m_size)));
        m_printedRatio = ratio;
        m_printedCaption = m_caption;
    }
    drawOneForOne(painter, m_pos - QPointF(1, 1), m_printed);
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
