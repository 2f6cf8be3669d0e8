// Moving P from the table and the graph: a press on a column of the table or in the graph's
// plot, a drag along the plot, and the arrows, Home and End on a focused panel. A jump is the
// lesson's own steps made one after another; only the blackboard, which every step clears and
// draws whole, is drawn once at the end, as the last step would have drawn it.
#include "app/form1.h"

#include "core/numtext.h"
#include "toolkit/picturepanel.h"
#include "tools/jump.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

void Form1::setUpJump()
{
    // A panel takes the focus (by a click or Tab) only while its view is shown: the window
    // starts as it always has, with the focus where it was and no panel in the Tab order. A
    // focused panel's frame (tools/focusmarks.cpp) shows only while the keyboard is used.
    const auto focusable = [](QCheckBox *view, PicturePanel *panel) {
        panel->setFocusPolicy(view->isChecked() ? Qt::StrongFocus : Qt::NoFocus);
        if (!view->isChecked() && panel->hasFocus())
            view->setFocus(Qt::OtherFocusReason);
    };
    for (const auto &pair : { std::pair { Check3, hyo }, std::pair { Check2, gamen } }) {
        QCheckBox *view = pair.first;
        PicturePanel *panel = pair.second;
        connect(view, &QCheckBox::toggled, this,
                [focusable, view, panel] { focusable(view, panel); });
    }

    // The right button is left alone: it opens the tools menu. While the prediction tool is
    // on, the panels' presses are its own.
    connect(hyo, &PicturePanel::mouseDown, this, [this](int button, int, float X, float Y) {
        if (button != 1 || !Check3->isChecked() || toolOn(tools::Tool::Predict))
            return;
        if (const std::optional<int> x = jump::tableColumnAt(X, Y))
            jumpTo(2 * *x);
    });
    connect(gamen, &PicturePanel::mouseDown, this, [this](int button, int, float X, float Y) {
        if (button != 1 || !Check2->isChecked() || toolOn(tools::Tool::Predict))
            return;
        graphDragging = jump::inPlot(X, Y);
        if (graphDragging)
            jumpTo(jump::graphHalfNearest(X));
    });
    connect(gamen, &PicturePanel::mouseMove, this, [this](int button, int, float X, float) {
        if (graphDragging && (button & 1) && !toolOn(tools::Tool::Predict))
            jumpTo(jump::graphHalfNearest(X));
    });
    connect(gamen, &PicturePanel::mouseUp, this, [this](int button, int, float, float) {
        if (button & 1)
            graphDragging = false;
    });
}

std::optional<bool> Form1::jumpKey(QWidget *target, const QKeyEvent &key)
{
    if (!(target == hyo && Check3->isChecked()) && !(target == gamen && Check2->isChecked()))
        return {};
    const int now = jump::halvesOf(Px);
    switch (key.key()) {
    case Qt::Key_Left:
        jumpTo(now - 1);
        return true;
    case Qt::Key_Right:
        jumpTo(now + 1);
        return true;
    case Qt::Key_Home:
        jumpTo(0);
        return true;
    case Qt::Key_End:
        jumpTo(jump::lastHalf);
        return true;
    default:
        return {};
    }
}

void Form1::jumpTo(int halves)
{
    // As the step buttons are disabled during automatic play, so is this.
    if (playing || closing)
        return;
    const int from = jump::halvesOf(Px);
    const int to = std::clamp(halves, 0, jump::lastHalf);
    if (to == from)
        return;
    jumping = true;
    for (int i = from; i < to; ++i)
        susumu_Click();
    for (int i = from; i > to; --i)
        modoru_Click();
    jumping = false;
    nuri(numtext::toInt16(std::trunc(Px)));
    if (Check1->isChecked())
        hougan();
    stateXAndY();
    formulasFollow(Change::Step);
}
