// "どのグラフ？": four small graphs beside the lesson, one of them the figure's own. The box
// stands beside the panels, in room the lesson makes for it, so it covers nothing of the
// board, the table or the graph.
#include "tools/whichgraph/whichgraphtool.h"

#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "tools/host/toolhost.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

using challenge::Figure;
using formulas::Rational;

namespace {

// The box is laid out in twips, as the window is.
constexpr int boxWidth = 2900, boxTop = 240, boxHeight = 7695;
// The four graphs on the worksheet, two by two, in mm.
constexpr double sheetHeight = 34;
// One step of the confirming slide.
constexpr int confirmMs = 150;

int px(int twips)
{
    return int(std::lround(twips / 15.0));
}

const QColor rightColour(0, 160, 0);
const QColor wrongColour(220, 0, 0);
const QColor focusColour(255, 0, 255);

Rational yOf(const Figure &figure, int halves)
{
    return challenge::yAt(figure, Rational(halves, 2));
}

// One scale for all four graphs, so that steeper looks steeper: up to the largest area, in
// whole 4 cm² rows as the lesson's graph has them.
double topOf(const std::array<Figure, 4> &choices)
{
    double top = 8;
    for (const Figure &f : choices)
        top = std::max(top, 4 * std::ceil(yOf(f, 20).toDouble() / 4));
    return top;
}

// A small graph of y against x, 0 ≦ x ≦ 10, in the lesson's colours: its grid of 1 cm by
// 4 cm², the axes, and the polyline through y at every half centimetre.
void drawGraph(QPainter &painter, const QRectF &plot, const Figure &figure, double top, qreal thin,
               qreal thick)
{
    painter.save();
    const auto at = [&](double x, double y) {
        return QPointF(plot.left() + plot.width() * x / 10,
                       plot.bottom() - plot.height() * y / top);
    };
    painter.setPen(QPen(QColor(160, 210, 160), thin));
    for (int i = 1; i <= 10; ++i)
        painter.drawLine(at(i, 0), at(i, top));
    // Rows of 4 cm² as the lesson's graph has them, or of 12 where those would crowd.
    const int row = top > 32 ? 12 : 4;
    for (int j = row; j <= top; j += row)
        painter.drawLine(at(0, j), at(10, j));
    painter.setPen(QPen(geometry::colour::graphGrid, 2 * thin));
    painter.drawLine(at(0, 0), at(10, 0));
    painter.drawLine(at(0, 0), at(0, top));
    QPainterPath path(at(0, 0));
    for (int k = 1; k <= 20; ++k)
        path.lineTo(at(k / 2.0, yOf(figure, k).toDouble()));
    // The scale at its ends, in the painter's font, outside the plot: x to 10 cm, y to the top.
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal h = metrics.height(), w = metrics.horizontalAdvance(QStringLiteral("00"));
    painter.setPen(geometry::colour::graphText);
    painter.drawText(QRectF(plot.left() - w - thin * 3, plot.top() - h / 2, w, h),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(top));
    painter.drawText(QRectF(plot.left() - w - thin * 3, plot.bottom() - h / 2, w, h),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(QRectF(plot.right() - w, plot.bottom() + thin * 2, 2 * w, h),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("10"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(geometry::colour::plot, thick, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

// Said for a graph: y at every whole x, which is what a learner reads off a graph.
QString described(const Figure &figure)
{
    QStringList ys;
    for (int x = 0; x <= 10; ++x)
        ys << QString::number(yOf(figure, 2 * x).toDouble());
    return WhichGraphTool::tr("x が 0, 1, 2, …, 10 のとき y は %1")
        .arg(ys.join(QStringLiteral(", ")));
}

} // namespace

// One of the four graphs, with its label and, once answered, its mark.
class ChoiceCell : public QWidget
{
public:
    enum class Mark { None, Right, Wrong, Answer };

    ChoiceCell(int index, QWidget *parent)
        : QWidget(parent)
        , m_index(index)
    {
        setObjectName(QStringLiteral("whichGraphChoice%1").arg(index));
        setMinimumSize(120, 60);
    }

    void set(const Figure &figure, double top, bool asked)
    {
        m_figure = figure;
        m_top = top;
        m_asked = asked;
        m_mark = Mark::None;
        setAccessibleName(challenge::choiceLabel(m_index));
        setAccessibleDescription(asked ? described(figure) : QString());
        update();
    }
    void setMark(Mark mark)
    {
        m_mark = mark;
        update();
    }
    void setSelected(bool selected)
    {
        if (m_selected != selected) {
            m_selected = selected;
            update();
        }
    }
    Mark mark() const { return m_mark; }

    std::function<void(int)> picked;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRectF all = rect();
        painter.fillRect(all, geometry::colour::paper);
        // The label, and under it the mark, in a column of their own left of the plot.
        QFont font = fonts::gothic(12, true);
        painter.setFont(font);
        const qreal line = QFontMetricsF(font).height();
        const QColor markColour = m_mark == Mark::Wrong ? wrongColour : rightColour;
        painter.setPen(m_mark == Mark::None ? QColor(Qt::black) : markColour);
        painter.drawText(QRectF(4, 4, labelWidth, line), Qt::AlignCenter,
                         challenge::choiceLabel(m_index));
        if (m_mark != Mark::None)
            painter.drawText(QRectF(4, 4 + line, labelWidth, line), Qt::AlignCenter,
                             m_mark == Mark::Wrong ? WhichGraphTool::tr("×")
                                                   : WhichGraphTool::tr("○"));
        if (m_asked) {
            painter.setFont(fonts::gothic(7));
            drawGraph(painter, all.adjusted(labelWidth + 22, 8, -14, -16), m_figure, m_top, 1, 2);
        }
        if (m_mark != Mark::None) {
            painter.setPen(QPen(markColour, 3));
            painter.drawRect(all.adjusted(1.5, 1.5, -1.5, -1.5));
        }
        if (m_selected) {
            painter.setPen(QPen(focusColour, 2, Qt::DashLine));
            painter.drawRect(all.adjusted(4, 4, -4, -4));
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && picked)
            picked(m_index);
    }

private:
    int m_index;
    Figure m_figure {};
    double m_top = 8;
    bool m_asked = false;
    bool m_selected = false;
    Mark m_mark = Mark::None;
    static constexpr qreal labelWidth = 22;
};

// The question, the four graphs, what the pick was, and the next question.
class ChoicesBox : public QFrame
{
public:
    explicit ChoicesBox(QWidget *parent)
        : QFrame(parent)
    {
        setObjectName(QStringLiteral("whichGraphBox"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        QPalette p = palette();
        p.setColor(QPalette::Window, geometry::colour::paper);
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
        setAutoFillBackground(true);
        setFocusPolicy(Qt::StrongFocus);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setSpacing(6);
        title = new QLabel(this);
        title->setObjectName(QStringLiteral("whichGraphTitle"));
        title->setFont(fonts::gothic(10.5, true));
        title->setWordWrap(true);
        layout->addWidget(title);
        auto *grid = new QGridLayout;
        grid->setSpacing(6);
        for (int i = 0; i < 4; ++i) {
            cells[size_t(i)] = new ChoiceCell(i, this);
            grid->addWidget(cells[size_t(i)], i, 0);
        }
        layout->addLayout(grid, 1);
        result = new QLabel(this);
        result->setObjectName(QStringLiteral("whichGraphResult"));
        result->setFont(fonts::gothic(10.5));
        result->setWordWrap(true);
        result->setMinimumHeight(3 * QFontMetrics(result->font()).height());
        result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(result);
        next = new QPushButton(this);
        next->setObjectName(QStringLiteral("whichGraphNext"));
        next->setFont(fonts::gothic(fonts::defaultPoints));
        layout->addWidget(next, 0, Qt::AlignRight);
    }

    void showSelection(bool keyboardInUse)
    {
        keyboard = keyboardInUse;
        for (int i = 0; i < 4; ++i)
            cells[size_t(i)]->setSelected(keyboard && hasFocus() && i == selected);
    }

    QLabel *title;
    std::array<ChoiceCell *, 4> cells;
    QLabel *result;
    QPushButton *next;
    int selected = 0; // the graph the arrows point at
    bool keyboard = false; // the selection is marked only while the keyboard is used

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QFrame::focusInEvent(event);
        showSelection(keyboard);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        QFrame::focusOutEvent(event);
        showSelection(keyboard);
    }
};

WhichGraphTool::WhichGraphTool(ToolHost &host)
    : Tool(host)
{ }

WhichGraphTool::~WhichGraphTool() = default;

bool WhichGraphTool::isOn() const
{
    return host.isOn(u"whichgraph");
}

QWidget *WhichGraphTool::box() const
{
    return m_box;
}

bool WhichGraphTool::confirming() const
{
    return m_confirm && m_confirm->isActive();
}

void WhichGraphTool::act(const tools::ToolRow &, bool on)
{
    setShown(on);
}

bool WhichGraphTool::keepsOff(QStringView id) const
{
    // Written-out formulas would give the answer away, and both boxes want the same room.
    return isOn() && id == u"formulas";
}

void WhichGraphTool::setShown(bool on)
{
    // The formulas go first: their box gives the room back as it goes. The challenge to match a
    // graph builds on the same board: one question at a time.
    if (on) {
        host.setOn(u"formulas", false);
        host.setOn(u"challenge", false);
    }
    if (!m_box) {
        if (!on)
            return;
        m_box = new ChoicesBox(&host.window());
        for (ChoiceCell *cell : m_box->cells)
            cell->picked = [this](int index) { pick(index); };
        connect(m_box->next, &QPushButton::clicked, this,
                [this] { askNew(QRandomGenerator::global()->generate()); });
        connect(&host, &ToolHost::keyboardUseChanged, this,
                [this](bool inUse) { m_box->showSelection(inUse); });
        if (QAction *challenge = host.action(u"challenge")) {
            connect(challenge, &QAction::toggled, this, [this](bool challenging) {
                if (challenging && isOn())
                    host.setOn(u"whichgraph", false);
            });
        }
        m_confirm = new QTimer(this);
        m_confirm->setInterval(confirmMs);
        connect(m_confirm, &QTimer::timeout, this, &WhichGraphTool::stepToConfirm);
        retranslate();
    }
    if (!on) {
        stopConfirming();
        m_right = m_picked = -1;
        m_box->hide();
        host.lesson().makeRoom(0); // the lesson's own width back
        host.announce(tr("どのグラフ？を終わりました"));
        return;
    }
    m_box->show();
    place();
    m_box->setFocus(Qt::OtherFocusReason);
    ask(QRandomGenerator::global()->generate());
}

void WhichGraphTool::place()
{
    if (!m_box || m_box->isHidden())
        return;
    // The box goes to the right of the board or the graph, whichever the lesson shows.
    const int lessonWidth = host.lesson().makeRoom(boxWidth + 225);
    m_box->setGeometry(px(lessonWidth - 100), px(boxTop), px(boxWidth), px(boxHeight));
}

void WhichGraphTool::ask(quint32 seed)
{
    if (!m_box)
        return;
    stopConfirming();
    m_right = m_picked = -1;
    Lesson &lesson = host.lesson();
    if (lesson.state().playing) {
        for (ChoiceCell *cell : m_box->cells)
            cell->set({}, 8, false);
        const QString problem = tr(
            "自動で動いている間は出題できません。ストップしてから「次の問題」を押してください");
        m_box->result->setText(problem);
        host.tellProblem(problem);
        return;
    }
    m_changing = true;
    if (lesson.state().held != 0)
        lesson.release(Lesson::Release::Nothing, 0);
    const Figure standing = lesson.state().columns;
    if (standing == Figure {}) {
        // Built by the lesson's own drops, piece by piece, as a learner would build it.
        const Figure wanted = challenge::level(2 + int(seed % 3), seed);
        for (int k = 0; k < 5; ++k) {
            const double code = wanted[size_t(k)];
            if (code < 1 || code > 4)
                continue;
            lesson.pickUp(int(code));
            // A triangle hangs by its middle column.
            lesson.release(Lesson::Release::Drop, code == 4 ? k + 1 : k);
        }
    } else if (lesson.state().halves != 0) {
        lesson.press(Lesson::Button::Restart); // the graph drawn so far would tell
    }
    m_changing = false;
    m_figure = lesson.state().columns;
    m_choices = challenge::choices(m_figure, seed, &m_right);
    const double top = topOf(m_choices);
    for (int i = 0; i < 4; ++i)
        m_box->cells[size_t(i)]->set(m_choices[size_t(i)], top, true);
    m_box->result->clear();
    m_box->selected = 0;
    m_box->showSelection(host.keyboardInUse());
    sayQuestion();
}

void WhichGraphTool::askNew(quint32 seed)
{
    if (!m_box)
        return;
    if (!host.lesson().state().playing) {
        m_changing = true;
        host.lesson().press(Lesson::Button::Initial);
        m_changing = false;
    }
    ask(seed);
}

void WhichGraphTool::sayQuestion()
{
    host.announce(m_box->title->text());
}

QString WhichGraphTool::resultText() const
{
    const QString answer = challenge::choiceLabel(m_right);
    if (m_picked == m_right)
        return tr("%1: 正解です。図形を動かして、グラフを確かめます").arg(answer);
    return tr("%1: ちがいます。正解は %2 です。図形を動かして、グラフを確かめます")
        .arg(challenge::choiceLabel(m_picked), answer);
}

void WhichGraphTool::pick(int index)
{
    if (!m_box || m_right < 0 || m_picked >= 0 || index < 0 || index > 3)
        return;
    m_picked = index;
    for (int i = 0; i < 4; ++i) {
        using Mark = ChoiceCell::Mark;
        m_box->cells[size_t(i)]->setMark(i == m_right ? (i == index ? Mark::Right : Mark::Answer)
                                             : i == index ? Mark::Wrong
                                                          : Mark::None);
    }
    m_box->result->setText(resultText());
    host.announce(resultText());
    // The slide plays from B with the graph shown: the lesson draws the right graph itself.
    Lesson &lesson = host.lesson();
    if (lesson.state().playing)
        return;
    m_changing = true;
    if (!lesson.state().isShown(Lesson::View::Graph))
        lesson.setShown(Lesson::View::Graph, true);
    // From B, where the graph starts with its dot at the origin.
    lesson.press(Lesson::Button::Restart);
    m_changing = false;
    m_confirm->start();
}

void WhichGraphTool::stepToConfirm()
{
    Lesson &lesson = host.lesson();
    const Lesson::State s = lesson.state();
    if (s.playing || s.halves >= 20) {
        stopConfirming();
        return;
    }
    m_changing = true;
    lesson.press(Lesson::Button::Forward);
    m_changing = false;
    if (lesson.state().halves >= 20)
        stopConfirming();
}

void WhichGraphTool::stopConfirming()
{
    if (m_confirm)
        m_confirm->stop();
}

void WhichGraphTool::follow(Lesson::Change what)
{
    if (!m_box || !isOn())
        return;
    // Showing or hiding the graph moves the box beside what is shown.
    if (what == Lesson::Change::View) {
        place();
        return;
    }
    if (m_changing)
        return;
    // The learner takes the slide over.
    stopConfirming();
    if (what != Lesson::Change::Figure && what != Lesson::Change::Initial)
        return;
    // Another figure asks about its own graph; an empty board waits for one.
    if (host.lesson().state().columns != Figure {}) {
        ask(QRandomGenerator::global()->generate());
        return;
    }
    m_right = m_picked = -1;
    for (ChoiceCell *cell : m_box->cells)
        cell->set({}, 8, false);
    m_box->result->setText(
        tr("黒板に図形がありません。図形をつくるか、「次の問題」を押してください"));
    host.announce(m_box->result->text());
}

std::optional<bool> WhichGraphTool::key(QWidget *target, const QKeyEvent &key)
{
    if (!m_box || !isOn() || target != m_box)
        return {};
    int index = -1;
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_4)
        index = key.key() - Qt::Key_1;
    for (int i = 0; i < 4 && index < 0 && !key.text().isEmpty(); ++i) {
        if (key.text().compare(challenge::choiceLabel(i), Qt::CaseInsensitive) == 0)
            index = i;
    }
    int &selected = m_box->selected;
    switch (key.key()) {
    // The graphs stand in one column, ア at the top; the arrows run round it.
    case Qt::Key_Left:
    case Qt::Key_Up:
        selected = (selected + 3) % 4;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        selected = (selected + 1) % 4;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        index = selected;
        break;
    default:
        if (index < 0)
            return {};
        break;
    }
    if (index >= 0) {
        if (m_right < 0 || m_picked >= 0) {
            // Said rather than ignored: the learner may not see why nothing happens.
            host.announce(m_right < 0 ? m_box->result->text() : resultText());
            return true;
        }
        selected = index;
        pick(index);
    } else {
        host.announce(tr("%1 を選んでいます").arg(challenge::choiceLabel(selected)) + tr("。")
                      + m_box->cells[size_t(selected)]->accessibleDescription());
    }
    // The host marks the keyboard in use once the key is taken; the frame follows then.
    QTimer::singleShot(0, m_box, [this] { m_box->showSelection(host.keyboardInUse()); });
    return true;
}

void WhichGraphTool::retranslate()
{
    if (!m_box)
        return;
    m_box->setAccessibleName(tr("どのグラフ？"));
    m_box->title->setText(
        tr("どのグラフ？ 黒板の図形を動かしたときのグラフは、ア～エのどれでしょう"));
    m_box->next->setText(tr("次の問題"));
    for (int i = 0; i < 4; ++i) {
        ChoiceCell *cell = m_box->cells[size_t(i)];
        cell->setAccessibleName(challenge::choiceLabel(i));
        if (m_right >= 0)
            cell->setAccessibleDescription(described(m_choices[size_t(i)]));
        cell->update();
    }
    if (m_picked >= 0)
        m_box->result->setText(resultText());
    place();
}

std::vector<KeyLine> WhichGraphTool::keyLines() const
{
    return {
        { "1, 2, 3, 4",
          QT_TRANSLATE_NOOP("keys", "どのグラフ？: ア～エのグラフを答えに選ぶ（グラフの枠で）") },
        { "←, →, ↑, ↓, Enter",
          QT_TRANSLATE_NOOP("keys", "どのグラフ？: グラフを指して、Enterで答えに選ぶ") },
    };
}

std::vector<SheetTask> WhichGraphTool::sheetTasks() const
{
    if (!isOn() || m_right < 0)
        return {};
    SheetTask task;
    task.question
        = { formulas::written(tr("どのグラフ？")),
            formulas::written(tr("図の図形を動かしたときのグラフは、ア～エのどれでしょう。")) };
    task.answer
        = { formulas::written(tr("どのグラフ？ の答え: %1").arg(challenge::choiceLabel(m_right))) };
    const std::array<Figure, 4> choices = m_choices;
    const int right = m_right;
    task.drawingHeight = sheetHeight;
    task.drawing = [choices, right](QPainter &painter, const QRectF &box, bool answer) {
        // Two by two, each graph with its label on its left; sizes in mm of the box's scale.
        const qreal mm = box.height() / sheetHeight;
        const double top = topOf(choices);
        const qreal cellWidth = box.width() / 2, cellHeight = box.height() / 2;
        painter.save();
        for (int i = 0; i < 4; ++i) {
            const QRectF cell(box.left() + (i % 2) * cellWidth, box.top() + (i / 2) * cellHeight,
                              cellWidth, cellHeight);
            const QRectF plot = cell.adjusted(9 * mm, 1.5 * mm, -3 * mm, -4 * mm);
            painter.setFont(fonts::gothic(9, true));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(cell.left() + mm, cell.top(), 4 * mm, 5 * mm), Qt::AlignCenter,
                             challenge::choiceLabel(i));
            painter.setFont(fonts::gothic(5));
            drawGraph(painter, plot, choices[size_t(i)], top, 0.15 * mm, 0.4 * mm);
            if (answer && i == right) {
                painter.setPen(QPen(rightColour, 0.4 * mm));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QRectF(cell.left() + mm, cell.top(), 4 * mm, 5 * mm));
            }
        }
        painter.restore();
    };
    return { task };
}
