#pragma once

#include "core/tooltable.h"

#include <memory>
#include <span>
#include <vector>

class Tool;
class ToolHost;

namespace tools {

/// A tool as it is registered: its rows (known before any window exists, for the command
/// line) and how to make it for a window.
struct Registration
{
    std::span<const ToolRow> rows;
    std::unique_ptr<Tool> (*make)(ToolHost &host);
};

/// Every tool, in menu order.
std::span<const Registration> registered();

/// Every row of every tool, in menu order.
std::vector<const ToolRow *> allRows();

/// The row with this id, or null.
const ToolRow *rowOf(QStringView id);

} // namespace tools
