// Predict, then reveal: boxes in the table, points on the graph, and their marks.
#include "tools/predict/predictview.h"

#include "core/measures.h"
#include "core/numtext.h"
#include "core/steps.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Predictions have a colour of their own, so no one takes them for the lesson's blue.
const QColor predictColor(200, 0, 160);
const QColor rightColor(0, 120, 0);
const QColor wrongColor(220, 0, 0);
const QColor lessonBlue(0, 0, 255);

// The marks a teacher writes beside an answer, as the class knows them.
QString rightSign()
{
    //: the mark beside a right prediction
    return PredictionTool::tr("○");
}

QString wrongSign()
{
    //: the mark beside a wrong prediction
    return PredictionTool::tr("×");
}

// Table columns: a box takes the place where the lesson writes y until P comes, as wide as the
// column allows.
QRect boxRect(int x)
{
    return QRect(int(geometry::tableColumnLeft(x)) - 12, geometry::tableYRowTop - 3, 44, 25);
}

constexpr qreal boxPoints = 12;

QPalette boxPalette(bool revealed)
{
    QPalette palette;
    palette.setColor(QPalette::Text, revealed ? Qt::darkGray : predictColor);
    // A y already shown stands on the table's own paper, greyed.
    palette.setColor(QPalette::Base, revealed ? geometry::colour::paper : QColor(Qt::white));
    return palette;
}

// A box shows all it holds, never a scrolled part ("2.50" of "12.50"): the font shrinks until
// the text fits where the line edit lays it out without scrolling.
void fitFont(QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->contentsRect();
    option.lineWidth = box->hasFrame()
        ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
        : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (box->isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    // The line edit keeps 2 pixels each side and 1 for the cursor; 1 more against rounding.
    const qreal room = contents.width() - 2 * 2 - 1 - 1;
    QFont font = fonts::gothic(boxPoints, true);
    int overhang = 0;
    for (qreal points = boxPoints; points > 4; points -= 0.5) {
        font.setPointSizeF(points);
        const QFontMetricsF metrics(font, box);
        overhang = std::max(0, -QFontMetrics(font, box).minLeftBearing());
        if (metrics.horizontalAdvance(box->text()) + std::max<qreal>(0, -metrics.minRightBearing())
            <= room)
            break;
    }
    if (box->font() != font)
        box->setFont(font);
    // The line edit scrolls unless the text leaves room for the widest left overhang of any
    // glyph in the font (7 pixels at 12 pt in the gothic), which no digit, sign, point or slash
    // has. Margins that far outwards on both sides give that room back, the text centred.
    box->setTextMargins(-overhang, 0, -overhang, 0);
}

QString htmlColored(const QString &text, const QColor &color)
{
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(color.name(), text.toHtmlEscaped());
}

} // namespace

