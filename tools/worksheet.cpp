// Worksheets: the task and the answer key on A4, printed or as PDF.
#include "app/form1.h"

void Form1::printWorksheet() { }
void Form1::saveWorksheetDialog() { }
