#include "app/commandline.h"
#include "compare.h"
#include "lesson.h"
#include "windowtest.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>

using namespace lesson;

namespace {

// Where a hand takes each piece in the palette, by the file's name for it.
QPointF paletteSpot(const QString &piece)
{
    if (piece == QLatin1String("square"))
        return { 320, 100 };
    if (piece == QLatin1String("bar4"))
        return { 370, 100 };
    if (piece == QLatin1String("bar6"))
        return { 420, 100 };
    return { 510, 100 }; // the triangle, by its middle
}

// A window of its own, shown, with the hand that builds a lesson in it.
struct Window : SideWindow
{
    // A real drag from the palette to the middle of a column (a triangle by its middle one).
    void drag(const QString &piece, int column)
    {
        const int over = piece == QLatin1String("triangle") ? column + 1 : column;
        dragOnBoard(*form, paletteSpot(piece), QPointF(320 + 40 * over, 250));
    }

    void tick(QCheckBox *box, bool on)
    {
        if (box->isChecked() != on)
            QTest::mouseClick(box, Qt::LeftButton);
    }

    // Builds by hand what a file says: drags, boxes, the speed typed in, clicks on "出す".
    // With `viewsFirst` the boxes are ticked before the pieces are brought.
    void build(const QString &pieces, bool grid, bool graph, bool table, bool dimension,
               const QString &speed, double x, bool viewsFirst = false)
    {
        auto views = [&] {
            tick(control<QCheckBox>("Check1"), grid);
            tick(control<QCheckBox>("Check2"), graph);
            tick(control<QCheckBox>("Check3"), table);
            tick(control<QCheckBox>("Check4"), dimension);
        };
        if (viewsFirst)
            views();
        for (const QString &p : pieces.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList nameAndColumn = p.split(QLatin1Char('@'));
            drag(nameAndColumn[0], nameAndColumn[1].toInt());
        }
        if (!viewsFirst)
            views();
        control<QComboBox>("Combo1")->lineEdit()->selectAll();
        QTest::keyClicks(control<QComboBox>("Combo1")->lineEdit(), speed);
        for (int i = 0; i < int(std::lround(2 * x)); ++i)
            QTest::mouseClick(control<QPushButton>("susumu"), Qt::LeftButton);
    }
};

QByteArray fileFor(const QString &pieces, bool grid, bool graph, bool table, bool dimension,
                   const QString &speed, double x)
{
    QStringList list;
    for (const QString &p : pieces.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList nameAndColumn = p.split(QLatin1Char('@'));
        list << QStringLiteral("{\"piece\": \"%1\", \"column\": %2}")
                    .arg(nameAndColumn[0], nameAndColumn[1]);
    }
    auto b = [](bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); };
    return QStringLiteral("{\"format\": \"kansu-lesson\", \"version\": 1,\n"
                          " \"pieces\": [%1],\n"
                          " \"grid\": %2, \"graph\": %3, \"table\": %4, \"dimension_line\": %5,\n"
                          " \"speed\": \"%6\", \"x\": %7}\n")
        .arg(list.join(QStringLiteral(", ")), b(grid), b(graph), b(table), b(dimension), speed)
        .arg(x)
        .toUtf8();
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// Everything of the lesson a learner can see or the procedures read, the panels as the screen
// shows them included.
constexpr StateScope shownLesson { false, true };

} // namespace

namespace {

// Drags a file from the file manager over the blackboard and lets it go there.
bool dropFile(Form1 &form, QWidget *over, const QString &path)
{
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    const QPoint at = over->mapTo(&form, over->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &drop);
    return drop.isAccepted();
}

} // namespace

