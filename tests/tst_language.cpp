#include "testsupport.h"
#include "tools/language/translation.h"
#include "tooltest.h"
#include "windowtest.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <memory>

namespace {

// A made-up language: every text marked and made 40 % longer, so a text that bypasses
// translation stands out, and one that only just fits shows where it would break.
class PseudoTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        if (!source || !*source)
            return QString();
        const QString text = QString::fromUtf8(source);
        return QStringLiteral("⟦") + text + QString((text.size() * 2 + 4) / 5, u'~')
            + QStringLiteral("⟧");
    }
    bool isEmpty() const override { return false; }
};

bool marked(const QString &text)
{
    return text.contains(u'⟦');
}

// The lesson's letters and lengths, which every language keeps.
bool lessonsOwn(const QString &text)
{
    static const QStringList own { "A",  "B",  "C",      "Ｄ",   "Ｐ", "χ",
                                   "ｙ", "cm", "１０cm", "６cm", "χcm" };
    return own.contains(text);
}

} // namespace

// The lesson in Japanese and English: chosen at start or switched while it runs, with every
// text translated, every caption fitting its control and the lesson itself untouched.
class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pickTheLanguage_data();
    void pickTheLanguage();
    void optionIsReadBeforeTheParser_data();
    void optionIsReadBeforeTheParser();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void everyTextGoesThroughTranslation_data();
    void everyTextGoesThroughTranslation();
    void switchingKeepsTheLesson();
    void qtsOwnDialogsFollowTheLanguage();

private:
    void makeForm();
    // Switches a tool on over the worked example, with something of its own to show.
    void useTool(const QString &tool);
    // Every text the window shows or says, with where it stands.
    QList<QPair<QString, QString>> texts();

    ToolHost *tools() const { return ToolHost::of(form.get()); }

    template<class T = QWidget> T *control(const char *objectName) const
    {
        return controlOf<T>(*form, objectName);
    }

    std::unique_ptr<Form1> form;
};

void tst_Language::makeForm()
{
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Language::useTool(const QString &tool)
{
    if (tool.isEmpty())
        return;
    form->setShown(Lesson::View::Table, true);
    form->setShown(Lesson::View::Graph, true);
    tools()->setOn(tool, true);
    control<PicturePanel>("kokuban")->setFocus();
    for (Qt::Key k : { Qt::Key_4, Qt::Key_Right, Qt::Key_Return, Qt::Key_2, Qt::Key_Right,
                       Qt::Key_Right, Qt::Key_Return })
        QTest::keyClick(form->windowHandle(), k);
    if (PredictionTool *t = tools()->find<PredictTool>()->view()) {
        // A right and a wrong box, a point, and P at x = 2 so that they are marked.
        QTest::keyClicks(t->box(1), ".5");
        QTest::keyClick(t->box(1), Qt::Key_Return);
        QTest::keyClicks(t->box(2), "3");
        QTest::keyClick(t->box(2), Qt::Key_Return);
        control<PicturePanel>("gamen")->setFocus();
        QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Up);
        for (int i = 0; i < 4; ++i)
            form->press(Lesson::Button::Forward);
    }
}

void tst_Language::init() { }

void tst_Language::cleanup()
{
    form.reset();
    translation::use(QStringLiteral("ja"));
}

void tst_Language::pickTheLanguage_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<QString>("language");
    QTest::newRow("Japanese desktop") << "" << QStringList { "ja-JP", "en-US" } << "ja";
    QTest::newRow("English desktop") << "" << QStringList { "en-GB", "ja" } << "en";
    QTest::newRow("plain English") << "" << QStringList { "en" } << "en";
    QTest::newRow("C locale") << "" << QStringList { "C" } << "ja";
    QTest::newRow("French desktop") << "" << QStringList { "fr-FR", "en" } << "ja";
    QTest::newRow("nothing known") << "" << QStringList {} << "ja";
    QTest::newRow("--lang en on a Japanese desktop") << "en" << QStringList { "ja-JP" } << "en";
    QTest::newRow("--lang ja on an English desktop") << "ja" << QStringList { "en-US" } << "ja";
}

void tst_Language::pickTheLanguage()
{
    QFETCH(QString, option);
    QFETCH(QStringList, system);
    QFETCH(QString, language);
    QCOMPARE(translation::pick(option, system), language);
}

