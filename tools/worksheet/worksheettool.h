#pragma once

#include "tools/tool.h"

#include <QCoreApplication>

/// Worksheets: the task and the answer key on A4, printed or as PDF.
class WorksheetTool : public Tool
{
    Q_DECLARE_TR_FUNCTIONS(WorksheetTool)

public:
    static constexpr tools::ToolRow rows[] = {
        { "print", QT_TRANSLATE_NOOP("tools", "プリントを印刷…"), "Ctrl+P", "", "",
          QT_TRANSLATE_NOOP("tools", "問題と答えのプリントを印刷する"), tools::ToolRow::Action,
          false },
        { "worksheet", QT_TRANSLATE_NOOP("tools", "プリントをPDFで保存…"), "Ctrl+Shift+P",
          "worksheet", "OUT.pdf",
          QT_TRANSLATE_NOOP("tools", "問題と答えのプリントをPDFファイルに保存する"),
          tools::ToolRow::File, false },
    };

    explicit WorksheetTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;
    bool write(const tools::ToolRow &row, const QString &path, QString *error) override;

    /// Writes the worksheet of the lesson on screen as a PDF.
    bool save(const QString &path, QString *error = nullptr);

private:
    void print();
    void saveDialog();
};
