// Stepping P forward and back.
#include "app/form1.h"

#include "play/steps.h"
#include "toolkit/numtext.h"
#include "toolkit/panelcontrols.h"

#include <QCheckBox>
#include <QLineEdit>
#include <cmath>

void Form1::susumu_Click()
{
    if (Check3->isChecked() && Px == 300)
        hyokaki(0);
    Px = Px - 10;
    if (Px < 100) {
        Px = 100;
        return;
    }
    Label4[8]->setLeft(Px - 18);
    Shape1->setLeft(Px - 4);

    const QString s = steps::xText((300 - Px) / 20);
    Text1->setText(s);

    const double v = numtext::read(s);
    kata = numtext::toInt16(retsu[steps::stepColumn(v)]);
    // Each step writes the strip it has just carried across, so nothing left from an earlier
    // figure survives into this one, and n stays within the table.
    const int n = numtext::toInt32(2 * v);
    if (n >= 1 && n <= 20)
        zoubun[n] = steps::stripArea(retsu, n);

    nuri(numtext::toInt16(std::trunc(Px)));
    if (Check4->isChecked())
        placeDimensionLine(By);
    // The label sits midway between B and P, counted from 310 on the way out.
    Label4[6]->setLeft((Px + 310) / 2 - 22);
    Label4[6]->setTop(Px > 230 ? 325 : 300);
    Label4[6]->setVisible(true);
    if (Check1->isChecked())
        hougan();
    gurafu(0);
    if (Check3->isChecked())
        hyokaki(0);
    toolsFollow(Change::Step);
}

void Form1::modoru_Click()
{
    // The column being left is erased while Text1 still shows its x.
    if (Check3->isChecked() && Px != 300)
        hyokaki(1);
    Px = Px + 10;
    if (Px == 300)
        Label4[6]->setVisible(false);
    if (Px > 300) {
        Px = 300;
        return;
    }
    Label4[8]->setLeft(Px - 18);
    Shape1->setLeft(Px - 4);
    Text1->setText(steps::xText((300 - Px) / 20));
    nuri(numtext::toInt16(std::trunc(Px)));
    if (Check4->isChecked())
        placeDimensionLine(By);
    Label4[6]->setLeft((Px + 300) / 2 - 22);
    Label4[6]->setTop(Px > 230 ? 325 : 300);
    if (Px < 300)
        Label4[6]->setVisible(true);
    if (Check1->isChecked())
        hougan();
    gurafu(1);
    toolsFollow(Change::Step);
}