class tst_LessonFile : public QObject
{
    Q_OBJECT

private slots:
    void openedEqualsBuiltByHand_data();
    void openedEqualsBuiltByHand();
    void openingOverAUsedLessonStartsAfresh();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void notOpenedWhileAutomaticPlayRuns();
    void savedLessonOpensAsItWas();
    void reopenedLessonShowsTheSamePanels_data();
    void reopenedLessonShowsTheSamePanels();
    void saveProposesLastFile();
    void speedRefusedBeforeSaveDialog();
    void fileMessageIsPlainText();
    void commandLineBadFileOpensDefaultLesson_data();
    void commandLineBadFileOpensDefaultLesson();
    void unwritableFileSaysSoAndKeepsLesson();
    void speedBoxWordIsNotSaved();
    void droppedFileOpens();
    void commandLineFileOpens();
    void droppedBadFileShowsMessage();
    void pictureHoldsThePanelsShown_data();
    void pictureHoldsThePanelsShown();
    void copyPutsPictureOnClipboard();

private:
    QTemporaryDir dir;
};

void tst_LessonFile::openedEqualsBuiltByHand_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("graph");
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("dimension");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<double>("x");

    QTest::newRow("worked example as the lesson describes it")
        << QByteArray(workedExampleFile) << "triangle@0 bar4@3" << false << true << true << true
        << "10" << 0.0;
    const std::tuple<const char *, QString, bool, bool, bool, bool, QString, double> rows[] = {
        { "worked example at 7 with the grid", "triangle@0 bar4@3", true, true, true, true, "50",
          7.0 },
        { "bars and a triangle at the end, no dimension line", "bar6@0 square@1 triangle@2", false,
          true, true, false, " 0", 10.0 },
        { "one square at 2.5, table only", "square@4", false, false, true, true, "200", 2.5 },
        { "empty figure at 4.5 with the grid", "", true, true, false, true, "20", 4.5 },
    };
    for (const auto &[name, pieces, grid, graph, table, dimension, speed, x] : rows)
        QTest::newRow(name) << fileFor(pieces, grid, graph, table, dimension, speed, x) << pieces
                            << grid << graph << table << dimension << speed << x;
}

void tst_LessonFile::openedEqualsBuiltByHand()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, pieces);
    QFETCH(bool, grid);
    QFETCH(bool, graph);
    QFETCH(bool, table);
    QFETCH(bool, dimension);
    QFETCH(QString, speed);
    QFETCH(double, x);

    Window byHand;
    byHand.build(pieces, grid, graph, table, dimension, speed, x);
    Window opened;
    QString error;
    QVERIFY2(toolOf<LessonFileTool>(*opened.form)
                 .open(write(dir, QStringLiteral("a.kansu"), file), &error),
             qPrintable(error));
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*opened.form, *byHand.form, shownLesson);
}

void tst_LessonFile::openingOverAUsedLessonStartsAfresh()
{
    const QString path = write(dir, QStringLiteral("used.kansu"), workedExampleFile);
    Window fresh;
    QVERIFY(toolOf<LessonFileTool>(*fresh.form).open(path));
    Window used;
    used.build(QStringLiteral("bar6@1 square@4"), true, true, true, false, QStringLiteral("70"),
               8.5);
    QVERIFY(toolOf<LessonFileTool>(*used.form).open(path));
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*used.form, *fresh.form, StateScope { true, true });
}

void tst_LessonFile::refusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("says"); // besides the file's name
    QTest::newRow("triangle in column 3")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1,\n\"pieces\": [\n"
                      "{\"piece\": \"triangle\", \"column\": 3}]}")
        << "3";
    QTest::newRow("version 7") << QByteArray(
        "{\"format\": \"kansu-lesson\", \"version\": 7, \"pieces\": []}")
                               << "7";
    QTest::newRow("not a lesson file") << QByteArray("<html></html>") << "";
    QTest::newRow("good figure, x off the grid")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1, \"pieces\": "
                      "[{\"piece\": \"bar6\", \"column\": 0}], \"grid\": true, \"x\": 0.25}")
        << "";
    QTest::newRow("speed the box would not take")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1, \"pieces\": [],\n"
                      "\"speed\": \"fast\"}")
        << "fast";
}

void tst_LessonFile::refusedFileChangesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    Window before, after;
    for (Window *w : { &before, &after })
        w->build(QStringLiteral("triangle@1 bar4@4"), false, true, true, true, QStringLiteral("20"),
                 3);
    const QString path = write(dir, QStringLiteral("bad.kansu"), file);
    QString error;
    QVERIFY(!toolOf<LessonFileTool>(*after.form).open(path, &error));
    QVERIFY2(error.startsWith(path + QLatin1String(": ")), qPrintable(error));
    QVERIFY2(error.contains(says), qPrintable(error));
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*after.form, *before.form, shownLesson);
}

