#include "windowtest.h"

#include <memory>

// The window as a learner first sees it: its controls in place, the initial screen, and the
// four sizes the view check boxes give it.
class tst_Window : public WindowTest
{
    Q_OBJECT

private slots:
    void controlsStandInTheirPlaces_data();
    void controlsStandInTheirPlaces();
    void startsUnticked();
    void speedListOffersSixSpeeds();
    void initialScreenPlacesTheFigure();
    void initialScreenPlacesStrokes();
    void initialScreenRunTwiceGivesTheSameState();
    void windowSizes_data();
    void windowSizes();
    void endClosesTheWindowAndQuits();
    void japaneseCaptionsUseAProportionalGothic();
};

void tst_Window::controlsStandInTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place"); // pixels of the window, twips / 15
    QTest::newRow("title") << "Label6"
                           << "関数の利用" << QRect(16, 16, 160, 33);
    QTest::newRow("initial screen") << "Command1"
                                    << "初期画面" << QRect(216, 16, 81, 33);
    QTest::newRow("grid") << "Check1"
                          << "方眼" << QRect(376, 24, 81, 26);
    QTest::newRow("end") << "end"
                         << "終了" << QRect(536, 16, 81, 33);
    QTest::newRow("blackboard") << "kokuban"
                                << "" << QRect(16, 64, 601, 409);
    QTest::newRow("auto") << "jidou"
                          << "自    動" << QRect(16, 488, 113, 49);
    QTest::newRow("stop") << "tomeru"
                          << "ストップ" << QRect(144, 504, 65, 33);
    QTest::newRow("speed label") << "Label3"
                                 << "速度" << QRect(224, 488, 38, 19);
    QTest::newRow("speed") << "Combo1"
                           << "" << QRect(224, 512, 49, 21);
    QTest::newRow("forward") << "susumu"
                             << "出す" << QRect(304, 488, 65, 49);
    QTest::newRow("back") << "modoru"
                          << "戻す" << QRect(376, 488, 65, 49);
    QTest::newRow("to the start") << "Command2"
                                  << "最初に" << QRect(448, 504, 57, 33);
    QTest::newRow("table box") << "Check3"
                               << "表" << QRect(520, 480, 49, 26);
    QTest::newRow("graph box") << "Check2"
                               << "グラフ" << QRect(520, 512, 89, 26);
    QTest::newRow("table") << "hyo"
                           << "" << QRect(8, 560, 609, 113);
    QTest::newRow("graph") << "gamen"
                           << "" << QRect(632, 16, 393, 513);
    QTest::newRow("footer") << "Label8"
                            << "Korumo 学習ソフト" << QRect(912, 664, 113, 12);
}

void tst_Window::controlsStandInTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    auto *w = form->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->parentWidget(), form.get());
    QCOMPARE(w->geometry(), place);
    if (!caption.isEmpty())
        QCOMPARE(w->property("text").toString(), caption);
}

void tst_Window::startsUnticked()
{
    QVERIFY(!probe->control<QCheckBox>("Check1")->isChecked());
    QVERIFY(!probe->control<QCheckBox>("Check2")->isChecked());
    QVERIFY(!probe->control<QCheckBox>("Check3")->isChecked());
    QVERIFY(probe->control<QCheckBox>("Check4")->isChecked());
    QVERIFY(!probe->control<QPushButton>("tomeru")->isEnabled());
    for (QPushButton *b :
         { probe->control<QPushButton>("susumu"), probe->control<QPushButton>("modoru"),
           probe->control<QPushButton>("jidou"), probe->control<QPushButton>("Command1"),
           probe->control<QPushButton>("Command2"), probe->control<QPushButton>("end") })
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.0"));
    QVERIFY(probe->control<QLineEdit>("Text1")->isReadOnly());
    QCOMPARE(probe->control<PicturePanel>("kokuban")->drawWidth(), 2);
    QCOMPARE(probe->control<PicturePanel>("kokuban")->foreColor(), QColor(255, 255, 255));
    QCOMPARE(probe->control<PicturePanel>("kokuban")->backColor(), QColor(0, 128, 0));
    QCOMPARE(probe->Px(), 300.0);
    QCOMPARE(probe->tsukami(), 0.0);
    QCOMPARE(probe->retsu(), (std::array<double, 5> {}));
    QCOMPARE(probe->maex(), 35.0);
    QCOMPARE(probe->maey(), std::int16_t(480));
    QCOMPARE(probe->hyoy(), 0.0);
    QCOMPARE(probe->gurafuy(), 0.0);
}