void tst_Language::optionIsReadBeforeTheParser_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("value");
    QTest::newRow("--lang en") << QStringList { "kansu", "--lang", "en" } << "en";
    QTest::newRow("--lang=ja") << QStringList { "kansu", "--formulas", "--lang=ja" } << "ja";
    QTest::newRow("none") << QStringList { "kansu", "--formulas" } << "";
    QTest::newRow("a file after --") << QStringList { "kansu", "--", "--lang" } << "";
}

void tst_Language::optionIsReadBeforeTheParser()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, value);
    QCOMPARE(translation::optionIn(arguments), value);
}

void tst_Language::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("tool");
    QTest::newRow("Japanese") << "ja"
                              << "";
    QTest::newRow("English") << "en"
                             << "";
    QTest::newRow("Japanese, formulas") << "ja"
                                        << "formulas";
    QTest::newRow("English, formulas") << "en"
                                       << "formulas";
    QTest::newRow("Japanese, predictions") << "ja"
                                           << "predict";
    QTest::newRow("English, predictions") << "en"
                                          << "predict";
    QTest::newRow("pseudo-language, 40 % longer: caught") << "pseudo"
                                                          << "";
}

void tst_Language::captionsFitTheirControls()
{
    QFETCH(QString, language);
    QFETCH(QString, tool);
    PseudoTranslator pseudo;
    if (language == QLatin1String("pseudo"))
        QCoreApplication::installTranslator(&pseudo);
    else
        QVERIFY(translation::use(language));
    makeForm();
    useTool(tool);
    QStringList cut;
    int measured = 0;
    // Buttons and check boxes: the room their style leaves for the text.
    for (QAbstractButton *b : form->findChildren<QAbstractButton *>()) {
        if (b->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const bool box = qobject_cast<QCheckBox *>(b);
        const QRect room = b->style()->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, b);
        const int width = QFontMetrics(b->font()).horizontalAdvance(b->text());
        ++measured;
        if (width > room.width())
            cut << QStringLiteral("%1 \"%2\" %3 > %4")
                       .arg(b->objectName(), b->text())
                       .arg(width)
                       .arg(room.width());
    }
    for (QLabel *l : form->findChildren<QLabel *>()) {
        // Each line as it reads; a tally as long as it gets.
        QString text = Qt::mightBeRichText(l->text())
            ? QTextDocumentFragment::fromHtml(l->text()).toPlainText()
            : l->text();
        if (tools()->find<PredictTool>()->view()
            && l == tools()->find<PredictTool>()->view()->tableTally())
            text = PredictionTool::tallyText(10, 10);
        int width = 0;
        for (const QString &line : text.split(u'\n'))
            width = std::max(width, QFontMetrics(l->font()).horizontalAdvance(line));
        ++measured;
        if (width > l->contentsRect().width())
            cut << QStringLiteral("%1 \"%2\" %3 > %4")
                       .arg(l->objectName(), text)
                       .arg(width)
                       .arg(l->contentsRect().width());
    }
    // The caption left of x sizes itself: it must end before the check box beside it.
    const PanelLabel *caption = nullptr;
    const PicturePanel *board = form->panel(Lesson::Panel::Board);
    for (size_t i = 0; i < board->itemCount(); ++i) {
        const auto *label = dynamic_cast<const PanelLabel *>(board->item(i));
        if (label && label->left() == 24 && label->top() == 360) // where the caption of x stands
            caption = label;
    }
    QVERIFY(caption);
    const double room
        = control<QCheckBox>("Check4")->x() - control<PicturePanel>("kokuban")->pictureOffset().x();
    if (caption->left() + caption->size().width() > room)
        cut << QStringLiteral("Label1 \"%1\" ends at %2 > %3")
                   .arg(caption->caption())
                   .arg(caption->left() + caption->size().width())
                   .arg(room);
    // Nor does a control run over its neighbour, or out of the window as it grows.
    QList<QWidget *> controls = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    controls.removeIf([](const QWidget *w) { return w->isWindow(); });
    for (QWidget *a : controls) {
        // The window's client area with the graph and the table uncovered.
        // A tool widens the window to make room for itself.
        if (!(tool.isEmpty() ? QRect(0, 0, 1031, 682) : form->rect()).contains(a->geometry()))
            cut << a->objectName() + QStringLiteral(" out of the window");
        for (QWidget *b : controls) {
            if (a < b && a->geometry().intersects(b->geometry()))
                cut << a->objectName() + QStringLiteral(" over ") + b->objectName();
        }
    }
    QVERIFY(tool.isEmpty() ? measured == 13 : measured > 13);
    if (language == QLatin1String("pseudo")) {
        // The measure does catch a caption too long for its control.
        QCoreApplication::removeTranslator(&pseudo);
        QVERIFY(cut.size() > 6);
        return;
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

QList<QPair<QString, QString>> tst_Language::texts()
{
    QList<QPair<QString, QString>> all;
    const auto add = [&](const QString &where, const QString &text) {
        if (!text.isEmpty())
            all << qMakePair(where, text);
    };
    add(QStringLiteral("title"), form->windowTitle());
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(w->objectName(), b->text());
        if (auto *l = qobject_cast<QLabel *>(w))
            add(w->objectName(), l->text());
        add(w->objectName() + QStringLiteral(" name"), w->accessibleName());
        add(w->objectName() + QStringLiteral(" description"), w->accessibleDescription());
    }
    for (PicturePanel *panel : { control<PicturePanel>("kokuban"), control<PicturePanel>("hyo") }) {
        for (size_t i = 0; i < panel->itemCount(); ++i) {
            if (auto *l = dynamic_cast<const PanelLabel *>(panel->item(i)))
                add(panel->objectName() + QStringLiteral(" label"), l->caption());
        }
    }
    for (QAction *a : tools()->menu()->actions()) {
        add(QStringLiteral("menu"), a->text());
        add(QStringLiteral("menu tip"), a->toolTip());
    }
    add(QStringLiteral("menu name"), tools()->menu()->accessibleName());
    // The key help: headings and the meaning of each key (the keys are named as on the keys).
    static const QRegularExpression cell(QStringLiteral("<h3>(.*?)</h3>|<td>([^<]*)</td>"));
    for (const auto &m : cell.globalMatch(tools()->keyHelpText()))
        add(QStringLiteral("key help"), m.captured(1) + m.captured(2));
    // What the keyboard tool says while a figure is built, changed and emptied.
    // What the prediction tool says to a box and to the graph.
    if (PredictionTool *t = tools()->find<PredictTool>()->view(); t && t->isActive()) {
        for (const char *typed : { "7", "1/0" }) {
            QTest::keyClicks(t->box(5), typed);
            QTest::keyClick(t->box(5), Qt::Key_Return);
            add(QStringLiteral("said"), tools()->lastAnnouncement());
            add(QStringLiteral("refusal"), t->message()->text());
        }
        control<PicturePanel>("gamen")->setFocus();
        for (Qt::Key k : { Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Up }) {
            QTest::keyClick(control<PicturePanel>("gamen"), k);
            add(QStringLiteral("said"), tools()->lastAnnouncement());
        }
    }
    control<QPushButton>("Command1")->setFocus();
    tools()->forgetAnnouncement();
    control<PicturePanel>("kokuban")->setFocus();
    add(QStringLiteral("said"), tools()->lastAnnouncement());
    for (Qt::Key k : { Qt::Key_4, Qt::Key_Right, Qt::Key_Return, Qt::Key_2, Qt::Key_Right,
                       Qt::Key_Return, Qt::Key_3, Qt::Key_Escape, Qt::Key_Right, Qt::Key_Left,
                       Qt::Key_Delete, Qt::Key_Delete, Qt::Key_Return, Qt::Key_1, Qt::Key_1 }) {
        QTest::keyClick(form->windowHandle(), k);
        add(QStringLiteral("said"), tools()->lastAnnouncement());
    }
    // The key help's own window.
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    auto *help = form->findChild<QDialog *>(QStringLiteral("keyHelp"));
    if (help) {
        add(QStringLiteral("key help title"), help->windowTitle());
        for (QAbstractButton *b : help->findChildren<QAbstractButton *>())
            add(QStringLiteral("key help button"), b->text());
        help->close();
    } else {
        add(QStringLiteral("key help"), QStringLiteral("did not open"));
    }
    return all;
}

void tst_Language::everyTextGoesThroughTranslation_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<QString>("tool");
    QTest::newRow("made in the pseudo-language") << "pseudo" << true << "";
    QTest::newRow("switched to it while running") << "pseudo" << false << "";
    QTest::newRow("formulas, made in it") << "pseudo" << true << "formulas";
    QTest::newRow("formulas, switched") << "pseudo" << false << "formulas";
    QTest::newRow("predictions, made in it") << "pseudo" << true << "predict";
    QTest::newRow("predictions, switched") << "pseudo" << false << "predict";
    // The English file holds every text: nothing is left in Japanese.
    QTest::newRow("English, formulas, switched") << "en" << false << "formulas";
    QTest::newRow("English, predictions, switched") << "en" << false << "predict";
}

