// A jump is the lesson's own steps made one after another; only the blackboard, which every
// step clears and draws whole, is drawn once at the end, as the last step would have drawn it.
#include "tools/jump/jumptool.h"

#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"
#include "tools/jump/jump.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

PicturePanel *tablePanel(const Lesson &lesson)
{
    return lesson.panel(Lesson::Panel::Table);
}
PicturePanel *graphPanel(const Lesson &lesson)
{
    return lesson.panel(Lesson::Panel::Graph);
}

} // namespace

JumpTool::JumpTool(ToolHost &host)
    : Tool(host)
{
    Lesson &lesson = host.lesson();
    PicturePanel *hyo = tablePanel(lesson);
    PicturePanel *gamen = graphPanel(lesson);
    // The right button is left alone: it opens the tools menu. While the prediction tool is
    // on, the panels' presses are its own.
    connect(hyo, &PicturePanel::mouseDown, this, [this](int button, int, float X, float Y) {
        if (button != 1 || !this->host.lesson().state().isShown(Lesson::View::Table)
            || predicting())
            return;
        if (const std::optional<int> x = jump::tableColumnAt(X, Y))
            this->host.lesson().jumpTo(2 * *x);
    });
    connect(gamen, &PicturePanel::mouseDown, this, [this](int button, int, float X, float Y) {
        if (button != 1 || !this->host.lesson().state().isShown(Lesson::View::Graph)
            || predicting())
            return;
        m_graphDragging = jump::inPlot(X, Y);
        if (m_graphDragging)
            this->host.lesson().jumpTo(jump::graphHalfNearest(X));
    });
    connect(gamen, &PicturePanel::mouseMove, this, [this](int button, int, float X, float) {
        if (m_graphDragging && (button & 1) && !predicting())
            this->host.lesson().jumpTo(jump::graphHalfNearest(X));
    });
    connect(gamen, &PicturePanel::mouseUp, this, [this](int button, int, float, float) {
        if (button & 1)
            m_graphDragging = false;
    });
    connect(&host, &ToolHost::keyboardUseChanged, this, &JumpTool::showFocusFrames);
    connect(qApp, &QApplication::focusChanged, this, &JumpTool::showFocusFrames);
}

bool JumpTool::predicting() const
{
    return host.isOn(u"predict");
}

void JumpTool::follow(Lesson::Change what)
{
    if (what != Lesson::Change::View)
        return;
    // A panel takes the focus (by a click or Tab) only while its view is shown: the window
    // starts as it always has, with the focus where it was and no panel in the Tab order.
    const Lesson::State s = host.lesson().state();
    for (const auto &[view, panel] :
         { std::pair { Lesson::View::Table, tablePanel(host.lesson()) },
           std::pair { Lesson::View::Graph, graphPanel(host.lesson()) } }) {
        const bool shown = s.isShown(view);
        panel->setFocusPolicy(shown ? Qt::StrongFocus : Qt::NoFocus);
        if (!shown && panel->hasFocus()) {
            // The focus goes back to the controls, as Shift+Tab would take it.
            QWidget *w = panel->previousInFocusChain();
            while (w != panel
                   && !(w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)))
                w = w->previousInFocusChain();
            w->setFocus(Qt::OtherFocusReason);
        }
    }
}

std::optional<bool> JumpTool::key(QWidget *target, const QKeyEvent &key)
{
    Lesson &lesson = host.lesson();
    const Lesson::State s = lesson.state();
    if (!(target == tablePanel(lesson) && s.isShown(Lesson::View::Table))
        && !(target == graphPanel(lesson) && s.isShown(Lesson::View::Graph)))
        return {};
    switch (key.key()) {
    case Qt::Key_Left:
        lesson.jumpTo(s.halves - 1);
        return true;
    case Qt::Key_Right:
        lesson.jumpTo(s.halves + 1);
        return true;
    case Qt::Key_Home:
        lesson.jumpTo(0);
        return true;
    case Qt::Key_End:
        lesson.jumpTo(jump::lastHalf);
        return true;
    default:
        return {};
    }
}

std::vector<KeyLine> JumpTool::keyLines() const
{
    return {
        { QT_TRANSLATE_NOOP("keys", "→ (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: 点Ｐを0.5 cm進める") },
        { QT_TRANSLATE_NOOP("keys", "← (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: 点Ｐを0.5 cmもどす") },
        { QT_TRANSLATE_NOOP("keys", "Home (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: χ = 0へ") },
        { QT_TRANSLATE_NOOP("keys", "End (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: χ = 10へ") },
        { QT_TRANSLATE_NOOP("keys", "クリック (表、グラフ)"),
          QT_TRANSLATE_NOOP("keys",
                            "表のχかｙのます、グラフの中: 点Ｐをそのχへ（グラフはドラッグでも）") },
    };
}

void JumpTool::showFocusFrames()
{
    // The table and the graph swap their sunken frame for a plain blue one. The frame lies
    // outside the picture, so nothing the lesson drew is covered.
    for (PicturePanel *panel : { tablePanel(host.lesson()), graphPanel(host.lesson()) }) {
        const bool framed = host.keyboardInUse() && panel->hasFocus();
        if ((panel->frameShadow() == QFrame::Plain) == framed)
            continue;
        if (framed) {
            QPalette palette = panel->palette();
            palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
            panel->setPalette(palette);
            panel->setFrameShadow(QFrame::Plain);
        } else {
            // Back to the palette it inherits, and so to the very frame it had.
            panel->setPalette(QPalette());
            panel->setFrameShadow(QFrame::Sunken);
        }
    }
}
