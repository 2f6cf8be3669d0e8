#include "windowtest.h"

#include <QAccessible>
#include <memory>
#include <vector>

#ifdef KANSU_QPA_ACCESSIBILITY
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#endif

namespace {

struct Heard
{
    QObject *object;
    QAccessible::Event type;
    QString description;
};
std::vector<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    heard.push_back({ event->object(), event->type(),
                      iface ? iface->text(QAccessible::Description) : QString() });
}

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

} // namespace

// What a screen reader learns of the window: the controls' names, what the panels show, and x
// and y after each step.
class tst_Accessibility : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsAreNamedByTheirCaption_data();
    void controlsAreNamedByTheirCaption();
    void everyControlHasAName();
    void speedBoxIsLabelledBySpeed();
    void panelsDescribeWhatTheyShow_data();
    void panelsDescribeWhatTheyShow();
    void eachStepStatesXAndY_data();
    void eachStepStatesXAndY();
    void eachStepIsAnnounced();
    void returnToTheStartStatesZero();

private:
    void setUp() override;
    void tearDown() override;

    QAccessible::UpdateHandler previousHandler = nullptr;
};

void tst_Accessibility::initTestCase()
{
#ifdef KANSU_QPA_ACCESSIBILITY
    // Off until a screen reader asks for it; the offscreen platform has no one to ask.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
#endif
}

void tst_Accessibility::setUp()
{
    heard.clear();
    previousHandler = QAccessible::installUpdateHandler(listen);
}

void tst_Accessibility::tearDown()
{
    QAccessible::installUpdateHandler(previousHandler);
}

void tst_Accessibility::controlsAreNamedByTheirCaption_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "Label6"
                           << "関数の利用";
    QTest::newRow("initial screen") << "Command1"
                                    << "初期画面";
    QTest::newRow("grid") << "Check1"
                          << "方眼";
    QTest::newRow("end") << "end"
                         << "終了";
    QTest::newRow("automatic play, without the spacing") << "jidou"
                                                         << "自動";
    QTest::newRow("stop") << "tomeru"
                          << "ストップ";
    QTest::newRow("speed label") << "Label3"
                                 << "速度";
    QTest::newRow("forward") << "susumu"
                             << "出す";
    QTest::newRow("back") << "modoru"
                          << "戻す";
    QTest::newRow("to the start") << "Command2"
                                  << "最初に";
    QTest::newRow("table box") << "Check3"
                               << "表";
    QTest::newRow("graph box") << "Check2"
                               << "グラフ";
    QTest::newRow("footer") << "Label8"
                            << "Korumo 学習ソフト";
    QTest::newRow("x box, named by the label before it") << "Text1"
                                                         << "点Ｐが動いた距離χ";
    QTest::newRow("dimension line box, which shows no caption") << "Check4"
                                                                << "寸法線";
}

void tst_Accessibility::controlsAreNamedByTheirCaption()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *w = form->findChild<QWidget *>(control);
    QVERIFY(w);
    QCOMPARE(accessible(w)->text(QAccessible::Name), name);
}

void tst_Accessibility::everyControlHasAName()
{
    // Also any control added later: the window's every widget but the inner parts that Qt
    // builds for a control (the speed box's line edit, its list), which carry its name.
    QStringList unnamed;
    const auto widgets = form->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (accessible(w)->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
    QVERIFY(widgets.size() >= 19);
}

void tst_Accessibility::speedBoxIsLabelledBySpeed()
{
    // Its name may be the speed it shows; the label before it says what the number is.
    QStringList labels;
    for (const auto &[iface, relation] :
         accessible(probe->control<QComboBox>("Combo1"))->relations(QAccessible::Label))
        labels << iface->text(QAccessible::Name);
    QCOMPARE(labels, QStringList { QStringLiteral("速度") });
}

void tst_Accessibility::panelsDescribeWhatTheyShow_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("blackboard: the rectangle, its sides, the colours")
        << "kokuban" << QStringList { "ABCD", "6 cm", "10 cm", "白", "灰色", "点Ｐ" };
    QTest::newRow("table: its two rows") << "hyo" << QStringList { "χ", "ｙ", "cm²", "行" };
    QTest::newRow("graph: its axes and their range")
        << "gamen" << QStringList { "横軸", "縦軸", "10 cm", "60 cm²" };
}

