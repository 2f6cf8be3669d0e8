#include "core/lessonformat.h"
#include "core/safefile.h"
#include "lesson.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lessonformat;

Q_DECLARE_METATYPE(lessonformat::Problem)

namespace {

// The file from the lesson's own description: the worked example at x = 0.
const char workedExample[] = R"({"format": "kansu-lesson", "version": 1,
 "pieces": [{"piece": "triangle", "column": 0}, {"piece": "bar4", "column": 3}],
 "grid": false, "table": true, "graph": true, "dimension_line": true,
 "speed": "10", "x": 0}
)";

// A file with only the keys that must be there, then `rest` (each on its own line) and the
// given pieces on line 3 onwards, one a line.
QByteArray lessonFile(const QByteArray &pieces, const QByteArray &rest = {})
{
    return "{\"format\": \"kansu-lesson\", \"version\": 1,\n \"pieces\": [\n" + pieces + "]"
        + (rest.isEmpty() ? QByteArray() : ",\n" + rest) + "\n}\n";
}

} // namespace

class tst_LessonFormat : public QObject
{
    Q_OBJECT

private slots:
    void readsWorkedExample();
    void absentKeysTakeTheStartingScreensValues();
    void unknownKeysAreIgnored();
    void refused_data();
    void refused();
    void refusalLeavesLessonAsItWas();
    void messageNamesFileAndLine();
    void writtenLessonReadsBackTheSame_data();
    void writtenLessonReadsBackTheSame();
    void speedTaken_data();
    void speedTaken();
    void columnTableAndPieces_data();
    void columnTableAndPieces();
    void writeFileReplacesWholeOrNotAtAll();
    void readFileStopsPastTheLimit();
    void readFileRefusesWhatIsNotAFile_data();
    void readFileRefusesWhatIsNotAFile();
    void messageQuotesFileShortAndWhole_data();
    void messageQuotesFileShortAndWhole();
    void fileNameKeepsItsBytes();
};

void tst_LessonFormat::readsWorkedExample()
{
    Lesson lesson;
    Error error;
    QVERIFY2(read(workedExample, lesson, error), qPrintable(error.text));
    const std::vector<Piece> pieces { { PieceKind::Triangle, 0, 0 }, { PieceKind::Bar4, 3, 0 } };
    QVERIFY(lesson.pieces == pieces);
    QCOMPARE(lesson.pieces[0].line, 2); // the example lists its pieces on its second line
    QCOMPARE(lesson.grid, false);
    QCOMPARE(lesson.table, true);
    QCOMPARE(lesson.graph, true);
    QCOMPARE(lesson.dimensionLine, true);
    QCOMPARE(lesson.speed, QStringLiteral("10"));
    QCOMPARE(lesson.x, 0.0);
    QVERIFY(lesson.tools.isEmpty());
    QVERIFY(!lesson.rateFrom);
}

void tst_LessonFormat::absentKeysTakeTheStartingScreensValues()
{
    Lesson lesson;
    Error error;
    QVERIFY(read(lessonFile(""), lesson, error));
    // The window starts with every view box unticked but the dimension line's, at speed "50".
    QCOMPARE(lesson, Lesson {});
    QCOMPARE(lesson.dimensionLine, true);
    QCOMPARE(lesson.speed, QStringLiteral("50"));
}

void tst_LessonFormat::unknownKeysAreIgnored()
{
    Lesson lesson;
    Error error;
    const QByteArray file = lessonFile(R"(  {"piece": "square", "column": 1, "colour": "red"})",
                                       R"( "teacher": {"name": "x"}, "x": 2.5)");
    QVERIFY2(read(file, lesson, error), qPrintable(error.text));
    QCOMPARE(lesson.pieces.size(), size_t(1));
    QCOMPARE(lesson.x, 2.5);
}