void tst_Window::speedListOffersSixSpeeds()
{
    QComboBox *speed = probe->control<QComboBox>("Combo1");
    QVERIFY(speed->isEditable());
    const QStringList expected { " 0", "10", "20", "50", "100", "200" };
    QStringList items;
    for (int i = 0; i < speed->count(); ++i)
        items << speed->itemText(i);
    QCOMPARE(items, expected);
    QCOMPARE(speed->currentText(), QStringLiteral("50"));
}

void tst_Window::initialScreenPlacesTheFigure()
{
    struct Place
    {
        int index;
        QString caption;
        QPointF topLeft;
    };
    const Place places[] = {
        { 0, "A", { 292, 145 } },  { 1, "B", { 304, 300 } },      { 2, "C", { 492, 300 } },
        { 3, "Ｄ", { 492, 145 } }, { 4, "１０cm", { 380, 305 } }, { 5, "６cm", { 505, 200 } },
        { 8, "Ｐ", { 282, 300 } }, { 6, "χcm", { 300, 330 } },
    };
    for (const Place &p : places) {
        PanelLabel *label = probe->label(4, p.index);
        QCOMPARE(label->caption(), p.caption);
        QCOMPARE(QPointF(label->left(), label->top()), p.topLeft);
        QCOMPARE(label->isVisible(), p.index != 6);
        QVERIFY(label->isTransparent());
    }
    QCOMPARE(QPointF(probe->Shape1()->left(), probe->Shape1()->top()), QPointF(296, 296));
    // The marker sits on B.
    QVERIFY(QLineF(probe->Shape1()->centre(), QPointF(300, 300)).length() <= 1.5);
}

void tst_Window::initialScreenPlacesStrokes()
{
    const QLineF expected[8] = {
        { 20, 300, 500, 300 },  { 500, 300, 500, 180 }, { 500, 180, 300, 180 },
        { 300, 180, 300, 300 }, { 310, 800, 300, 800 }, { 300, 180, 280, 195 },
        { 280, 195, 280, 285 }, { 280, 285, 300, 300 },
    };
    for (int i = 0; i < 8; ++i) {
        PanelLine *l = probe->line(5, i);
        QCOMPARE(QLineF(l->x1(), l->y1(), l->x2(), l->y2()), expected[i]);
        QCOMPARE(l->color(), i == 4 ? QColor(255, 0, 0) : QColor(255, 255, 255));
        QCOMPARE(l->width(), i == 4 ? 5 : 3);
    }
    // The pieces wait in the palette, all standing on y = 125.
    QCOMPARE(QPointF(probe->line(6, 0)->x1(), probe->line(6, 0)->y1()), QPointF(300, 85));
    QCOMPARE(QPointF(probe->line(6, 1)->x2(), probe->line(6, 1)->y2()), QPointF(340, 125));
    QCOMPARE(QPointF(probe->line(7, 0)->x1(), probe->line(7, 0)->y1()), QPointF(350, 45));
    QCOMPARE(QPointF(probe->line(9, 0)->x1(), probe->line(9, 0)->y1()), QPointF(400, 5));
    QCOMPARE(QPointF(probe->line(9, 1)->x2(), probe->line(9, 1)->y2()), QPointF(440, 125));
    QCOMPARE(QLineF(probe->line(8, 0)->x1(), probe->line(8, 0)->y1(), probe->line(8, 0)->x2(),
                    probe->line(8, 0)->y2()),
             QLineF(450, 125, 570, 125));
    QCOMPARE(QPointF(probe->line(8, 1)->x2(), probe->line(8, 1)->y2()), QPointF(570, 5));
    // The dark band lies behind the palette, above the rectangle; the pieces show on it.
    const QImage seen = probe->control<PicturePanel>("kokuban")->grab().toImage();
    const QPoint o = probe->control<PicturePanel>("kokuban")->pictureOffset();
    KANSU_COMPARE_RGB(seen.pixel(o + QPoint(100, 130)), QColor(0, 64, 0));
    KANSU_COMPARE_RGB(seen.pixel(o + QPoint(100, 2)), QColor(0, 64, 0));
    KANSU_COMPARE_RGB(seen.pixel(o + QPoint(100, 145)), QColor(0, 128, 0));
    KANSU_COMPARE_RGB(seen.pixel(o + QPoint(440, 60)), QColor(255, 255, 0));
}

