#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <array>
#include <optional>
#include <vector>

class QPainter;
class QPolygonF;

/// Draws `image`, kept at its own device pixel ratio, with its top-left corner at `topLeft`:
/// where its pixels fall on whole device pixels it is copied one pixel for one.
void drawOneForOne(QPainter &painter, const QPointF &topLeft, const QImage &image);
/// Whether `topLeft` falls on a corner of a device pixel at `ratio` under the painter's
/// transform, so that an image drawn there is copied one pixel for one.
bool onDevicePixels(const QPainter &painter, const QPointF &topLeft, qreal ratio);
/// The same for the device pixels `part` of `image` only; the image's top-left corner still
/// stands at `topLeft`.
void drawOneForOne(QPainter &painter, const QPointF &topLeft, const QImage &image, QRect part);

/// Copies into `to` the pixels of `from` whose centres lie inside `polygon` (in device pixels,
/// by the even-odd rule), both images 32-bit and of one size. Returns the device pixels it may
/// have written. The raster engine hands a large translucent fill to other threads, which costs
/// far more than the copy.
QRect copyInside(const QPolygonF &polygon, const QImage &from, QImage &to);
/// Paints into `to` in `colour` the device pixels whose centres lie within `width` / 2 of the
/// closed `polygon`'s edges (in device pixels), with square corners. Returns the device pixels it
/// may have written. The raster engine's stroker costs many times as much.
QRect outlinePolygon(const QPolygonF &polygon, qreal width, QRgb colour, QImage &to);
/// Draws over the premultiplied `image` an antialiased dashed line in the opaque `colour`, `width`
/// wide with flat ends, dashes `on` long starting every `period` from `line`'s start (all in the
/// image's logical pixels). Each pixel takes the part of it the dashes cover. The raster engine's
/// own antialiased lines cost many times as much, dashed or not.
void dashedLine(QImage &image, const QLineF &line, qreal width, QRgb colour, qreal on,
                qreal period);

/// The device pixels that cover the logical rectangle `logical` at `ratio`.
QRect deviceCover(const QRect &logical, qreal ratio);
/// Blends the premultiplied `from` over the premultiplied `to`, `from`'s top-left at the device
/// pixel `at`: what a painter's source-over gives, without a painter.
void blendOver(QImage &to, const QImage &from, QPoint at);

/// The area of `region` as a few rectangles, each covering at most `waste` pixels that `region`
/// does not, and none sharing only some of its rows with another (the repaint manager would cut
/// them into bands). Every rectangle of a repaint costs its widget and the widgets above it a
/// round of copies and controls, worth more than thousands of pixels.
QRegion coarseRegion(const QRegion &region, qint64 waste);
/// The same for rectangles that may overlap: a region of them all, in few rectangles.
QRegion coarseRegion(const std::vector<QRect> &rects, qint64 waste);
/// The pixels of a rectangle (none for an empty one).
qint64 pixelCount(const QRect &r);
/// Whether `a` and `b`, covering `aCovers` and `bCovers` pixels that must be repainted, are
/// better repainted as one rectangle (as coarseRegion() decides).
bool repaintAsOne(const QRect &a, qint64 aCovers, const QRect &b, qint64 bCovers, qint64 waste);
/// The logical pixels at `ratio` that cost less to repaint than one more rectangle: a few
/// thousand device pixels.
qint64 pixelsWorthARound(qreal ratio);

/// A retained picture without a widget: an image kept at a device pixel ratio that drawing
/// operations paint into, in logical pixels (origin top left). Nothing is antialiased, so flood
/// fills can rely on outlines of exact colours. It remembers the area its drawing changed, for
/// whoever shows it to repaint.
class Picture
{
public:
    enum class FillStyle { Solid, Transparent };