void tst_Accessibility::panelsDescribeWhatTheyShow()
{
    QFETCH(QString, panel);
    QFETCH(QStringList, mentions);
    auto *w = form->findChild<PicturePanel *>(panel);
    QVERIFY(w);
    QAccessibleInterface *iface = accessible(w);
    QVERIFY(!iface->text(QAccessible::Name).isEmpty());
    const QString description = iface->text(QAccessible::Description);
    for (const QString &word : mentions)
        QVERIFY2(description.contains(word),
                 qPrintable(word + QStringLiteral(" missing from ") + description));
}

void tst_Accessibility::eachStepStatesXAndY_data()
{
    QTest::addColumn<int>("forward");
    QTest::addColumn<int>("back");
    QTest::addColumn<QString>("statement");
    // The figure: the triangle over columns 0 to 2 (tip at P, 1 cm higher per cm), the tall bar
    // in column 3, the square in column 4. Crossed areas: x²/2 up to x = 6, then 18 + 6 per cm,
    // then 30 + 2 per cm.
    QTest::newRow("first step") << 1 << 0 << "χ = 0.5 cm, y = 0.125 cm²";
    QTest::newRow("into the middle of the triangle") << 5 << 0 << "χ = 2.5 cm, y = 3.125 cm²";
    QTest::newRow("the whole triangle") << 12 << 0 << "χ = 6 cm, y = 18 cm²";
    QTest::newRow("half the bar") << 14 << 0 << "χ = 7 cm, y = 24 cm²";
    QTest::newRow("the end") << 20 << 0 << "χ = 10 cm, y = 34 cm²";
    QTest::newRow("a step past the end changes nothing") << 21 << 0 << "χ = 10 cm, y = 34 cm²";
    QTest::newRow("one step back from the end") << 20 << 1 << "χ = 9.5 cm, y = 33 cm²";
    QTest::newRow("back into the triangle") << 8 << 3 << "χ = 2.5 cm, y = 3.125 cm²";
}

void tst_Accessibility::eachStepStatesXAndY()
{
    QFETCH(int, forward);
    QFETCH(int, back);
    QFETCH(QString, statement);
    buildFigure(lesson(), { 4, 5, 6, 3, 1 });

    for (int i = 0; i < forward; ++i)
        probe->control<QPushButton>("susumu")->click();
    for (int i = 0; i < back; ++i)
        probe->control<QPushButton>("modoru")->click();

    QCOMPARE(accessible(probe->control<QLineEdit>("Text1"))->text(QAccessible::Description),
             statement);
}

void tst_Accessibility::eachStepIsAnnounced()
{
    if (!QAccessible::isActive())
        QSKIP("accessibility cannot be switched on here: build with Qt's private headers "
              "(Debian: qt6-base-private-dev)");
    buildFigure(lesson(), { 4, 5, 6, 3, 1 });
    const QStringList expected {
        "χ = 0.5 cm, y = 0.125 cm²", "χ = 1 cm, y = 0.5 cm²",     "χ = 1.5 cm, y = 1.125 cm²",
        "χ = 1 cm, y = 0.5 cm²",     "χ = 0.5 cm, y = 0.125 cm²", "χ = 0 cm, y = 0 cm²",
    };
    heard.clear();

    for (int i = 0; i < 3; ++i)
        probe->control<QPushButton>("susumu")->click();
    for (int i = 0; i < 4; ++i) // the last one finds P at the start and changes nothing
        probe->control<QPushButton>("modoru")->click();

    // One announcement per move of P, carrying the statement as it was then.
    QStringList told;
    for (const Heard &h : heard) {
        if (h.object == probe->control<QLineEdit>("Text1")
            && h.type == QAccessible::DescriptionChanged)
            told << h.description;
    }
    QCOMPARE(told, expected);
}

void tst_Accessibility::returnToTheStartStatesZero()
{
    buildFigure(lesson(), { 3, 3, 0, 0, 0 });
    for (int i = 0; i < 6; ++i)
        probe->control<QPushButton>("susumu")->click();
    QCOMPARE(accessible(probe->control<QLineEdit>("Text1"))->text(QAccessible::Description),
             QStringLiteral("χ = 3 cm, y = 18 cm²"));

    probe->control<QPushButton>("Command2")->click();

    QCOMPARE(accessible(probe->control<QLineEdit>("Text1"))->text(QAccessible::Description),
             QStringLiteral("χ = 0 cm, y = 0 cm²"));
}

KANSU_TEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
