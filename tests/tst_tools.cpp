#include "app/commandline.h"
#include "tools/registry.h"
#include "windowtest.h"

#include <QSignalSpy>
#include <QTextBrowser>
#include <cstdio>
#include <unistd.h>

// The way to every tool: the right-click menu, its keys, the F1 key help and the command line,
// all made from the one table of tools; and the lesson's screen untouched while no tool is on.

namespace {

QString caption(const tools::ToolRow &r)
{
    return QCoreApplication::translate("tools", r.caption);
}

// What parseCommandLine writes to standard output.
QString standardOutputOf(const QStringList &arguments, int &status)
{
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE *file = std::tmpfile();
    dup2(fileno(file), STDOUT_FILENO);
    StartOptions options;
    status = parseCommandLine(arguments, options);
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, qsizetype(n));
    std::fclose(file);
    return QString::fromUtf8(bytes);
}

} // namespace

class tst_Tools : public WindowTest
{
    Q_OBJECT

public:
    tst_Tools()
        : WindowTest(Shown::Active)
    { }

private slots:
    void menuIsMadeFromTheTable();
    void shortcutsTriggerTheirRow_data();
    void shortcutsTriggerTheirRow();
    void rightClickOpensTheMenu_data();
    void rightClickOpensTheMenu();
    void menuKeysOpenTheMenu_data();
    void menuKeysOpenTheMenu();
    void keyHelpListsEveryKeyAndTool();
    void helpListsEveryOption();
    void textOnlyOptionsNeedNoWindow_data();
    void textOnlyOptionsNeedNoWindow();
    void optionsSwitchToolsOnAtStart();
    void defaultScreenIsUntouched();

private:
    QAction *action(const tools::ToolRow &row) const;
};

QAction *tst_Tools::action(const tools::ToolRow &row) const
{
    for (QAction *a : tools()->menu()->actions()) {
        if (!a->isSeparator() && a->text() == caption(row))
            return a;
    }
    return nullptr;
}

void tst_Tools::menuIsMadeFromTheTable()
{
    // Every registered row has an id and a caption, and no id, key or option is taken twice.
    const std::vector<const tools::ToolRow *> rows = tools::allRows();
    QCOMPARE(tools::fault(rows), QString());
    const tools::ToolRow twice[] = { *rows.front(), *rows.front() };
    const tools::ToolRow *pair[] = { &twice[0], &twice[1] };
    QVERIFY(!tools::fault(pair).isEmpty());
    QList<QAction *> actions = tools()->menu()->actions();
    for (const tools::ToolRow *row : tools::allRows()) {
        const tools::ToolRow &r = *row;
        QVERIFY(!actions.isEmpty());
        if (r.separatorBefore)
            QVERIFY(actions.takeFirst()->isSeparator());
        QAction *a = actions.takeFirst();
        QCOMPARE(a->text(), caption(r));
        // The menu shows the shortcut beside the caption, and a check mark for a tool that is on.
        QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut)));
        QCOMPARE(a->isCheckable(), r.checkable());
        QVERIFY(!a->isChecked());
    }
    QVERIFY(actions.isEmpty());

    tools()->setOn(u"formulas", true);
    QVERIFY(action(*tools::rowOf(u"formulas"))->isChecked());
}

void tst_Tools::shortcutsTriggerTheirRow_data()
{
    QTest::addColumn<QString>("id");
    for (const tools::ToolRow *r : tools::allRows())
        QTest::addRow("%s: %s", r->shortcut, r->id) << QString::fromLatin1(r->id);
}

void tst_Tools::shortcutsTriggerTheirRow()
{
    QFETCH(QString, id);
    QAction *a = action(*tools::rowOf(id));
    QVERIFY(a);
    // Only the key is under test here: the tool itself (a file dialog, say) is not started.
    QObject::disconnect(a, nullptr, tools(), nullptr);
    QSignalSpy triggered(a, &QAction::triggered);

    QTest::keySequence(form->windowHandle(), a->shortcut());

    QCOMPARE(triggered.count(), 1);
    QCOMPARE(a->isChecked(), a->isCheckable());
}

void tst_Tools::rightClickOpensTheMenu_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("the blackboard, off the pieces") << "kokuban" << QPoint(100, 300);
    QTest::newRow("the table") << "hyo" << QPoint(200, 50);
    QTest::newRow("the graph") << "gamen" << QPoint(200, 200);
    QTest::newRow("a button") << "susumu" << QPoint(10, 10);
    QTest::newRow("a check box") << "Check1" << QPoint(10, 10);
    QTest::newRow("the x box") << "Text1" << QPoint(10, 10);
    QTest::newRow("the speed box's text") << "Combo1 text" << QPoint(5, 5);
    QTest::newRow("the window's background") << "Form1" << QPoint(640, 40);
}

void tst_Tools::rightClickOpensTheMenu()
{
    QFETCH(QString, control);
    QFETCH(QPoint, at);
    lesson().setShown(Lesson::View::Graph, true);
    lesson().setShown(Lesson::View::Table, true);
    QWidget *w = control == form->objectName() ? form.get()
        : control == QLatin1String("Combo1 text")
        ? controlOf<QComboBox>(*form, "Combo1")->lineEdit()
        : form->findChild<QWidget *>(control);
    QVERIFY(w);
    const int halves = lesson().state().halves;

    // The press and release as the learner makes them, and between them the context menu
    // request that the window system makes of a right press.
    QTest::mousePress(w, Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &request);
    QTest::mouseRelease(w, Qt::RightButton, {}, at);

    QTRY_VERIFY(tools()->menu()->isVisible());
    tools()->menu()->hide();
    QCOMPARE(lesson().state().halves, halves);
    QCOMPARE(lesson().state().held, 0.0);
}

