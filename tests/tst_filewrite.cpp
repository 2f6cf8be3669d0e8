// Every file the program writes (lesson, PDF, PNG) on a disk that fills up, refuses or dies in
// the middle of the save: the old file survives whole, and the failure is said. The faults are
// played in one folder by a preloaded shim (writeshim.cpp), so no root is needed.
#include "app/application.h"
#include "core/lessonformat.h"
#include "core/safefile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

enum class Kind { Lesson, Pdf, Png };

struct Run
{
    bool killed = false;
    int status = -1;
    QString err;
};

// A fault for the shim, as NAME=VALUE.
using Faults = QStringList;

// Saves one file of `kind` at `path` in a child process: a lesson through the routine Ctrl+S
// uses (this program run again), a PDF or a PNG through the program's command line, with no
// display.
Run save(Kind kind, const QString &path, const Faults &faults, const QString &folder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        env.remove(QLatin1String(name));
    if (!faults.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KANSU_SHIM));
        env.insert(QStringLiteral("KANSU_SHIM_DIR"), folder);
        for (const QString &f : faults)
            env.insert(f.section(QLatin1Char('='), 0, 0), f.section(QLatin1Char('='), 1));
    }
    p.setProcessEnvironment(env);
    if (kind == Kind::Lesson)
        p.start(QCoreApplication::applicationFilePath(),
                { QStringLiteral("--write-lesson"), path });
    else
        p.start(QStringLiteral(KANSU_PROGRAM),
                { QStringLiteral("--lang"), QStringLiteral("ja"),
                  kind == Kind::Pdf ? QStringLiteral("--worksheet") : QStringLiteral("--picture"),
                  path });
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return { p.exitStatus() == QProcess::CrashExit, p.exitCode(),
             QString::fromLocal8Bit(p.readAllStandardError()) };
}

QString suffix(Kind kind)
{
    return kind == Kind::Lesson ? QStringLiteral("kansu")
        : kind == Kind::Pdf     ? QStringLiteral("pdf")
                                : QStringLiteral("png");
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// What stands in the folder besides `keep`: temporaries a save left behind.
QStringList strays(const QString &folder, const QStringList &keep)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    for (const QString &k : keep)
        names.removeAll(k);
    return names;
}

// A device to point a link at. Root can replace /dev/null itself (a faulty save as root did
// turn a device into a regular file), so root gets a null device of its own in `dir`.
QString device(const QTemporaryDir &dir)
{
    if (::geteuid() != 0)
        return QStringLiteral("/dev/null");
    const QString own = dir.filePath(QStringLiteral("null"));
    if (!QFileInfo::exists(own))
        ::mknod(QFile::encodeName(own).constData(), S_IFCHR | 0666, makedev(1, 3));
    return own;
}

const QByteArray oldFile = "the file as the teacher saved it last week\n";

} // namespace

class tst_FileWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void refusedTargetStaysAsItWas_data();
    void refusedTargetStaysAsItWas();
    void killAtEveryStepLeavesOldOrNew_data();
    void killAtEveryStepLeavesOldOrNew();

private:
    // What each kind writes when nothing goes wrong.
    QByteArray reference[3];
};

void tst_FileWrite::initTestCase()
{
    QTemporaryDir dir;
    for (Kind kind : { Kind::Lesson, Kind::Pdf, Kind::Png }) {
        const QString path = dir.filePath(QStringLiteral("new.") + suffix(kind));
        const Run run = save(kind, path, {}, dir.path());
        QVERIFY2(!run.killed && run.status == 0, qPrintable(run.err));
        reference[int(kind)] = contents(path);
        QVERIFY(!reference[int(kind)].isEmpty());
    }
}

void tst_FileWrite::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<bool>("permissions"); // the folder made read-only for real
    QTest::addColumn<QString>("says"); // "%1" the folder
    const std::tuple<const char *, Faults, bool, QString> cases[] = {
        { "full disk",
          { QStringLiteral("KANSU_SHIM_ROOM=0") },
          false,
          QStringLiteral("ディスクに空きがありません") },
        { "disk full part-way",
          { QStringLiteral("KANSU_SHIM_ROOM=100") },
          false,
          QStringLiteral("ディスクに空きがありません") },
        { "folder refuses new files",
          { QStringLiteral("KANSU_SHIM_DENY=1") },
          false,
          QStringLiteral("フォルダ %1 に書きこめません") },
        { "read-only folder", {}, true, QStringLiteral("フォルダ %1 に書きこめません") },
    };
    for (Kind kind : { Kind::Lesson, Kind::Pdf, Kind::Png }) {
        for (const auto &[name, faults, permissions, says] : cases)
            QTest::addRow("%s, %s", qPrintable(suffix(kind)), name)
                << kind << faults << permissions << says;
    }
}

