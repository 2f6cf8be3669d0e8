// The rate of change from a start point to P. Everything here stands above the panels'
// pictures in layers of its own, so switching the tool off gives back the lesson's pixels.
#include "tools/rate/ratetool.h"

#include "core/lessonformat.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/picturepanel.h"
#include "tools/formulapaint.h"
#include "tools/host/toolhost.h"
#include "tools/jump/jump.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The tool's own colours: orange marks, a darker start marker, a light tint on the board.
const QColor legColour(230, 90, 0);
const QColor markerColour(150, 40, 0);
const QColor stripTint(255, 140, 0, 100);
const QColor stripHatch(230, 90, 0, 200);
const QColor chalk(255, 200, 120);

// The board's picture: the text goes into the empty left of the palette band, the strip lies
// in the rectangle left of AB.
constexpr QRect boardArea(0, 0, 310, 310);
constexpr double textLeft = 8, textTop = 6, textWidth = 280;

// The table: arrows above the x row and below the y row, clear of the printed numbers.
constexpr double xArrowY = 14, yArrowY = 100, markerTop = 2;

QFont markFont()
{
    return fonts::gothic(9, true);
}

Lesson::State stateOf(const ToolHost &host)
{
    return host.lesson().state();
}

// Paints "start ─→ end" with a tick at each end and the increase beside the head.
void drawArrow(QPainter &p, double from, double to, double y, const QString &label)
{
    p.setPen(QPen(legColour, 1));
    p.drawLine(QPointF(from, y), QPointF(to, y));
    p.drawLine(QPointF(from, y - 4), QPointF(from, y + 4));
    p.drawLine(QPointF(to, y - 4), QPointF(to, y + 4));
    p.setBrush(legColour);
    p.drawPolygon(QPolygonF({ QPointF(to, y), QPointF(to - 6, y - 3), QPointF(to - 6, y + 3) }));
    p.setFont(markFont());
    const QFontMetricsF metrics(p.font());
    p.drawText(QPointF(to + 5, y + metrics.ascent() / 2 - 1), label);
}

// A small triangle pointing down at `tip`.
void drawMarker(QPainter &p, QPointF tip)
{
    p.setPen(Qt::NoPen);
    p.setBrush(markerColour);
    p.drawPolygon(QPolygonF({ tip, tip + QPointF(-6, -9), tip + QPointF(6, -9) }));
}

class Layer : public QWidget
{
public:
    Layer(RateTool &tool, PicturePanel *panel, const QRect &area, const char *name)
        : QWidget(panel)
        , t(tool)
    {
        setObjectName(QLatin1String(name));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        panel->placeWidget(this, area);
    }

protected:
    RateTool &t;
};

