// Automatic play.
#include "app/form1.h"

#include "core/steps.h"
#include "figure/geometry.h"
#include "toolkit/ticks.h"

#include <QComboBox>
#include <QPushButton>

void Form1::jidou_Click()
{
    // "ストップ" re-enables this button before the run has seen the stop: a click then must not
    // start a run inside the one that is ending.
    if (playing)
        return;
    if (Px == geometry::PxEnd)
        Command2_Click();
    playing = true;
    // A focused button that disables itself hands the focus to the next control in the tab
    // order, the speed box, which keeps every key to itself: the presenter's Esc would then be
    // lost. So "ストップ" takes the focus first, and gives it back when the run ends.
    QWidget *const focused = focusWidget();
    QPushButton *resume = nullptr;
    for (QPushButton *b : { susumu, modoru, Command1, jidou }) {
        if (b == focused)
            resume = b == susumu ? susumu : jidou;
    }
    tomeru->setEnabled(true);
    if (resume)
        tomeru->setFocus(Qt::OtherFocusReason);
    susumu->setEnabled(false);
    modoru->setEnabled(false);
    Command1->setEnabled(false);
    jidou->setEnabled(false);
    while (!(teishi == 1 || Px == geometry::PxEnd || closing)) {
        susumu_Click();
        matsu(steps::pauseMs(Combo1->currentText()));
    }
    teishi = 0;
    playing = false;
    susumu->setEnabled(true);
    modoru->setEnabled(true);
    Command1->setEnabled(true);
    jidou->setEnabled(true);
    if (focusWidget() == tomeru)
        (resume ? resume : jidou)->setFocus(Qt::OtherFocusReason);
    tomeru->setEnabled(false);
}

void Form1::tomeru_Click()
{
    teishi = 1;
    jidou->setEnabled(true);
}

void Form1::matsu(std::int32_t ms)
{
    if (ms <= 0)
        return;
    // Sleeps in the event loop instead of polling, so that a long pause costs no CPU. A stop or
    // the closing window ends the pause: no step follows it anyway.
    // The clock counts whole milliseconds: one more makes sure that all of ms has passed.
    const std::int64_t deadline = ticks::now() + ms + 1;
    ticks::waitUntil(
        deadline,
        [](void *context) {
            const auto *form = static_cast<const Form1 *>(context);
            return form->teishi == 1 || form->closing;
        },
        this);
}