void tst_LessonFormat::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("line");

    const QByteArray square = R"(  {"piece": "square", "column": 1})";
    QTest::newRow("over 1 MiB") << lessonFile("",
                                              " \"pad\": \"" + QByteArray(maxFileBytes, 'a') + "\"")
                                << Problem::TooLarge << 0;
    QTest::newRow("latin-1 byte on line 5")
        << lessonFile(square, " \"speed\": \"50\",\n \"note\": \"caf\xe9\"") << Problem::NotUtf8
        << 5;
    QTest::newRow("overlong encoding of a slash")
        << QByteArray("{\"format\": \"kansu-lesson\xc0\xaf\"}") << Problem::NotUtf8 << 1;
    QTest::newRow("encoded surrogate")
        << QByteArray("{\"a\": \"\xed\xa0\x80\"}") << Problem::NotUtf8 << 1;
    QTest::newRow("broken JSON on line 3") << QByteArray("{\"format\": \"kansu-lesson\",\n"
                                                         "\"version\": 1,\n\"pieces\": [,]}")
                                           << Problem::NotJson << 3;
    QTest::newRow("empty file") << QByteArray() << Problem::NotJson << 1;
    QTest::newRow("grid written twice, the second on line 5")
        << lessonFile(square, " \"grid\": true,\n \"grid\": false") << Problem::RepeatedKey << 5;
    QTest::newRow("column written twice in a piece")
        << lessonFile(R"(  {"piece": "square", "column": 1, "column": 4})") << Problem::RepeatedKey
        << 3;
    QTest::newRow("a list, not an object") << QByteArray("[1, 2]") << Problem::NotLesson << 1;
    QTest::newRow("another format")
        << QByteArray("{\"format\": \"drawing\", \"version\": 1, \"pieces\": []}")
        << Problem::NotLesson << 1;
    QTest::newRow("no format") << QByteArray("{\"version\": 1, \"pieces\": []}")
                               << Problem::NotLesson << 0;
    QTest::newRow("version 7") << QByteArray(
        "{\"format\": \"kansu-lesson\",\n \"version\": 7, \"pieces\": []}")
                               << Problem::NewerVersion << 2;
    QTest::newRow("version as text")
        << QByteArray("{\"format\": \"kansu-lesson\", \"version\": \"1\", \"pieces\": []}")
        << Problem::BadVersion << 1;
    QTest::newRow("version 0.5") << QByteArray(
        "{\"format\": \"kansu-lesson\", \"version\": 0.5, \"pieces\": []}")
                                 << Problem::BadVersion << 1;
    QTest::newRow("no pieces") << QByteArray("{\"format\": \"kansu-lesson\", \"version\": 1}")
                               << Problem::BadType << 0;
    QTest::newRow("piece as a number") << lessonFile("  3") << Problem::BadType << 3;
    QTest::newRow("unknown piece")
        << lessonFile(R"(  {"piece": "circle", "column": 1})") << Problem::UnknownPiece << 3;
    QTest::newRow("column as text")
        << lessonFile(R"(  {"piece": "square", "column": "1"})") << Problem::BadType << 3;
    QTest::newRow("column 1.5") << lessonFile(R"(  {"piece": "square", "column": 1.5})")
                                << Problem::BadType << 3;
    QTest::newRow("column 5 on line 4")
        << lessonFile(square + ",\n  {\"piece\": \"bar6\", \"column\": 5}")
        << Problem::ColumnOutside << 4;
    QTest::newRow("column -1") << lessonFile(R"(  {"piece": "bar4", "column": -1})")
                               << Problem::ColumnOutside << 3;
    QTest::newRow("triangle in column 3")
        << lessonFile(R"(  {"piece": "triangle", "column": 3})") << Problem::DoesNotFit << 3;
    QTest::newRow("two squares in column 1")
        << lessonFile(square + ",\n" + square) << Problem::Overlap << 4;
    QTest::newRow("bar inside the triangle")
        << lessonFile(R"(  {"piece": "triangle", "column": 1},)"
                      "\n"
                      R"(  {"piece": "bar4", "column": 3})")
        << Problem::Overlap << 4;
    QTest::newRow("two triangles") << lessonFile(R"(  {"piece": "triangle", "column": 0},)"
                                                 "\n"
                                                 R"(  {"piece": "triangle", "column": 2})")
                                   << Problem::Overlap << 4;
    QTest::newRow("grid as text") << lessonFile(square, " \"grid\": \"yes\"") << Problem::BadType
                                  << 4;
    QTest::newRow("table as 1") << lessonFile(square, " \"table\": 1") << Problem::BadType << 4;
    QTest::newRow("speed as a number")
        << lessonFile(square, " \"speed\": 50") << Problem::BadType << 4;
    QTest::newRow("speed a word") << lessonFile(square, " \"speed\": \"fast\"") << Problem::BadSpeed
                                  << 4;
    QTest::newRow("speed negative")
        << lessonFile(square, " \"speed\": \"-10\"") << Problem::BadSpeed << 4;
    QTest::newRow("speed whose pause overflows")
        << lessonFile(square, " \"speed\": \"1e9\"") << Problem::BadSpeed << 4;
    QTest::newRow("x 3.3") << lessonFile(square, " \"x\": 3.3") << Problem::BadX << 4;
    QTest::newRow("x 10.5") << lessonFile(square, " \"x\": 10.5") << Problem::BadX << 4;
    QTest::newRow("x -0.5") << lessonFile(square, " \"x\": -0.5") << Problem::BadX << 4;
    QTest::newRow("x as text") << lessonFile(square, " \"x\": \"2\"") << Problem::BadX << 4;
    QTest::newRow("rate_from 3.3")
        << lessonFile(square, " \"rate_from\": 3.3") << Problem::BadRateFrom << 4;
    QTest::newRow("rate_from 10.5")
        << lessonFile(square, " \"x\": 2,\n \"rate_from\": 10.5") << Problem::BadRateFrom << 5;
    QTest::newRow("rate_from -0.5")
        << lessonFile(square, " \"rate_from\": -0.5") << Problem::BadRateFrom << 4;
    QTest::newRow("rate_from as text")
        << lessonFile(square, " \"rate_from\": \"2\"") << Problem::BadRateFrom << 4;
    QTest::newRow("rate_from null")
        << lessonFile(square, " \"rate_from\": null") << Problem::BadRateFrom << 4;
    QTest::newRow("tools not a list")
        << lessonFile(square, " \"tools\": \"formulas\"") << Problem::BadType << 4;
    QTest::newRow("tool name a number")
        << lessonFile(square, " \"tools\": [1]") << Problem::BadType << 4;
    const QByteArray triangle = R"(  {"piece": "triangle", "column": 0})";
    QTest::newRow("target: bar inside the triangle on line 6") << lessonFile(
        square, " \"target\": [\n" + triangle + ",\n  {\"piece\": \"bar4\", \"column\": 2}]")
                                                               << Problem::Overlap << 6;
    QTest::newRow("target: triangle in column 3")
        << lessonFile(square, " \"target\": [\n  {\"piece\": \"triangle\", \"column\": 3}]")
        << Problem::DoesNotFit << 5;
    QTest::newRow("target: unknown piece")
        << lessonFile(square, " \"target\": [\n  {\"piece\": \"circle\", \"column\": 1}]")
        << Problem::UnknownPiece << 5;
    QTest::newRow("target: column written twice")
        << lessonFile(square,
                      " \"target\": [\n  {\"piece\": \"square\", \"column\": 1,\n"
                      "   \"column\": 2}]")
        << Problem::RepeatedKey << 6;
    QTest::newRow("target: empty")
        << lessonFile(square, " \"target\": []") << Problem::EmptyTarget << 4;
    QTest::newRow("target: a piece's name")
        << lessonFile(square, " \"target\": \"square\"") << Problem::BadType << 4;
    QTest::newRow("traces: four, the fourth on line 8")
        << lessonFile(square, " \"traces\": [\n  [],\n  [],\n  [],\n  []]")
        << Problem::TooManyTraces << 8;
    QTest::newRow("traces: two squares in column 1 of the second")
        << lessonFile(square, " \"traces\": [\n  [],\n  [" + square + ",\n" + square + "]]")
        << Problem::Overlap << 7;
    QTest::newRow("traces: a piece, not a figure")
        << lessonFile(square, " \"traces\": [\n" + square + "]") << Problem::BadType << 5;
    QTest::newRow("traces: a number")
        << lessonFile(square, " \"traces\": 3") << Problem::BadType << 4;
}

