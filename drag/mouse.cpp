// Picking up, dragging and dropping pieces on the blackboard.
#include "app/form1.h"

void Form1::kokuban_MouseDown(int, int, float, float) { }
void Form1::kokuban_MouseMove(int, int, float, float) { }
void Form1::kokuban_MouseUp(int, int, float, float) { }
