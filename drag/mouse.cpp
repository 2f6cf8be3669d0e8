// Picking up, dragging and dropping pieces on the blackboard.
#include "app/form1.h"

#include "core/figurecolumns.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>

using namespace figurecolumns;
using namespace geometry;

void Form1::kokuban_MouseDown(int, int, float X, float Y)
{
    if (Y < paletteBottom) {
        if (const int code = paletteHit(X, Y))
            pickUp(code);
    }
    if (topY < Y && Y < baseY)
        pickUpAt(figureColumnAt(X, Y));
}

void Form1::kokuban_MouseMove(int, int, float X, float Y)
{
    if (tsukami == 0)
        return;
    // Each move repaints only the strokes of the piece in hand, where they were and where they
    // are; the palette band under them comes from the panel's own repaint.
    const Anchor a = anchorFor(tsukami, X, Y);
    if (tsukami == 1)
        koma1(a.x, a.y);
    else if (tsukami == 2)
        koma2(a.x, a.y);
    else if (tsukami == 3)
        koma3(a.x, a.y);
    else
        koma4(a.x, a.y);
}

void Form1::kokuban_MouseUp(int, int, float X, float Y)
{
    release(releaseAt(Y), columnAt(X));
}

void Form1::release(Release how, int column)
{
    if (tsukami == 0)
        return;
    sendPiecesHome();

    if (how == Release::TakeOff && fromFigure)
        takeOff(retsu, tsukami, int(moto));
    if (how == Release::Drop)
        drop(retsu, tsukami, column);
    if (how != Release::Nothing) {
        kokuban->setForeColor(colour::dropped);
        Command2_Click();
        nuri(PxStart);
        tools->follow(Change::Figure);
        // The figure is filled over the grid; put the grid back on top, as after a step.
        if (Check1->isChecked())
            hougan();
    }
    tsukami = 0;
}
