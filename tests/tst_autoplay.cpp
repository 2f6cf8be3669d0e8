#include "lesson.h"
#include "windowtest.h"

#include <QAbstractEventDispatcher>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Posts `action` so that it runs at the next chance the event loop gets: during a pause of
// automatic play when posted just before the run starts.
template<typename F> void atFirstChance(F action)
{
    QTimer::singleShot(0, action);
}

// The program's own life, run in a child process: start automatic play with a pause that
// would last for weeks, then end the program during the first pause by "終了" ("end") or the
// window's close button ("close"). Prints P's place when the end was asked and at exit.
int runChild(const QByteArray &how)
{
    auto *form = new Form1;
    FormProbe probe(*form);
    probe.control<QComboBox>("Combo1")->setEditText(QStringLiteral("99999999999"));
    form->show();
    double pxAtEnd = -1;
    QTimer::singleShot(0, [&] {
        atFirstChance([&] {
            pxAtEnd = probe.Px();
            if (how == "end")
                probe.control<QPushButton>("end")->click();
            else
                form->close();
        });
        probe.control<QPushButton>("jidou")->click();
    });
    const int status = QApplication::exec();
    std::printf("P when ended %g, at exit %g\n", pxAtEnd, probe.Px());
    std::fflush(stdout);
    delete form;
    return status;
}

} // namespace

class tst_AutoPlay : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsToTheEnd_data();
    void runsToTheEnd();
    void buttonsWhileRunning();
    void stopBetweenTwoSteps();
    void pauseLastsAtLeastItsTime();
    void zeroPauseRunsNoEvent();
    void waitBurnsNoCore();
    void stopStaysEnabledAfterReturnToStart();
    void secondStartWhileStoppingStartsNoRun();
    void dropDuringRunKeepsStopEnabled();
    void endingDuringRun_data();
    void endingDuringRun();
    void typedSpeeds_data();
    void typedSpeeds();

private:
    void setUp() override;
    // What still shows a run after it ended, or an empty text when all is back at rest.
    QString notIdle()
    {
        QStringList wrong;
        for (QPushButton *b :
             { probe->control<QPushButton>("susumu"), probe->control<QPushButton>("modoru"),
               probe->control<QPushButton>("Command1"), probe->control<QPushButton>("jidou") })
            if (!b->isEnabled())
                wrong << b->objectName() + QStringLiteral(" disabled");
        if (probe->control<QPushButton>("tomeru")->isEnabled())
            wrong << QStringLiteral("tomeru enabled");
        if (probe->teishi() != 0)
            wrong << QStringLiteral("teishi %1").arg(probe->teishi());
        if (probe->playing())
            wrong << QStringLiteral("playing");
        return wrong.join(QStringLiteral(", "));
    }
};

void tst_AutoPlay::initTestCase()
{
    const QByteArray child = qgetenv("KANSU_AUTOPLAY_CHILD");
    if (!child.isEmpty())
        std::exit(runChild(child));
}

void tst_AutoPlay::setUp()
{
    buildFigure(lesson(), lesson::workedExample);
}

void tst_AutoPlay::runsToTheEnd_data()
{
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("texts");
    QTest::newRow("from the start, no pause") << " 0" << 0 << 20;
    QTest::newRow("from x 5, short pauses") << "1" << 10 << 10;
    // From the end it first returns to the start (" 0.0"), then makes all 20 steps.
    QTest::newRow("from the end") << " 0" << 20 << 21;
}

void tst_AutoPlay::runsToTheEnd()
{
    QFETCH(QString, speed);
    QFETCH(int, from);
    QFETCH(int, texts);
    probe->control<QCheckBox>("Check2")->setChecked(true);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    for (int i = 0; i < from; ++i)
        probe->invoke("susumu_Click");
    probe->control<QComboBox>("Combo1")->setEditText(speed);
    QSignalSpy shown(probe->control<QLineEdit>("Text1"), &QLineEdit::textChanged);
    probe->control<QPushButton>("jidou")->click();
    QCOMPARE(shown.count(), texts);
    QCOMPARE(probe->Px(), 100.0);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 10.0"));
    QCOMPARE(probe->hyoy(), 26.0);
    QCOMPARE(probe->gurafuy(), 26.0);
    QCOMPARE(notIdle(), QString());
}

void tst_AutoPlay::buttonsWhileRunning()
{
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("1"));
    QList<bool> enabled;
    duringPause(
        [&] {
            for (QPushButton *b :
                 { probe->control<QPushButton>("susumu"), probe->control<QPushButton>("modoru"),
                   probe->control<QPushButton>("Command1"), probe->control<QPushButton>("jidou"),
                   probe->control<QPushButton>("tomeru"), probe->control<QPushButton>("Command2"),
                   probe->control<QPushButton>("end") })
                enabled << b->isEnabled();
            probe->control<QPushButton>("tomeru")->click();
        },
        true);
    probe->control<QPushButton>("jidou")->click();
    QCOMPARE(enabled, (QList<bool> { false, false, false, false, true, true, true }));
    QCOMPARE(notIdle(), QString());
}

void tst_AutoPlay::stopBetweenTwoSteps()
{
    // A pause of a minute: the stop must not wait for it.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("12000"));
    duringPause([&] { probe->control<QPushButton>("tomeru")->click(); }, true);
    probe->control<QPushButton>("jidou")->click();
    QCOMPARE(probe->Px(), 290.0);
    QCOMPARE(notIdle(), QString());
    // A new run carries on from there.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral(" 0"));
    probe->control<QPushButton>("jidou")->click();
    QCOMPARE(probe->Px(), 100.0);
}

