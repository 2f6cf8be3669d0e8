// The centimetre grid over the band of the rectangle, drawn into the blackboard's picture.
#include "app/form1.h"

#include "toolkit/numtext.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>

void Form1::hougan()
{
    kokuban->setDrawWidth(1);
    const QColor black(0, 0, 0);
    for (int i = 0; i <= 6; ++i)
        kokuban->lineStep(QPointF(20, 180 + 20 * i), QPointF(560, 0), black);
    for (int i = 0; i <= 30; ++i)
        kokuban->lineStep(QPointF(20 + 20 * i, 180), QPointF(0, 120), black);
    kokuban->setDrawWidth(2);
}

void Form1::Check1_Click()
{
    if (Check1->isChecked())
        hougan();
    else
        nuri(numtext::toInt16(Px));
}