// The strip that crossed AB during the interval, and the line and sentence written beside it.
class BoardLayer : public Layer
{
public:
    BoardLayer(RateTool &tool, PicturePanel *panel)
        : Layer(tool, panel, boardArea, "rateBoard")
    { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const std::optional<rate::Interval> iv = t.interval();
        if (!iv)
            return;
        QPainter p(this);
        const Lesson::State s = t.toolHost().lesson().state();
        if (t.showsY()) {
            // Distance from the figure's left end to board pixels: the left end is at P.
            const double left = geometry::Bx - geometry::pxPerCm * s.x();
            QPainterPath path;
            for (const std::vector<QPointF> &piece : rate::strip(s.columns, *iv)) {
                QPolygonF polygon;
                for (const QPointF &c : piece)
                    polygon << QPointF(left + geometry::pxPerCm * c.x(),
                                       geometry::baseY - geometry::pxPerCm * c.y());
                polygon << polygon.first();
                path.addPolygon(polygon);
            }
            p.fillPath(path, stripTint);
            p.fillPath(path, QBrush(stripHatch, Qt::BDiagPattern));
            p.strokePath(path, QPen(legColour, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(chalk);
        const formulas::Setter line(fonts::gothic(12, true), this);
        const formulas::Setter words(fonts::gothic(10), this);
        const formulas::Written first
            = t.showsY() ? rate::line(*iv) : formulas::written(t.increaseOfX());
        line.draw(p, QPointF(textLeft, textTop + line.ascent()), first);
        words.drawWrapped(p, QPointF(textLeft, textTop + line.ascent() + line.descent() + 4),
                          textWidth, formulas::written(t.sentenceNow()), 2);
    }
};

class TableLayer : public Layer
{
public:
    TableLayer(RateTool &tool, PicturePanel *panel)
        : Layer(tool, panel, QRect(QPoint(0, 0), panel->pictureSize()), "rateTable")
    { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const double x1 = t.start() / 2.0;
        drawMarker(p, QPointF(RateTool::tableColumnCentre(x1), markerTop + 9));
        const std::optional<rate::Interval> iv = t.interval();
        if (!iv)
            return;
        const double from = RateTool::tableColumnCentre(x1);
        const double to = RateTool::tableColumnCentre(iv->toHalves / 2.0);
        drawArrow(p, from, to, xArrowY, rate::increase(iv->dx));
        if (t.showsY())
            drawArrow(p, from, to, yArrowY, rate::increase(iv->dy));
    }
};

class GraphLayer : public Layer
{
public:
    GraphLayer(RateTool &tool, PicturePanel *panel)
        : Layer(tool, panel, QRect(QPoint(0, 0), panel->pictureSize()), "rateGraph")
    { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const double x1 = t.start() / 2.0;
        drawMarker(p, RateTool::graphPoint(x1, 0) - QPointF(0, 1));
        const std::optional<rate::Interval> iv = t.interval();
        if (!iv)
            return;
        const Lesson::State s = t.toolHost().lesson().state();
        const double x2 = iv->toHalves / 2.0;
        const bool withY = t.showsY();
        const double y1 = withY ? rate::yAt(s.columns, iv->fromHalves).toDouble() : 0;
        const double y2 = y1 + iv->dy.toDouble();
        const QPointF a = RateTool::graphPoint(x1, y1), corner = RateTool::graphPoint(x2, y1),
                      b = RateTool::graphPoint(x2, y2);
        p.setPen(QPen(legColour, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, corner);
        p.setFont(markFont());
        const QFontMetricsF metrics(p.font());
        const QString dx = rate::increase(iv->dx);
        // Under the leg, unless the axis's numbers are there: then above it.
        const double below = a.y() + 3 + metrics.ascent();
        const double baseline = below + metrics.descent() < geometry::graphOriginY - 2
            ? below
            : a.y() - 3 - metrics.descent();
        p.drawText(QPointF((a.x() + corner.x() - metrics.horizontalAdvance(dx)) / 2, baseline), dx);
        if (!withY)
            return;
        p.drawLine(corner, b);
        // Beside the middle of the upright leg, but never down on the level one.
        p.drawText(QPointF(corner.x() + 4,
                           std::min((corner.y() + b.y() + metrics.ascent()) / 2,
                                    corner.y() - 3 - metrics.descent())),
                   rate::increase(iv->dy));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(legColour, 1, Qt::DashLine));
        p.drawLine(a, b);
    }
};

// The marker's grip on the graph, in picture pixels around its tip on the x axis.
bool onMarker(QPointF at, int start)
{
    const QPointF tip = RateTool::graphPoint(start / 2.0, 0);
    return std::abs(at.x() - tip.x()) <= 8 && at.y() >= tip.y() - 14 && at.y() <= tip.y() + 6;
}

} // namespace

RateTool::RateTool(ToolHost &host)
    : Tool(host)
{
    for (Lesson::Panel which : { Lesson::Panel::Table, Lesson::Panel::Graph })
        host.lesson().panel(which)->installEventFilter(this);
    // Predictions opened or closed: what may be shown of y changes.
    connect(&host, &ToolHost::questionsChanged, this, [this] { refresh(false); });
}

RateTool::~RateTool() = default;

bool RateTool::isOn() const
{
    return host.isOn(u"rate");
}

void RateTool::act(const tools::ToolRow &, bool on)
{
    setShown(on);
}

void RateTool::setShown(bool on)
{
    if (on && !m_board) {
        Lesson &lesson = host.lesson();
        m_board = new BoardLayer(*this, lesson.panel(Lesson::Panel::Board));
        m_table = new TableLayer(*this, lesson.panel(Lesson::Panel::Table));
        m_graph = new GraphLayer(*this, lesson.panel(Lesson::Panel::Graph));
    }
    if (!m_board)
        return;
    if (on)
        m_start = stateOf(host).halves;
    m_dragging = false;
    for (QWidget *layer : { m_board, m_table, m_graph }) {
        layer->setVisible(on);
        if (on)
            layer->raise();
    }
    if (on)
        refresh(true);
    else
        host.announce(tr("変化の割合を終わりました"));
}

void RateTool::setStart(int halves)
{
    m_start = std::clamp(halves, 0, jump::lastHalf);
    refresh(true);
}

std::optional<rate::Interval> RateTool::interval() const
{
    const Lesson::State s = stateOf(host);
    return rate::interval(s.columns, m_start, s.halves);
}

bool RateTool::showsY() const
{
    const Lesson::State s = stateOf(host);
    const auto shown = [&](int halves) {
        const double x = halves / 2.0;
        if (host.hidesY(x))
            return false;
        if (!host.isOn(u"predict"))
            return true;
        // While the class predicts, a y is no question once the table or the graph shows it.
        const bool inTable
            = halves % 2 == 0 && s.isShown(Lesson::View::Table) && s.tabled[size_t(halves / 2)];
        const bool onGraph = s.isShown(Lesson::View::Graph) && s.graphed[size_t(halves)];
        return inTable || onGraph;
    };
    return shown(m_start) && shown(s.halves);
}

QString RateTool::sentenceNow() const
{
    const std::optional<rate::Interval> iv = interval();
    if (!iv)
        return {};
    if (!showsY())
        return tr("y の増加量は、y が表かグラフに出てから示す");
    return rate::sentence(stateOf(host).columns, *iv);
}

QString RateTool::increaseOfX() const
{
    const std::optional<rate::Interval> iv = interval();
    return iv ? tr("x の増加量 %1").arg(rate::decimal(iv->dx)) : QString();
}

QString RateTool::statement() const
{
    const std::optional<rate::Interval> iv = interval();
    const QString from = rate::decimal(formulas::Rational(m_start, 2));
    if (!iv)
        return tr("変化の割合の始まり: x = %1 cm").arg(from);
    const QString to = rate::decimal(formulas::Rational(iv->toHalves, 2));
    const QString what = showsY() ? rate::lineText(*iv) : increaseOfX();
    //: x from the first number to the second: the rate (or the increase of x), then a sentence
    return tr("x が %1 から %2 まで: %3。%4").arg(from, to, what, sentenceNow());
}

void RateTool::refresh(bool say)
{
    if (!isOn() || !m_board)
        return;
    for (QWidget *layer : { m_board, m_table, m_graph })
        layer->update();
    const QString said = statement();
    // The increases the arrows and the legs carry, as they are written.
    QString increases;
    if (const std::optional<rate::Interval> iv = interval()) {
        increases = rate::increase(iv->dx);
        if (showsY())
            increases += QLatin1Char(' ') + rate::increase(iv->dy);
    }
    for (QWidget *layer : { m_board, m_table, m_graph }) {
        layer->setAccessibleName(said);
        layer->setAccessibleDescription(increases);
    }
    if (say)
        host.announce(said);
}

void RateTool::follow(Lesson::Change what)
{
    if (!isOn())
        return;
    // A jump is said once, at its end; a view ticked or unticked changes only what is shown.
    refresh(what != Lesson::Change::View && !stateOf(host).jumping);
}

std::optional<bool> RateTool::key(QWidget *target, const QKeyEvent &key)
{
    if (!isOn() || key.modifiers() != Qt::ShiftModifier)
        return {};
    const Lesson::State s = stateOf(host);
    Lesson &lesson = host.lesson();
    if (!(target == lesson.panel(Lesson::Panel::Table) && s.isShown(Lesson::View::Table))
        && !(target == lesson.panel(Lesson::Panel::Graph) && s.isShown(Lesson::View::Graph)))
        return {};
    switch (key.key()) {
    case Qt::Key_Left:
        setStart(m_start - 1);
        return true;
    case Qt::Key_Right:
        setStart(m_start + 1);
        return true;
    case Qt::Key_Home:
        setStart(0);
        return true;
    case Qt::Key_End:
        setStart(s.halves);
        return true;
    default:
        return {};
    }
}

bool RateTool::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The window leaves keys with Shift to the focused control: the panel's are ours.
    if (type == QEvent::KeyPress && isOn()) {
        const std::optional<bool> taken
            = key(static_cast<QWidget *>(watched), *static_cast<QKeyEvent *>(event));
        if (taken.value_or(false))
            host.setKeyboardInUse(true);
        return taken.value_or(false);
    }
    if (!isOn()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
            && type != QEvent::MouseButtonRelease))
        return false;
    auto *panel = static_cast<PicturePanel *>(watched);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPointF at = mouse->position() - panel->pictureOffset();
    const Lesson::State s = stateOf(host);
    const bool graph = panel == host.lesson().panel(Lesson::Panel::Graph);
    if (type == QEvent::MouseMove) {
        if (!m_dragging)
            return false;
        const int halves = jump::graphHalfNearest(at.x());
        if (halves != m_start)
            setStart(halves);
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (!m_dragging || mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = false;
        return true;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    const bool shift = mouse->modifiers() == Qt::ShiftModifier;
    if (!graph) {
        const std::optional<int> column = jump::tableColumnAt(at.x(), at.y());
        if (!shift || !s.isShown(Lesson::View::Table) || !column)
            return false;
        setStart(2 * *column);
        return true;
    }
    if (!s.isShown(Lesson::View::Graph))
        return false;
    if (onMarker(at, m_start)) {
        m_dragging = true;
        return true;
    }
    if (shift && jump::inPlot(at.x(), at.y())) {
        setStart(jump::graphHalfNearest(at.x()));
        return true;
    }
    return false;
}

void RateTool::retranslate()
{
    refresh(false);
}

std::vector<KeyLine> RateTool::keyLines() const
{
    return {
        { QT_TRANSLATE_NOOP("keys", "Shift+←, Shift+→ (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "変化の割合: 始まりの点を0.5 cm動かす") },
        { QT_TRANSLATE_NOOP("keys", "Shift+Home, Shift+End (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "変化の割合: 始まりの点をχ = 0へ、点Ｐのところへ") },
        { QT_TRANSLATE_NOOP("keys", "Shift+クリック (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys",
                            "変化の割合: そのχを始まりの点にする（グラフの印はドラッグでも）") },
    };
}

void RateTool::save(lessonformat::Lesson &lesson) const
{
    if (isOn())
        lesson.rateFrom = m_start / 2.0;
}

void RateTool::load(const lessonformat::Lesson &lesson)
{
    if (!lesson.rateFrom)
        return;
    m_start = std::clamp(int(std::lround(2 * *lesson.rateFrom)), 0, jump::lastHalf);
    refresh(false);
}

std::vector<SheetTask> RateTool::sheetTasks() const
{
    const std::optional<rate::Interval> iv = interval();
    if (!isOn() || !iv)
        return {};
    SheetTask task;
    task.question = { formulas::written(rate::question(*iv)) };
    task.answer = { rate::line(*iv), formulas::written(rate::increases(*iv)) };
    return { task };
}

double RateTool::tableColumnCentre(double x)
{
    // The numbers stand at 60 for x = 0 and from tableColumnLeft for whole x, one digit wide.
    const auto whole = [](int column) {
        return column == 0 ? geometry::tableZeroLeft + 5.0 : geometry::tableColumnLeft(column) + 6;
    };
    const int below = std::clamp(int(std::floor(x)), 0, 9);
    return whole(below) + (x - below) * (whole(below + 1) - whole(below));
}

QPointF RateTool::graphPoint(double x, double y)
{
    return geometry::graphPoint(x, y);
}
