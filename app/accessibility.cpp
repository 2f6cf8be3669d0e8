// What assistive technology reads out: a name for every control, what each panel shows in words,
// and x and y after every step.
#include "app/form1.h"

#include "core/numtext.h"
#include "core/steps.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void Form1::setUpAccessibility()
{
    // The names and descriptions themselves come from retranslate(), in the lesson's language.
    // An editable combo box is named by its text on some platforms: the label names it there.
    Label3->setBuddy(Combo1);

    // Every step, forward, back or to the start, writes x here.
    connect(Text1, &QLineEdit::textChanged, this, &Form1::stateXAndY);
    stateXAndY();
}

void Form1::stateXAndY()
{
    if (jumping) // a jump says x and y once, at its end
        return;
    // y from the figure itself: the area that has crossed AB is what the blackboard shows,
    // whatever the table or the graph have been told.
    const double x = numtext::read(Text1->text());
    const double y = steps::figureArea(retsu, x);
    QString statement
        = tr("χ = %1 cm, y = %2 cm²").arg(QString::number(x, 'g', 10), QString::number(y, 'g', 10));
    // A y the class is still to find is not given away.
    if (tools->hidesY(x))
        statement = tr("χ = %1 cm").arg(QString::number(x, 'g', 10));
    // Qt announces the change (DescriptionChanged) to a listening screen reader.
    Text1->setAccessibleDescription(statement);
}
