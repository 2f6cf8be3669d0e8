// The one place where tools are registered: a tool is its folder and its line here.
#include "tools/registry.h"

#include "tools/challenge/challengetool.h"
#include "tools/formulas/formulastool.h"
#include "tools/jump/jumptool.h"
#include "tools/keyboard/keyboardtool.h"
#include "tools/keyhelp/keyhelptool.h"
#include "tools/language/languagetool.h"
#include "tools/lessonfile/lessonfiletool.h"
#include "tools/picture/picturetool.h"
#include "tools/predict/predicttool.h"
#include "tools/rate/ratetool.h"
#include "tools/traces/tracestool.h"
#include "tools/whichgraph/whichgraphtool.h"
#include "tools/worksheet/worksheettool.h"

namespace tools {

namespace {

template<class T> constexpr std::span<const ToolRow> rowsOf()
{
    if constexpr (requires { T::rows; })
        return T::rows;
    else
        return {};
}

template<class T> Registration tool()
{
    return { rowsOf<T>(),
             [](ToolHost &host) -> std::unique_ptr<Tool> { return std::make_unique<T>(host); } };
}

} // namespace

std::span<const Registration> registered()
{
    // In menu order; the key help lists each tool's keys in this order too.
    static const Registration list[] = {
        // One line a tool.
        // clang-format off
        tool<JumpTool>(),
        tool<FormulasTool>(),
        tool<PredictTool>(),
        tool<RateTool>(),
        tool<ChallengeTool>(),
        tool<TracesTool>(),
        tool<WhichGraphTool>(),
        tool<KeyboardTool>(),
        tool<LessonFileTool>(),
        tool<PictureTool>(),
        tool<WorksheetTool>(),
        tool<LanguageTool>(),
        tool<KeyHelpTool>(),
        // clang-format on
    };
    return list;
}

std::vector<const ToolRow *> allRows()
{
    std::vector<const ToolRow *> rows;
    for (const Registration &r : registered()) {
        for (const ToolRow &row : r.rows)
            rows.push_back(&row);
    }
    return rows;
}

const ToolRow *rowOf(QStringView id)
{
    for (const ToolRow *row : allRows()) {
        if (id == QLatin1String(row->id))
            return row;
    }
    return nullptr;
}

} // namespace tools
