// Where the keyboard is, shown only while the keyboard is used: after Tab, F8 or a key a tool
// takes on its panel. A mouse press anywhere in the window hides the marks again, so a learner
// with the mouse sees the lesson's own pictures and nothing that could read as part of them.
#include "app/form1.h"

#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/predictview.h"

#include <QFocusEvent>

void Form1::noticeInput(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::FocusIn)
        return;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return;
    if (type == QEvent::FocusIn) {
        // Other reasons (a closed menu, the window activated again, the program's own moves)
        // leave the marks as the last input left them.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            setKeyboardInUse(true);
            break;
        case Qt::MouseFocusReason:
            setKeyboardInUse(false);
            break;
        default:
            break;
        }
        return;
    }
    // A press on the board hands the piece in hand, if any, to the mouse: its release ends it.
    if (watched == kokuban)
        keysHolding = false;
    hideBoardNote();
    setKeyboardInUse(false);
}

void Form1::setKeyboardInUse(bool inUse)
{
    if (keyboardInUse == inUse)
        return;
    keyboardInUse = inUse;
    showFocusMarks();
}

void Form1::showFocusMarks()
{
    if (!boardFrame[0])
        return; // not made yet
    if (predictor)
        predictor->layer()->update(); // its selected column's line is a focus mark too
    const bool board = keyboardInUse && kokuban->hasFocus();
    for (auto *lines : { &boardFrame, &columnFrame }) {
        for (PanelLine *l : *lines)
            l->setVisible(board);
    }
    // The table and the graph swap their sunken frame for a plain blue one. The frame lies
    // outside the picture, so nothing the lesson drew is covered.
    for (PicturePanel *panel : { hyo, gamen }) {
        const bool framed = keyboardInUse && panel->hasFocus();
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
