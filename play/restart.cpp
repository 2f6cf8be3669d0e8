// Return to the start and the dimension line.
#include "app/form1.h"

#include "figure/geometry.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>
#include <QPushButton>

void Form1::Command2_Click()
{
    // One step short of B, so that a step back redraws everything at B.
    Px = geometry::PxStart - geometry::stepPx;
    modoru_Click();
    hyo->clear();
    tabled.fill(false);
    hyokaki(0);
    jiku(0);
    maex = geometry::graphOriginX;
    maey = std::int16_t(geometry::graphOriginY);
    hyoy = 0;
    gurafuy = 0;
    // A run that goes on from the start must stay stoppable.
    if (!playing)
        tomeru->setEnabled(false);
    Label4[6]->setVisible(false);
    gurafu(0);
    if (Check1->isChecked())
        hougan();
    tools->follow(Change::Restart);
}

void Form1::Check4_Click()
{
    // Unticked, the line waits below the blackboard's visible area.
    placeDimensionLine(Check4->isChecked() ? By : geometry::parkedY);
}

void Form1::placeDimensionLine(double y)
{
    Line5[4]->setX1(Bx);
    Line5[4]->setY1(y);
    Line5[4]->setX2(Px);
    Line5[4]->setY2(y);
}