void tst_Window::initialScreenRunTwiceGivesTheSameState()
{
    // Disturb everything the initial screen resets, then run it again.
    probe->Px() = 170;
    probe->retsu() = { 4, 5, 6, 2, 1 };
    probe->tsukami() = 3;
    probe->hyoy() = 12.5;
    probe->gurafuy() = 7;
    probe->maex() = 200;
    probe->maey() = 100;
    probe->zoubun()[3] = 2;
    probe->control<QLineEdit>("Text1")->setText(" 6.5");
    probe->label(4, 8)->setLeft(10);
    probe->label(4, 6)->setVisible(true);
    probe->line(5, 4)->setPoints(QPointF(300, 300), QPointF(170, 300));
    probe->control<QPushButton>("tomeru")->setEnabled(true);
    probe->control<PicturePanel>("kokuban")->line(QPointF(10, 10), QPointF(100, 100));

    probe->control<QPushButton>("Command1")->click();

    QCOMPARE(probe->Px(), 300.0);
    QCOMPARE(probe->retsu(), (std::array<double, 5> {}));
    QCOMPARE(probe->tsukami(), 0.0);
    QCOMPARE(probe->hyoy(), 0.0);
    QCOMPARE(probe->gurafuy(), 0.0);
    QCOMPARE(probe->maex(), 35.0);
    QCOMPARE(probe->maey(), std::int16_t(480));
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.0"));
    QCOMPARE(probe->label(4, 8)->left(), 282.0);
    QVERIFY(!probe->label(4, 6)->isVisible());
    QCOMPARE(probe->line(5, 4)->y1(), 800.0);
    QVERIFY(!probe->control<QPushButton>("tomeru")->isEnabled());
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(50, 50), QColor(0, 128, 0));
    // The increments of earlier runs are not the initial screen's to clear.
    QCOMPARE(probe->zoubun()[3], 2.0f);
    QCOMPARE(probe->Ax(), 300.0);
    QCOMPARE(probe->Ay(), 180.0);
    QCOMPARE(probe->Cx(), 500.0);
    QCOMPARE(probe->Dy(), std::int16_t(180));
    QCOMPARE(probe->Py(), 300.0);
}

void tst_Window::windowSizes_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<bool>("table");
    QTest::addColumn<QSize>("twips");
    QTest::newRow("start-up") << false << false << QSize(9700, 8800);
    QTest::newRow("graph only") << true << false << QSize(15700, 8800);
    QTest::newRow("table only") << false << true << QSize(9700, 10800);
    QTest::newRow("graph and table") << true << true << QSize(15700, 10800);
}

void tst_Window::windowSizes()
{
    QFETCH(bool, graph);
    QFETCH(bool, table);
    QFETCH(QSize, twips);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    probe->control<QCheckBox>("Check2")->setChecked(graph);
    probe->control<QCheckBox>("Check3")->setChecked(table);
    QCOMPARE(form->outerSizeTwips(), twips);
    const QSize outer(qRound(twips.width() / 15.0), qRound(twips.height() / 15.0));
    QTRY_COMPARE(form->frameGeometry().size(), outer);

    // A panel counts as uncovered when it lies wholly inside the window.
    const QRect client = form->rect();
    QCOMPARE(client.contains(probe->control<PicturePanel>("gamen")->geometry()), graph);
    QCOMPARE(client.contains(probe->control<PicturePanel>("hyo")->geometry()), table);
    QCOMPARE(client.contains(probe->control<QLabel>("Label8")->geometry()), graph && table);
    QVERIFY(client.contains(probe->control<PicturePanel>("kokuban")->geometry()));
    QVERIFY(client.contains(probe->control<QCheckBox>("Check2")->geometry()));

    // Each box sets only its own dimension.
    probe->control<QCheckBox>("Check2")->setChecked(false);
    QCOMPARE(form->outerSizeTwips(), QSize(9700, twips.height()));
}

void tst_Window::endClosesTheWindowAndQuits()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // The program's own loop must end with status 0 when "終了" is clicked.
    QTimer::singleShot(0, probe->control<QPushButton>("end"), &QPushButton::click);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(3); }); // fail, not hang
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!form->isVisible());
}

void tst_Window::japaneseCaptionsUseAProportionalGothic()
{
    const QFontInfo info(probe->control<QPushButton>("susumu")->font());
    QVERIFY2(info.family().contains("Gothic", Qt::CaseInsensitive)
                 || info.family().contains("ゴシック") || info.family().contains("CJK"),
             qPrintable(info.family()));
    QVERIFY(probe->control<QPushButton>("susumu")->font().bold());
    QCOMPARE(probe->control<QPushButton>("susumu")->font().pointSizeF(), 12.0);
    // A proportional face: kana of different shapes take different widths.
    const QFontMetrics metrics(probe->control<QLabel>("Label6")->font());
    QVERIFY(metrics.horizontalAdvance("ー") != metrics.horizontalAdvance("ク")
            || metrics.horizontalAdvance("1") != metrics.horizontalAdvance("W"));
}

KANSU_TEST_MAIN(tst_Window)
#include "tst_window.moc"
