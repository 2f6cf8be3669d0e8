// The initial screen: the rectangle, P at B, the pieces at home, table and graph afresh.
#include "app/form1.h"

#include "figure/geometry.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

void Form1::shoki()
{
    Text1->setText(QStringLiteral(" 0.0"));
    tsukami = 0;
    hyoy = 0;
    gurafuy = 0;
    retsu.fill(0);
    kokuban->clear();
    hyo->clear();
    tabled.fill(false);
    hyokaki(0);
    jiku(0);

    Ax = geometry::Ax;
    Ay = geometry::Ay;
    Bx = geometry::Bx;
    By = geometry::By;
    Cx = geometry::Cx;
    Cy = geometry::Cy;
    Dx = geometry::Dx;
    Dy = geometry::Dy;
    Px = geometry::PxStart;
    Py = geometry::By;

    Label4[0]->move(QPointF(Ax - 8, Ay - 35));
    Label4[1]->move(QPointF(Bx + 4, By));
    Label4[2]->move(QPointF(Cx - 8, Cy));
    Label4[3]->move(QPointF(Dx - 8, std::int16_t(Dy - 35)));
    Label4[4]->move(QPointF((Bx + Cx) / 2 - 20, By + 5));
    Label4[5]->move(QPointF(Cx + 5, std::int16_t(Dy + 20)));
    Label4[8]->move(QPointF(Px - 18, By));

    Shape1->setLeft(Bx - 4);
    Shape1->setTop(By - 4);

    Line5[0]->setPoints(QPointF(20, Py), QPointF(Cx, Cy));
    Line5[1]->setPoints(QPointF(Cx, Cy), QPointF(Dx, Dy));
    Line5[2]->setPoints(QPointF(Dx, Dy), QPointF(Ax, Ay));
    Line5[3]->setPoints(QPointF(Ax, Ay), QPointF(Bx, By));
    // The distance bar waits below the visible area until a step or its check box shows it.
    Line5[4]->setPoints(QPointF(310, geometry::parkedY), QPointF(Px, geometry::parkedY));
    Line5[5]->setPoints(QPointF(Ax, Ay), QPointF(Ax - 20, Ay + 15));
    Line5[6]->setPoints(QPointF(Ax - 20, Ay + 15), QPointF(Bx - 20, By - 15));
    Line5[7]->setPoints(QPointF(Bx - 20, By - 15), QPointF(Bx, By));

    Label4[6]->move(QPointF(Bx, 330));
    Label4[6]->setVisible(false);

    sendPiecesHome();

    maex = geometry::graphOriginX;
    maey = std::int16_t(geometry::graphOriginY);
    tomeru->setEnabled(false);
    gurafu(0);
    if (Check1->isChecked())
        hougan();
    tools->follow(Change::Initial);
}

void Form1::Command1_Click()
{
    shoki();
}