void tst_LessonFile::notOpenedWhileAutomaticPlayRuns()
{
    Window w;
    const QString path = write(dir, QStringLiteral("p.kansu"), workedExampleFile);
    // A pause of a second after each step: the file is opened in the first pause.
    w.control<QComboBox>("Combo1")->setEditText(QStringLiteral("200"));
    bool playing = false, opened = true;
    QString error;
    QTimer::singleShot(0, w.form.get(), [&] {
        playing = w.form->state().playing;
        opened = toolOf<LessonFileTool>(*w.form).open(path, &error);
        w.control<QPushButton>("tomeru")->click();
    });
    w.control<QPushButton>("jidou")->click();
    QVERIFY(playing);
    QVERIFY(!opened);
    QVERIFY(!error.isEmpty());
    QCOMPARE(textOf(w.form->state().columns), QStringLiteral("0 0 0 0 0"));
}

void tst_LessonFile::savedLessonOpensAsItWas()
{
    Window built;
    built.build(QStringLiteral("square@0 triangle@2"), true, true, false, false,
                QStringLiteral("100"), 6.5);
    built.form->findChild<QAction *>(QStringLiteral("tool_formulas"))->setChecked(true);
    const QString path = dir.filePath(QStringLiteral("saved.kansu"));
    QString error;
    QVERIFY2(toolOf<LessonFileTool>(*built.form).save(path, &error), qPrintable(error));
    Window opened;
    QVERIFY2(toolOf<LessonFileTool>(*opened.form).open(path, &error), qPrintable(error));
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*opened.form, *built.form, shownLesson);
    QVERIFY(opened.form->findChild<QAction *>(QStringLiteral("tool_formulas"))->isChecked());
}

void tst_LessonFile::reopenedLessonShowsTheSamePanels_data()
{
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("viewsFirst");
    QTest::addColumn<double>("x");
    for (bool viewsFirst : { true, false }) {
        for (double x : { 0.0, 3.5, 10.0 }) {
            for (bool grid : { false, true })
                QTest::addRow("views %s pieces, x %g%s", viewsFirst ? "before" : "after", x,
                              grid ? ", grid" : "")
                    << "triangle@0 bar4@3" << grid << viewsFirst << x;
        }
    }
}

void tst_LessonFile::reopenedLessonShowsTheSamePanels()
{
    QFETCH(QString, pieces);
    QFETCH(bool, grid);
    QFETCH(bool, viewsFirst);
    QFETCH(double, x);
    Window built;
    built.build(pieces, grid, true, true, true, QStringLiteral("50"), x, viewsFirst);
    const QString path = dir.filePath(QStringLiteral("again.kansu"));
    QString error;
    QVERIFY2(toolOf<LessonFileTool>(*built.form).save(path, &error), qPrintable(error));
    Window opened;
    QVERIFY2(toolOf<LessonFileTool>(*opened.form).open(path, &error), qPrintable(error));
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*opened.form, *built.form, shownLesson);
}

namespace {

// Presses Ctrl+S and gives what the save dialog proposed (empty when none opened); the dialog
// is closed unused.
QString proposedBySave(Form1 &form)
{
    QString proposed;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            proposed = dialog->selectedFiles().value(0, QStringLiteral("(none)"));
            dialog->reject();
        }
    });
    watch.start(5);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return QStringLiteral("(window not active)");
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    return proposed;
}

} // namespace

void tst_LessonFile::saveProposesLastFile()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    const QString opened = write(dir, QStringLiteral("opened.kansu"), workedExampleFile);
    QVERIFY(toolOf<LessonFileTool>(*w.form).open(opened));
    QCOMPARE(proposedBySave(*w.form), opened);
    const QString saved = dir.filePath(QStringLiteral("saved-as.kansu"));
    QVERIFY(toolOf<LessonFileTool>(*w.form).save(saved));
    QCOMPARE(proposedBySave(*w.form), saved);
}