void tst_FileWrite::failedSaveKeepsOldFile()
{
    QFETCH(Kind, kind);
    QFETCH(Faults, faults);
    QFETCH(bool, permissions);
    QFETCH(QString, says);
    if (permissions && ::geteuid() == 0)
        QSKIP("root writes into a read-only folder anyway; the folder-refuses row plays it");
    QTemporaryDir dir;
    const QString name = QStringLiteral("old.") + suffix(kind);
    const QString path = dir.filePath(name);
    put(path, oldFile);
    if (permissions)
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const Run run = save(kind, path, faults, dir.path());
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!run.killed);
    QCOMPARE(run.status, 2);
    if (says.contains(QLatin1String("%1")))
        says = says.arg(dir.path());
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    QCOMPARE(contents(path), oldFile);
    QCOMPARE(strays(dir.path(), { name }), QStringList());
}

void tst_FileWrite::refusedTargetStaysAsItWas_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("says");
    const QString notAFile = QStringLiteral("ふつうのファイルではありません");
    for (Kind kind : { Kind::Lesson, Kind::Pdf, Kind::Png }) {
        const char *k = kind == Kind::Lesson ? "lesson" : kind == Kind::Pdf ? "pdf" : "png";
        QTest::addRow("%s onto a FIFO", k) << kind << "fifo" << notAFile;
        QTest::addRow("%s onto a link to a device", k) << kind << "device" << notAFile;
        QTest::addRow("%s onto a folder", k) << kind << "folder" << notAFile;
        QTest::addRow("%s with an empty name", k) << kind << "" << QStringLiteral("名前が空です");
    }
}

void tst_FileWrite::refusedTargetStaysAsItWas()
{
    QFETCH(Kind, kind);
    QFETCH(QString, target);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = target.isEmpty() ? QString() : dir.filePath(target);
    if (target == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (target == QLatin1String("device"))
        QVERIFY(QFile::link(device(dir), path));
    else if (target == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(target));
    const Run run = save(kind, path, {}, dir.path());
    QVERIFY(!run.killed);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    struct stat st;
    if (target == QLatin1String("fifo")) {
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    } else if (target == QLatin1String("device")) {
        QCOMPARE(QFile::symLinkTarget(path), device(dir));
        QCOMPARE(::stat(QFile::encodeName(device(dir)).constData(), &st), 0);
        QVERIFY(S_ISCHR(st.st_mode));
    }
    QCOMPARE(strays(dir.path(), { target, QStringLiteral("null") }), QStringList());
}

void tst_FileWrite::killAtEveryStepLeavesOldOrNew_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("lesson") << Kind::Lesson;
    QTest::newRow("pdf") << Kind::Pdf;
    QTest::newRow("png") << Kind::Png;
}

void tst_FileWrite::killAtEveryStepLeavesOldOrNew()
{
    QFETCH(Kind, kind);
    QTemporaryDir dir;
    const QString name = QStringLiteral("old.") + suffix(kind);
    const QString path = dir.filePath(name);
    const QByteArray &fresh = reference[int(kind)];
    // A PDF carries the moment it was made: the same size, a whole file.
    auto isNew = [&](const QByteArray &bytes) {
        if (kind != Kind::Pdf)
            return bytes == fresh;
        return bytes.size() == fresh.size() && bytes.startsWith("%PDF-")
            && bytes.trimmed().endsWith("%%EOF");
    };
    int kills = 0;
    for (int step = 1;; ++step) {
        put(path, oldFile);
        const Run run
            = save(kind, path, { QStringLiteral("KANSU_SHIM_KILL_AT=%1").arg(step) }, dir.path());
        const QByteArray now = contents(path);
        if (!run.killed) {
            QVERIFY2(run.status == 0, qPrintable(run.err));
            QVERIFY(isNew(now));
            break;
        }
        ++kills;
        QVERIFY2(
            now == oldFile || isNew(now),
            qPrintable(QStringLiteral("killed at step %1: %2 bytes").arg(step).arg(now.size())));
        QVERIFY(step < 100);
    }
    QVERIFY(kills >= 2); // at least the file made and the bytes written
    // What the killed runs left behind, the next save clears away.
    QCOMPARE(save(kind, path, {}, dir.path()).status, 0);
    QCOMPARE(strays(dir.path(), { name }), QStringList());
}

int main(int argc, char *argv[])
{
    // The child that saves a lesson: the worked example, through the one write routine.
    if (argc == 3 && qstrcmp(argv[1], "--write-lesson") == 0) {
        QCoreApplication app(argc, argv);
        lessonformat::Lesson lesson;
        lesson.pieces = { { lessonformat::PieceKind::Triangle, 0, 0 },
                          { lessonformat::PieceKind::Bar4, 3, 0 } };
        QString reason;
        if (lessonformat::writeFile(safefile::fromNative(argv[2]), lesson, reason))
            return 0;
        std::fprintf(stderr, "%s\n", reason.toUtf8().constData());
        return 2;
    }
    QApplication app(argc, argv);
    setUpApplication(app);
    tst_FileWrite tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_filewrite.moc"
