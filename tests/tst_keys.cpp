#include "windowtest.h"

#include <QSignalSpy>
#include <map>
#include <memory>

// The keys a teacher presses at the front of the room, and the keys that must keep their
// ordinary meaning.
class tst_Keys : public WindowTest
{
    Q_OBJECT

public:
    tst_Keys()
        : WindowTest(Shown::Active)
    { }

private slots:
    void keysClickTheirButton_data();
    void keysClickTheirButton();
    void disabledButtonsKeyDoesNothing_data();
    void disabledButtonsKeyDoesNothing();
    void speedBoxKeepsItsKeys_data();
    void speedBoxKeepsItsKeys();
    void typingASpeedIsNotStolen();
    void spaceAndEnterPressTheFocusedControl_data();
    void spaceAndEnterPressTheFocusedControl();
    void tabVisitsTheControlsInReadingOrder();
    void keysDuringAutomaticPlay();
    void presenterKeysWorkAfterAMouseStartedRun_data();
    void presenterKeysWorkAfterAMouseStartedRun();

private:
    void setUp() override;
    void tearDown() override;
    QWidget *widget(const QString &name) const;
    void press(Qt::Key key);
    void typeText(const char *text);
    int clicksOtherThan(const QString &name) const;

    std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
};

void tst_Keys::setUp()
{
    // No pause between automatic steps: a run started by F5 ends before the key returns.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral(" 0"));
    for (QPushButton *b :
         { probe->control<QPushButton>("susumu"), probe->control<QPushButton>("modoru"),
           probe->control<QPushButton>("Command2"), probe->control<QPushButton>("jidou"),
           probe->control<QPushButton>("tomeru"), probe->control<QPushButton>("Command1"),
           probe->control<QPushButton>("end") }) {
        clicks[b->objectName()] = std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked);
    }
}

void tst_Keys::tearDown()
{
    clicks.clear();
}

QWidget *tst_Keys::widget(const QString &name) const
{
    auto *w = form->findChild<QWidget *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// Through the window system, as a real key reaches the focused control.
void tst_Keys::press(Qt::Key key)
{
    QTest::keyClick(form->windowHandle(), key);
}

void tst_Keys::typeText(const char *text)
{
    for (const char *c = text; *c; ++c)
        QTest::keyClick(form->windowHandle(), *c);
}

int tst_Keys::clicksOtherThan(const QString &name) const
{
    int n = 0;
    for (const auto &[button, spy] : clicks) {
        if (button != name)
            n += int(spy->count());
    }
    return n;
}

void tst_Keys::keysClickTheirButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("focus");
    const struct
    {
        const char *name;
        Qt::Key key;
        const char *button;
    } keys[] = {
        { "PageDown", Qt::Key_PageDown, "susumu" }, { "Right", Qt::Key_Right, "susumu" },
        { "PageUp", Qt::Key_PageUp, "modoru" },     { "Left", Qt::Key_Left, "modoru" },
        { "Home", Qt::Key_Home, "Command2" },       { "F5", Qt::Key_F5, "jidou" },
        { "Esc", Qt::Key_Escape, "tomeru" },
    };
    // A focused button would move the focus on an arrow; the x box would move its cursor on
    // the arrows and Home. (Automatic play disables 出す and 初期画面, and so moves the focus
    // away from them: these stay enabled.)
    const char *focuses[] = { "end", "Command2", "Text1", "Check4" };
    for (const auto &k : keys) {
        for (const char *f : focuses) {
            QTest::addRow("%s with the focus on %s", k.name, f)
                << k.key << QString::fromLatin1(k.button) << QString::fromLatin1(f);
        }
    }
}

void tst_Keys::keysClickTheirButton()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, button);
    QFETCH(QString, focus);
    widget(button)->setEnabled(true);
    widget(focus)->setFocus();
    QCOMPARE(QApplication::focusWidget(), widget(focus));

    press(key);

    QCOMPARE(clicks.at(button)->count(), 1);
    QCOMPARE(clicksOtherThan(button), 0);
    QCOMPARE(QApplication::focusWidget(), widget(focus));
}

void tst_Keys::disabledButtonsKeyDoesNothing_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("button");
    QTest::newRow("PageDown while 出す is disabled") << Qt::Key_PageDown << "susumu";
    QTest::newRow("Right while 出す is disabled") << Qt::Key_Right << "susumu";
    QTest::newRow("PageUp while 戻す is disabled") << Qt::Key_PageUp << "modoru";
    QTest::newRow("Left while 戻す is disabled") << Qt::Key_Left << "modoru";
    QTest::newRow("Home while 最初に is disabled") << Qt::Key_Home << "Command2";
    QTest::newRow("F5 while 自動 is disabled") << Qt::Key_F5 << "jidou";
    QTest::newRow("Esc while ストップ is disabled (as at start-up)") << Qt::Key_Escape << "tomeru";
}