void tst_Tools::menuKeysOpenTheMenu_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("menuKey");
    for (const char *focus : { "susumu", "Check3", "Text1" }) {
        QTest::addRow("Shift+F10 on %s", focus) << focus << false;
        QTest::addRow("the menu key on %s", focus) << focus << true;
    }
}

void tst_Tools::menuKeysOpenTheMenu()
{
    QFETCH(QString, focus);
    QFETCH(bool, menuKey);
    QWidget *w = form->findChild<QWidget *>(focus);
    w->setFocus();
    if (menuKey) {
        // The window system turns the menu key into a context menu request to the focused
        // control.
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  w->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w, &request);
    } else {
        QTest::keyClick(form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
    }
    QTRY_VERIFY(tools()->menu()->isVisible());
    tools()->menu()->hide();
}

void tst_Tools::keyHelpListsEveryKeyAndTool()
{
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    QDialog *help = tools()->keyHelp();
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    const QString text = help->findChild<QTextBrowser *>()->toPlainText();
    // The lesson's own keys, the keys on the table and the graph, and every tool with its key.
    for (const char *key : { "PageDown", "PageUp", "→", "←", "Home", "End", "F5", "Esc", "Tab",
                             "Enter", "Space", "Shift+F10" }) {
        QVERIFY2(text.contains(QString::fromUtf8(key)), key);
    }
    for (const tools::ToolRow *r : tools::allRows()) {
        const QString shortcut
            = QKeySequence(QString::fromLatin1(r->shortcut)).toString(QKeySequence::NativeText);
        QVERIFY2(text.contains(caption(*r)) && text.contains(shortcut), r->shortcut);
    }
    QCOMPARE(tools()->lastAnnouncement(), help->windowTitle());

    QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!help->isVisible());
}

void tst_Tools::helpListsEveryOption()
{
    int status = -1;
    const QString help = standardOutputOf({ "kansu", "--help" }, status);
    QCOMPARE(status, 0);
    QVERIFY2(help.contains(QLatin1String("--help")) && help.contains(QLatin1String("--version")),
             qPrintable(help));
    for (const tools::ToolRow *r : tools::allRows()) {
        if (!r->hasOption())
            continue;
        QVERIFY2(help.contains(QLatin1String("--") + QLatin1String(r->option)), r->option);
        QVERIFY2(help.contains(QCoreApplication::translate("tools", r->help)), r->option);
    }
}

void tst_Tools::textOnlyOptionsNeedNoWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("textOnly");
    QTest::newRow("no option") << QStringList { "kansu" } << false;
    QTest::newRow("--help") << QStringList { "kansu", "--help" } << true;
    QTest::newRow("-h after a tool") << QStringList { "kansu", "--formulas", "-h" } << true;
    QTest::newRow("--version") << QStringList { "kansu", "--version" } << true;
    QTest::newRow("a tool") << QStringList { "kansu", "--formulas" } << false;
    QTest::newRow("a file named --help after --")
        << QStringList { "kansu", "--", "--help" } << false;
}

void tst_Tools::textOnlyOptionsNeedNoWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, textOnly);
    QCOMPARE(answersWithoutWindow(arguments), textOnly);
}

void tst_Tools::optionsSwitchToolsOnAtStart()
{
    StartOptions options;
    QCOMPARE(parseCommandLine({ "kansu", "--formulas" }, options), -1);
    QVERIFY(options.isOn("formulas"));
    QCOMPARE(options.on.size(), size_t(1));

    applyStartOptions(*form, options);

    QVERIFY(tools()->isOn(u"formulas"));
    QVERIFY(tools()->find<FormulasTool>()->box()
            && tools()->find<FormulasTool>()->box()->isVisible());
}

void tst_Tools::defaultScreenIsUntouched()
{
    // No tool on, nothing said, the window at the lesson's own size.
    for (const tools::ToolRow *r : tools::allRows())
        QVERIFY(!tools()->isOn(QString::fromLatin1(r->id)));
    QVERIFY(!tools()->find<FormulasTool>()->box());
    QVERIFY(tools()->lastAnnouncement().isEmpty());
    QCOMPARE(form->outerSizeTwips(), QSize(9700, 8800));
    const QImage screen = form->grab().toImage();

    // A tool switched on and off again gives the lesson's own pixels back.
    QTest::keyClick(form->windowHandle(), Qt::Key_F6);
    QVERIFY(tools()->find<FormulasTool>()->box()->isVisible());
    QVERIFY(form->outerSizeTwips().width() > 9700);
    QTest::keyClick(form->windowHandle(), Qt::Key_F6);
    QVERIFY(!tools()->find<FormulasTool>()->box()->isVisible());
    QCOMPARE(form->outerSizeTwips(), QSize(9700, 8800));
    QTRY_COMPARE(form->size(), screen.size() / screen.devicePixelRatio());
    KANSU_COMPARE_PICTURE(form->grab().toImage(), screen);
}

KANSU_TEST_MAIN(tst_Tools)
#include "tst_tools.moc"
