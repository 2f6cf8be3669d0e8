// "グラフに合う図形をつくろう": the target's graph above the graph panel, a bar of buttons and
// words under it, and the answer's outline on the board once asked for.
#include "tools/challenge/challengetool.h"

#include "core/lessonformat.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/picturepanel.h"
#include "tools/graphlayer.h"
#include "tools/host/toolhost.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The target has colours of its own, apart from the lesson's blue and the grid's green.
const QColor targetInk(230, 110, 0);
const QColor targetGap(250, 190, 120);

// The answer's outline: the pieces where the learner builds, dashed.
class AnswerLayer : public QWidget
{
public:
    AnswerLayer(PicturePanel *board, const challenge::Figure &figure)
        : QWidget(board)
        , m_figure(figure)
    {
        setObjectName(QStringLiteral("challengeAnswer"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        board->placeWidget(this, QRect(QPoint(0, 0), board->pictureSize()));
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(targetInk, 3, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        using namespace geometry;
        for (int k = 0; k < columns; ++k) {
            const int code = int(m_figure[size_t(k)]);
            const double left = Bx + columnWidth * k;
            if (code >= 1 && code <= 3) {
                const int h = code == 1 ? squareHeight : code == 2 ? shortBarHeight : tallBarHeight;
                p.drawRect(QRectF(left, baseY - h, columnWidth, h));
            } else if (code == 4) {
                const QPointF corner[]
                    = { { left, double(baseY) },
                        { left + triangleWidth, double(baseY) },
                        { left + triangleWidth, double(baseY - triangleHeight) } };
                p.drawPolygon(corner, 3);
            }
        }
    }

private:
    const challenge::Figure &m_figure;
};

} // namespace

ChallengeTool::ChallengeTool(ToolHost &host)
    : Tool(host)
{ }

ChallengeTool::~ChallengeTool() = default;

bool ChallengeTool::isOn() const
{
    return host.isOn(u"challenge");
}

void ChallengeTool::make()
{
    if (m_layer)
        return;
    Lesson &lesson = host.lesson();
    m_layer = new GraphLayer(lesson.panel(Lesson::Panel::Graph), QStringLiteral("challengeTarget"));
    m_answer = new AnswerLayer(lesson.panel(Lesson::Panel::Board), m_target);

    // Under the graph's panel the window's own background is bare.
    m_bar = new QWidget(&host.window());
    m_bar->setObjectName(QStringLiteral("challengeBar"));
    auto *column = new QVBoxLayout(m_bar);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    column->addLayout(row);
    auto button = [&](const char *name, void (ChallengeTool::*slot)()) {
        auto *b = new QPushButton(m_bar);
        b->setObjectName(QLatin1String(name));
        b->setFont(fonts::gothic(9));
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    m_check = button("challengeCheck", &ChallengeTool::check);
    m_next = button("challengeNext", &ChallengeTool::nextLevel);
    m_show = button("challengeShow", &ChallengeTool::showAnswer);
    row->addStretch(1);
    m_name = new QLabel(m_bar);
    m_name->setObjectName(QStringLiteral("challengeName"));
    m_name->setFont(fonts::gothic(9, true));
    column->addWidget(m_name);

    // The verdict at the top of the plot, left of x = 9, where no graph can reach.
    PicturePanel *graph = lesson.panel(Lesson::Panel::Graph);
    m_verdict = new QLabel(graph);
    m_verdict->setObjectName(QStringLiteral("challengeVerdict"));
    m_verdict->setFont(fonts::gothic(9, true));
    m_verdict->setWordWrap(true);
    m_verdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_verdict->setAutoFillBackground(true);
    QPalette palette = m_verdict->palette();
    palette.setColor(QPalette::Window, geometry::colour::paper);
    palette.setColor(QPalette::WindowText, QColor(160, 60, 0));
    m_verdict->setPalette(palette);
    graph->placeWidget(m_verdict, QRect(45, 8, 255, 48));
    m_verdict->hide();
    m_bar->hide();
    retranslate();
}

void ChallengeTool::place()
{
    const QRect graph = host.lesson().panel(Lesson::Panel::Graph)->geometry();
    m_bar->setGeometry(graph.left(), graph.bottom() + 4, graph.width(), 46);
}

void ChallengeTool::act(const tools::ToolRow &row, bool on)
{
    const QLatin1String id(row.id);
    if (id == QLatin1String("challenge")) {
        if (on) {
            make();
            m_solved = 0;
            begin();
            start(1, QRandomGenerator::global()->bounded(1u, 1000u));
            host.announce(tr("グラフに合う図形をつくろう: %1 "
                             "の目標のグラフです。図形をつくって答え合わせをしましょう")
                              .arg(name()));
        } else if (m_layer) {
            m_layer->hide();
            m_answer->hide();
            m_bar->hide();
            m_verdict->hide();
            m_layer->setGraphs({});
            host.announce(tr("グラフに合う図形をつくろうを終わりました"));
        }
        return;
    }
    if (id == QLatin1String("chooseLevel")) {
        chooseLevel();
        return;
    }
    if (refuseOff())
        return;
    if (id == QLatin1String("check"))
        check();
    else if (id == QLatin1String("nextLevel"))
        nextLevel();
    else if (id == QLatin1String("answer"))
        showAnswer();
}

bool ChallengeTool::refuseOff()
{
    if (isOn())
        return false;
    host.tellProblem(tr("「グラフに合う図形をつくろう」を始めてから使えます"));
    return true;
}

void ChallengeTool::begin()
{
    // The target is drawn on the graph: the graph must show.
    if (!host.lesson().state().isShown(Lesson::View::Graph))
        host.lesson().setShown(Lesson::View::Graph, true);
    place();
    m_layer->show();
    m_layer->raise();
    m_bar->show();
}

void ChallengeTool::start(int level, quint32 seed)
{
    level = std::clamp(level, 1, challenge::levels);
    setTarget(challenge::level(level, seed), level, seed);
}

void ChallengeTool::start(const challenge::Figure &target)
{
    setTarget(target, 0, 0);
}

void ChallengeTool::setTarget(const challenge::Figure &target, int level, quint32 seed)
{
    make();
    m_level = level;
    m_seed = seed;
    m_target = target;
    m_done = false;
    m_answerShown = false;
    m_verdictText.clear();
    m_answer->hide();
    m_layer->setGraphs({ { m_target, targetInk, targetGap } });
    if (isOn())
        begin();
    describe();
}

QString ChallengeTool::name() const
{
    return m_level ? challenge::levelName(m_level, m_seed) : tr("先生の目標");
}

void ChallengeTool::describe()
{
    if (!m_bar)
        return;
    //: the target's name and how many levels were solved
    m_name->setText(tr("%1　解いた数 %2").arg(name()).arg(m_solved));
    m_name->setAccessibleName(m_name->text());
    m_verdict->setText(m_verdictText);
    m_verdict->setAccessibleName(m_verdictText);
    m_verdict->setVisible(isOn() && !m_verdictText.isEmpty());
    m_verdict->raise();
    // The graph is what the learner is given: its y at whole x, never the figure's pieces.
    QStringList ys;
    for (int x = 1; x <= 10; ++x) {
        const formulas::Rational y = challenge::yAt(m_target, x);
        ys << tr("χ = %1 で ｙ = %2").arg(x).arg(y.toDouble());
    }
    m_layer->setAccessibleName(tr("目標のグラフ"));
    m_layer->setAccessibleDescription(ys.join(tr("、")));
    m_answer->setAccessibleName(tr("答えの図形"));
    m_answer->setAccessibleDescription(m_answerShown ? GraphLayer::piecesInWords(m_target)
                                                     : QString());
}

void ChallengeTool::check()
{
    const challenge::Verdict v = challenge::compare(host.lesson().state().columns, m_target);
    if (v.kind == challenge::Verdict::Solved && !m_done) {
        m_done = true;
        m_solved += 1;
    }
    m_verdictText = challenge::text(v);
    describe();
    host.announce(m_verdictText);
}

void ChallengeTool::nextLevel()
{
    goTo(std::min(m_level + 1, challenge::levels), QRandomGenerator::global()->bounded(1u, 1000u));
}

void ChallengeTool::goTo(int level, quint32 seed)
{
    // A new target is built on the empty rectangle.
    host.lesson().press(Lesson::Button::Initial);
    start(level, seed);
    host.announce(tr("%1 の目標のグラフです。図形をつくって答え合わせをしましょう").arg(name()));
}

void ChallengeTool::chooseLevel()
{
    if (!isOn())
        host.setOn(u"challenge", true);
    if (!m_levelDialog) {
        // Window-modal and not blocking, as the other questions of the tools.
        m_levelDialog = new QDialog(&host.window());
        m_levelDialog->setObjectName(QStringLiteral("challengeLevelDialog"));
        auto *form = new QFormLayout(m_levelDialog);
        auto *level = new QSpinBox(m_levelDialog);
        level->setObjectName(QStringLiteral("challengeLevel"));
        level->setRange(1, challenge::levels);
        auto *number = new QSpinBox(m_levelDialog);
        number->setObjectName(QStringLiteral("challengeNumber"));
        number->setRange(1, 999);
        form->addRow(new QLabel(m_levelDialog), level);
        form->addRow(new QLabel(m_levelDialog), number);
        auto *buttons
            = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, m_levelDialog);
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, m_levelDialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, m_levelDialog, &QDialog::reject);
        connect(m_levelDialog, &QDialog::accepted, this,
                [this, level, number] { goTo(level->value(), quint32(number->value())); });
        retranslate();
    }
    auto *level = m_levelDialog->findChild<QSpinBox *>(QStringLiteral("challengeLevel"));
    auto *number = m_levelDialog->findChild<QSpinBox *>(QStringLiteral("challengeNumber"));
    level->setValue(std::max(m_level, 1));
    number->setValue(m_level ? int(m_seed) : 1);
    m_levelDialog->open();
    level->setFocus();
    host.announce(m_levelDialog->windowTitle());
}

void ChallengeTool::showAnswer()
{
    m_answerShown = true;
    m_done = true;
    m_answer->show();
    m_answer->raise();
    m_answer->update();
    m_verdictText = tr("答え: %1").arg(GraphLayer::piecesInWords(m_target));
    describe();
    host.announce(m_verdictText);
}

void ChallengeTool::follow(Lesson::Change what)
{
    if (!m_bar || !isOn())
        return;
    // A verdict speaks of the figure it was given for.
    if (what == Lesson::Change::Figure || what == Lesson::Change::Initial) {
        if (!m_answerShown && !m_verdictText.isEmpty()) {
            m_verdictText.clear();
            describe();
        }
    } else if (what == Lesson::Change::View) {
        place();
    }
}

void ChallengeTool::retranslate()
{
    if (m_levelDialog) {
        m_levelDialog->setWindowTitle(tr("レベルと番号を選ぶ"));
        auto *form = static_cast<QFormLayout *>(m_levelDialog->layout());
        //: the level of a target, 1 to 4
        static_cast<QLabel *>(form->itemAt(0, QFormLayout::LabelRole)->widget())
            ->setText(tr("レベル"));
        //: the number that names a target within its level
        static_cast<QLabel *>(form->itemAt(1, QFormLayout::LabelRole)->widget())
            ->setText(tr("番号"));
        for (QSpinBox *box : m_levelDialog->findChildren<QSpinBox *>()) {
            auto *label = static_cast<QLabel *>(form->labelForField(box));
            label->setBuddy(box);
            box->setAccessibleName(label->text());
        }
    }
    if (!m_bar)
        return;
    m_check->setText(QCoreApplication::translate("tools", rows[1].caption));
    m_next->setText(QCoreApplication::translate("tools", rows[2].caption));
    m_show->setText(QCoreApplication::translate("tools", rows[4].caption));
    if (m_answerShown)
        m_verdictText = tr("答え: %1").arg(GraphLayer::piecesInWords(m_target));
    else if (!m_verdictText.isEmpty())
        m_verdictText
            = challenge::text(challenge::compare(host.lesson().state().columns, m_target));
    describe();
}

void ChallengeTool::keepIn(lessonformat::Lesson &lesson) const
{
    if (isOn())
        lesson.target = lessonformat::piecesOf(m_target);
}

void ChallengeTool::takeFrom(const lessonformat::Lesson &lesson)
{
    if (!lesson.target)
        return;
    if (!isOn())
        host.setOn(u"challenge", true);
    start(lessonformat::columnsOf(*lesson.target));
    host.announce(tr("%1 の目標のグラフです。図形をつくって答え合わせをしましょう").arg(name()));
}
