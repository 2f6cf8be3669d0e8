// Stepping P forward and back.
#include "app/form1.h"

#include "core/numtext.h"
#include "core/steps.h"
#include "figure/geometry.h"
#include "toolkit/panelcontrols.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <cmath>

using namespace geometry;

void Form1::susumu_Click()
{
    if (Check3->isChecked() && Px == PxStart)
        hyokaki(0);
    Px = Px - stepPx;
    if (Px < PxEnd) {
        Px = PxEnd;
        return;
    }
    Label4[8]->setLeft(Px - 18);
    Shape1->setLeft(Px - 4);

    const QString s = steps::xText(xOfPx(Px));
    Text1->setText(s);

    const double v = numtext::read(s);
    kata = numtext::toInt16(retsu[steps::stepColumn(v)]);
    // Each step writes the strip it has just carried across, so nothing left from an earlier
    // figure survives into this one, and n stays within the table.
    const int n = numtext::toInt32(2 * v);
    if (n >= 1 && n <= geometry::steps)
        zoubun[n] = steps::stripArea(retsu, n);

    nuri(numtext::toInt16(std::trunc(Px)));
    if (Check4->isChecked())
        placeDimensionLine(By);
    // The label sits midway between B and P, counted from 310 on the way out.
    Label4[6]->setLeft((Px + PxStart + stepPx) / 2 - 22);
    Label4[6]->setTop(Px > 230 ? 325 : baseY);
    Label4[6]->setVisible(true);
    if (Check1->isChecked())
        hougan();
    gurafu(0);
    if (Check3->isChecked())
        hyokaki(0);
    tools->follow(Change::Step);
}

void Form1::modoru_Click()
{
    // The column being left is erased while Text1 still shows its x.
    if (Check3->isChecked() && Px != PxStart)
        hyokaki(1);
    Px = Px + stepPx;
    if (Px == PxStart)
        Label4[6]->setVisible(false);
    if (Px > PxStart) {
        Px = PxStart;
        return;
    }
    Label4[8]->setLeft(Px - 18);
    Shape1->setLeft(Px - 4);
    Text1->setText(steps::xText(xOfPx(Px)));
    nuri(numtext::toInt16(std::trunc(Px)));
    if (Check4->isChecked())
        placeDimensionLine(By);
    Label4[6]->setLeft((Px + PxStart) / 2 - 22);
    Label4[6]->setTop(Px > 230 ? 325 : baseY);
    if (Px < PxStart)
        Label4[6]->setVisible(true);
    if (Check1->isChecked())
        hougan();
    gurafu(1);
    tools->follow(Change::Step);
}
