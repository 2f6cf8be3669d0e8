#pragma once

#include "core/formulas.h"

#include <QFont>
#include <QPointF>
#include <QRectF>

class QPainter;
class QPaintDevice;

namespace formulas {

/// Draws `text` in `font` with its baseline starting at `at`. On the screen's pictures each text
/// is shaped once for each font and resolution; a printer or a PDF gets the text itself, to be
/// found and copied there.
void drawText(QPainter &painter, const QFont &font, const QPaintDevice *device, QPointF at,
              const QString &text);

/// Sets written mathematics with a painter, as a textbook prints it: upright parts in the given
/// font, x and y in a serif italic of the same size, fractions stacked over a bar, powers raised
/// tight against their base, even space each side of a sign. Sizes are those of `device`, so a
/// line measured here paints the same on a page of paper and on the screen.
class Setter
{
public:
    Setter(const QFont &font, const QPaintDevice *device);

    /// How wide `line` is, from its origin to the end of its last part.
    qreal width(const Written &line) const;
    /// How far any line reaches above and below its baseline, stacked fractions included.
    qreal ascent() const { return m_ascent; }
    qreal descent() const { return m_descent; }

    /// Paints `line` in the painter's pen, its baseline starting at `origin`.
    void draw(QPainter &painter, QPointF origin, const Written &line) const;

    /// Paints `line` wrapped to lines of at most `width` from `topLeft`, `leading` between
    /// lines; returns the height used. For prose with variables: signs and fractions are set
    /// as text there.
    qreal drawWrapped(QPainter &painter, QPointF topLeft, qreal width, const Written &line,
                      qreal leading) const;

    const QFont &font() const { return m_font; }
    /// The serif italic that x and y are set in.
    const QFont &variableFont() const { return m_variable; }

private:
    qreal layout(const Written &line, QPainter *painter, QPointF origin) const;

    const QPaintDevice *m_device;
    QFont m_font, m_variable, m_small, m_raised;
    qreal m_em = 0;
    qreal m_ascent = 0, m_descent = 0;
    qreal m_numeratorBase = 0, m_denominatorBase = 0, m_bar = 0, m_barY = 0;
};

} // namespace formulas
