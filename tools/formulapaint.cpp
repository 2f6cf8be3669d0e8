#include "tools/formulapaint.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>
#include <algorithm>

namespace formulas {

namespace {

QFont scaled(const QFont &font, qreal factor)
{
    QFont f(font);
    f.setPointSizeF(font.pointSizeF() * factor);
    return f;
}

// Where ink starts and ends across a text, from its origin.
struct Ink
{
    qreal left, right;
};

// A text's advance and ink, measured once for each font and resolution: a line of the lesson
// is set anew on every step, from parts that recur ("=", the digits, the words).
struct Measure
{
    qreal advance;
    QRectF tight;
};

// A text in a font at a resolution.
struct Key
{
    QFont font;
    int dpi;
    QString text;
    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.dpi, key.text);
}

const Measure &measure(const QFont &font, const QPaintDevice *device, const QString &s)
{
    static QHash<Key, Measure> known;
    const Key key { font, device->logicalDpiY(), s };
    const auto found = known.constFind(key);
    if (found != known.cend())
        return *found;
    if (known.size() > 4096)
        known.clear();
    const QFontMetricsF fm(font, const_cast<QPaintDevice *>(device));
    return *known.insert(key, { fm.horizontalAdvance(s), fm.tightBoundingRect(s) });
}

} // namespace

void drawText(QPainter &painter, const QFont &font, const QPaintDevice *device, QPointF at,
              const QString &s)
{
    painter.setFont(font);
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) {
        painter.drawText(at, s);
        return;
    }
    struct Laid
    {
        QStaticText text;
        qreal ascent;
    };
    static QHash<Key, Laid> laid;
    const Key key { font, device->logicalDpiY(), s };
    auto found = laid.find(key);
    if (found == laid.end()) {
        if (laid.size() > 1024)
            laid.clear();
        QStaticText text(s);
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font);
        found = laid.insert(
            key, { text, QFontMetricsF(font, const_cast<QPaintDevice *>(device)).ascent() });
    }
    painter.drawStaticText(at - QPointF(0, found->ascent), found->text);
}

namespace {

Ink ink(const QFont &font, const QPaintDevice *device, const QString &s)
{
    const QRectF &r = measure(font, device, s).tight;
    return { r.left(), r.right() };
}

qreal advance(const QFont &font, const QPaintDevice *device, const QString &s)
{
    return measure(font, device, s).advance;
}

} // namespace

Setter::Setter(const QFont &font, const QPaintDevice *device)
    : m_device(device)
    , m_font(font)
    , m_variable(font)
    , m_small(scaled(font, 0.85))
    , m_raised(scaled(font, 0.7))
{
    // Textbooks set letters in a serif italic; the lesson's gothic has none.
    m_variable.setFamilies({ QStringLiteral("DejaVu Serif"), QStringLiteral("serif") });
    m_variable.setStyleHint(QFont::Serif);
    m_variable.setItalic(true);
    m_variable.setBold(false);
    auto *dev = const_cast<QPaintDevice *>(device);
    const QFontMetricsF fm(m_font, dev), small(m_small, dev);
    m_em = font.pointSizeF() * device->logicalDpiY() / 72;
    // The bar stands where a minus sign does; the digits of a fraction have no descenders.
    const QRectF minus = measure(m_font, device, QStringLiteral("−")).tight;
    m_barY = minus.height() > 0 ? minus.center().y() : -fm.xHeight() / 2;
    m_bar = std::max(m_em * 0.06, 1.0 * device->logicalDpiY() / 96);
    const qreal digits = -measure(m_small, device, QStringLiteral("0123456789")).tight.top();
    const qreal gap = m_em * 0.12;
    m_numeratorBase = m_barY - m_bar / 2 - gap;
    m_denominatorBase = m_barY + m_bar / 2 + gap + digits;
    m_ascent = std::max(fm.ascent(), -(m_numeratorBase - digits));
    m_descent = std::max(fm.descent(), m_denominatorBase + small.descent() * 0.2);
}

qreal Setter::width(const Written &line) const
{
    return layout(line, nullptr, {});
}

