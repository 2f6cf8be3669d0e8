// The centimetre grid over the band of the rectangle, drawn into the blackboard's picture.
#include "app/form1.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>

void Form1::hougan()
{
    kokuban->setDrawWidth(1);
    using namespace geometry;
    // Over the band of the rectangle, from the left edge of the base line to past C.
    const double left = 20;
    for (int i = 0; i <= 6; ++i)
        kokuban->lineStep(QPointF(left, topY + pxPerCm * i), QPointF(560, 0), colour::gridLine);
    for (int i = 0; i <= 30; ++i)
        kokuban->lineStep(QPointF(left + pxPerCm * i, topY), QPointF(0, baseY - topY),
                          colour::gridLine);
    kokuban->setDrawWidth(2);
}

void Form1::Check1_Click()
{
    if (Check1->isChecked())
        hougan();
    else
        nuri(numtext::toInt16(Px));
}
