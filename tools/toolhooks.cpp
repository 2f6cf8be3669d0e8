// What the tools hear of the lesson: its changes, and keys while a tool's panel has the focus.
#include "app/form1.h"

void Form1::toolsFollow(Change what)
{
    formulasFollow(what);
    predictFollow(what);
}

std::optional<bool> Form1::toolKey(QWidget *target, const QKeyEvent &key)
{
    if (auto taken = predictKey(target, key))
        return taken;
    if (auto taken = boardKey(target, key))
        return taken;
    return jumpKey(target, key);
}
