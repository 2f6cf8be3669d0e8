// Lesson files: open and save.
#include "app/form1.h"

void Form1::openLessonDialog() { }
void Form1::saveLessonDialog() { }
