#pragma once

#include "core/tooltable.h"

#include <QString>
#include <QStringList>
#include <array>

/// What the command line asks of the program: tools to switch on at start, a lesson file to
/// open, a language, and files to write without a window.
struct StartOptions
{
    std::array<bool, tools::toolCount> toolsOn {}; ///< switches given (--formulas, --predict, …)
    QString lessonFile; ///< the positional FILE
    QString language; ///< --lang: "ja", "en" or empty for the system's
    QString worksheetOut; ///< --worksheet OUT.pdf
    QString pictureOut; ///< --picture OUT.png
};

/// Reads `arguments` (argv, program name first) with the options of the tool table. Returns -1
/// to go on, or the exit status when the run ends here: 0 after --help or --version, 2 after
/// an error, which is written to standard error.
int parseCommandLine(const QStringList &arguments, StartOptions &options);

/// Whether `arguments` only ask for text (--help, --version): the run then needs no display,
/// and the program starts Qt without one so that it works in any terminal.
bool answersWithoutWindow(const QStringList &arguments);