void tst_LessonFormat::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(Problem, problem);
    QFETCH(int, line);
    Lesson lesson;
    Error error;
    QVERIFY(!read(file, lesson, error));
    QCOMPARE(error.problem, problem);
    QCOMPARE(error.line, line);
    QVERIFY(!error.text.isEmpty());
}

void tst_LessonFormat::refusalLeavesLessonAsItWas()
{
    Lesson lesson;
    lesson.pieces = { { PieceKind::Bar6, 4, 0 } };
    lesson.x = 3;
    const Lesson before = lesson;
    Error error;
    // Everything before the fault is good: nothing of it may come through.
    const QByteArray file
        = lessonFile(R"(  {"piece": "square", "column": 0})", " \"grid\": true,\n \"x\": 11");
    QVERIFY(!read(file, lesson, error));
    QCOMPARE(lesson, before);
}

void tst_LessonFormat::messageNamesFileAndLine()
{
    Lesson lesson;
    Error error;
    QVERIFY(!read(lessonFile(R"(  {"piece": "triangle", "column": 3})"), lesson, error));
    const QString text = message(QStringLiteral("/home/t/figure.kansu"), error);
    QVERIFY2(text.startsWith(QStringLiteral("/home/t/figure.kansu: ")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("3")), qPrintable(text));
    QVERIFY2(text.endsWith(error.text), qPrintable(text));
}