void tst_Keys::disabledButtonsKeyDoesNothing()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, button);
    widget(button)->setEnabled(false);
    probe->control<QPushButton>("Command1")->setFocus();

    press(key);

    QCOMPARE(clicksOtherThan(QString()), 0);
    // Not passed on either: an arrow on a focused button would have moved the focus.
    QCOMPARE(QApplication::focusWidget(), probe->control<QPushButton>("Command1"));
}

void tst_Keys::speedBoxKeepsItsKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor"); // -1: not checked
    // Start: "50" with the cursor between its digits.
    QTest::newRow("Home moves the cursor to the start") << Qt::Key_Home << "50" << 0;
    QTest::newRow("Left moves the cursor back") << Qt::Key_Left << "50" << 0;
    QTest::newRow("Right moves the cursor on") << Qt::Key_Right << "50" << 2;
    QTest::newRow("PageDown picks the next speed") << Qt::Key_PageDown << "100" << -1;
    QTest::newRow("PageUp picks the previous speed") << Qt::Key_PageUp << "20" << -1;
    QTest::newRow("F5 starts nothing") << Qt::Key_F5 << "50" << 1;
    QTest::newRow("Esc stops nothing") << Qt::Key_Escape << "50" << 1;
}

void tst_Keys::speedBoxKeepsItsKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    for (QPushButton *b :
         { probe->control<QPushButton>("susumu"), probe->control<QPushButton>("modoru"),
           probe->control<QPushButton>("Command2"), probe->control<QPushButton>("jidou"),
           probe->control<QPushButton>("tomeru") })
        b->setEnabled(true);
    QComboBox *box = probe->control<QComboBox>("Combo1");
    box->setCurrentIndex(box->findText(QStringLiteral("50")));
    box->setFocus();
    box->lineEdit()->setCursorPosition(1);

    press(key);

    QCOMPARE(clicksOtherThan(QString()), 0);
    QCOMPARE(box->currentText(), text);
    if (cursor >= 0)
        QCOMPARE(box->lineEdit()->cursorPosition(), cursor);
    QCOMPARE(QApplication::focusWidget(), box);
}

void tst_Keys::typingASpeedIsNotStolen()
{
    probe->control<QPushButton>("susumu")->setEnabled(true);
    QComboBox *box = probe->control<QComboBox>("Combo1");
    box->setFocus();
    box->lineEdit()->selectAll();
    typeText("75");
    press(Qt::Key_Left);
    press(Qt::Key_Backspace);
    typeText("2");

    QCOMPARE(box->currentText(), QStringLiteral("25"));
    QCOMPARE(clicksOtherThan(QString()), 0);
}

void tst_Keys::spaceAndEnterPressTheFocusedControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space on 出す") << "susumu" << Qt::Key_Space;
    QTest::newRow("Enter on 出す") << "susumu" << Qt::Key_Enter;
    QTest::newRow("Return on 最初に") << "Command2" << Qt::Key_Return;
    QTest::newRow("Space on 初期画面") << "Command1" << Qt::Key_Space;
    QTest::newRow("Return on 初期画面") << "Command1" << Qt::Key_Return;
    QTest::newRow("Space on 方眼") << "Check1" << Qt::Key_Space;
    QTest::newRow("Space on the dimension line box") << "Check4" << Qt::Key_Space;
}

void tst_Keys::spaceAndEnterPressTheFocusedControl()
{
    QFETCH(QString, control);
    QFETCH(Qt::Key, key);
    QWidget *w = widget(control);
    w->setFocus();
    auto *box = qobject_cast<QCheckBox *>(w);
    const bool wasTicked = box && box->isChecked();

    press(key);

    if (box) {
        QCOMPARE(box->isChecked(), !wasTicked);
        QCOMPARE(clicksOtherThan(QString()), 0);
    } else {
        QCOMPARE(clicks.at(control)->count(), 1);
        QCOMPARE(clicksOtherThan(control), 0);
    }
}

void tst_Keys::tabVisitsTheControlsInReadingOrder()
{
    // Left to right along the top row, the blackboard (to build the figure by keys) and the x
    // line on it, then the bottom row; ストップ is disabled at start-up and so skipped.
    const QStringList expected { "Command1", "Check1", "end",    "kokuban", "Check4",
                                 "Text1",    "jidou",  "Combo1", "susumu",  "modoru",
                                 "Command2", "Check3", "Check2" };
    probe->control<QPushButton>("Command1")->setFocus();
    QStringList visited { QApplication::focusWidget()->objectName() };
    for (int i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited.mid(0, expected.size()), expected);
    QCOMPARE(visited.last(), expected.first()); // and round again

    press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.last());
}

