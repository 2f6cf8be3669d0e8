// Lesson files: open (menu, command line, a file dropped on the window) and save.
#include "tools/lessonfile/lessonfiletool.h"

#include "core/figurecolumns.h"
#include "core/lessonformat.h"
#include "core/numtext.h"
#include "core/safefile.h"
#include "core/steps.h"
#include "tools/host/toolhost.h"
#include "tools/savedialog.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <cmath>

namespace {

QString fileFilter()
{
    return QCoreApplication::translate("lessonfile", "授業ファイル (*.kansu)");
}

// The one local file a drag carries, or empty.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1
        || !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}

} // namespace

LessonFileTool::LessonFileTool(ToolHost &host)
    : Tool(host)
{
    QWidget &window = host.window();
    window.setAcceptDrops(true);
    // The text boxes would take a dropped file's address as their text: the window takes it.
    for (QLineEdit *edit : window.findChildren<QLineEdit *>())
        edit->setAcceptDrops(false);
    window.installEventFilter(this);
}

lessonformat::Lesson LessonFileTool::lessonOnScreen() const
{
    const Lesson::State s = host.lesson().state();
    lessonformat::Lesson lesson;
    lesson.pieces = lessonformat::piecesOf(s.columns);
    lesson.grid = s.isShown(Lesson::View::Grid);
    lesson.table = s.isShown(Lesson::View::Table);
    lesson.graph = s.isShown(Lesson::View::Graph);
    lesson.graphOrigin = s.graphed[0];
    lesson.dimensionLine = s.isShown(Lesson::View::DimensionLine);
    lesson.speed = s.speed;
    lesson.x = s.x();
    host.saveInto(lesson);
    return lesson;
}

void LessonFileTool::apply(const lessonformat::Lesson &lesson)
{
    Lesson &l = host.lesson();
    using View = Lesson::View;
    // The window as it starts: boxes at their first values (each runs its click if it changes),
    // tools off, then the initial screen.
    l.setShown(View::Grid, false);
    l.setShown(View::Graph, false);
    l.setShown(View::Table, false);
    l.setShown(View::DimensionLine, true);
    host.loadFrom(lessonformat::Lesson {});
    l.press(Lesson::Button::Initial);
    // A graph shown while the figure was built holds the dot the drops drew at its origin:
    // then it goes on before the pieces, as it went by hand.
    if (lesson.graphOrigin)
        l.setShown(View::Graph, true);

    // Each piece as a hand would bring it: picked from the palette and dropped into its column
    // (a triangle by its middle column), through the lesson's own release.
    for (const lessonformat::Piece &p : lesson.pieces) {
        const bool triangle = p.kind == lessonformat::PieceKind::Triangle;
        l.pickUp(triangle ? 4 : int(p.kind) + 1);
        l.release(Lesson::Release::Drop, triangle ? p.column + 1 : p.column);
    }

    l.setShown(View::Grid, lesson.grid);
    l.setShown(View::Graph, lesson.graph);
    l.setShown(View::Table, lesson.table);
    l.setShown(View::DimensionLine, lesson.dimensionLine);
    l.setSpeed(lesson.speed);
    host.loadFrom(lesson);
    const int steps = int(std::lround(2 * lesson.x));
    for (int i = 0; i < steps; ++i)
        l.press(Lesson::Button::Forward);
}

namespace {

QString busyText()
{
    //: a lesson cannot be opened while automatic play runs
    return QCoreApplication::translate(
        "lessonfile", "自動で動いている間は開けません。ストップしてから開いてください");
}

// Why the speed box's text cannot go into a lesson file, or empty when it can.
QString speedRefused(const QString &speed)
{
    if (lessonformat::speedTaken(speed))
        return {};
    //: the speed box holds a text that is not a speed
    return QCoreApplication::translate(
               "Form1",
               "速度の欄の \"%1\" は速度ではありません。一覧から選ぶか、0以上の数を入れてください")
        .arg(safefile::quoted(speed));
}

} // namespace

bool LessonFileTool::open(const QString &path, QString *error)
{
    lessonformat::Lesson lesson;
    lessonformat::Error fault;
    QString problem;
    if (host.lesson().state().playing)
        problem = QStringLiteral("%1: %2").arg(safefile::shown(path), busyText());
    else if (!lessonformat::readFile(path, lesson, fault))
        problem = lessonformat::message(path, fault);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    apply(lesson);
    m_path = path;
    //: said once a lesson file is open
    host.announce(
        tr("授業ファイル %1 を開きました").arg(safefile::shown(QFileInfo(path).fileName())));
    return true;
}

bool LessonFileTool::save(const QString &path, QString *error)
{
    const lessonformat::Lesson lesson = lessonOnScreen();
    QString reason = speedRefused(lesson.speed);
    if (reason.isEmpty())
        lessonformat::writeFile(path, lesson, reason);
    if (!reason.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(safefile::shown(path), reason);
        return false;
    }
    m_path = path;
    //: said once the lesson is saved
    host.announce(
        tr("授業ファイル %1 に保存しました").arg(safefile::shown(QFileInfo(path).fileName())));
    return true;
}

void LessonFileTool::openDialog()
{
    // Say it before the dialog, not after a file has been chosen in vain.
    if (host.lesson().state().playing) {
        host.tellProblem(busyText());
        return;
    }
    const QString path = QFileDialog::getOpenFileName(&host.window(), tr("授業ファイルを開く"),
                                                      QString(), fileFilter());
    QString error;
    if (!path.isEmpty() && !open(path, &error))
        host.tellProblem(error);
}

void LessonFileTool::saveDialog()
{
    // Said before the dialog: a name chosen for a lesson that cannot be saved is chosen in vain.
    if (const QString refused = speedRefused(host.lesson().state().speed); !refused.isEmpty()) {
        host.tellProblem(refused);
        return;
    }
    const QString path = tools::askSavePath(&host.window(), tr("授業ファイルに保存"), fileFilter(),
                                            QStringLiteral("kansu"), m_path);
    if (path.isEmpty())
        return;
    QString error;
    if (!save(path, &error))
        host.tellProblem(error);
}

bool LessonFileTool::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &host.window())
        return false;
    if (event->type() == QEvent::DragEnter) {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        if (!droppedFile(enter->mimeData()).isEmpty())
            enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty())
            return true;
        drop->acceptProposedAction();
        QString error;
        if (!open(path, &error))
            host.tellProblem(error);
        return true;
    }
    return false;
}

void LessonFileTool::act(const tools::ToolRow &row, bool)
{
    // By the text: a folded constant and the registered row may hold different copies of it.
    if (qstrcmp(row.id, rows[0].id) == 0)
        openDialog();
    else
        saveDialog();
}