/// The graph's predicted points, drawn as a child widget above the graph's picture.
class PredictLayer : public QWidget
{
public:
    PredictLayer(PredictionTool &tool, QWidget *parent)
        : QWidget(parent)
        , t(tool)
    {
        setObjectName(QStringLiteral("predictionLayer"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        // A thin dashed line joins the predicted points from left to right.
        QPainterPath path;
        bool first = true;
        for (int x = 1; x <= 10; ++x) {
            if (const auto &y = t.m_columns[size_t(x)].placed) {
                const QPointF c(prediction::columnOf(x), prediction::rowOf(*y));
                first ? path.moveTo(c) : path.lineTo(c);
                first = false;
            }
        }
        p.setPen(QPen(predictColor, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);

        for (int x = 1; x <= 10; ++x) {
            if (const auto &y = t.m_columns[size_t(x)].placed) {
                p.setPen(QPen(predictColor, 2));
                p.drawEllipse(QPointF(prediction::columnOf(x), prediction::rowOf(*y)), 5, 5);
            }
        }
        p.setFont(PredictionTool::markFont());
        for (const PredictionTool::MarkLabel &label : t.markLabels()) {
            p.setPen(label.right ? rightColor : wrongColor);
            p.drawText(label.baseline, label.text.left(label.signLength));
            // The true y in the lesson's blue, while the lesson shows it too.
            if (label.text.size() > label.signLength) {
                p.setPen(lessonBlue);
                p.drawText(label.baseline + QPointF(label.valueOffset, 0),
                           label.text.mid(label.signLength));
            }
        }
        if (hasFocusMarker()) {
            const double X = prediction::columnOf(t.m_selected);
            p.setPen(QPen(predictColor, 1, Qt::DotLine));
            p.drawLine(QPointF(X, prediction::rowOf(0)), QPointF(X, prediction::rowOf(60)));
        }
    }

private:
    // Like every focus mark, shown only while the keyboard is in use.
    bool hasFocusMarker() const { return parentWidget()->hasFocus() && t.keyboardInUse(); }
    PredictionTool &t;
};

PredictionTool::PredictionTool(ToolHost &host, const int &shownTo)
    : QObject(&host.window())
    , m_host(host)
    , m_shownTo(shownTo)
    , m_beforeTable(hyo()->previousInFocusChain())
{
    setObjectName(QStringLiteral("predictionTool"));
    for (int x = 1; x <= 10; ++x) {
        auto *box = new QLineEdit(hyo());
        box->setObjectName(QStringLiteral("prediction%1").arg(x));
        box->setFont(fonts::gothic(boxPoints, true));
        box->setPalette(boxPalette(false));
        box->setAlignment(Qt::AlignCenter);
        hyo()->placeWidget(box, boxRect(x));
        box->hide();
        connect(box, &QLineEdit::textChanged, box, [box] { fitFont(box); });
        m_boxes[size_t(x)] = box;

        auto *mark = new QLabel(hyo());
        mark->setObjectName(QStringLiteral("predictionMark%1").arg(x));
        mark->setFont(fonts::gothic(9, true));
        mark->setTextFormat(Qt::RichText);
        hyo()->placeWidget(mark, QRect(int(geometry::tableColumnLeft(x)) - 12, 91, 44, 16));
        mark->hide();
        m_tableMarks[size_t(x)] = mark;
    }

    // Under the rule, right of the last column, nothing of the lesson is drawn.
    m_tableTally = new QLabel(hyo());
    m_tableTally->setObjectName(QStringLiteral("predictionTableTally"));
    m_tableTally->setFont(fonts::gothic(9, true));
    hyo()->placeWidget(m_tableTally, QRect(536, 91, 70, 16));
    m_tableTally->hide();

    m_message = new QLabel(hyo());
    m_message->setObjectName(QStringLiteral("predictionMessage"));
    m_message->setFont(fonts::gothic(9, true));
    m_message->setAutoFillBackground(true);
    QPalette messagePalette = m_message->palette();
    messagePalette.setColor(QPalette::Window, Qt::white);
    messagePalette.setColor(QPalette::WindowText, wrongColor);
    m_message->setPalette(messagePalette);
    m_message->hide();
    m_graphMessage = new QLabel(gamen());
    m_graphMessage->setObjectName(QStringLiteral("predictionGraphMessage"));
    m_graphMessage->setFont(m_message->font());
    m_graphMessage->setAutoFillBackground(true);
    m_graphMessage->setPalette(messagePalette);
    m_graphMessage->hide();

    m_layer = new PredictLayer(*this, gamen());
    gamen()->placeWidget(m_layer, QRect(QPoint(0, 0), gamen()->pictureSize()));
    m_layer->hide();
    // Below the graph's panel and above the table's, the window's own background is bare.
    m_graphTally = new QLabel(&m_host.window());
    m_graphTally->setObjectName(QStringLiteral("predictionGraphTally"));
    m_graphTally->setFont(fonts::gothic(9, true));
    m_graphTally->move(gamen()->geometry().left() + 4, gamen()->geometry().bottom() + 4);
    m_graphTally->hide();

    // Its selected column's line is a focus mark too.
    connect(&host, &ToolHost::keyboardUseChanged, m_layer, qOverload<>(&QWidget::update));
    connect(qApp, &QApplication::focusChanged, m_layer, qOverload<>(&QWidget::update));
    connect(gamen(), &PicturePanel::mouseDown, this, &PredictionTool::graphMouseDown);
    connect(gamen(), &PicturePanel::mouseMove, this, &PredictionTool::graphMouseMove);
    connect(gamen(), &PicturePanel::mouseUp, this, &PredictionTool::graphMouseUp);
    retranslate();
}

PicturePanel *PredictionTool::hyo() const
{
    return m_host.lesson().panel(Lesson::Panel::Table);
}

PicturePanel *PredictionTool::gamen() const
{
    return m_host.lesson().panel(Lesson::Panel::Graph);
}

bool PredictionTool::shownView(Lesson::View view) const
{
    return m_host.lesson().state().isShown(view);
}

void PredictionTool::retranslate()
{
    for (int x = 1; x <= 10; ++x)
        nameBox(x);
    // A refusal was said in the language before; the box still holds what was typed.
    m_message->hide();
    m_message->clear();
    m_message->setAccessibleName(QString());
    m_graphMessage->hide();
    refresh();
}

void PredictionTool::nameBox(int x)
{
    QLineEdit *box = m_boxes[size_t(x)];
    if (box->isReadOnly()) {
        box->setAccessibleName(tr("χ = %1 のときのｙ（もう出ています）").arg(x));
        box->setAccessibleDescription(tr("ここにはもう予想を入れられません"));
    } else {
        box->setAccessibleName(tr("χ = %1 のときのｙの予想").arg(x));
        box->setAccessibleDescription(tr("ｙを数か分数で入れて Enter。Esc でもとにもどす"));
    }
}

void PredictionTool::setRevealed(int x, bool revealed)
{
    QLineEdit *box = m_boxes[size_t(x)];
    if (box->isReadOnly() == revealed)
        return;
    if (revealed && box->hasFocus())
        box->clearFocus();
    box->setReadOnly(revealed);
    box->setFrame(!revealed);
    box->setFocusPolicy(revealed ? Qt::NoFocus : Qt::StrongFocus);
    box->setPalette(boxPalette(revealed));
    nameBox(x);
    fitFont(box);
}

PredictionTool::~PredictionTool()
{
    qApp->removeEventFilter(this);
}

QWidget *PredictionTool::layer() const
{
    return m_layer;
}

bool PredictionTool::keyboardInUse() const
{
    return m_host.keyboardInUse();
}

double PredictionTool::currentX() const
{
    return m_host.lesson().state().x();
}

QFont PredictionTool::markFont()
{
    return fonts::gothic(9, true);
}

QList<PredictionTool::MarkLabel> PredictionTool::markLabels() const
{
    const QFontMetricsF metrics(markFont(), m_layer);
    const QRectF plot(QPointF(0, 0), gamen()->pictureSize());
    // Nothing may stand on a point, nor one mark on another.
    QList<QRectF> taken;
    for (int x = 1; x <= 10; ++x) {
        if (const auto &y = m_columns[size_t(x)].placed)
            taken << QRectF(prediction::columnOf(x) - 6, prediction::rowOf(*y) - 6, 12, 12);
    }
    QList<MarkLabel> labels;
    for (int x = 1; x <= 10; ++x) {
        const Column &col = m_columns[size_t(x)];
        if (!col.placed || !col.placedMark.made)
            continue;
        const QPointF c(prediction::columnOf(x), prediction::rowOf(*col.placed));
        // y only grows with x: up and to the left of a point, or down and to the right of
        // one below the lesson's line, the mark stays clear of that line.
        const bool below = *col.placed < trueY(x);
        // Beside a point, a circle would read as one more point: the word says it. Right
        // within the tolerance but not exact, it says the true y too, so that no one reads the
        // point's own height as the answer.
        const bool right = col.placedMark.right;
        const QString sign = right ? tr("正解") : wrongSign();
        QString value;
        if (reached(x) && *col.placed != trueY(x))
            value = (right ? QStringLiteral(" ") : QString()) + QString::number(trueY(x), 'g', 10);
        const qreal width = metrics.horizontalAdvance(sign + value);
        const qreal height = metrics.ascent() + metrics.descent();
        const auto rectAt = [&](QPointF baseline) {
            return QRectF(baseline.x(), baseline.y() - metrics.ascent(), width, height);
        };
        // Neighbours on one level would run together: a mark moves a line further out.
        std::optional<QPointF> at;
        for (const bool downRight : { below, !below }) {
            for (int line = 0; line < 6 && !at; ++line) {
                const QPointF candidate = downRight
                    ? c + QPointF(7, 14 + line * (height + 1))
                    : c + QPointF(-7 - width, -5 - line * (height + 1));
                const QRectF r = rectAt(candidate);
                if (plot.contains(r)
                    && std::none_of(taken.cbegin(), taken.cend(),
                                    [&](const QRectF &t) { return t.intersects(r); }))
                    at = candidate;
            }
        }
        if (!at)
            at = below ? c + QPointF(7, 14) : c + QPointF(-7 - width, -5);
        taken << rectAt(*at);
        labels.append({ x, sign + value, sign.size(), metrics.horizontalAdvance(sign), *at,
                        rectAt(*at), right });
    }
    return labels;
}

bool PredictionTool::shown(int x) const
{
    return x <= m_shownTo;
}

double PredictionTool::trueY(int x) const
{
    return steps::figureArea(m_host.lesson().state().columns, x);
}

QString PredictionTool::tallyText(int right, int marked)
{
    return tr("予想 %1 / %2").arg(right).arg(marked);
}

void PredictionTool::start()
{
    m_active = true;
    // Focus changes, and presses anywhere: a click on a picture takes no focus from a box.
    qApp->installEventFilter(this);
    m_graphPolicy = gamen()->focusPolicy();
    gamen()->setFocusPolicy(Qt::StrongFocus);
    // Tab goes from the check boxes into the table, column by column, then to the graph.
    QWidget *previous = m_beforeTable;
    for (int x = 1; x <= 10; ++x) {
        QWidget::setTabOrder(previous, m_boxes[size_t(x)]);
        previous = m_boxes[size_t(x)];
    }
    QWidget::setTabOrder(previous, gamen());
    m_selected = std::clamp(int(std::floor(currentX())) + 1, 1, 10);
    clearAll();
}

void PredictionTool::stop()
{
    // Off means off: nothing is kept for the next time.
    m_active = false;
    qApp->removeEventFilter(this);
    gamen()->setFocusPolicy(m_graphPolicy);
    clearAll();
}

void PredictionTool::clearAll()
{
    m_columns = {};
    m_dragging = 0;
    m_message->hide();
    m_graphMessage->hide();
    for (int x = 1; x <= 10; ++x)
        m_boxes[size_t(x)]->clear();
    refresh();
}

void PredictionTool::follow(bool clear)
{
    if (clear) {
        clearAll();
        return;
    }
    // A box being typed into when P reaches it keeps what it holds, as a click elsewhere would.
    for (int x = 1; x <= 10; ++x) {
        if (reached(x) && m_boxes[size_t(x)]->isVisible() && m_boxes[size_t(x)]->hasFocus())
            commit(x, false, true);
    }
    m_message->hide();
    m_graphMessage->hide();
    markReached();
    refresh();
}

void PredictionTool::markReached()
{
    QStringList said;
    for (int x = 1; x <= 10 && reached(x); ++x) {
        Column &col = m_columns[size_t(x)];
        bool marked = false;
        if (col.typed && !col.typedMark.made) {
            col.typedMark = { true, prediction::typedRight(*col.typed, trueY(x)) };
            marked = true;
        }
        if (col.placed && !col.placedMark.made) {
            col.placedMark = { true, prediction::placedRight(*col.placed, trueY(x)) };
            marked = true;
        }
        if (marked)
            said << markSentence(x);
        if (m_dragging == x)
            m_dragging = 0;
    }
    if (!said.isEmpty())
        m_host.announce(said.join(QLatin1Char(' ')));
}

QString PredictionTool::markSentence(int x) const
{
    const Column &col = m_columns[size_t(x)];
    const QString y = QString::number(trueY(x), 'g', 10);
    QStringList parts;
    if (col.typedMark.made) {
        parts << (col.typedMark.right
                      ? tr("表の予想 %1 は正解").arg(prediction::shown(*col.typed))
                      : tr("表の予想 %1 はちがう").arg(prediction::shown(*col.typed)));
    }
    if (col.placedMark.made) {
        parts << (col.placedMark.right ? tr("グラフの予想 %1 は正解").arg(*col.placed)
                                       : tr("グラフの予想 %1 はちがう").arg(*col.placed));
    }
    // The true y only while the lesson shows it.
    QString sentence = tr("χ = %1 cm: %2").arg(x).arg(parts.join(tr("、")));
    if (reached(x))
        sentence += tr("（ｙ = %1 cm²）").arg(y);
    return sentence;
}

void PredictionTool::refresh()
{
    const bool table = m_active && shownView(Lesson::View::Table);
    const bool graph = m_active && shownView(Lesson::View::Graph);
    int typedRight = 0, typedMarked = 0, placedRight = 0, placedMarked = 0;
    for (int x = 1; x <= 10; ++x) {
        const Column &col = m_columns[size_t(x)];
        QLineEdit *box = m_boxes[size_t(x)];
        const bool open = table && !shown(x) && !col.typedMark.made;
        // Where y has been shown and no prediction was marked, stepping back shows the y the
        // class has seen, where nothing can be typed.
        const bool revealed = table && shown(x) && !reached(x) && !col.typedMark.made;
        setRevealed(x, revealed);
        // Set only when it changes: a line edit given its own text again repaints itself.
        const auto setChangedText = [box](const QString &text) {
            if (box->text() != text)
                box->setText(text);
        };
        if (revealed)
            setChangedText(QString::number(trueY(x), 'g', 10));
        else if (!box->hasFocus() || !open)
            setChangedText(col.typedText);
        box->setVisible(open || revealed);

        QLabel *mark = m_tableMarks[size_t(x)];
        if (col.typedMark.made) {
            typedMarked += 1;
            typedRight += col.typedMark.right;
            const QString sign = col.typedMark.right ? rightSign() : wrongSign();
            const QString shown = prediction::shown(*col.typed);
            mark->setText(htmlColored(sign, col.typedMark.right ? rightColor : wrongColor)
                          + htmlColored(shown, predictColor));
            mark->setAccessibleName(markSentence(x));
        }
        mark->setVisible(m_active && col.typedMark.made);

        if (col.placedMark.made) {
            placedMarked += 1;
            placedRight += col.placedMark.right;
        }
    }
    m_tableTally->setText(tallyText(typedRight, typedMarked));
    m_tableTally->setAccessibleName(m_tableTally->text());
    m_tableTally->setVisible(m_active);
    m_graphTally->setText(tallyText(placedRight, placedMarked));
    m_graphTally->setAccessibleName(m_graphTally->text());
    m_graphTally->adjustSize();
    m_graphTally->setVisible(graph);
    m_layer->setVisible(m_active);
    const LayerLook look = layerLook();
    if (look != m_layerLook) {
        m_layerLook = look;
        m_layer->update();
    }
    describe();
}

PredictionTool::LayerLook PredictionTool::layerLook() const
{
    LayerLook look;
    for (int x = 1; x <= 10; ++x)
        look.placed[size_t(x)] = m_columns[size_t(x)].placed;
    look.labels = markLabels();
    look.focusMarker = gamen()->hasFocus() && keyboardInUse();
    look.selected = m_selected;
    return look;
}

void PredictionTool::describe()
{
    QStringList points;
    for (int x = 1; x <= 10; ++x) {
        if (m_columns[size_t(x)].placed)
            points << pointSentence(x);
    }
    m_layer->setAccessibleName(tr("予想した点"));
    m_layer->setAccessibleDescription(points.isEmpty() ? tr("まだありません")
                                                       : points.join(tr("。")));
}

QString PredictionTool::pointSentence(int x) const
{
    const Column &col = m_columns[size_t(x)];
    if (!col.placed)
        return tr("χ = %1 cm: 予想なし").arg(x);
    if (col.placedMark.made)
        return markSentence(x);
    return tr("χ = %1 cm: 予想 ｙ = %2").arg(x).arg(*col.placed);
}

int PredictionTool::boxIndex(const QObject *object) const
{
    for (int x = 1; x <= 10; ++x) {
        if (m_boxes[size_t(x)] == object)
            return x;
    }
    return 0;
}

bool PredictionTool::commit(int x, bool keepRefusedText, bool arriving)
{
    Column &col = m_columns[size_t(x)];
    QLineEdit *box = m_boxes[size_t(x)];
    // Once P has been there, y is known: a box that is gone takes nothing more.
    if (col.typedMark.made || (shown(x) && !arriving))
        return false;
    const QString text = box->text();
    const prediction::Reading r = prediction::read(text);
    if (r.refusal == prediction::Refusal::Empty) {
        col.typed.reset();
        col.typedText.clear();
        box->clear();
        m_message->hide();
        return true;
    }
    if (!r.ok()) {
        // Nothing changes: the prediction stays what it was.
        showRefusal(x, prediction::refusalText(r.refusal));
        if (!keepRefusedText)
            box->setText(col.typedText);
        return false;
    }
    col.typed = r.value;
    // Full-width forms take twice the room in the box: it keeps the number in ASCII.
    col.typedText = prediction::narrowed(text);
    m_message->hide();
    return true;
}

void PredictionTool::showRefusal(int x, const QString &text)
{
    m_message->setText(text);
    m_message->setAccessibleName(text);
    m_message->adjustSize();
    const int width = m_message->width();
    const int left = std::min(boxRect(x).left(), hyo()->pictureSize().width() - width - 2);
    hyo()->placeWidget(m_message, QRect(QPoint(left, 93), m_message->size()));
    m_message->show();
    m_message->raise();
    m_host.announce(text);
}

void PredictionTool::focusBox(int x, int direction)
{
    for (int k = x + direction; k >= 1 && k <= 10; k += direction) {
        QLineEdit *box = m_boxes[size_t(k)];
        if (box->isVisible() && !box->isReadOnly()) {
            box->setFocus(direction > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            box->setCursorPosition(direction > 0 ? 0 : int(box->text().size()));
            return;
        }
    }
}

bool PredictionTool::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == gamen()) {
        if (type == QEvent::FocusIn || type == QEvent::FocusOut)
            m_layer->update();
        return false;
    }
    if (!m_active)
        return false;
    if (type == QEvent::FocusOut) {
        // A click elsewhere keeps what the box holds, or gives back what it held.
        if (const int x = boxIndex(watched); x && !shown(x))
            commit(x, false);
    } else if (type == QEvent::MouseButtonPress && watched->isWidgetType()) {
        // A press on a picture, which takes no focus, leaves the box all the same.
        const int x = boxIndex(QApplication::focusWidget());
        if (x && watched != m_boxes[size_t(x)] && !shown(x))
            commit(x, false);
    }
    return false;
}

std::optional<bool> PredictionTool::key(QWidget *target, const QKeyEvent &key)
{
    if (!m_active)
        return {};
    if (const int x = boxIndex(target)) {
        QLineEdit *box = m_boxes[size_t(x)];
        switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (commit(x, true))
                m_host.announce(m_columns[size_t(x)].typed
                                    ? tr("χ = %1 cm の予想 %2")
                                          .arg(x)
                                          .arg(prediction::shown(*m_columns[size_t(x)].typed))
                                    : tr("χ = %1 cm の予想なし").arg(x));
            return true;
        case Qt::Key_Escape:
            box->setText(m_columns[size_t(x)].typedText);
            m_message->hide();
            return true;
        case Qt::Key_Delete:
            box->clear();
            commit(x, false);
            return true;
        case Qt::Key_Left:
            if (box->cursorPosition() == 0 && !box->hasSelectedText()) {
                focusBox(x, -1);
                return true;
            }
            return false;
        case Qt::Key_Right:
            if (box->cursorPosition() == box->text().size() && !box->hasSelectedText()) {
                focusBox(x, +1);
                return true;
            }
            return false;
        case Qt::Key_Backspace:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return false;
        default:
            // Typing goes to the box; keys that type nothing stay the presenter's.
            return key.text().isEmpty() ? std::optional<bool>() : std::optional<bool>(false);
        }
    }
    if (target == gamen() && shownView(Lesson::View::Graph)) {
        m_graphMessage->hide();
        switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            m_selected = std::clamp(m_selected + (key.key() == Qt::Key_Right ? 1 : -1), 1, 10);
            m_layer->update();
            m_host.announce(pointSentence(m_selected));
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int x = m_selected;
            if (!placeable(x, true))
                return true;
            // A new point starts at the height of the nearest one on its left.
            double y = 0;
            for (int k = x; k >= 1; --k) {
                if (m_columns[size_t(k)].placed) {
                    y = *m_columns[size_t(k)].placed;
                    break;
                }
            }
            if (m_columns[size_t(x)].placed)
                y += key.key() == Qt::Key_Up ? 0.5 : -0.5;
            setPlaced(x, std::clamp(y, 0.0, 60.0));
            m_host.announce(pointSentence(x));
            return true;
        }
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (placeable(m_selected, true)) {
                setPlaced(m_selected, {});
                m_host.announce(pointSentence(m_selected));
            }
            return true;
        default:
            return {};
        }
    }
    return {};
}

