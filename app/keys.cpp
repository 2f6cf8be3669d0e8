// Keys for the teacher at the front of the room: a presentation clicker sends PageDown/PageUp
// (and F5/Esc), a keyboard the arrows. Each key acts exactly as a click on its button.
#include "app/form1.h"

#include "core/boardkeys.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

void Form1::setUpKeys()
{
    // Seen before the focused control gets the key: a focused button would otherwise take the
    // arrows to move the focus, and the read-only x box Home and the arrows to move its cursor.
    qApp->installEventFilter(this);

    // Reading order: the blackboard itself (to build the figure by keys), then its two controls.
    // The table and the graph come last; they take the focus only while they are shown.
    const QList<QWidget *> order { Command1, Check1, end,    kokuban, Check4, Text1,
                                   jidou,    tomeru, Combo1, susumu,  modoru, Command2,
                                   Check3,   Check2, hyo,    gamen };
    // Qt orders only widgets that take the focus: the table and the graph are lent it meanwhile.
    hyo->setFocusPolicy(Qt::TabFocus);
    gamen->setFocusPolicy(Qt::TabFocus);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    hyo->setFocusPolicy(Qt::NoFocus);
    gamen->setFocusPolicy(Qt::NoFocus);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    if (target->window() != this)
        return false;
    // The speed box takes every key: a teacher types a speed there, or pages through the list.
    const auto inSpeedBox
        = [this](const QWidget *w) { return w && (w == Combo1 || Combo1->isAncestorOf(w)); };
    if (inSpeedBox(target) || inSpeedBox(focusWidget()))
        return false;

    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // A tool whose panel has the focus may take the key first, or leave it to the focused control.
    if (const std::optional<bool> taken = tools->key(target, *key))
        return *taken;
    QPushButton *button = nullptr;
    switch (key->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        button = susumu;
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        button = modoru;
        break;
    case Qt::Key_Home:
        button = Command2;
        break;
    case Qt::Key_F5:
        button = jidou;
        break;
    case Qt::Key_Escape:
        button = tomeru;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Outside a dialog a focused push button ignores Enter; here it presses it, as Space does.
        button = qobject_cast<QPushButton *>(target);
        if (!button)
            return false;
        break;
    default:
        return false;
    }
    // A disabled button's key still belongs to it: during automatic play an arrow must not wander
    // off to move the focus instead.
    if (button->isEnabled()) {
        // A piece in hand (a drag the mouse still holds) would hang in the rectangle as the
        // figure slides away, and read as part of it.
        if (button != tomeru && tsukami != 0) {
            const double code = tsukami;
            release(Release::Nothing, 0);
            tools->announce(tr("%1を元の場所に戻しました").arg(boardkeys::pieceName(code)));
        }
        button->click();
    }
    return true;
}
