// Return to the start and the dimension line.
#include "app/form1.h"

void Form1::Command2_Click() { }
void Form1::Check4_Click() { }
