// Stepping P forward and back.
#include "app/form1.h"

void Form1::susumu_Click() { }
void Form1::modoru_Click() { }
