#pragma once

#include "core/formulas.h"
#include "core/tooltable.h"
#include "tools/lesson.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class QKeyEvent;
class QPainter;
class QRectF;
class QWidget;
class ToolHost;
namespace lessonformat {
struct Lesson;
}

/// One line of the F1 key help: the keys and what they do, translated in the "keys" context.
struct KeyLine
{
    const char *keys;
    const char *meaning;
};

/// A task a tool adds to the worksheet while it is on: page 1 asks it, page 2 answers it.
struct SheetTask
{
    std::vector<formulas::Written> question; ///< lines of page 1
    std::vector<formulas::Written> answer; ///< lines of page 2
    /// A drawing under the question (page 1) or the answer (page 2), in a box in mm of the
    /// given height; empty for none.
    std::function<void(QPainter &, const QRectF &box, bool answer)> drawing;
    double drawingHeight = 0; ///< mm
};

/// What goes beyond the lesson: a tool sees the lesson only through `Lesson`, and the window
/// only as the parent of what it shows. The host makes one of each registered tool, passes the
/// lesson's changes and the keys on, and builds the menu, the key help and the command line
/// from the tools' rows.
class Tool
{
public:
    explicit Tool(ToolHost &host)
        : host(host)
    { }
    virtual ~Tool() = default;
    Tool(const Tool &) = delete;
    Tool &operator=(const Tool &) = delete;

    /// A row of this tool chosen in the menu, by its key or on the command line: `on` is the
    /// new state of a switch, true for an action.
    virtual void act(const tools::ToolRow &row, bool on) = 0;
    /// After every change of the lesson, whether the tool is on or not.
    virtual void follow(Lesson::Change) { }
    /// A key on `target` before the focused control gets it: empty when the tool does not want
    /// it, true when taken, false when the focused control must have it.
    virtual std::optional<bool> key(QWidget *, const QKeyEvent &) { return {}; }
    /// Every text again, in the language just chosen.
    virtual void retranslate() { }
    /// The tool's lines in the key help, beyond its menu rows.
    virtual std::vector<KeyLine> keyLines() const { return {}; }
    /// Writes the file a row with a file value names (`--worksheet OUT.pdf`), without a dialog.
    virtual bool write(const tools::ToolRow &, const QString &, QString *error)
    {
        if (error)
            error->clear();
        return false;
    }
    /// What the tool keeps in a lesson file, and takes back from one.
    virtual void keepIn(lessonformat::Lesson &) const { }
    virtual void takeFrom(const lessonformat::Lesson &) { }
    /// The tasks the tool adds to the worksheet, while it is on.
    virtual std::vector<SheetTask> sheetTasks() const { return {}; }
    /// Whether y at x must not be said or shown yet (a question still open).
    virtual bool hidesY(double) const { return false; }
    /// Whether the tool, as it stands, keeps the row `id` of another tool off: that row is
    /// greyed in the menu (a box that would give an answer away, or want the same room).
    virtual bool keepsOff(QStringView) const { return false; }
    /// Whether the last right press was the tool's own (not a request for the menu).
    virtual bool tookRightClick() { return false; }

protected:
    ToolHost &host;
};
