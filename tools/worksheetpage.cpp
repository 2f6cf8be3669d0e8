#include "tools/worksheetpage.h"

#include "play/steps.h"
#include "toolkit/fonts.h"
#include "toolkit/numtext.h"
#include "tools/safefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>

namespace worksheet {

namespace {

// The texts' context for translation, as the translators' tools find it too.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(worksheet)
};

// Greys chosen for a black-and-white printer. Only the rectangle ABCD is pure black among the
// lines of page 1, so that it stands out and can be measured on a print.
const QColor black(0, 0, 0);
const QColor darkGrey(70, 70, 70);
const QColor midGrey(120, 120, 120);
const QColor gridGrey(175, 175, 175);
const QColor crossedGrey(215, 215, 215);

// Where things go on A4 (210 × 297 mm), in mm from the paper's top-left corner.
constexpr double pageWidth = 210;
constexpr double figureTop = 48; // side AD
constexpr double figureBase = 108; // side BC
constexpr double graphLeft = 30, graphBottom = 283; // the graph's origin
constexpr double tableLeft = 147, tableTop = 133, tableRow = 9;
constexpr double tableXWidth = 20, tableYWidth = 30;

// Millimetres on the device, whatever its resolution.
class Paper
{
public:
    Paper(QPainter &painter, const QPagedPaintDevice &device)
        : p(painter)
        , kx(device.logicalDpiX() / 25.4)
        , ky(device.logicalDpiY() / 25.4)
    { }

    QPointF at(double x, double y) const { return { x * kx, y * ky }; }
    QRectF box(double x, double y, double w, double h) const
    {
        return QRectF(at(x, y), at(x + w, y + h));
    }
    QPen pen(const QColor &color, double widthMm, Qt::PenCapStyle cap = Qt::SquareCap) const
    {
        return QPen(color, widthMm * kx, Qt::SolidLine, cap, Qt::MiterJoin);
    }
    void line(double x1, double y1, double x2, double y2, const QColor &color, double widthMm)
    {
        p.setPen(pen(color, widthMm));
        p.drawLine(at(x1, y1), at(x2, y2));
    }
    // Text in the box, aligned by `flags`.
    void text(double x, double y, double w, double h, int flags, const QString &s, qreal points,
              bool bold = false)
    {
        p.setFont(fonts::gothic(points, bold));
        p.setPen(black);
        p.drawText(box(x, y, w, h), flags, s);
    }

