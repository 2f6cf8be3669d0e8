#pragma once

#include "tools/tool.h"

#include <QCoreApplication>

/// English or Japanese; on the command line the language to start in.
class LanguageTool : public Tool
{
    Q_DECLARE_TR_FUNCTIONS(LanguageTool)

public:
    static constexpr tools::ToolRow rows[] = {
        { "lang", QT_TRANSLATE_NOOP("tools", "English"), "Ctrl+L", "lang", "ja|en",
          QT_TRANSLATE_NOOP("tools", "画面のことばを英語と日本語で切りかえる"),
          tools::ToolRow::Choice, true },
    };

    explicit LanguageTool(ToolHost &host);

    /// Switches to the other language.
    void act(const tools::ToolRow &row, bool on) override;
};