void Setter::draw(QPainter &painter, QPointF origin, const Written &line) const
{
    layout(line, &painter, origin);
}

qreal Setter::layout(const Written &line, QPainter *painter, QPointF origin) const
{
    // Each side of a sign: relations wider than operators, as textbooks set them.
    const auto gapOf = [&](const Part &sign) {
        return m_em
            * (sign.text == QLatin1String("+") || sign.text == QStringLiteral("−") ? 0.26 : 0.32);
    };
    qreal gap = 0;
    qreal pen = 0; // where the next part starts
    qreal inkRight = 0; // where the last part's ink ends
    bool afterSign = false;
    const auto put = [&](const QFont &font, qreal x, qreal baseline, const QString &s) {
        if (painter)
            drawText(*painter, font, m_device, origin + QPointF(x, baseline), s);
    };
    for (const Part &part : line) {
        switch (part.kind) {
        case Part::Text:
        case Part::Variable: {
            const QFont &font = part.kind == Part::Text ? m_font : m_variable;
            const Ink i = ink(font, m_device, part.text);
            // An italic letter that starts a line leans out of it: keep it inside.
            const bool leansOut = part.kind == Part::Variable && &part == &line.front();
            const qreal x = afterSign ? inkRight + gap - i.left
                                      : (leansOut ? std::max(pen, m_em * 0.05 - i.left) : pen);
            put(font, x, 0, part.text);
            // An italic letter leans past its advance: keep what follows off it.
            inkRight = x + i.right;
            pen = std::max(x + advance(font, m_device, part.text),
                           inkRight + (part.kind == Part::Variable ? m_em * 0.05 : 0));
            break;
        }
        case Part::Sign: {
            gap = gapOf(part);
            const Ink i = ink(m_font, m_device, part.text);
            const qreal x = (line.empty() || &part == &line.front() ? 0 : inkRight + gap) - i.left;
            put(m_font, x, 0, part.text);
            inkRight = x + i.right;
            pen = inkRight + gap;
            break;
        }
        case Part::Fraction: {
            const qreal above = advance(m_small, m_device, part.text);
            const qreal below = advance(m_small, m_device, part.below);
            const qreal over = m_em * 0.08;
            const qreal inner = std::max(above, below);
            const qreal left = (afterSign ? inkRight + gap : pen + m_em * 0.06);
            const qreal w = inner + 2 * over;
            put(m_small, left + (w - above) / 2, m_numeratorBase, part.text);
            put(m_small, left + (w - below) / 2, m_denominatorBase, part.below);
            if (painter)
                painter->fillRect(
                    QRectF(origin + QPointF(left, m_barY - m_bar / 2), QSizeF(w, m_bar)),
                    painter->pen().brush());
            inkRight = left + w;
            pen = inkRight + m_em * 0.06;
            break;
        }
        case Part::Power: {
            const Ink i = ink(m_raised, m_device, part.text);
            const qreal x = inkRight + m_em * 0.04 - i.left;
            put(m_raised, x, -m_em * 0.4, part.text);
            inkRight = x + i.right;
            pen = std::max(pen, x + advance(m_raised, m_device, part.text));
            break;
        }
        }
        afterSign = part.kind == Part::Sign;
    }
    return std::max(pen, inkRight);
}

qreal Setter::drawWrapped(QPainter &painter, QPointF topLeft, qreal width, const Written &line,
                          qreal leading) const
{
    QString text;
    QList<QTextLayout::FormatRange> formats;
    for (const Part &part : line) {
        if (part.kind == Part::Variable) {
            QTextCharFormat f;
            f.setFont(m_variable);
            formats.append({ int(text.size()), int(part.text.size()), f });
        }
        if (part.kind == Part::Sign)
            text += u' ' + part.text + u' ';
        else if (part.kind == Part::Fraction)
            text += part.text + u'/' + part.below;
        else
            text += part.text;
    }
    QTextLayout layout(text, m_font, const_cast<QPaintDevice *>(m_device));
    layout.setFormats(formats);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        l.setPosition(QPointF(0, y));
        y += l.height() + leading;
    }
    layout.endLayout();
    layout.draw(&painter, topLeft);
    return y - leading;
}

} // namespace formulas
