// Predict, then reveal: switching the tool and following the lesson (tools/predictview.cpp
// holds the boxes, the points and their marks).
#include "app/form1.h"

#include "core/numtext.h"
#include "tools/predictview.h"

#include <QAction>
#include <QLineEdit>
#include <cmath>

void Form1::setPredicting(bool on)
{
    // Written-out formulas would give away every y before P gets there.
    if (on)
        setToolOn(tools::Tool::Formulas, false);
    if (QAction *formulas = toolActions[size_t(tools::Tool::Formulas)])
        formulas->setEnabled(!on);
    if (on && !predictor)
        predictor = new PredictionTool(*this);
    if (predictor)
        on ? predictor->start() : predictor->stop();
    stateXAndY();
    announce(on ? tr("予想: 表の空いた欄にｙを入れるか、グラフに点を置く。点Ｐが来ると答え合わせ")
                : tr("予想を終わりました"));
}

std::optional<bool> Form1::predictKey(QWidget *target, const QKeyEvent &key)
{
    if (!predictor || !toolOn(tools::Tool::Predict))
        return {};
    return predictor->key(target, key);
}

void Form1::predictFollow(Change what)
{
    const int shownNow = int(std::floor(numtext::read(Text1->text())));
    if (what == Change::Figure || what == Change::Initial)
        yShownTo = shownNow;
    else
        yShownTo = std::max(yShownTo, shownNow);
    if (!predictor || !toolOn(tools::Tool::Predict))
        return;
    // A new figure or the initial screen asks new questions; "最初に" replays the same ones.
    predictor->follow(what == Change::Figure || what == Change::Initial);
}
