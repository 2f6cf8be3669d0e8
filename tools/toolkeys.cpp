// Keys that a tool takes while its panel has the focus, before the presenter keys see them.
#include "app/form1.h"

std::optional<bool> Form1::toolKey(QWidget *target, const QKeyEvent &key)
{
    if (auto taken = predictKey(target, key))
        return taken;
    if (auto taken = boardKey(target, key))
        return taken;
    return jumpKey(target, key);
}
