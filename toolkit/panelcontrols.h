#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QString>

class PicturePanel;
class QPainter;

/// A control that stands on a picture panel, above its picture. Changing a property repaints
/// only the area the control leaves and the area it takes.
class PanelItem
{
public:
    explicit PanelItem(PicturePanel *panel);
    virtual ~PanelItem() = default;
    PanelItem(const PanelItem &) = delete;
    PanelItem &operator=(const PanelItem &) = delete;

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    PicturePanel *panel() const { return m_panel; }

    /// The picture-coordinate rectangle this control may paint in.
    virtual QRect bounds() const = 0;
    virtual void paint(QPainter &painter) const = 0;
    /// Paints the part of the control within `piece` (picture coordinates), the painter
    /// already clipped to it; a control that copies from an image of its own copies only that.
    virtual void paintPiece(QPainter &painter, const QRect &piece) const
    {
        Q_UNUSED(piece);
        paint(painter);
    }

protected:
    /// Runs `change` and repaints what it moved.
    template<typename F> void changing(F change)
    {
        const QRect before = m_visible ? bounds() : QRect();
        change();
        notify(before);
    }

private:
    void notify(const QRect &before);

    PicturePanel *m_panel;
    bool m_visible = true;
};

/// A line segment control: two end points, a colour and a width.
class PanelLine : public PanelItem
{
public:
    PanelLine(PicturePanel *panel, const QColor &color, int width);

    double x1() const { return m_p1.x(); }
    double y1() const { return m_p1.y(); }
    double x2() const { return m_p2.x(); }
    double y2() const { return m_p2.y(); }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    /// Sets both end points with one repaint.
    void setPoints(const QPointF &p1, const QPointF &p2);
    QColor color() const { return m_color; }
    int width() const { return m_width; }

    QRect bounds() const override;
    void paint(QPainter &painter) const override;

private:
    QPointF m_p1;
    QPointF m_p2;
    QColor m_color;
    int m_width;
    // An upright or level line printed once at a device pixel ratio (see paint()).
    mutable QImage m_printed;
    mutable qreal m_printedRatio = 0;
    mutable QLineF m_printedLine;
    mutable QLineF m_paintedLine; // where it was painted last
};

/// A label that sizes itself to its caption; with a transparent background only the text is
/// painted, so what lies under it stays visible.
class PanelLabel : public PanelItem
{
public:
    PanelLabel(PicturePanel *panel, const QString &caption, const QFont &font,
               const QColor &textColor, const QColor &background, bool transparent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    double left() const { return m_pos.x(); }
    double top() const { return m_pos.y(); }
    void setLeft(double v);
    void setTop(double v);
    void move(const QPointF &topLeft);
    QSize size() const { return m_size; }
    bool isTransparent() const { return m_transparent; }
    QFont font() const { return m_font; }

    QRect bounds() const override;
    void paint(QPainter &painter) const override;

private:
    void resizeToCaption();
    void printCaption(QPainter &painter, const QRectF &box) const;

    QString m_caption;
    QFont m_font;
    QColor m_textColor;
    QColor m_background;
    bool m_transparent;
    QPointF m_pos;
    QSize m_size;
    // The caption printed once at a device pixel ratio with its background (see paint()).
    mutable QImage m_printed;
    mutable qreal m_printedRatio = 0;
    mutable QString m_printedCaption;
    mutable QString m_paintedCaption; // what was painted last
};

/// A round marker filled solid: a circle as wide as the smaller side of its box, centred in it.
class PanelShape : public PanelItem
{
public:
    PanelShape(PicturePanel *panel, const QColor &color, const QSize &size);

    double left() const { return m_pos.x(); }
    double top() const { return m_pos.y(); }
    void setLeft(double v);
    void setTop(double v);
    QSize size() const { return m_size; }
    QColor color() const { return m_color; }
    /// Centre of the circle.
    QPointF centre() const;

    QRect bounds() const override;
    void paint(QPainter &painter) const override;

private:
    QPointF m_pos;
    QSize m_size;
    QColor m_color;
};
