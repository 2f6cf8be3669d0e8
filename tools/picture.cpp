// A picture of the three panels: clipboard and PNG.
#include "app/form1.h"

void Form1::copyPicture() { }
void Form1::savePictureDialog() { }
