// Picking up, dragging and dropping pieces on the blackboard.
#include "app/form1.h"

#include "core/figurecolumns.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>

using namespace figurecolumns;
using namespace geometry;

void Form1::kokuban_MouseDown(int, int, float X, float Y)
{
    if (Y < paletteBottom) {
        if (const int code = paletteHit(X, Y)) {
            tsukami = code;
            fromFigure = false;
        }
    }
    if (topY < Y && Y < baseY) {
        const int k = figureColumnAt(X, Y);
        // The column keeps its piece: only a release above the figure takes it off.
        if (k >= 0 && retsu[k] != 0) {
            tsukami = retsu[k];
            moto = k;
            fromFigure = true;
        }
    }
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
    if (tsukami == 0)
        return;
    sendPiecesHome();

    const Release release = releaseAt(Y);
    if (release == Release::TakeOff && fromFigure)
        takeOff(retsu, tsukami, int(moto));
    if (release == Release::Drop)
        drop(retsu, tsukami, columnAt(X));
    if (release != Release::Nothing) {
        kokuban->setForeColor(colour::dropped);
        Command2_Click();
        nuri(PxStart);
        toolsFollow(Change::Figure);
        // The figure is filled over the grid; put the grid back on top, as after a step.
        if (Check1->isChecked())
            hougan();
    }
    tsukami = 0;
}
