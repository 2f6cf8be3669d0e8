#pragma once

#include "tools/tool.h"

/// The F1 sheet of every key and tool, made by the host from the tools' rows and key lines.
class KeyHelpTool : public Tool
{
public:
    static constexpr tools::ToolRow rows[] = {
        { "help", QT_TRANSLATE_NOOP("tools", "キーの一覧"), "F1", "", "",
          QT_TRANSLATE_NOOP("tools", "使えるキーとツールの一覧を開く"), tools::ToolRow::Action,
          false },
    };

    using Tool::Tool;

    void act(const tools::ToolRow &row, bool on) override;
};