void tst_AutoPlay::pauseLastsAtLeastItsTime()
{
    QElapsedTimer clock;
    clock.start();
    probe->matsu(30);
    QVERIFY(clock.elapsed() >= 30);
    probe->matsu(1);
    QVERIFY(clock.elapsed() >= 31);
}

void tst_AutoPlay::zeroPauseRunsNoEvent()
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    probe->matsu(0);
    probe->matsu(-25);
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
}

void tst_AutoPlay::waitBurnsNoCore()
{
    // A wait that polls wakes the event dispatcher over and over; one that sleeps wakes only
    // for its own deadline (and whatever really happens meanwhile).
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    int wakes = 0;
    int blocks = 0;
    auto awake = connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { ++wakes; });
    auto block = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] { ++blocks; });
    probe->matsu(200);
    disconnect(awake);
    disconnect(block);
    QVERIFY(blocks >= 1);
    QVERIFY2(wakes < 20, qPrintable(QString::number(wakes)));
}

void tst_AutoPlay::stopStaysEnabledAfterReturnToStart()
{
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("1"));
    for (int i = 0; i < 6; ++i)
        probe->invoke("susumu_Click");
    bool stopEnabled = false;
    duringPause(
        [&] {
            probe->control<QPushButton>("Command2")->click();
            stopEnabled = probe->control<QPushButton>("tomeru")->isEnabled();
            probe->control<QPushButton>("tomeru")->click();
        },
        true);
    probe->control<QPushButton>("jidou")->click();
    QVERIFY(stopEnabled);
    // Stopped at the start it was returned to, with no step after.
    QCOMPARE(probe->Px(), 300.0);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.0"));
    QCOMPARE(notIdle(), QString());
}

void tst_AutoPlay::secondStartWhileStoppingStartsNoRun()
{
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("1"));
    duringPause(
        [&] {
            probe->control<QPushButton>("tomeru")->click();
            QVERIFY(probe->control<QPushButton>("jidou")->isEnabled());
            probe->control<QPushButton>("jidou")->click();
        },
        true);
    probe->control<QPushButton>("jidou")->click();
    // The first run stops after its first step, and nothing runs on.
    QCOMPARE(probe->Px(), 290.0);
    QCOMPARE(notIdle(), QString());
}

void tst_AutoPlay::dropDuringRunKeepsStopEnabled()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    probe->control<QCheckBox>("Check2")->setChecked(true);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("1"));
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QPoint offset = board->pictureOffset();
    bool stopEnabled = false;
    duringPause([&] {
        // The square from the palette into the empty column 4: the lesson returns to the start.
        QTest::mousePress(board, Qt::LeftButton, {}, QPoint(320, 100) + offset);
        QTest::mouseMove(board, QPoint(400, 200) + offset);
        QTest::mouseRelease(board, Qt::LeftButton, {}, QPoint(480, 250) + offset);
        QCOMPARE(probe->Px(), 300.0);
        stopEnabled = probe->control<QPushButton>("tomeru")->isEnabled();
    });
    probe->control<QPushButton>("jidou")->click();
    QVERIFY(stopEnabled);
    // The run went on from the start with the new figure: 26 cm² and 2 × 2 more.
    QCOMPARE(probe->retsu(), (std::array<double, 5> { 4, 5, 6, 2, 1 }));
    QCOMPARE(probe->Px(), 100.0);
    QCOMPARE(probe->gurafuy(), 30.0);
    QCOMPARE(probe->hyoy(), 30.0);
    QCOMPARE(notIdle(), QString());
}

void tst_AutoPlay::endingDuringRun_data()
{
    QTest::addColumn<QByteArray>("how");
    QTest::newRow("by its button") << QByteArray("end");
    QTest::newRow("by closing the window") << QByteArray("close");
}

void tst_AutoPlay::endingDuringRun()
{
    QFETCH(QByteArray, how);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KANSU_AUTOPLAY_CHILD"), QString::fromLatin1(how));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    // The pause would last weeks: only an end that cuts it short finishes in time.
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(child.readAllStandardOutput().contains("P when ended 290, at exit 290"),
             child.readAllStandardError().constData());
}

void tst_AutoPlay::typedSpeeds_data()
{
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("pauses");
    QTest::newRow("garbage") << "fast" << false;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("exponent overflow") << "1e999" << true;
    QTest::newRow("too many digits") << "99999999999" << true;
}

void tst_AutoPlay::typedSpeeds()
{
    QFETCH(QString, speed);
    QFETCH(bool, pauses);
    probe->control<QComboBox>("Combo1")->setEditText(speed);
    if (pauses) {
        // The clamped pause still lets "最初に" and "ストップ" act.
        duringPause(
            [&] {
                probe->control<QPushButton>("Command2")->click();
                QCOMPARE(probe->Px(), 300.0);
                probe->control<QPushButton>("tomeru")->click();
            },
            true);
    }
    probe->control<QPushButton>("jidou")->click();
    QCOMPARE(probe->Px(), pauses ? 300.0 : 100.0);
    QCOMPARE(notIdle(), QString());
}

KANSU_TEST_MAIN(tst_AutoPlay)
#include "tst_autoplay.moc"
