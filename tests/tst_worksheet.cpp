// The program run as a teacher runs it from a terminal: worksheets and pictures written without
// a window, read back with poppler-utils.
#include "app/form1.h"
#include "core/formulas.h"
#include "lesson.h"
#include "testsupport.h"
#include "tools/language/translation.h"
#include "tools/worksheet/worksheetpage.h"
#include "tooltest.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <memory>
#include <queue>
#include <set>
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

// The centre line of the largest connected shape of black pixels: on the task page only the
// rectangle ABCD is drawn in black lines. Its stroke's thickness in `stroke`.
QRectF largestBlackShape(const QImage &page, int *stroke = nullptr)
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
    int thick = 0;
    while (thick < best.height() && black(best.center().x(), best.top() + thick))
        ++thick;
    if (stroke)
        *stroke = thick;
    return QRectF(best.left() + thick / 2.0, best.top() + thick / 2.0, best.width() - thick,
                  best.height() - thick);
}

constexpr double mmPerPoint = 25.4 / 72;

// A word that pdftotext reads, its box in mm from the paper's corner, and which row of text
// holds it (see rowsOf()).
struct Word
{
    QString text;
    QRectF box;
    int row = -1;
};

// The words of each page, as pdftotext lays them out.
std::vector<std::vector<Word>> wordsOf(const QString &pdf)
{
    QXmlStreamReader xml(tool(QStringLiteral("pdftotext"),
                              { QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-") }));
    std::vector<std::vector<Word>> pages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        const auto mm = [&](const char *name) {
            return a.value(QLatin1String(name)).toDouble() * mmPerPoint;
        };
        if (xml.name() == QLatin1String("page")) {
            pages.emplace_back();
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            const QRectF box(QPointF(mm("xMin"), mm("yMin")), QPointF(mm("xMax"), mm("yMax")));
            pages.back().push_back({ xml.readElementText(), box });
        }
    }
    return pages;
}

// The page's text as rows a reader follows, spaces dropped: words on one baseline in order;
// a smaller word stacked over another is a fraction "1/2", a smaller word raised alone a power
// "²". A row grows from left to right, each word at most 3 mm after the last. Each word learns
// its row.
QStringList rowsOf(std::vector<Word> &words)
{
    std::sort(words.begin(), words.end(),
              [](const Word &a, const Word &b) { return a.box.left() < b.box.left(); });
    struct Row
    {
        double height, middle;
        QRectF band;
        std::vector<const Word *> words;
    };
    std::vector<Row> rows;
    for (Word &w : words) {
        const double middle = w.box.center().y();
        Row *mine = nullptr;
        for (Row &r : rows) {
            const bool near = w.box.left() <= r.band.right() + 3;
            const bool onLine
                = qAbs(middle - r.middle) < 0.2 * r.height && w.box.height() > 0.75 * r.height;
            const bool stacked
                = qAbs(middle - r.middle) < 0.7 * r.height && w.box.height() < 0.9 * r.height;
            if (near && (onLine || stacked)) {
                mine = &r;
                break;
            }
        }
        if (!mine) {
            rows.push_back({ w.box.height(), middle, w.box, {} });
            mine = &rows.back();
        }
        w.row = int(mine - rows.data());
        mine->words.push_back(&w);
        mine->band |= w.box;
    }
    QStringList out;
    for (Row &r : rows) {
        std::vector<const Word *> row = r.words;
        std::sort(row.begin(), row.end(),
                  [](const Word *a, const Word *b) { return a->box.left() < b->box.left(); });
        const auto raisedOrLowered
            = [&](const Word *w) { return qAbs(w->box.center().y() - r.middle) >= 0.2 * r.height; };
        // A raised word over a lowered one is a fraction, wherever either starts.
        std::map<const Word *, const Word *> under;
        for (const Word *w : row) {
            for (const Word *v : row) {
                if (raisedOrLowered(w) && raisedOrLowered(v) && w->box.center().y() < r.middle
                    && v->box.center().y() > r.middle && w->box.left() < v->box.right()
                    && v->box.left() < w->box.right())
                    under[w] = v;
            }
        }
        std::set<const Word *> stacked;
        for (const auto &[over, below] : under)
            stacked.insert(below);
        QString text;
        for (const Word *w : row) {
            if (stacked.count(w))
                continue;
            if (!raisedOrLowered(w)) {
                text += w->text;
            } else if (under.count(w)) {
                text += w->text + u'/' + under[w]->text;
            } else if (w->box.center().y() < r.middle) {
                static const QString raised = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
                for (QChar c : w->text)
                    text += c.isDigit() ? raised[c.digitValue()] : c;
            } else {
                text += u'_' + w->text; // lowered alone: nothing sets that
            }
        }
        out << text;
    }
    return out;
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
    void pagesKeepClearOfTheEdgeAndOfThemselves_data();
    void pagesKeepClearOfTheEdgeAndOfThemselves();
    void crossedPartIsTheAreaYSays_data();
    void crossedPartIsTheAreaYSays();
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

    // The worksheet of a lesson written here as the program writes it, formulas given.
    QString sheetPdf(const Codes &columns, double x, const QString &name)
    {
        worksheet::Sheet sheet;
        sheet.columns = columns;
        sheet.x = x;
        for (const formulas::Stretch &s : formulas::stretches(columns))
            sheet.formulas.push_back(formulas::statement(s));
        const QString path = dir.filePath(name);
        QString reason;
        if (!worksheet::writePdf(path, sheet, reason))
            qWarning("%s", qPrintable(reason));
        return path;
    }
    QImage rendered(const QString &pdf, int page, int dpi)
    {
        const QString prefix = dir.filePath(QStringLiteral("render"));
        tool(QStringLiteral("pdftoppm"),
             { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
               QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
               QString::number(page), QStringLiteral("-singlefile"), pdf, prefix });
        return QImage(prefix + QStringLiteral(".pgm"));
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
    // then nothing more, written as a textbook writes numbers ("0.5", not the lesson's ".5").
    QStringList expected;
    for (int x = 0; x <= 10; ++x) {
        const double y = x <= 6 ? x * x / 2.0 : x <= 8 ? 18 + 4 * (x - 6) : 26;
        expected << QString::number(y);
    }
    QCOMPARE(expected.join(QLatin1Char(' ')), QStringLiteral("0 0.5 2 4.5 8 12.5 18 22 26 26 26"));
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
    // Read as a reader follows the lines: ½ stacked as 1 over 2, the square raised.
    std::vector<Word> words = wordsOf(pdf).at(1);
    const QStringList key = rowsOf(words);
    for (const char *line : { "0≦x≦6のときy=1/2x²", "6≦x≦8のときy=4x−6", "8≦x≦10のときy=26" })
        QVERIFY2(key.contains(QString::fromUtf8(line)), qPrintable(key.join(u'|')));
    const auto page = [](const QString &path, int n) {
        return QString::fromUtf8(
                   tool(QStringLiteral("pdftotext"),
                        { QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                          QString::number(n), path, QStringLiteral("-") }))
            .simplified();
    };
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
    const QSizeF rectangle = largestBlackShape(page).size();
    const double wide = 10 / 2.54 * 300, high = 6 / 2.54 * 300;
    qInfo("rectangle %.0f x %.0f px at 300 dpi", rectangle.width(), rectangle.height());
    QVERIFY2(qAbs(rectangle.width() - wide) <= wide / 100,
             qPrintable(QStringLiteral("width %1 px").arg(rectangle.width())));
    QVERIFY2(qAbs(rectangle.height() - high) <= high / 100,
             qPrintable(QStringLiteral("height %1 px").arg(rectangle.height())));
}

void tst_Worksheet::pagesKeepClearOfTheEdgeAndOfThemselves_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("language");
    for (int halves = 0; halves <= 20; ++halves)
        QTest::addRow("worked example at %g", halves / 2.0)
            << textOf(workedExample) << halves / 2.0 << "ja";
    for (double x : { 0.0, 6.5, 10.0 })
        QTest::addRow("worked example at %g, English", x) << textOf(workedExample) << x << "en";
    // Figures the palette can build: bars anywhere, a triangle over three free columns.
    QRandomGenerator random(18);
    for (int n = 0; n < 8; ++n) {
        Codes codes {};
        for (int k = 0; k < 5; ++k)
            codes[k] = random.bounded(4);
        if (random.bounded(2)) {
            const int k = random.bounded(3);
            codes[k] = 4, codes[k + 1] = 5, codes[k + 2] = 6;
        }
        const double x = random.bounded(21) / 2.0;
        const QString language = n % 2 ? QStringLiteral("en") : QStringLiteral("ja");
        QTest::addRow("%s at %g, %s", qPrintable(textOf(codes)), x, qPrintable(language))
            << textOf(codes) << x << language;
    }
}

void tst_Worksheet::pagesKeepClearOfTheEdgeAndOfThemselves()
{
    QFETCH(QString, figure);
    const Codes columns = codesFrom(figure);
    QFETCH(double, x);
    QFETCH(QString, language);
    QVERIFY(translation::use(language));
    const QString pdf = sheetPdf(columns, x, QStringLiteral("clear.pdf"));
    QVERIFY(translation::use(QStringLiteral("ja")));
    std::vector<std::vector<Word>> pages = wordsOf(pdf);
    QCOMPARE(pages.size(), size_t(2));
    const QStringList rows = rowsOf(pages[1]);
    rowsOf(pages[0]);
    const QRectF inside(10, 10, 190, 277); // A4 less 10 mm all round
    for (size_t page = 0; page < pages.size(); ++page) {
        const std::vector<Word> &words = pages[page];
        for (const Word &w : words)
            QVERIFY2(inside.contains(w.box),
                     qPrintable(QStringLiteral("page %1: \"%2\" at %3, %4 – %5, %6 mm")
                                    .arg(page + 1)
                                    .arg(w.text)
                                    .arg(w.box.left())
                                    .arg(w.box.top())
                                    .arg(w.box.right())
                                    .arg(w.box.bottom())));
        // Texts keep apart: 3 mm side by side, so that none reads on into the next, and the
        // middles of their words' boxes, where the glyphs stand, never meet above each other.
        const auto core
            = [](const QRectF &r) { return r.adjusted(0, r.height() * 0.2, 0, -r.height() * 0.2); };
        for (size_t i = 0; i < words.size(); ++i) {
            for (size_t j = i + 1; j < words.size(); ++j) {
                if (words[i].row == words[j].row)
                    continue;
                const QRectF a = core(words[i].box), b = core(words[j].box);
                const bool level = a.top() < b.bottom() && b.top() < a.bottom();
                const double apart = std::max(a.left() - b.right(), b.left() - a.right());
                QVERIFY2(!(level && apart < 3) && !a.intersects(b),
                         qPrintable(QStringLiteral("page %1: \"%2\" meets \"%3\"")
                                        .arg(page + 1)
                                        .arg(words[i].text, words[j].text)));
            }
        }
        // Nor does anything drawn come near the edge: no ink in the 10 mm round the page.
        const QImage image = rendered(pdf, int(page) + 1, 100);
        QVERIFY(!image.isNull());
        const double px = 100 / 25.4;
        const QRect clear(int(std::ceil(10 * px)), int(std::ceil(10 * px)),
                          int(std::floor(190 * px)) - 1, int(std::floor(277 * px)) - 1);
        for (int row = 0; row < image.height(); ++row) {
            for (int col = 0; col < image.width(); ++col) {
                if (!clear.contains(col, row) && qGray(image.pixel(col, row)) < 250)
                    QFAIL(qPrintable(QStringLiteral("page %1: ink %2, %3 mm from the corner")
                                         .arg(page + 1)
                                         .arg(col / px)
                                         .arg(row / px)));
            }
        }
        // The figure: ABCD, and all drawn left of it between the rows of AD and BC. No word
        // stands on it.
        int stroke = 0;
        const QRectF abcd = largestBlackShape(image, &stroke);
        double left = abcd.left();
        for (int row = int(abcd.top()); row <= int(abcd.bottom()); ++row) {
            for (int col = 0; col < int(abcd.left()) - stroke; ++col) {
                if (qGray(image.pixel(col, row)) < 200) {
                    left = std::min(left, double(col));
                    break;
                }
            }
        }
        const QRectF figure(QPointF(left, abcd.top() - stroke / 2.0) / px,
                            QPointF(abcd.right() + stroke / 2.0, abcd.bottom() + stroke / 2.0)
                                / px);
        QVERIFY(qAbs(figure.height() - 60) < 1.5);
        for (const Word &w : words)
            QVERIFY2(
                !figure.intersects(core(w.box)),
                qPrintable(
                    QStringLiteral("page %1: \"%2\" on the figure").arg(page + 1).arg(w.text)));
    }
    // The answer key states each formula on a line of its own, nothing else on it.
    QVERIFY(translation::use(language));
    QStringList expected;
    for (const formulas::Stretch &s : formulas::stretches(columns))
        expected << formulas::line(s).remove(u' ');
    QVERIFY(translation::use(QStringLiteral("ja")));
    for (const QString &line : expected)
        QVERIFY2(rows.contains(line),
                 qPrintable(line + QStringLiteral(" not in ") + rows.join(u'|')));
}

void tst_Worksheet::crossedPartIsTheAreaYSays_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("area");
    // At 3 cm the triangle has crossed as a right triangle with legs of 3 cm.
    QTest::newRow("worked example at 3") << textOf(workedExample) << 3.0 << 3 * 3 / 2.0;
    QTest::newRow("worked example at 0: shown at 3") << textOf(workedExample) << 0.0 << 3 * 3 / 2.0;
    // Too far out to fit at true scale: shown at 3 cm too.
    QTest::newRow("worked example at 9: shown at 3") << textOf(workedExample) << 9.0 << 3 * 3 / 2.0;
    // A 6 cm bar, then 1 cm of a 2 cm square.
    QTest::newRow("tall bar and square at 3") << "3 1 0 0 0" << 3.0 << 2 * 6 + 1 * 2.0;
}

void tst_Worksheet::crossedPartIsTheAreaYSays()
{
    QFETCH(QString, figure);
    const Codes columns = codesFrom(figure);
    QFETCH(double, x);
    QFETCH(double, area);
    const QString pdf = sheetPdf(columns, x, QStringLiteral("hatched.pdf"));
    const int dpi = 200;
    const double pxPerCm = dpi / 2.54;
    for (int page : { 1, 2 }) {
        const QImage image = rendered(pdf, page, dpi);
        QVERIFY(!image.isNull());
        int stroke = 0;
        const QRectF abcd = largestBlackShape(image, &stroke);
        QVERIFY(qAbs(abcd.height() - 6 * pxPerCm) < 3);
        // Everything inked left of AB's stroke, between AD and BC: the crossed part, hatched
        // over grey. Left of the stroke leaves out a strip half its width, as high as the crossed
        // part's edge on AB; the pieces' outlines and the base line add a little outside.
        const int ab = int(abcd.left() - stroke / 2.0);
        qint64 inked = 0;
        int heightAtAB = 0;
        for (int row = int(abcd.top()) + 1; row < int(abcd.bottom()); ++row) {
            for (int col = 0; col < ab; ++col)
                inked += qGray(image.pixel(col, row)) < 235;
            heightAtAB += qGray(image.pixel(ab - 2, row)) < 235;
        }
        const double measured = (inked + heightAtAB * stroke / 2.0) / (pxPerCm * pxPerCm);
        qInfo("page %d: %.3f cm² crossed", page, measured);
        QVERIFY2(qAbs(measured - area) <= area * 0.05,
                 qPrintable(QStringLiteral("%1 cm², expected %2").arg(measured).arg(area)));
    }
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
    QVERIFY(toolOf<LessonFileTool>(form).open(lessonPath));
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
             toolOf<PictureTool>(form).panelsPicture().convertToFormat(QImage::Format_RGB32));
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