void tst_Language::everyTextGoesThroughTranslation()
{
    QFETCH(QString, language);
    QFETCH(bool, atStart);
    QFETCH(QString, tool);
    PseudoTranslator pseudo;
    const bool english = language == QLatin1String("en");
    const auto switchLanguage = [&] {
        if (english)
            translation::use(language);
        else
            QCoreApplication::installTranslator(&pseudo);
    };
    if (atStart)
        switchLanguage();
    makeForm();
    useTool(tool);
    if (!atStart) {
        switchLanguage();
        QCoreApplication::processEvents();
    }
    // Kana, kanji and Japanese punctuation; the way back to Japanese is written in Japanese.
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3001}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff01}-\\x{ff0f}]"));
    QStringList bypassed;
    const auto all = texts();
    for (const auto &[where, text] : all) {
        const bool left = english
            ? QString(text).remove(QStringLiteral("日本語")).contains(japanese)
            : !marked(text) && !lessonsOwn(text);
        if (left && !bypassed.contains(where + ": " + text))
            bypassed << where + QStringLiteral(": ") + text;
    }
    QCoreApplication::removeTranslator(&pseudo);
    QVERIFY(all.size() > 100);
    QVERIFY2(bypassed.isEmpty(), qPrintable(bypassed.join(QStringLiteral("\n"))));
}