void tst_LessonFile::speedRefusedBeforeSaveDialog()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    w.control<QComboBox>("Combo1")->setEditText(QStringLiteral("fast"));
    QCOMPARE(proposedBySave(*w.form), QString());
    auto *message = w.form->findChild<QMessageBox *>(QStringLiteral("fileMessage"));
    QVERIFY(message && message->isVisible());
    QVERIFY2(message->text().contains(QLatin1String("\"fast\"")), qPrintable(message->text()));
    message->close();
}

void tst_LessonFile::fileMessageIsPlainText()
{
    Window w;
    const QString path = write(
        dir, QStringLiteral("<i>markup.kansu"),
        R"({"format": "kansu-lesson", "version": 1, "pieces": [{"piece": "<h1 style=\"color:red\">fake</h1>", "column": 0}]})");
    QVERIFY(dropFile(*w.form, w.control<PicturePanel>("kokuban"), path));
    auto *message = w.form->findChild<QMessageBox *>(QStringLiteral("fileMessage"));
    QVERIFY(message && message->isVisible());
    QCOMPARE(message->textFormat(), Qt::PlainText);
    QVERIFY2(message->text().contains(QLatin1String("<h1 style=")), qPrintable(message->text()));
    message->close();
}

void tst_LessonFile::commandLineBadFileOpensDefaultLesson_data()
{
    QTest::addColumn<QByteArray>("file"); // none: the file is missing
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << QByteArray() << "見つかりません";
    QTest::newRow("damaged on line 3")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1,\n\"pieces\": [\n"
                      "{\"piece\": \"triangle\", \"column\": 3}]}")
        << "3行目";
}

void tst_LessonFile::commandLineBadFileOpensDefaultLesson()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    const QString path = file.isEmpty() ? dir.filePath(QStringLiteral("gone.kansu"))
                                        : write(dir, QStringLiteral("damaged.kansu"), file);
    StartOptions options;
    QCOMPARE(parseCommandLine({ QStringLiteral("kansu"), path }, options), -1);
    Form1 form;
    QCOMPARE(applyStartOptions(form, options), -1); // the window goes on
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *message = form.findChild<QMessageBox *>(QStringLiteral("fileMessage"));
    QVERIFY(message && message->isVisible());
    QVERIFY2(message->text().startsWith(path + QLatin1String(": ")), qPrintable(message->text()));
    QVERIFY2(message->text().contains(says), qPrintable(message->text()));
    message->close();
    Window fresh;
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(form, *fresh.form, shownLesson);
}

void tst_LessonFile::unwritableFileSaysSoAndKeepsLesson()
{
    Window w, same;
    for (Window *x : { &w, &same })
        x->build(QStringLiteral("bar4@2"), false, false, true, true, QStringLiteral("50"), 1.5);
    const QString path = dir.filePath(QStringLiteral("no-such-folder/lesson.kansu"));
    QString error;
    QVERIFY(!toolOf<LessonFileTool>(*w.form).save(path, &error));
    QVERIFY2(error.startsWith(path + QLatin1String(": ")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));
    KANSU_COMPARE_LESSONS(*w.form, *same.form, shownLesson);
}

void tst_LessonFile::speedBoxWordIsNotSaved()
{
    Window w;
    w.control<QComboBox>("Combo1")->setEditText(QStringLiteral("fast"));
    const QString path = dir.filePath(QStringLiteral("word.kansu"));
    QString error;
    QVERIFY(!toolOf<LessonFileTool>(*w.form).save(path, &error));
    QVERIFY2(error.contains(QLatin1String("fast")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));
}

void tst_LessonFile::droppedFileOpens()
{
    Window w, byHand;
    QVERIFY(dropFile(*w.form, w.control<PicturePanel>("kokuban"),
                     write(dir, QStringLiteral("drop.kansu"), workedExampleFile)));
    byHand.build(QStringLiteral("triangle@0 bar4@3"), false, true, true, true, QStringLiteral("10"),
                 0);
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(*w.form, *byHand.form, shownLesson);
}

