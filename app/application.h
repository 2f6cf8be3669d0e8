#pragma once

class QApplication;

/// Style, fonts and palette the lesson expects of the application; call once before the
/// window is made (the program, the tests and the benchmarks all do).
void setUpApplication(QApplication &app);