    /// Makes the picture `size` logical pixels large at `ratio` device pixels per logical pixel.
    /// What was drawn is kept, rescaled; a new picture starts cleared to the background colour.
    void resize(const QSize &size, qreal ratio);
    QSize size() const { return m_size; }
    qreal ratio() const { return m_ratio; }
    const QImage &image() const { return m_image; }
    /// The colour of the logical pixel (x, y): the device pixel at its top-left corner.
    /// Outside the picture it is the background colour.
    QColor pixel(int x, int y) const;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color) { m_backColor = color; }
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width) { m_drawWidth = qMax(1, width); }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    void setFillColor(const QColor &color) { m_fillColor = color; }
    /// The text position, also where the last line ended.
    QPointF currentPos() const { return m_current; }
    /// The font that print uses (aliased).
    void setFont(const QFont &font);

    /// Clears the picture to the background colour; the text position goes back to (0, 0).
    void clear();
    /// A line from `from` to `to` at the drawing width, in `color` or else the fore colour, as
    /// the raster engine draws it with a square-capped aliased pen.
    void line(const QPointF &from, const QPointF &to, std::optional<QColor> color = {});
    /// A line from the end of the last line (the current position) to `to`.
    void lineTo(const QPointF &to, std::optional<QColor> color = {}) { line(m_current, to, color); }
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

    /// The logical area whose pixels may have changed since the last call (empty when none),
    /// and forgets it. Drawing that leaves every pixel as it was adds nothing.
    QRect takeChanged();

    /// A picture drawn again and again from the same start (a cleared board with its grid)
    /// can be kept once and put back instead of drawn anew: only what was drawn over it since
    /// is copied back. `key` says how the start was made from the drawing state found
    /// (colours, width and whatever the caller varies); another key makes another start.
    using BackdropKey = std::array<quint32, 4>;
    /// Remembers the picture as it is now (pixels, text position, drawing width) as the start
    /// for `key`. Resizing forgets it.
    void keepBackdrop(const BackdropKey &key);
    /// Puts the picture back as it was kept for `key`, if it was; returns whether it was.
    bool restoreBackdrop(const BackdropKey &key);

private:
    // Drawing that may have changed pixels inside `area` (logical): it needs repainting.
    void changed(const QRectF &area);
    // Pixels inside `logical` may have changed, by drawing or by wiping: the area to repaint,
    // what a backdrop must put back, lines no longer known intact.
    void pixelsChanged(const QRect &logical);
    // The device pixels of a logical rectangle, within the image.
    QRect deviceRect(const QRect &logical) const;
    bool drawAxisLine(const QPointF &from, const QPointF &to, const QColor &color);
    // The device pixels the raster engine paints for a level or upright line whose stroke edge
    // runs through pixel centres; empty if they are no rectangle within `reach`.
    std::optional<QRect> tiedLine(const QPointF &from, const QPointF &to, const QRect &reach);
    void prepareText();

    QSize m_size;
    qreal m_ratio = 1;
    QImage m_image;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    QColor m_fillColor = Qt::black;
    int m_drawWidth = 1;
    FillStyle m_fillStyle = FillStyle::Transparent;
    QPointF m_current;
    QRect m_changed;
    // A kept start, as much of it as differs from the colour it was cleared to, and what has
    // been drawn over it since.
    struct Backdrop
    {
        BackdropKey key;
        QImage pixels; // the device pixels of `area`
        QRect area; // logical; outside it everything is `clearedTo`
        QRgb clearedTo;
        QPointF current;
        int drawWidth;
    };
    std::optional<Backdrop> m_backdrop;
    QRect m_drawnSinceBackdrop;
    // Every pixel not of the colour last cleared to lies inside this logical rectangle, so a
    // clear changes only it.
    QRect m_drawnSinceClear;
    QColor m_clearedTo;
    // Lines with tied edges, as the engine drew them on a scratch picture of the same size.
    struct TiedLine
    {
        QPointF from, to;
        int width;
        bool operator==(const TiedLine &) const = default;
        friend size_t qHash(const TiedLine &l, size_t seed = 0)
        {
            return qHashMulti(seed, l.from.x(), l.from.y(), l.to.x(), l.to.y(), l.width);
        }
    };
    QHash<TiedLine, QRect> m_tiedLines;
    // Level and upright lines whose pixels nothing has touched since they were drawn.
    struct IntactLine
    {
        QRect pixels; // device pixels
        QRgb color;
        bool operator==(const IntactLine &) const = default;
    };
    std::vector<IntactLine> m_intactLines;
    QImage m_scratch;
    // Flood-fill bookkeeping, kept between fills so that no fill allocates or clears a mask.
    std::vector<quint8> m_visited;
    quint8 m_fillGeneration = 0;
    struct FillSpan
    {
        int left, right; // a filled run of the row next to `y`, on the side `dy` came from
        int y, dy;
    };
    std::vector<FillSpan> m_fillStack;
    // What print needs of the font, kept until the font changes.
    QFont m_font;
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
