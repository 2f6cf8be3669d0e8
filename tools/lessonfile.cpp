// Lesson files: open (menu, command line, a file dropped on the window) and save.
#include "app/form1.h"

#include "core/figurecolumns.h"
#include "core/lessonformat.h"
#include "core/numtext.h"
#include "core/safefile.h"
#include "core/steps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
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

void Form1::setUpLessonFiles()
{
    setAcceptDrops(true);
    // The speed box would take a dropped file's address as its text: the window takes it.
    Combo1->lineEdit()->setAcceptDrops(false);
    Text1->setAcceptDrops(false);
}

lessonformat::Lesson Form1::lessonOnScreen() const
{
    lessonformat::Lesson lesson;
    lesson.pieces = lessonformat::piecesOf(retsu);
    lesson.grid = Check1->isChecked();
    lesson.table = Check3->isChecked();
    lesson.graph = Check2->isChecked();
    lesson.graphOrigin = graphed[0];
    lesson.dimensionLine = Check4->isChecked();
    lesson.speed = Combo1->currentText();
    lesson.x = numtext::read(Text1->text());
    for (const tools::ToolRow &r : tools::table()) {
        if (r.checkable && toolOn(r.id))
            lesson.tools << QLatin1String(r.option);
    }
    return lesson;
}

void Form1::applyLesson(const lessonformat::Lesson &lesson)
{
    // The window as it starts: boxes at their first values (each runs its click if it changes),
    // tools off, then the initial screen.
    Check1->setChecked(false);
    Check2->setChecked(false);
    Check3->setChecked(false);
    Check4->setChecked(true);
    for (const tools::ToolRow &r : tools::table()) {
        if (r.checkable)
            setToolOn(r.id, false);
    }
    shoki();
    // A graph shown while the figure was built holds the dot the drops drew at its origin:
    // then it goes on before the pieces, as it went by hand.
    if (lesson.graphOrigin)
        Check2->setChecked(true);

    // Each piece as a hand would bring it: picked from the palette and released over the
    // middle of a column (a triangle by its middle column), through the mouse's own release.
    for (const lessonformat::Piece &p : lesson.pieces) {
        const bool triangle = p.kind == lessonformat::PieceKind::Triangle;
        const int column = triangle ? p.column + 1 : p.column;
        tsukami = triangle ? 4 : int(p.kind) + 1;
        fromFigure = false;
        kokuban_MouseUp(1, 0, float(320 + 40 * column), 250);
    }

    Check1->setChecked(lesson.grid);
    Check2->setChecked(lesson.graph);
    Check3->setChecked(lesson.table);
    Check4->setChecked(lesson.dimensionLine);
    Combo1->setEditText(lesson.speed);
    for (const tools::ToolRow &r : tools::table()) {
        if (r.checkable && lesson.tools.contains(QLatin1String(r.option)))
            setToolOn(r.id, true);
    }
    const int steps = int(std::lround(2 * lesson.x));
    for (int i = 0; i < steps; ++i)
        susumu_Click();
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

bool Form1::openLesson(const QString &path, QString *error)
{
    lessonformat::Lesson lesson;
    lessonformat::Error fault;
    QString problem;
    if (playing)
        problem = QStringLiteral("%1: %2").arg(safefile::shown(path), busyText());
    else if (!lessonformat::readFile(path, lesson, fault))
        problem = lessonformat::message(path, fault);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    applyLesson(lesson);
    lessonPath = path;
    //: said once a lesson file is open
    announce(tr("授業ファイル %1 を開きました").arg(safefile::shown(QFileInfo(path).fileName())));
    return true;
}

bool Form1::saveLesson(const QString &path, QString *error)
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
    lessonPath = path;
    //: said once the lesson is saved
    announce(tr("授業ファイル %1 に保存しました").arg(safefile::shown(QFileInfo(path).fileName())));
    return true;
}

void Form1::tellFileProblem(const QString &message)
{
    if (!fileMessage) {
        fileMessage = new QMessageBox(this);
        fileMessage->setObjectName(QStringLiteral("fileMessage"));
        fileMessage->setIcon(QMessageBox::Warning);
        fileMessage->setStandardButtons(QMessageBox::Ok);
        // The text carries names from files and folders: never read as markup.
        fileMessage->setTextFormat(Qt::PlainText);
    }
    fileMessage->setWindowTitle(tr("授業ファイル"));
    fileMessage->setText(message);
    // Window-modal and not blocking: the lesson's own loop keeps running behind it.
    fileMessage->open();
    announce(message);
}

void Form1::openLessonDialog()
{
    // Say it before the dialog, not after a file has been chosen in vain.
    if (playing) {
        tellFileProblem(busyText());
        return;
    }
    const QString path
        = QFileDialog::getOpenFileName(this, tr("授業ファイルを開く"), QString(), fileFilter());
    QString error;
    if (!path.isEmpty() && !openLesson(path, &error))
        tellFileProblem(error);
}

void Form1::saveLessonDialog()
{
    // Said before the dialog: a name chosen for a lesson that cannot be saved is chosen in vain.
    if (const QString refused = speedRefused(Combo1->currentText()); !refused.isEmpty()) {
        tellFileProblem(refused);
        return;
    }
    QFileDialog dialog(this, tr("授業ファイルに保存"), QString(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("kansu"));
    if (!lessonPath.isEmpty()) {
        const QFileInfo last(lessonPath);
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString error;
    if (!saveLesson(dialog.selectedFiles().first(), &error))
        tellFileProblem(error);
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    QString error;
    if (!openLesson(path, &error))
        tellFileProblem(error);
}