void tst_LessonFormat::writtenLessonReadsBackTheSame_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QStringList>("tools");
    QTest::addColumn<double>("rateFrom"); // negative: not set
    QTest::addColumn<QString>("target"); // "": none
    QTest::addColumn<QStringList>("traces");
    const QStringList none;
    QTest::newRow("empty figure at the start")
        << "0 0 0 0 0" << 0.0 << "50" << QStringList() << -1.0 << "" << none;
    QTest::newRow("worked example at 7")
        << "4 5 6 2 0" << 7.0 << "10" << QStringList() << -1.0 << "" << none;
    QTest::newRow("five bars at the end, formulas on")
        << "1 2 3 2 1" << 10.0 << " 0" << QStringList { "formulas" } << -1.0 << "" << none;
    QTest::newRow("triangle on the right, half step")
        << "3 0 4 5 6" << 4.5 << "200" << QStringList { "formulas", "predict" } << -1.0 << ""
        << none;
    QTest::newRow("rate from 2.5, P at 6")
        << "4 5 6 2 0" << 6.0 << "10" << QStringList { "rate" } << 2.5 << "" << none;
    QTest::newRow("rate from 0")
        << "4 5 6 2 0" << 0.0 << "10" << QStringList { "rate" } << 0.0 << "" << none;
    QTest::newRow("rate from 10, after P")
        << "1 2 3 2 1" << 3.0 << "10" << QStringList() << 10.0 << "" << none;
    QTest::newRow("a target and three traces, one of them empty")
        << "2 0 0 0 0" << 0.0 << "50" << QStringList() << -1.0 << "0 4 5 6 3"
        << QStringList { "1 0 0 0 0", "0 0 0 0 0", "4 5 6 3 3" };
    QTest::newRow("a target, no traces")
        << "0 0 0 0 0" << 0.0 << "50" << QStringList() << -1.0 << "3 0 0 0 0" << none;
}