void tst_Language::switchingKeepsTheLesson()
{
    makeForm();
    // A figure, P part-way, the table and the graph shown.
    buildFigure(*form, lesson::workedExample);
    form->setShown(Lesson::View::Table, true);
    form->setShown(Lesson::View::Graph, true);
    for (int i = 0; i < 7; ++i)
        form->press(Lesson::Button::Forward);
    const QString captionJa = control<QPushButton>("susumu")->text();
    const QRect tableBox = control<QCheckBox>("Check3")->geometry();
    const QImage board = control<PicturePanel>("kokuban")->picture(),
                 table = control<PicturePanel>("hyo")->picture(),
                 graph = control<PicturePanel>("gamen")->picture();
    const QString x = control<QLineEdit>("Text1")->text();

    QTest::keyClick(form->windowHandle(), Qt::Key_L, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(translation::current(), QStringLiteral("en"));
    QVERIFY(control<QPushButton>("susumu")->text() != captionJa);
    QVERIFY(!tools()->lastAnnouncement().isEmpty());
    QCOMPARE(tools()->lastAnnouncement(),
             QCoreApplication::translate("LanguageTool", "ことばを日本語にしました"));
    // The lesson's numbers keep their form: the same pixels in the table and the graph.
    QCOMPARE(control<QLineEdit>("Text1")->text(), x);
    QVERIFY(control<PicturePanel>("kokuban")->picture() == board);
    QVERIFY(control<PicturePanel>("hyo")->picture() == table);
    QVERIFY(control<PicturePanel>("gamen")->picture() == graph);
    QVERIFY(control<QLineEdit>("Text1")->accessibleDescription().contains(
        QStringLiteral("y = 6.125 cm²")));

    QTest::keyClick(form->windowHandle(), Qt::Key_L, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(translation::current(), QStringLiteral("ja"));
    QCOMPARE(control<QPushButton>("susumu")->text(), captionJa);
    QCOMPARE(control<QCheckBox>("Check3")->geometry(),
             tableBox); // widened for "Table", back as designed
}

void tst_Language::qtsOwnDialogsFollowTheLanguage()
{
    // The save dialog's button and the parser's refusal, as Qt's own translations give them.
    auto save = [] { return QCoreApplication::translate("QFileDialog", "&Save"); };
    auto unknown
        = [] { return QCoreApplication::translate("QCommandLineParser", "Unknown option '%1'."); };
    for (const char *language : { "ja", "en", "ja" }) {
        QVERIFY(translation::use(QLatin1String(language)));
        const bool ja = qstrcmp(language, "ja") == 0;
        QCOMPARE(save(), ja ? QStringLiteral("保存(&S)") : QStringLiteral("&Save"));
        QCOMPARE(unknown(),
                 ja ? QStringLiteral("'%1' は未知のオプションです。")
                    : QStringLiteral("Unknown option '%1'."));
    }
}

KANSU_TEST_MAIN(tst_Language)
#include "tst_language.moc"
