// The x/y table at whole x.
#include "app/form1.h"

void Form1::hyokaki(std::int16_t) { }