void tst_LessonFormat::writtenLessonReadsBackTheSame()
{
    QFETCH(QString, columns);
    QFETCH(double, x);
    QFETCH(QString, speed);
    QFETCH(QStringList, tools);
    QFETCH(double, rateFrom);
    QFETCH(QString, target);
    QFETCH(QStringList, traces);
    std::array<double, 5> codes {};
    const QStringList parts = columns.split(QLatin1Char(' '));
    for (int k = 0; k < 5; ++k)
        codes[k] = parts[k].toDouble();
    Lesson lesson;
    lesson.pieces = piecesOf(codes);
    lesson.grid = true;
    lesson.graph = true;
    lesson.dimensionLine = false;
    lesson.speed = speed;
    lesson.x = x;
    lesson.tools = tools;
    if (rateFrom >= 0)
        lesson.rateFrom = rateFrom;
    if (!target.isEmpty())
        lesson.target = piecesOf(lesson::codesFrom(target));
    for (const QString &trace : traces)
        lesson.traces.push_back(piecesOf(lesson::codesFrom(trace)));

    // A lesson without the interval writes no key for it, as files did before there was one.
    QCOMPARE(write(lesson).contains("\"rate_from\""), rateFrom >= 0);
    Lesson back;
    Error error;
    const QByteArray bytes = write(lesson);
    QVERIFY2(read(bytes, back, error), qPrintable(error.text));
    QCOMPARE(back, lesson);
    // Written only when there is one: a lesson without the challenges reads as it always did.
    QCOMPARE(bytes.contains("\"target\""), !target.isEmpty());
    QCOMPARE(bytes.contains("\"traces\""), !traces.isEmpty());
    QVERIFY(columnsOf(back.pieces) == codes);
}

void tst_LessonFormat::speedTaken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    // Every text of the speed list.
    for (const char *listed : { " 0", "10", "20", "50", "100", "200" })
        QTest::newRow(qPrintable(QStringLiteral("listed \"%1\"").arg(QLatin1String(listed))))
            << QString::fromLatin1(listed) << true;
    QTest::newRow("typed decimal") << "12.5" << true;
    QTest::newRow("typed with exponent") << "1e2" << true;
    QTest::newRow("largest pause that fits") << "429496729.4" << true;
    QTest::newRow("pause one past the 32-bit count") << "429496729.8" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("word") << "fast" << false;
    QTest::newRow("number then word") << "50 fast" << false;
    QTest::newRow("minus") << "-5" << false;
    QTest::newRow("plus") << "+5" << false;
    QTest::newRow("exponent without digits") << "5e" << false;
    QTest::newRow("newline") << "5\n" << false;
    QTest::newRow("longer than the box") << "00000000000000050" << false;
}

void tst_LessonFormat::speedTaken()
{
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QCOMPARE(lessonformat::speedTaken(text), taken);
}

void tst_LessonFormat::columnTableAndPieces_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("pieces");
    QTest::newRow("worked example") << "4 5 6 2 0"
                                    << "triangle@0 bar4@3";
    QTest::newRow("all bars") << "1 2 3 1 2"
                              << "square@0 bar4@1 bar6@2 square@3 bar4@4";
    QTest::newRow("triangle at the end") << "0 0 4 5 6"
                                         << "triangle@2";
    QTest::newRow("empty") << "0 0 0 0 0"
                           << "";
}

void tst_LessonFormat::columnTableAndPieces()
{
    QFETCH(QString, columns);
    QFETCH(QString, pieces);
    std::array<double, 5> codes {};
    const QStringList parts = columns.split(QLatin1Char(' '));
    for (int k = 0; k < 5; ++k)
        codes[k] = parts[k].toDouble();
    QStringList named;
    for (const Piece &p : piecesOf(codes))
        named << QStringLiteral("%1@%2").arg(pieceName(p.kind)).arg(p.column);
    QCOMPARE(named.join(QLatin1Char(' ')), pieces);
    QVERIFY(columnsOf(piecesOf(codes)) == codes);
}

void tst_LessonFormat::writeFileReplacesWholeOrNotAtAll()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lesson.kansu"));
    Lesson lesson;
    lesson.pieces = { { PieceKind::Triangle, 1, 0 } };
    QString reason;
    QVERIFY2(writeFile(path, lesson, reason), qPrintable(reason));
    Lesson back;
    Error error;
    QVERIFY(readFile(path, back, error));
    QCOMPARE(back, lesson);
    // A folder that does not exist: nothing written, a reason given.
    QVERIFY(!writeFile(dir.filePath(QStringLiteral("none/lesson.kansu")), lesson, reason));
    QVERIFY(!reason.isEmpty());
    // No temporary file is left beside the lesson.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "lesson.kansu" });
}

