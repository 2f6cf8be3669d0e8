#pragma once

#include "tools/lesson.h"
#include "tools/tool.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QDialog;
class QKeyEvent;
class QMenu;
class QMessageBox;
class QWidget;

/// Holds the registered tools of one lesson window: makes each, gives it the lesson, passes the
/// lesson's changes and keys on, and builds the menu and the key help from the tools' rows. The
/// window tells it of every change; nothing else of the window is known here.
class ToolHost : public QObject
{
    Q_OBJECT

public:
    ToolHost(Lesson &lesson, QWidget &window);
    ~ToolHost() override;

    /// The host of a lesson window.
    static ToolHost *of(const QWidget *window);

    Lesson &lesson() const { return m_lesson; }
    QWidget &window() const { return m_window; }

    /// The tool of type T, if registered.
    template<class T> T *find() const
    {
        for (const auto &t : m_tools) {
            if (auto *p = dynamic_cast<T *>(t.get()))
                return p;
        }
        return nullptr;
    }

    /// The menu entry of a row, by its id.
    QAction *action(QStringView id) const;
    /// Whether the switch `id` is on.
    bool isOn(QStringView id) const;
    /// Switches `id` on or off; an action or a file row is chosen when `on`.
    void setOn(QStringView id, bool on);

    // ---- What the lesson tells the tools ----
    void follow(Lesson::Change what);
    /// A key for a tool: empty when no tool wants it, true when a tool took it, false when the
    /// focused control must have it (a box the learner types into).
    std::optional<bool> key(QWidget *target, const QKeyEvent &key);
    /// Whether y at x is still a question: said and shown nowhere yet.
    bool hidesY(double x) const;
    /// Every tool's tasks for the worksheet, in the tools' order.
    std::vector<SheetTask> sheetTasks() const;
    void retranslate();

    // ---- What the tools share ----
    /// Says one sentence to assistive technology.
    void announce(const QString &sentence);
    /// What was last said. Nothing in the window reads it: it is kept for the tests, which
    /// cannot always hear the platform's announcements.
    const QString &lastAnnouncement() const { return m_lastSaid; }
    void forgetAnnouncement() { m_lastSaid.clear(); }
    /// A refusal or a failure, in a message in the window, said aloud too.
    void tellProblem(const QString &message);
    /// Set by Tab, F8 or a key a tool takes; cleared by any mouse press in the window.
    bool keyboardInUse() const { return m_keyboardInUse; }
    void setKeyboardInUse(bool inUse);

    QMenu *menu() const { return m_menu; }
    QDialog *keyHelp() const { return m_keyHelp; }
    QString keyHelpText() const;
    void showKeyHelp();

    /// The switches that are on, by their options, and back from a lesson file: every switch
    /// off, then those it names on, then what each tool keeps.
    void saveInto(lessonformat::Lesson &lesson) const;
    void loadFrom(const lessonformat::Lesson &lesson);
    /// Writes a file row's file (`--worksheet OUT.pdf`).
    bool write(QStringView id, const QString &path, QString *error);

signals:
    void keyboardUseChanged(bool inUse);
    /// A mouse button went down somewhere in the window.
    void mousePressed(QWidget *where);
    /// A tool began or ended keeping some y a question: what is said of y changes.
    void questionsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        const tools::ToolRow *row;
        Tool *tool;
        QAction *action;
    };
    const Entry *entry(QStringView id) const;
    void noticeInput(QObject *watched, QEvent *event);

    Lesson &m_lesson;
    QWidget &m_window;
    std::vector<std::unique_ptr<Tool>> m_tools;
    std::vector<Entry> m_entries;
    QMenu *m_menu = nullptr;
    QDialog *m_keyHelp = nullptr;
    QMessageBox *m_problem = nullptr;
    QString m_lastSaid;
    bool m_keyboardInUse = false;
};
