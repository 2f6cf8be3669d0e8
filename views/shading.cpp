// The figure painted with its crossed part white and the rest light grey.
#include "app/form1.h"

void Form1::nuri(std::int16_t) { }
void Form1::nuri1(std::int16_t) { }
void Form1::nuri2(std::int16_t) { }
void Form1::nuri3(std::int16_t) { }
void Form1::nuri4(std::int16_t) { }