    QPainter &p;
    double kx, ky;
};

double areaAt(const Sheet &sheet, double x)
{
    return steps::figureArea(sheet.columns, x);
}

QString yText(double y)
{
    return numtext::printed(y).trimmed();
}

void heading(Paper &paper, bool answers)
{
    paper.text(20, 10, 120, 10, Qt::AlignLeft | Qt::AlignVCenter,
               answers ? Text::tr("関数の利用　答え") : Text::tr("関数の利用　問題"), 16, true);
    if (!answers)
        paper.text(110, 10, 80, 10, Qt::AlignRight | Qt::AlignVCenter,
                   Text::tr("　　組　　番　名前＿＿＿＿＿＿＿＿"), 11);
    paper.text(
        20, 24, 170, 20, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        Text::tr("長方形ABCDの辺BCの上に、図のような図形があります。図形は辺BCにそって左へ動き"
                 "ます。点Ｐが点Ｂから χ cm 動いたとき、辺ABより左に出た部分（斜線の部分）の面"
                 "積を y cm² とします。表を完成させ、χ と y の関係をグラフに表しましょう。"),
        10.5);
}

// The rectangle with the figure at true scale, P where the lesson has it, the crossed part
// hatched over light grey.
void figure(Paper &paper, const Sheet &sheet)
{
    const double x = sheet.x;
    // Centred across the page: the figure may stand up to 10 cm left of B.
    const double B = (pageWidth - 100 - 10 * x) / 2 + 10 * x;
    const double C = B + 100;
    const double P = B - 10 * x;
    QPainter &p = paper.p;

    QPainterPath shape;
    std::vector<QPainterPath> pieces;
    for (int k = 0; k < 5; ++k) {
        const double code = sheet.columns[k];
        const double left = P + 20 * k;
        QPainterPath piece;
        if (code >= 1 && code <= 3) {
            piece.addRect(paper.box(left, figureBase - 20 * code, 20, 20 * code));
        } else if (code == 4) {
            piece.moveTo(paper.at(left, figureBase));
            piece.lineTo(paper.at(left + 60, figureBase));
            piece.lineTo(paper.at(left + 60, figureBase - 60));
            piece.closeSubpath();
        } else {
            continue;
        }
        pieces.push_back(piece);
        shape = shape.united(piece);
    }

    QPainterPath leftOfAB;
    leftOfAB.addRect(paper.box(0, 0, B, 297));
    const QPainterPath crossed = shape.intersected(leftOfAB);
    if (!crossed.isEmpty()) {
        p.fillPath(crossed, crossedGrey);
        p.save();
        p.setClipPath(crossed);
        p.setPen(paper.pen(midGrey, 0.2));
        for (double d = -70; d < 110; d += 2.5)
            p.drawLine(paper.at(P + d, figureBase), paper.at(P + d + 70, figureBase - 70));
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(paper.pen(darkGrey, 0.35));
    for (const QPainterPath &piece : pieces)
        p.drawPath(piece);

    // The base line runs on left of B, as on the blackboard.
    paper.line(std::min(P, B) - 8, figureBase, B - 1, figureBase, midGrey, 0.3);
    p.setPen(Qt::NoPen);
    p.setBrush(darkGrey);
    p.drawEllipse(paper.at(P, figureBase), 0.9 * paper.kx, 0.9 * paper.ky);
    p.setBrush(Qt::NoBrush);

    // ABCD in black, drawn last so nothing covers it.
    p.setPen(paper.pen(black, 0.5));
    p.drawRect(paper.box(B, figureTop, 100, 60));

    paper.text(B - 8, figureTop - 8, 6, 6, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("A"),
               11);
    // Right of CD while the paper has room there, else just inside it.
    const bool roomRight = C + 16 <= pageWidth - 4;
    const double cornerLabel = roomRight ? C + 1.5 : C - 7.5;
    const int cornerAlign = roomRight ? Qt::AlignLeft : Qt::AlignRight;
    paper.text(cornerLabel, figureTop - 8, 6, 6, cornerAlign | Qt::AlignBottom, QStringLiteral("D"),
               11);
    paper.text(B + 1.5, figureBase + 1.5, 6, 6, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("B"),
               11);
    paper.text(cornerLabel, figureBase + 1.5, 6, 6, cornerAlign | Qt::AlignTop, QStringLiteral("C"),
               11);
    paper.text(P - 7.5, figureBase + 1.5, 6, 6, Qt::AlignRight | Qt::AlignTop, QStringLiteral("P"),
               11);
    paper.text(B + 30, figureBase + 2, 40, 6, Qt::AlignCenter, QStringLiteral("10 cm"), 10);
    if (roomRight)
        paper.text(C + 2, figureTop + 27, 14, 6, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("6 cm"), 10);
    else
        paper.text(C - 16, figureTop + 27, 14, 6, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("6 cm"), 10);
    if (x > 0) {
        const double y = figureBase + 10;
        paper.line(P, y, B, y, darkGrey, 0.25);
        paper.line(P, y - 1.5, P, y + 1.5, darkGrey, 0.25);
        paper.line(B, y - 1.5, B, y + 1.5, darkGrey, 0.25);
        paper.text((P + B) / 2 - 15, y + 0.5, 30, 5, Qt::AlignCenter, Text::tr("χ cm"), 9);
    }
    paper.text(110, figureBase + 10, 90, 4, Qt::AlignRight | Qt::AlignVCenter,
               Text::tr("図は実物大です（1 cm が 1 cm）。"), 8);
}

void table(Paper &paper, const Sheet &sheet, bool answers)
{
    const double right = tableLeft + tableXWidth + tableYWidth;
    const double bottom = tableTop + 12 * tableRow;
    for (int r = 0; r <= 12; ++r)
        paper.line(tableLeft, tableTop + r * tableRow, right, tableTop + r * tableRow,
                   r == 1 ? darkGrey : midGrey, r == 1 ? 0.4 : 0.25);
    for (double c : { tableLeft, tableLeft + tableXWidth, right })
        paper.line(c, tableTop, c, bottom, midGrey, 0.25);
    const int centre = Qt::AlignCenter;
    paper.text(tableLeft, tableTop, tableXWidth, tableRow, centre, Text::tr("χ (cm)"), 10);
    paper.text(tableLeft + tableXWidth, tableTop, tableYWidth, tableRow, centre,
               Text::tr("y (cm²)"), 10);
    for (int i = 0; i <= 10; ++i) {
        const double top = tableTop + (i + 1) * tableRow;
        paper.text(tableLeft, top, tableXWidth, tableRow, centre, QString::number(i), 10);
        if (answers)
            paper.text(tableLeft + tableXWidth, top, tableYWidth, tableRow, centre,
                       yText(areaAt(sheet, i)), 10);
    }
}

void graph(Paper &paper, const Sheet &sheet, bool answers)
{
    const double w = 10 * graphMmPerCm, h = 60 * graphMmPerCm2;
    const double top = graphBottom - h;
    for (int i = 1; i <= 10; ++i)
        paper.line(graphLeft + i * graphMmPerCm, top, graphLeft + i * graphMmPerCm, graphBottom,
                   gridGrey, 0.15);
    for (int i = 1; i <= 15; ++i)
        paper.line(graphLeft, graphBottom - 4 * i * graphMmPerCm2, graphLeft + w,
                   graphBottom - 4 * i * graphMmPerCm2, gridGrey, 0.15);
    paper.line(graphLeft, graphBottom, graphLeft + w + 4, graphBottom, darkGrey, 0.4);
    paper.line(graphLeft, graphBottom, graphLeft, top - 4, darkGrey, 0.4);

    paper.text(graphLeft - 6, graphBottom + 0.5, 5, 5, Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("0"), 9);
    for (int i = 1; i <= 10; ++i)
        paper.text(graphLeft + i * graphMmPerCm - 5, graphBottom + 0.5, 10, 5, Qt::AlignCenter,
                   QString::number(i), 9);
    for (int i = 1; i <= 15; ++i)
        paper.text(graphLeft - 12, graphBottom - 4 * i * graphMmPerCm2 - 2.5, 10, 5,
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(4 * i), 9);
    paper.text(graphLeft + w + 5, graphBottom - 2.5, 20, 5, Qt::AlignLeft | Qt::AlignVCenter,
               Text::tr("χ (cm)"), 9);
    paper.text(graphLeft - 10, top - 9, 30, 5, Qt::AlignLeft | Qt::AlignVCenter,
               Text::tr("y (cm²)"), 9);
    // Under the table, leaving the space below it to the formulas of the answer key.
    paper.text(tableLeft, tableTop + 12 * tableRow + 1, 60, 9, Qt::AlignLeft | Qt::AlignTop,
               Text::tr("グラフは 横 1 cm が χ 1 cm、\n縦 1 cm が y 4 cm²"), 8);

    if (!answers)
        return;
    // The lesson's points at every half centimetre, joined: straight over bars, curved over the
    // triangle, as on the screen.
    QPolygonF points;
    for (int i = 0; i <= 20; ++i)
        points << paper.at(graphLeft + i / 2.0 * graphMmPerCm,
                           graphBottom - areaAt(sheet, i / 2.0) * graphMmPerCm2);
    QPainter &p = paper.p;
    p.setPen(paper.pen(black, 0.5, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    for (int i = 0; i <= 20; i += 2)
        p.drawEllipse(points[i], 0.7 * paper.kx, 0.7 * paper.ky);
    p.setBrush(Qt::NoBrush);
}

void formulas(Paper &paper, const Sheet &sheet)
{
    if (sheet.formulas.isEmpty())
        return;
    double y = tableTop + 12 * tableRow + 11;
    paper.text(tableLeft, y, 60, 6, Qt::AlignLeft | Qt::AlignVCenter, Text::tr("式"), 10, true);
    for (const QString &line : sheet.formulas) {
        y += 5.5;
        paper.text(tableLeft, y, 60, 6, Qt::AlignLeft | Qt::AlignVCenter, line, 9);
    }
}

void page(Paper &paper, const Sheet &sheet, bool answers)
{
    heading(paper, answers);
    figure(paper, sheet);
    table(paper, sheet, answers);
    graph(paper, sheet, answers);
    if (answers)
        formulas(paper, sheet);
}

} // namespace

void paint(QPagedPaintDevice &device, const Sheet &sheet)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    Paper paper(painter, device);
    page(paper, sheet, false);
    device.newPage();
    page(paper, sheet, true);
}

bool writePdf(const QString &path, const Sheet &sheet, QString &reason)
{
    // Refused before the pages are drawn; written whole or not at all.
    if (!safefile::checkTarget(path, reason))
        return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setResolution(1200);
        pdf.setTitle(Text::tr("関数の利用　プリント"));
        pdf.setCreator(QStringLiteral("kansu"));
        paint(pdf, sheet);
    }
    return safefile::write(path, buffer.data(), reason);
}

} // namespace worksheet
