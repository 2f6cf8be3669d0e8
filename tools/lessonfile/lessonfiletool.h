#pragma once

#include "tools/tool.h"

#include <QObject>

/// Lesson files: opened from the menu, the command line or a file dropped on the window, and
/// saved. An opened file is built by the lesson's own procedures: the initial screen, the
/// pieces dropped one by one, the boxes, the steps.
class LessonFileTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr tools::ToolRow rows[] = {
        { "open", QT_TRANSLATE_NOOP("tools", "授業ファイルを開く…"), "Ctrl+O", "", "",
          QT_TRANSLATE_NOOP("tools", "保存した授業（図形、表示、速度、χ）を開く"),
          tools::ToolRow::Action, true },
        { "save", QT_TRANSLATE_NOOP("tools", "授業ファイルに保存…"), "Ctrl+S", "", "",
          QT_TRANSLATE_NOOP("tools", "いまの授業をファイルに保存する"), tools::ToolRow::Action,
          false },
    };

    explicit LessonFileTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;

    /// Opens a lesson file as the lesson on screen. A file that cannot be used changes nothing:
    /// the result is false and `error` names the file and what is wrong.
    bool open(const QString &path, QString *error = nullptr);
    /// Saves the lesson on screen; false with the reason when the file cannot be written.
    bool save(const QString &path, QString *error = nullptr);
    /// Builds a lesson already read and checked.
    void apply(const lessonformat::Lesson &lesson);
    lessonformat::Lesson lessonOnScreen() const;
    /// The lesson file last opened or saved: what the save dialog proposes.
    void setPath(const QString &path) { m_path = path; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openDialog();
    void saveDialog();

    QString m_path;
};
