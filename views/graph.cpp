// The graph of y against x: axes and the plot.
#include "app/form1.h"

void Form1::jiku(std::int16_t) { }
void Form1::gurafu(std::int16_t) { }