bool PredictionTool::placeable(int x, bool sayWhy)
{
    const Column &col = m_columns[size_t(x)];
    if (!shown(x) && !col.placedMark.made)
        return true;
    if (sayWhy) {
        const QString why = col.placedMark.made
            ? tr("χ = %1 cm の予想はもう答え合わせをしました").arg(x)
            : tr("χ = %1 cm のｙはもう出ています").arg(x);
        // Said on the graph too, at the top of x's column, until the next press or key there.
        m_graphMessage->setText(why);
        m_graphMessage->setAccessibleName(why);
        m_graphMessage->adjustSize();
        const int width = m_graphMessage->width();
        const int left = std::clamp(int(prediction::columnOf(x)) - width / 2, 2,
                                    gamen()->pictureSize().width() - width - 2);
        gamen()->placeWidget(m_graphMessage, QRect(QPoint(left, 8), m_graphMessage->size()));
        m_graphMessage->show();
        m_graphMessage->raise();
        m_host.announce(why);
    }
    return false;
}

void PredictionTool::setPlaced(int x, std::optional<double> y)
{
    m_columns[size_t(x)].placed = y;
    refresh();
}

void PredictionTool::graphMouseDown(int button, int, float X, float Y)
{
    m_rightClickTaken = false;
    m_graphMessage->hide();
    if (!m_active || !shownView(Lesson::View::Graph))
        return;
    const int x = prediction::wholeXAt(X);
    if (x == 0 || Y < prediction::rowOf(60) - 10 || Y > prediction::rowOf(0) + 10)
        return;
    const Column &col = m_columns[size_t(x)];
    const bool onPoint = col.placed && std::abs(Y - prediction::rowOf(*col.placed)) <= 8;
    if (button & 2) {
        // A right click on a point removes it; anywhere else it is the tools menu's.
        if (!onPoint)
            return;
        m_rightClickTaken = true;
        if (placeable(x, true)) {
            setPlaced(x, {});
            m_host.announce(pointSentence(x));
        }
        return;
    }
    if (!(button & 1))
        return;
    m_selected = x;
    if (!placeable(x, true)) {
        m_layer->update();
        return;
    }
    m_dragging = x;
    setPlaced(x, prediction::placedY(Y));
}

void PredictionTool::graphMouseMove(int button, int, float, float Y)
{
    if (m_dragging && (button & 1) && placeable(m_dragging, false)) {
        const double y = prediction::placedY(Y);
        if (m_columns[size_t(m_dragging)].placed != y)
            setPlaced(m_dragging, y);
    }
}

void PredictionTool::graphMouseUp(int button, int, float, float)
{
    if (m_dragging && (button & 1)) {
        m_host.announce(pointSentence(m_dragging));
        m_dragging = 0;
    }
    // Where the menu follows the release, it has been asked by now.
    QTimer::singleShot(0, this, [this] { m_rightClickTaken = false; });
}

bool PredictionTool::tookRightClick()
{
    const bool taken = m_rightClickTaken;
    m_rightClickTaken = false;
    return taken;
}
