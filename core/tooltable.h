#pragma once

#include <QString>
#include <span>

/// The rows of the tools. Each tool states its rows beside its code; the right-click menu, the
/// F1 key help and the command line are all made from them, so that they cannot drift apart.
namespace tools {

struct ToolRow
{
    enum Kind {
        Action, ///< chosen, it does something once
        Switch, ///< on or off (shown with a check mark); its option switches it on at start
        File, ///< a dialog from the menu; its option writes the file without a window
        Choice, ///< its option takes one of the values in `valueName` ("ja|en")
    };
    const char *id; ///< names the menu entry (object name "tool_<id>")
    const char *caption; ///< menu text, translated in the "tools" context
    const char *shortcut; ///< portable key sequence text ("F6", "Ctrl+S")
    const char *option; ///< command-line option without dashes; empty for none
    const char *valueName; ///< the option's value, empty for a switch
    const char *help; ///< one line for the key help and --help, translated in "tools"
    Kind kind;
    bool separatorBefore; ///< the menu starts a new group here

    bool checkable() const { return kind == Switch; }
    bool hasOption() const { return option[0] != 0; }
};

/// Why a set of rows cannot make one menu and one command line (an id, shortcut or option
/// used twice, a row without an id or caption), or empty when it can.
QString fault(std::span<const ToolRow *const> rows);

/// Whether `value` is one the row's option takes: any non-empty name for a file, one of the
/// listed values for a choice.
bool takesValue(const ToolRow &row, const QString &value);

} // namespace tools
