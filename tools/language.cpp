// The lesson in English or Japanese.
#include "app/form1.h"

void Form1::switchLanguage() { }
