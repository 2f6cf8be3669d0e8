#include "tools/predict/predicttool.h"

#include "core/prediction.h"
#include "tools/host/toolhost.h"
#include "tools/predict/predictview.h"

#include <QAction>
#include <cmath>

PredictTool::PredictTool(ToolHost &host)
    : Tool(host)
{ }

PredictTool::~PredictTool()
{
    // It hears every focus change: it must go before the controls it reads.
    delete m_view;
}

bool PredictTool::isOn() const
{
    return host.isOn(u"predict");
}

void PredictTool::act(const tools::ToolRow &, bool on)
{
    if (on)
        host.setOn(u"formulas", false); // before the boxes, as it gives back its room
    if (on && !m_view)
        m_view = new PredictionTool(host, m_shownTo);
    if (m_view)
        on ? m_view->start() : m_view->stop();
    // x and y are said again, now with or without y.
    emit host.questionsChanged();
    host.announce(on ? PredictionTool::tr(
                      "予想: 表の空いた欄にｙを入れるか、グラフに点を置く。点Ｐが来ると答え合わせ")
                     : PredictionTool::tr("予想を終わりました"));
}

std::optional<bool> PredictTool::key(QWidget *target, const QKeyEvent &key)
{
    if (!m_view || !isOn())
        return {};
    return m_view->key(target, key);
}

void PredictTool::follow(Lesson::Change what)
{
    if (what == Lesson::Change::View) {
        if (m_view && isOn())
            m_view->viewsChanged();
        return;
    }
    const int shownNow = host.lesson().state().halves / 2;
    if (what == Lesson::Change::Figure || what == Lesson::Change::Initial)
        m_shownTo = shownNow;
    else
        m_shownTo = std::max(m_shownTo, shownNow);
    if (!m_view || !isOn())
        return;
    // A new figure or the initial screen asks new questions; "最初に" replays the same ones.
    m_view->follow(what == Lesson::Change::Figure || what == Lesson::Change::Initial);
}

void PredictTool::retranslate()
{
    if (m_view)
        m_view->retranslate();
}

bool PredictTool::hidesY(double x) const
{
    // While the class predicts, y is said only where the table and the graph show it.
    return isOn() && !prediction::yShownAt(x);
}

bool PredictTool::keepsOff(QStringView id) const
{
    // Written-out formulas would give away every y before P gets there.
    return isOn() && id == u"formulas";
}

bool PredictTool::tookRightClick()
{
    return m_view && m_view->tookRightClick();
}

std::vector<KeyLine> PredictTool::keyLines() const
{
    return {
        { "Tab, ←, →", QT_TRANSLATE_NOOP("keys", "予想: 表の空いた欄へ動く（←→は欄の端で）") },
        { "Enter, Esc, Delete",
          QT_TRANSLATE_NOOP("keys", "予想: 欄の数を決める、もとにもどす、消す") },
        { "←, →", QT_TRANSLATE_NOOP("keys", "予想: グラフを選んで、点を置くχを選ぶ") },
        { "↑, ↓", QT_TRANSLATE_NOOP("keys", "予想: グラフの点を置く、0.5 cm²ずつ動かす") },
        { "Delete", QT_TRANSLATE_NOOP("keys", "予想: グラフの選んだ点を消す（右クリックでも）") },
    };
}
