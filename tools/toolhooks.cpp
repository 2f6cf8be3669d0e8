// What the tools hear of the lesson: its changes, and keys while a tool's panel has the focus.
#include "app/form1.h"

void Form1::toolsFollow(Change what)
{
    // A piece the keys hold hangs over the rectangle: left there while P moves, it would read
    // as part of the figure sliding away.
    if (what == Change::Step || what == Change::Restart) {
        if (keysHolding && tsukami != 0)
            putBackHeldPiece();
    } else {
        keysHolding = false; // the piece went home with the figure's change
    }
    formulasFollow(what);
    predictFollow(what);
}

std::optional<bool> Form1::toolKey(QWidget *target, const QKeyEvent &key)
{
    std::optional<bool> taken = predictKey(target, key);
    if (!taken)
        taken = boardKey(target, key);
    if (!taken)
        taken = jumpKey(target, key);
    // A key a tool took on its panel shows where the keyboard is.
    if (taken.value_or(false))
        setKeyboardInUse(true);
    return taken;
}
