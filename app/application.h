#pragma once

class QApplication;
class QCoreApplication;

/// Style, fonts and palette the lesson expects of the application; call once before the
/// window is made (the program, the tests and the benchmarks all do).
void setUpApplication(QApplication &app);

/// The program's name and version, which --help, --version and the messages use; the
/// command line may be read before the window's application exists.
void nameApplication(QCoreApplication &app);
