// The function written out for each stretch of x.
#include "app/form1.h"

void Form1::setFormulasShown(bool on)
{
    Q_UNUSED(on); // built with the formulas tool
}

std::optional<bool> Form1::jumpKey(QWidget *target, const QKeyEvent &key)
{
    Q_UNUSED(target);
    Q_UNUSED(key);
    return {};
}

void Form1::formulasFollow(Change what)
{
    Q_UNUSED(what);
}
