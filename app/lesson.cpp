// The lesson as the tools see it. Every operation is a handler or procedure of the lesson, run
// as the buttons, the boxes and the mouse run it.
#include "app/form1.h"

#include "core/boardkeys.h"
#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

Lesson::State Form1::state() const
{
    State s;
    s.halves = std::clamp(int(std::lround((geometry::PxStart - Px) / geometry::stepPx)), 0,
                          geometry::steps);
    s.columns = retsu;
    s.playing = playing;
    s.jumping = jumping;
    s.held = tsukami;
    s.heldFrom = tsukami != 0 && fromFigure ? int(moto) : -1;
    s.shown
        = { Check1->isChecked(), Check3->isChecked(), Check2->isChecked(), Check4->isChecked() };
    s.speed = Combo1->currentText();
    s.graphed = graphed;
    s.tabled = tabled;
    return s;
}

void Form1::press(Button button)
{
    switch (button) {
    case Button::Forward:
        susumu_Click();
        break;
    case Button::Back:
        modoru_Click();
        break;
    case Button::Restart:
        Command2_Click();
        break;
    case Button::Initial:
        Command1_Click();
        break;
    }
}

void Form1::jumpTo(int halves)
{
    // As the step buttons are disabled during automatic play, so is this.
    if (playing || closing)
        return;
    const int from = state().halves;
    const int to = std::clamp(halves, 0, geometry::steps);
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
    tools->follow(Change::Step);
}

void Form1::setShown(View view, bool on)
{
    QCheckBox *boxes[] = { Check1, Check3, Check2, Check4 };
    boxes[size_t(view)]->setChecked(on);
}

void Form1::setSpeed(const QString &text)
{
    Combo1->setEditText(text);
}

void Form1::pickUp(int code)
{
    if (code < 1 || code > 4)
        return;
    tsukami = code;
    fromFigure = false;
}

void Form1::pickUpAt(int column)
{
    // The column keeps its piece: only a release above the figure takes it off.
    if (column < 0 || column >= int(retsu.size()) || retsu[size_t(column)] == 0)
        return;
    tsukami = retsu[size_t(column)];
    moto = column;
    fromFigure = true;
}

void Form1::holdOver(int column)
{
    if (tsukami == 0)
        return;
    const QPointF at = boardkeys::holdPoint(tsukami, column);
    kokuban_MouseMove(1, 0, float(at.x()), float(at.y()));
}

PicturePanel *Form1::panel(Panel which) const
{
    return which == Panel::Board ? kokuban : which == Panel::Table ? hyo : gamen;
}

int Form1::makeRoom(int twips)
{
    // The lesson sets its width first; the room goes to the right of the board or the graph.
    Check2_Click();
    const int lessonWidth = m_outerTwips.width();
    if (twips > 0)
        setOuterSizeTwips(lessonWidth + twips, m_outerTwips.height());
    // A wider window must not uncover the graph that the learner has hidden; at the lesson's
    // own width the window clips it again.
    gamen->setVisible(twips == 0 || Check2->isChecked());
    return lessonWidth;
}
