// Predict, then reveal.
#include "app/form1.h"

void Form1::setPredicting(bool on)
{
    Q_UNUSED(on); // built with the prediction tool
}

std::optional<bool> Form1::predictKey(QWidget *target, const QKeyEvent &key)
{
    Q_UNUSED(target);
    Q_UNUSED(key);
    return {};
}

void Form1::predictFollow(Change what)
{
    Q_UNUSED(what);
}
