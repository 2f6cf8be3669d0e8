// The program run as a teacher runs it from a terminal: worksheets and pictures written without
// a window, read back with poppler-utils.
#include "formprobe.h"
#include "lesson.h"
#include "testsupport.h"
#include "toolkit/numtext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <queue>
#include <sys/stat.h>
#include <unistd.h>

using namespace lesson;

namespace {

struct Run
{
    int status = -1;
    QString err;
};

// The program with no display at all (no DISPLAY, no Wayland, no platform named), or with a
// screen, which the offscreen platform stands for.
Run kansu(const QStringList &arguments, bool screen = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Nor a runtime folder, as in a terminal reached over the network.
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR" })
        env.remove(QLatin1String(name));
    if (screen)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KANSU_PROGRAM), arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return { p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()) };
}

QByteArray tool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

// The y column of the worksheet's table as the text of a page reads: rows "x y" for x = 0…10.
QStringList tableColumn(const QString &pdf, int page)
{
    const QString text = QString::fromUtf8(
        tool(QStringLiteral("pdftotext"),
             { QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page),
               QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-") }));
    QStringList ys;
    const QRegularExpression row(QStringLiteral("^(\\d+) (\\S+)$"));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const auto m = row.match(line.trimmed());
        if (m.hasMatch() && m.captured(1).toInt() == ys.size())
            ys << m.captured(2);
    }
    return ys;
}

// Centre-to-centre width and height of the largest connected shape of black pixels: on the
// task page only the rectangle ABCD is drawn in black lines.
QSizeF largestBlackShape(const QImage &page)
{
    const int w = page.width(), h = page.height();
    std::vector<char> seen(size_t(w) * h, 0);
    auto black = [&](int x, int y) { return qGray(page.pixel(x, y)) < 64; };
    QRect best;
    qint64 bestCount = 0;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[size_t(y0) * w + x0] || !black(x0, y0))
                continue;
            QRect box(x0, y0, 1, 1);
            qint64 count = 0;
            std::queue<QPoint> todo;
            todo.push({ x0, y0 });
            seen[size_t(y0) * w + x0] = 1;
            while (!todo.empty()) {
                const QPoint p = todo.front();
                todo.pop();
                ++count;
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d :
                     { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) }) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h)
                        continue;
                    char &s = seen[size_t(q.y()) * w + q.x()];
                    if (!s && black(q.x(), q.y())) {
                        s = 1;
                        todo.push(q);
                    }
                }
            }
            if (count > bestCount) {
                bestCount = count;
                best = box;
            }
        }
    }
    // The stroke's thickness, from the run of black down the middle of the top side.
    int stroke = 0;
    while (stroke < best.height() && black(best.center().x(), best.top() + stroke))
        ++stroke;
    return QSizeF(best.width() - stroke, best.height() - stroke);
}

} // namespace

class tst_Worksheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void worksheetWrittenWithoutDisplay();
    void answerKeyHoldsTheYValues();
    void answerKeyStatesTheFormulasWhenTheToolIsOn();
    void taskPageShowsRectangleAtTrueScale_data();
    void taskPageShowsRectangleAtTrueScale();
    void refusedLessonEndsWithStatus2_data();
    void refusedLessonEndsWithStatus2();
    void pictureWrittenWithoutDisplayIsThePanelsShown();
    void fileNameKeepsItsBytes();

private:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    QString examplePdf;
};

void tst_Worksheet::initTestCase()
{
    for (const char *program : { "pdftotext", "pdftoppm", "pdfinfo" })
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(program)).isEmpty(),
                 "poppler-utils are needed");
    examplePdf = dir.filePath(QStringLiteral("example.pdf"));
    const Run run = kansu({ QStringLiteral("--worksheet"), examplePdf,
                            file(QStringLiteral("example.kansu"), workedExampleFile) });
    QVERIFY2(run.status == 0, qPrintable(run.err));
}

void tst_Worksheet::worksheetWrittenWithoutDisplay()
{
    const QString info = QString::fromUtf8(tool(QStringLiteral("pdfinfo"), { examplePdf }));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QLatin1String("(A4)")), qPrintable(info));
}

