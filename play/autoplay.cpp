// Automatic play.
#include "app/form1.h"

void Form1::jidou_Click() { }
void Form1::tomeru_Click() { }
void Form1::matsu(std::int32_t) { }