void tst_LessonFormat::readFileStopsPastTheLimit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.kansu"));
    QFile big(path);
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(lessonFile("", " \"pad\": \"" + QByteArray(2 * maxFileBytes, 'a') + "\""));
    big.close();
    Lesson lesson;
    Error error;
    QVERIFY(!readFile(path, lesson, error));
    QCOMPARE(error.problem, Problem::TooLarge);
    QVERIFY(!readFile(dir.filePath(QStringLiteral("missing.kansu")), lesson, error));
    QCOMPARE(error.problem, Problem::Unreadable);
}

void tst_LessonFormat::readFileRefusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO with no writer") << "fifo";
    QTest::newRow("folder") << "folder";
    QTest::newRow("link to a device") << "device";
}

void tst_LessonFormat::readFileRefusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.kansu"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("odd.kansu")));
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    // On a thread, so that a read that blocks fails the test instead of hanging it.
    std::atomic<bool> done = false;
    bool read = true;
    Lesson lesson;
    Error error;
    std::thread reader([&] {
        read = readFile(path, lesson, error);
        done = true;
    });
    const auto release = qScopeGuard([&] {
        if (!done) // a writer that comes and goes ends the reader's wait
            ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        reader.join();
    });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QVERIFY(!read);
    QCOMPARE(error.problem, Problem::Unreadable);
    QVERIFY2(error.text.contains(QStringLiteral("ふつうのファイルではありません")),
             qPrintable(error.text));
}

void tst_LessonFormat::messageQuotesFileShortAndWhole_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("says");
    QTest::newRow("file name with %2 and %3")
        << "bad%2%3.kansu" << QByteArray("[]") << "bad%2%3.kansu: 1行目: ";
    QTest::newRow("100,000-letter piece name, cut and marked")
        << "long.kansu"
        << lessonFile("{\"piece\": \"" + QByteArray(100000, 'a') + "\", \"column\": 0}")
        << QString(QString(40, QLatin1Char('a')) + QChar(0x2026) + QLatin1Char('"'));
    QTest::newRow("NUL in the speed, the text after it kept")
        << "nul.kansu" << lessonFile("", " \"speed\": \"5\\u0000fast\"")
        << QString(QStringLiteral("\"5") + QChar(QChar::ReplacementCharacter)
                   + QStringLiteral("fast\""));
    QTest::newRow("no system English for a missing file")
        << "missing.kansu" << QByteArray() << "missing.kansu: 開けません（見つかりません）";
}

void tst_LessonFormat::messageQuotesFileShortAndWhole()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (!file.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    Lesson lesson;
    Error error;
    QVERIFY(!readFile(path, lesson, error));
    const QString text = message(path, error);
    QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY2(text.size() < path.size() + 200, qPrintable(text.left(300)));
}

void tst_LessonFormat::fileNameKeepsItsBytes()
{
    QTemporaryDir dir;
    // "café" in Latin-1, as an old USB stick names it.
    const QByteArray name = "caf\xe9.kansu";
    const QString path = safefile::fromNative(QFile::encodeName(dir.path()) + '/' + name);
    Lesson lesson;
    lesson.pieces = { { PieceKind::Bar6, 2, 0 } };
    QString reason;
    QVERIFY2(writeFile(path, lesson, reason), qPrintable(reason));
    const QByteArray raw = QFile::encodeName(dir.path()) + '/' + name;
    // Qt's own file functions cannot name it: this removes it.
    const auto remove = qScopeGuard([&] { ::unlink(raw.constData()); });
    QVERIFY(::access(raw.constData(), F_OK) == 0);
    Lesson back;
    Error error;
    QVERIFY2(readFile(path, back, error), qPrintable(error.text));
    QCOMPARE(back, lesson);
    // Shown with a replacement mark where the byte is, never as a lone surrogate.
    QVERIFY(message(path, error).contains(QStringLiteral("caf\uFFFD.kansu")));
}

QTEST_GUILESS_MAIN(tst_LessonFormat)
#include "tst_lessonformat.moc"