void tst_Keys::keysDuringAutomaticPlay()
{
    // A pause of a second after each step: the keys below land in the first pause.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("200"));
    double pxInPause = 0;
    bool forwardEnabledInPause = true;
    bool keysSent = false;
    duringPause(
        [&] {
            keysSent = true;
            pxInPause = probe->Px();
            forwardEnabledInPause = probe->control<QPushButton>("susumu")->isEnabled();
            // 出す and 自動 are disabled while the run goes on: their keys do nothing.
            press(Qt::Key_PageDown);
            press(Qt::Key_Right);
            press(Qt::Key_F5);
            press(Qt::Key_Escape);
        },
        true);

    press(Qt::Key_F5);

    QVERIFY(keysSent);
    QCOMPARE(pxInPause, 290.0);
    QVERIFY(!forwardEnabledInPause);
    QCOMPARE(probe->Px(), 290.0); // one step, then the stop: no step from the keys either
    QCOMPARE(clicks.at("jidou")->count(), 1);
    QCOMPARE(clicks.at("tomeru")->count(), 1);
    QCOMPARE(clicks.at("susumu")->count(), 0);
    QCOMPARE(probe->teishi(), std::int16_t(0));
    QVERIFY(probe->control<QPushButton>("jidou")->isEnabled());
    QVERIFY(probe->control<QPushButton>("susumu")->isEnabled());
    QVERIFY(!probe->control<QPushButton>("tomeru")->isEnabled());
}

void tst_Keys::presenterKeysWorkAfterAMouseStartedRun_data()
{
    QTest::addColumn<QString>("start"); // "mouse", or the key that starts the run
    QTest::addColumn<QString>("focusBefore");
    QTest::addColumn<QString>("focusAfter");
    const char *const rows[][4] = {
        { "mouse click on 自動", "mouse", "Check3", "jidou" },
        { "F5 with the focus on 出す", "F5", "susumu", "susumu" },
        { "F5 with the focus on 初期画面", "F5", "Command1", "jidou" },
        { "Enter on 自動", "Enter", "jidou", "jidou" },
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2])
                            << QString::fromUtf8(r[3]);
}

// A button that disables itself while it has the focus must not drop the focus into the speed
// box, which keeps every key: Esc would no longer stop the run, nor the page keys step after it.
void tst_Keys::presenterKeysWorkAfterAMouseStartedRun()
{
    QFETCH(QString, start);
    QFETCH(QString, focusBefore);
    QFETCH(QString, focusAfter);
    const auto focusName = [] {
        const QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(none)");
    };
    // Pauses of weeks: only a stop ends the run before the test's time is up.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral("99999999999"));
    widget(focusBefore)->setFocus();
    QString focusInRun;
    bool escStopped = false;
    const auto stopByEsc = [&] {
        focusInRun = focusName();
        press(Qt::Key_Escape);
        escStopped = probe->teishi() == 1;
    };
    duringPause(stopByEsc, true);
    if (start == "mouse")
        QTest::mouseClick(probe->control<QPushButton>("jidou"), Qt::LeftButton);
    else
        press(start == "F5" ? Qt::Key_F5 : Qt::Key_Return);

    QVERIFY2(escStopped,
             qPrintable(QStringLiteral("Esc did not stop the run (focus on %1)").arg(focusInRun)));
    QCOMPARE(focusInRun, QStringLiteral("tomeru"));
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.5"));
    QCOMPARE(focusName(), focusAfter);

    // Every presenter key acts again.
    const struct
    {
        Qt::Key key;
        const char *x;
    } keys[] = { { Qt::Key_PageDown, " 1.0" },
                 { Qt::Key_Right, " 1.5" },
                 { Qt::Key_PageUp, " 1.0" },
                 { Qt::Key_Left, " 0.5" },
                 { Qt::Key_Home, " 0.0" } };
    for (const auto &k : keys) {
        press(k.key);
        QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QString::fromLatin1(k.x));
    }
    escStopped = false;
    duringPause(stopByEsc, true);
    press(Qt::Key_F5);
    QVERIFY2(escStopped, "Esc did not stop the second run");
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.5"));
    QCOMPARE(focusName(), focusAfter);

    // A run that reaches the end by itself gives the focus back as well.
    probe->control<QComboBox>("Combo1")->setEditText(QStringLiteral(" 0"));
    press(Qt::Key_F5);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 10.0"));
    QCOMPARE(focusName(), focusAfter);
    press(Qt::Key_PageUp);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 9.5"));
}

KANSU_TEST_MAIN(tst_Keys)
#include "tst_keys.moc"