void tst_LessonFile::commandLineFileOpens()
{
    StartOptions options;
    const QString path = write(dir, QStringLiteral("argv.kansu"), workedExampleFile);
    QCOMPARE(parseCommandLine({ QStringLiteral("kansu"), path }, options), -1);
    Form1 form;
    QCOMPARE(applyStartOptions(form, options), -1); // the window goes on
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Window byHand;
    byHand.build(QStringLiteral("triangle@0 bar4@3"), false, true, true, true, QStringLiteral("10"),
                 0);
    QCoreApplication::processEvents();
    KANSU_COMPARE_LESSONS(form, *byHand.form, shownLesson);
}

void tst_LessonFile::droppedBadFileShowsMessage()
{
    Window w, same;
    const QString path = write(dir, QStringLiteral("newer.kansu"),
                               "{\"format\": \"kansu-lesson\", \"version\": 7, \"pieces\": []}");
    QVERIFY(dropFile(*w.form, w.control<PicturePanel>("kokuban"), path));
    auto *message = w.form->findChild<QMessageBox *>(QStringLiteral("fileMessage"));
    QVERIFY(message);
    QVERIFY(message->isVisible());
    QVERIFY2(message->text().contains(path), qPrintable(message->text()));
    QVERIFY2(message->text().contains(QLatin1String("7")), qPrintable(message->text()));
    // Said to assistive technology as well.
    QCOMPARE(w.form->accessibleDescription(), message->text());
    message->close();
    KANSU_COMPARE_LESSONS(*w.form, *same.form, shownLesson);
}

void tst_LessonFile::pictureHoldsThePanelsShown_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<bool>("table");
    QTest::newRow("blackboard only") << false << false;
    QTest::newRow("with the graph") << true << false;
    QTest::newRow("with the table") << false << true;
    QTest::newRow("all three") << true << true;
}

void tst_LessonFile::pictureHoldsThePanelsShown()
{
    QFETCH(bool, graph);
    QFETCH(bool, table);
    Window w;
    w.build(QStringLiteral("triangle@0 bar4@3"), false, graph, table, true, QStringLiteral("50"),
            4);
    const QImage picture = toolOf<PictureTool>(*w.form).panelsPicture();
    QRect area = w.control<PicturePanel>("kokuban")->geometry();
    if (graph)
        area |= w.control<PicturePanel>("gamen")->geometry();
    if (table)
        area |= w.control<PicturePanel>("hyo")->geometry();
    // As many pixels as the screen shows for the panels.
    const qreal ratio = w.form->devicePixelRatioF();
    QCOMPARE(picture.size(), area.size() * ratio);
    QCOMPARE(picture.devicePixelRatio(), ratio);
    // Each panel shown stands in it pixel for pixel, as its own grab shows it.
    for (PicturePanel *p : { w.control<PicturePanel>("kokuban"), w.control<PicturePanel>("gamen"),
                             w.control<PicturePanel>("hyo") }) {
        const bool shown = p == w.control<PicturePanel>("kokuban")
            || (p == w.control<PicturePanel>("gamen") ? graph : table);
        if (!shown)
            continue;
        const QImage grabbed = p->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint offset = (p->geometry().topLeft() - area.topLeft()) * ratio;
        KANSU_COMPARE_PICTURE(picture.copy(QRect(offset, grabbed.size())), grabbed);
    }
    // The crossed part of the figure is in it, white: the triangle's tip has crossed AB at x 4.
    const QPoint crossed
        = (w.control<PicturePanel>("kokuban")->geometry().topLeft() - area.topLeft()
           + w.control<PicturePanel>("kokuban")->pictureOffset() + QPoint(285, 296))
        * ratio;
    KANSU_COMPARE_RGB(picture.pixelColor(crossed), white);
}

void tst_LessonFile::copyPutsPictureOnClipboard()
{
    Window w;
    w.build(QStringLiteral("bar6@0"), false, true, false, true, QStringLiteral("50"), 1);
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(w.form.get(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied
        = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied, toolOf<PictureTool>(*w.form).panelsPicture());
}

KANSU_TEST_MAIN(tst_LessonFile)
#include "tst_lessonfile.moc"