void tst_Worksheet::answerKeyHoldsTheYValues()
{
    // y of the worked example at whole x: x²/2 over the triangle, 4 cm² per cm over the bar,
    // then nothing more, printed as the lesson prints numbers.
    QStringList expected;
    for (int x = 0; x <= 10; ++x) {
        const double y = x <= 6 ? x * x / 2.0 : x <= 8 ? 18 + 4 * (x - 6) : 26;
        expected << numtext::printed(y).trimmed();
    }
    QCOMPARE(expected.join(QLatin1Char(' ')), QStringLiteral("0 .5 2 4.5 8 12.5 18 22 26 26 26"));
    QCOMPARE(tableColumn(examplePdf, 2), expected);
    // The task leaves the column empty.
    QCOMPARE(tableColumn(examplePdf, 1), QStringList());
}

void tst_Worksheet::answerKeyStatesTheFormulasWhenTheToolIsOn()
{
    const QString pdf = dir.filePath(QStringLiteral("formulas.pdf"));
    const Run run = kansu({ QStringLiteral("--formulas"), QStringLiteral("--worksheet"), pdf,
                            file(QStringLiteral("formulas.kansu"), workedExampleFile) });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const auto page = [](const QString &path, int n) {
        return QString::fromUtf8(
                   tool(QStringLiteral("pdftotext"),
                        { QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                          QString::number(n), path, QStringLiteral("-") }))
            .simplified();
    };
    const QString key = page(pdf, 2);
    for (const char *line :
         { "0 ≦ χ ≦ 6 のとき y = ½χ²", "6 ≦ χ ≦ 8 のとき y = 4χ − 6", "8 ≦ χ ≦ 10 のとき y = 26" })
        QVERIFY2(key.contains(QString::fromUtf8(line)), qPrintable(key));
    // Neither the task nor a key written with the tool off gives the answer away.
    QVERIFY(!page(pdf, 1).contains(QStringLiteral("のとき")));
    QVERIFY(!page(examplePdf, 2).contains(QStringLiteral("のとき")));
}

void tst_Worksheet::taskPageShowsRectangleAtTrueScale_data()
{
    QTest::addColumn<QByteArray>("lesson");
    QTest::newRow("worked example at 0") << QByteArray(workedExampleFile);
    QTest::newRow("five tall bars out at 10")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1, \"pieces\": ["
                      "{\"piece\": \"bar6\", \"column\": 0}, {\"piece\": \"bar6\", \"column\": 1},"
                      "{\"piece\": \"bar6\", \"column\": 2}, {\"piece\": \"bar6\", \"column\": 3},"
                      "{\"piece\": \"bar6\", \"column\": 4}], \"x\": 10}");
    QTest::newRow("triangle half out at 3.5")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1, \"pieces\": ["
                      "{\"piece\": \"triangle\", \"column\": 2}], \"x\": 3.5}");
}

void tst_Worksheet::taskPageShowsRectangleAtTrueScale()
{
    QFETCH(QByteArray, lesson);
    const QString pdf = dir.filePath(QStringLiteral("scale.pdf"));
    const Run run = kansu(
        { QStringLiteral("--worksheet"), pdf, file(QStringLiteral("scale.kansu"), lesson) });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QString prefix = dir.filePath(QStringLiteral("page"));
    tool(QStringLiteral("pdftoppm"),
         { QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
           QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
           QStringLiteral("-singlefile"), pdf, prefix });
    const QImage page(prefix + QStringLiteral(".pgm"));
    QVERIFY(!page.isNull());
    // 10 cm and 6 cm at 300 dots per inch.
    const QSizeF rectangle = largestBlackShape(page);
    const double wide = 10 / 2.54 * 300, high = 6 / 2.54 * 300;
    qInfo("rectangle %.0f x %.0f px at 300 dpi", rectangle.width(), rectangle.height());
    QVERIFY2(qAbs(rectangle.width() - wide) <= wide / 100,
             qPrintable(QStringLiteral("width %1 px").arg(rectangle.width())));
    QVERIFY2(qAbs(rectangle.height() - high) <= high / 100,
             qPrintable(QStringLiteral("height %1 px").arg(rectangle.height())));
}

