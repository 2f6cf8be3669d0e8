// Start-up, the view check boxes that uncover the graph and the table, and exit.
#include "app/form1.h"

#include "core/numtext.h"
#include "core/steps.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <cmath>

void Form1::Form_Load()
{
    setOuterSizeTwips(9700, 8800);
    // Already unticked: setting the same value raises no click.
    Check1->setChecked(false);
    Check2->setChecked(false);
    Check3->setChecked(false);
    // The window and the panels measure in pixels throughout; nothing to switch here.
    kokuban->setDrawWidth(2);
    shoki();
}

void Form1::Check2_Click()
{
    setOuterSizeTwips(Check2->isChecked() ? 15700 : 9700, m_outerTwips.height());
}

void Form1::Check3_Click()
{
    if (Check3->isChecked()) {
        setOuterSizeTwips(m_outerTwips.width(), 10800);
        hyo->clear();
        tabled.fill(false);
        // Steps made with the table off left its running y behind. Start it from the true area
        // at the whole x before the column about to be written; hyokaki adds that column.
        const double x = numtext::read(Text1->text());
        hyoy = steps::figureArea(retsu, std::ceil(x) - 1);
        hyokaki(0);
    } else {
        setOuterSizeTwips(m_outerTwips.width(), 8800);
    }
}

void Form1::end_Click()
{
    // A run in progress sees this between two steps and ends without another one.
    closing = true;
    close();
    QCoreApplication::exit(0);
}
