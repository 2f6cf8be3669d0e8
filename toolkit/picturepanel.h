#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QFrame>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <optional>
#include <vector>

class PanelItem;

/// A picture panel: a framed widget holding a retained picture that drawing operations paint
/// into, with controls (lines, labels, markers) that stand above the picture and are moved,
/// never drawn into it. Coordinates are logical pixels of the picture, origin at the top-left
/// inner corner of the frame. The picture is kept at the screen's device pixel ratio, so lines,
/// text and fills stay sharp on high-density screens while every coordinate stays logical; it
/// follows the window to a screen of another ratio. Nothing is antialiased: flood fills rely on
/// outlines made of exact colours.
class PicturePanel : public QFrame
{
    Q_OBJECT

public:
    enum class FillStyle { Solid, Transparent };

    explicit PicturePanel(QWidget *parent = nullptr);
    ~PicturePanel() override;

    /// Places the panel by its outer rectangle in the parent's pixels; the picture takes the
    /// inside of the frame and starts cleared to the background colour.
    void setOuterGeometry(const QRect &outer);
    QSize pictureSize() const { return m_size; }
    /// Where the picture's origin lies in the widget.
    QPoint pictureOffset() const { return contentsRect().topLeft(); }
    /// Puts a child widget at a rectangle given in picture coordinates.
    void placeWidget(QWidget *child, const QRect &pictureRect);

    /// Sets the device pixel ratio the picture is kept at (normally the screen's). Keeps what
    /// has been drawn, rescaled.
    void setPictureRatio(qreal ratio);
    qreal pictureRatio() const { return m_ratio; }
    const QImage &picture() const { return m_image; }
    /// The colour of the logical pixel (x, y): the device pixel at its top-left corner.
    /// Outside the picture it is the background colour.
    QColor pixel(int x, int y) const;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width) { m_drawWidth = qMax(1, width); }
    FillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color) { m_fillColor = color; }
    /// The text position, also where the last line ended.
    QPointF currentPos() const { return m_current; }
    void setCurrentPos(const QPointF &pos) { m_current = pos; }

    /// Clears the picture to the background colour; the text position goes back to (0, 0).
    void clear();
    /// A line from `from` to `to` at the drawing width, in `color` or else the fore colour.
    void line(const QPointF &from, const QPointF &to, std::optional<QColor> color = {});
    /// A line from `from` by the relative step `delta`.
    void lineStep(const QPointF &from, const QPointF &delta, std::optional<QColor> color = {});
    /// A line from the end of the last line (the current position) to `to`.
    void lineTo(const QPointF &to, std::optional<QColor> color = {});
    /// Prints `text` in the fore colour with its top-left corner at the text position, then
    /// moves the text position to the start of the next line.
    void print(const QString &text);
    void printAt(const QPointF &topLeft, const QString &text);
    /// Border flood fill: paints every pixel 4-connected to the seed that is not of `border`
    /// colour with the fill colour, the seed's own pixel included. Paints nothing when the seed
    /// is outside the picture, on a border pixel, or the fill style is transparent. Pixels that
    /// already have the fill colour are painted over and passed through. Returns whether any
    /// pixel was painted.
    bool floodFill(int x, int y, const QColor &border);

    /// Controls standing on the panel, painted in the order they were added. The panel owns
    /// them: a control registers itself here when it is made.
    void addItem(PanelItem *item);
    const std::vector<PanelItem *> &items() const { return m_items; }
    /// Called by an item whose look or place changes: repaints both places.
    void itemChanged(const QRect &before, const QRect &after);

signals:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void allocate(const QSize &size, qreal ratio);
    // The picture changed inside `pictureRect`: remember it and have it repainted.
    void changed(const QRectF &pictureRect);
    void repaintArea(const QRect &widgetRect);
    bool drawAxisLine(const QPointF &from, const QPointF &to, const QColor &color);
    void prepareText();
    QPen pen(std::optional<QColor> color) const;

    QSize m_size;
    qreal m_ratio = 1;
    QImage m_image;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    QColor m_fillColor = Qt::black;
    int m_drawWidth = 1;
    FillStyle m_fillStyle = FillStyle::Transparent;
    QPointF m_current;
    std::vector<PanelItem *> m_items;
    // Flood-fill bookkeeping, kept between fills so that no fill allocates or clears a mask.
    std::vector<quint32> m_visited;
    quint32 m_fillGeneration = 0;
    std::vector<QPoint> m_fillStack;
    // Every pixel not of the colour last cleared to lies inside this logical rectangle, so a
    // clear repaints only it.
    QRect m_drawnSinceClear;
    QColor m_clearedTo;
    QRect m_pendingRepaint; // widget coordinates: asked for and not painted yet
    // What print needs of the panel's font, kept until the font changes.
    bool m_textReady = false;
    QFont m_printFont;
    std::optional<QFontMetricsF> m_printMetrics;
    QHash<QString, QRectF> m_textBoxes; // what a text may cover, from its top-left corner
    // A text printed in one opaque colour at a place, and the pixels it left there.
    struct Printed
    {
        QString text;
        double x, y;
        QRgb color;
        bool operator==(const Printed &) const = default;
        friend size_t qHash(const Printed &p, size_t seed = 0)
        {
            return qHashMulti(seed, p.text, p.x, p.y, p.color);
        }
    };
    QHash<Printed, QImage> m_printed;
};
