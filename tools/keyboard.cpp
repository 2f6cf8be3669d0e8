// Building the figure from the keyboard.
#include "app/form1.h"

void Form1::buildByKeys() { }

std::optional<bool> Form1::boardKey(QWidget *target, const QKeyEvent &key)
{
    Q_UNUSED(target);
    Q_UNUSED(key);
    return {};
}