void tst_Worksheet::refusedLessonEndsWithStatus2_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("screen");
    const QString bad = file(QStringLiteral("bad.kansu"),
                             "{\"format\": \"kansu-lesson\", \"version\": 1,\n\"pieces\": [\n"
                             "{\"piece\": \"triangle\", \"column\": 3}]}");
    const QString out = dir.filePath(QStringLiteral("never.pdf"));
    QTest::newRow("worksheet of a refused lesson")
        << QStringList { QStringLiteral("--worksheet"), out, bad } << bad << false;
    QTest::newRow("picture of a refused lesson")
        << QStringList { QStringLiteral("--picture"), dir.filePath(QStringLiteral("never.png")),
                         bad }
        << bad << false;
    const QString lang = QStringLiteral("--lang"), ja = QStringLiteral("ja");
    const QString worksheet = QStringLiteral("--worksheet");
    // Bad options with no display are said as with one, before Qt looks for a screen.
    QTest::newRow("unknown option")
        << QStringList { lang, ja, QStringLiteral("--bogus") } << "bogus" << false;
    QTest::newRow("unknown language")
        << QStringList { lang, QStringLiteral("xx") } << "--lang" << false;
    QTest::newRow("two lesson files") << QStringList { lang, ja, bad, bad } << "一つ" << false;
    // Nothing is written when any file of the run cannot be.
    QTest::newRow("worksheet named twice")
        << QStringList { lang, ja,        worksheet,
                         out,  worksheet, dir.filePath(QStringLiteral("two.pdf")) }
        << "--worksheet" << false;
    const QString noFolderPng = dir.filePath(QStringLiteral("no-folder/out.png"));
    QTest::newRow("worksheet with a picture into a missing folder")
        << QStringList { lang, ja, worksheet, out, QStringLiteral("--picture"), noFolderPng }
        << noFolderPng << false;
    QTest::newRow("empty worksheet name")
        << QStringList { lang, ja, worksheet, QString() } << "空です" << false;
    QTest::newRow("empty picture name, joined by =")
        << QStringList { lang, ja, QStringLiteral("--picture=") } << "空です" << false;
    const QString fifo = dir.filePath(QStringLiteral("fifo.kansu"));
    QFile::remove(fifo);
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    QTest::newRow("lesson is a FIFO") << QStringList { lang, ja, worksheet, out, fifo }
                                      << "ふつうのファイルではありません" << false;
    QTest::newRow("missing lesson")
        << QStringList { QStringLiteral("--worksheet"), out, dir.filePath(QStringLiteral("no")) }
        << dir.filePath(QStringLiteral("no")) << false;
    const QString noFolder = dir.filePath(QStringLiteral("no-folder/out.pdf"));
    QTest::newRow("worksheet into a missing folder")
        << QStringList { QStringLiteral("--worksheet"), noFolder } << noFolder << false;
}

void tst_Worksheet::refusedLessonEndsWithStatus2()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    QFETCH(bool, screen);
    for (const char *name : { "never.pdf", "never.png" })
        QFile::remove(dir.filePath(QLatin1String(name)));
    const Run run = kansu(arguments, screen);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("never.pdf"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("never.png"))));
}

void tst_Worksheet::pictureWrittenWithoutDisplayIsThePanelsShown()
{
    const QString lessonPath = file(QStringLiteral("picture.kansu"), workedExampleFile);
    const QString png = dir.filePath(QStringLiteral("panels.png"));
    const Run run = kansu({ QStringLiteral("--picture"), png, lessonPath });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(run.err, QString()); // a script reads no warnings
    // The same lesson opened here, offscreen as the program ran, gives the same picture.
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.openLesson(lessonPath));
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
             form.panelsPicture().convertToFormat(QImage::Format_RGB32));
}

void tst_Worksheet::fileNameKeepsItsBytes()
{
    // "café.png" in Latin-1 from the shell, as an old USB stick names it.
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"),
              QStringLiteral("exec \"$0\" --picture \"$1$(printf '\\351').png\""),
              QStringLiteral(KANSU_PROGRAM), dir.filePath(QStringLiteral("caf")) });
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    QCOMPARE(::access((QFile::encodeName(dir.path()) + "/caf\xe9.png").constData(), F_OK), 0);
}

KANSU_TEST_MAIN(tst_Worksheet)
#include "tst_worksheet.moc"
