#pragma once

#include <QtGlobal>
#include <array>

/// The tools that go beyond the lesson itself. One row each: the right-click menu, the F1 key
/// help and the command line are all made from this table, so that they cannot drift apart.
namespace tools {

enum class Tool {
    Formulas, ///< y written out as a function of x, stretch by stretch
    Predict, ///< the learner types or places y before the lesson shows it
    BuildByKeys, ///< the blackboard takes the keyboard focus to build the figure
    OpenLesson, ///< open a lesson file
    SaveLesson, ///< save the lesson as a file
    CopyPicture, ///< the three panels to the clipboard
    SavePicture, ///< the three panels as PNG
    PrintWorksheet, ///< a worksheet on paper
    SaveWorksheet, ///< a worksheet as PDF
    Language, ///< English or Japanese
    KeyHelp, ///< the F1 sheet of keys and tools
};
inline constexpr int toolCount = int(Tool::KeyHelp) + 1;

struct ToolRow
{
    Tool id;
    const char *caption; ///< menu text, translated in the "tools" context
    const char *shortcut; ///< portable key sequence text ("F6", "Ctrl+S")
    const char *option; ///< command-line option without dashes; empty for none
    const char *valueName; ///< the option's value, empty for a switch
    const char *help; ///< one line for the key help and --help, translated in "tools"
    bool checkable; ///< a tool that is on or off (shown with a check mark)
    bool separatorBefore; ///< the menu starts a new group here
};

/// The table, in menu order.
const std::array<ToolRow, toolCount> &table();

/// The row of `tool`.
const ToolRow &row(Tool tool);

} // namespace tools
