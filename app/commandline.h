#pragma once

#include "core/tooltable.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class Form1;

/// What the command line asks of the program: tools to switch on at start, a lesson file to
/// open, a language, and files to write without a window.
struct StartOptions
{
    std::vector<const tools::ToolRow *> on; ///< switches and actions given (--formulas, …)
    /// Files to write (--worksheet OUT.pdf), in the order of the tools' rows.
    std::vector<std::pair<const tools::ToolRow *, QString>> files;
    QString lessonFile; ///< the positional FILE
    QString language; ///< --lang: "ja", "en" or empty for the system's

    bool isOn(const char *id) const;
};

/// Reads `arguments` (argv, program name first) with the options of the tools' rows. Returns -1
/// to go on, or the exit status when the run ends here: 0 after --help or --version, 2 after
/// an error, which is written to standard error.
int parseCommandLine(const QStringList &arguments, StartOptions &options);

/// Whether `arguments` only ask for text (--help, --version): the run then needs no display,
/// and the program starts Qt without one so that it works in any terminal.
bool answersWithoutWindow(const QStringList &arguments);

/// Whether `arguments` ask for a file to be written without a window.
bool writesFiles(const QStringList &arguments);

/// Shows the window and does what the command line asked for: tools on, a lesson file, and
/// the files written without a window. Returns -1 to go on, or the program's exit status (0
/// when the files were written, 2 after a message on standard error).
int applyStartOptions(Form1 &form, const StartOptions &options);
