#include "tools/worksheet/worksheetpage.h"

#include "core/numtext.h"
#include "core/safefile.h"
#include "core/steps.h"
#include "toolkit/fonts.h"
#include "tools/formulapaint.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
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

// Where things go on A4 (210 × 297 mm), in mm from the paper's top-left corner. Nothing comes
// nearer the paper's edge than `margin`, so that any printer prints all of it.
constexpr double pageWidth = 210, pageHeight = 297, margin = 10;
constexpr double figureTop = 45; // side AD
constexpr double figureBase = figureTop + 60; // side BC
// Beside the rectangle: the base line and "P" to its left, "D", "C" and "6 cm" to its right.
constexpr double figureLeftRoom = 8, figureRightRoom = 16;
constexpr double graphLeft = 32, graphBottom = 278; // the graph's origin
constexpr double graphTop = graphBottom - 60 * graphMmPerCm2;
constexpr double tableLeft = 147, tableTop = graphTop, tableRow = 8;
constexpr double tableXWidth = 20, tableYWidth = 30;
// The formulas stand in the column right of the graph, above its axis label.
constexpr double formulasLeft = 138, formulasBottom = graphBottom - 5;

// Millimetres on the device, whatever its resolution.
class Paper
{
public:
    Paper(QPainter &painter, const QPagedPaintDevice &device)
        : p(painter)
        , device(&device)
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
    // Text in the box, aligned by `flags`, one line for each "\n"; x and y in italics.
    void text(double x, double y, double w, double h, int flags, const QString &s, qreal points,
              bool bold = false)
    {
        const formulas::Setter setter(fonts::gothic(points, bold), device);
        const QFontMetricsF fm(setter.font(), const_cast<QPagedPaintDevice *>(device));
        const QStringList lines = s.split(QLatin1Char('\n'));
        const QRectF r = box(x, y, w, h);
        const double height = lines.size() * fm.height();
        double top = r.top();
        if (flags & Qt::AlignBottom)
            top = r.bottom() - height;
        else if (flags & Qt::AlignVCenter)
            top = r.center().y() - height / 2;
        p.setPen(black);
        for (const QString &l : lines) {
            const formulas::Written written = formulas::written(l);
            const double width = setter.width(written);
            double left = r.left();
            if (flags & Qt::AlignRight)
                left = r.right() - width;
            else if (flags & Qt::AlignHCenter)
                left = r.center().x() - width / 2;
            setter.draw(p, QPointF(left, top + fm.ascent()), written);
            top += fm.height();
        }
    }

    QPainter &p;
    const QPagedPaintDevice *device;
    double kx, ky;
};

double areaAt(const Sheet &sheet, double x)
{
    return steps::figureArea(sheet.columns, x);
}

// As a textbook writes it: "0.5", not the lesson's ".5".
QString yText(double y)
{
    return QString::number(y, 'g', 10);
}

void heading(Paper &paper, bool answers)
{
    paper.text(margin + 10, margin, 120, 8, Qt::AlignLeft | Qt::AlignVCenter,
               answers ? Text::tr("関数の利用　答え") : Text::tr("関数の利用　問題"), 16, true);
    if (!answers)
        paper.text(110, margin, 80, 8, Qt::AlignRight | Qt::AlignVCenter,
                   Text::tr("　　組　　番　名前＿＿＿＿＿＿＿＿"), 11);
    const formulas::Setter setter(fonts::gothic(10.5), paper.device);
    paper.p.setPen(black);
    setter.drawWrapped(
        paper.p, paper.at(margin + 10, margin + 10), 170 * paper.kx,
        formulas::written(
            Text::tr("長方形ABCDの辺BCの上に、図のような図形があります。図形は辺BCにそって左へ動き"
                     "ます。点Ｐが点Ｂから x cm 動いたとき、辺ABより左に出た部分（斜線の部分）の面"
                     "積を y cm² とします。表を完成させ、x と y の関係をグラフに表しましょう。")
                .replace(QStringLiteral(" cm"), QStringLiteral("\u00a0cm"))),
        0.8 * paper.ky);
}

} // namespace

double figureX(double x)
{
    // The widest drawing that fits between the margins, at true scale.
    const bool fits = figureLeftRoom + 10 * x + 100 + figureRightRoom <= pageWidth - 2 * margin;
    return x > 0 && fits ? x : 3;
}

namespace {

// The rectangle with the figure at true scale part-way out, P and x marked, the crossed part
// hatched over light grey.
void figure(Paper &paper, const Sheet &sheet)
{
    const double x = figureX(sheet.x);
    // Centred across the page with its labels.
    const double P
        = (pageWidth - figureLeftRoom - 10 * x - 100 - figureRightRoom) / 2 + figureLeftRoom;
    const double B = P + 10 * x;
    const double C = B + 100;
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

    // The base line runs on left of B, as on the blackboard; the figure stands on it.
    paper.line(P - figureLeftRoom + 1, figureBase, B - 1, figureBase, midGrey, 0.3);

    QPainterPath leftOfAB;
    leftOfAB.addRect(paper.box(0, 0, B, pageHeight));
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

    p.setPen(Qt::NoPen);
    p.setBrush(darkGrey);
    p.drawEllipse(paper.at(P, figureBase), 0.9 * paper.kx, 0.9 * paper.ky);
    p.setBrush(Qt::NoBrush);

    // ABCD in black, drawn last so nothing covers it.
    p.setPen(paper.pen(black, 0.5));
    p.drawRect(paper.box(B, figureTop, 100, 60));

    const auto label = [&](double left, double top, int align, const QString &s) {
        paper.text(left, top, 6, 6, align, s, 11);
    };
    label(B - 7.5, figureTop - 7, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("A"));
    label(C + 1.5, figureTop - 7, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("D"));
    label(B + 1.5, figureBase + 1, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("B"));
    label(C + 1.5, figureBase + 1, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("C"));
    label(P - 7.5, figureBase + 1, Qt::AlignRight | Qt::AlignTop, QStringLiteral("P"));
    paper.text(B + 30, figureBase + 1.5, 40, 6, Qt::AlignCenter, QStringLiteral("10 cm"), 10);
    paper.text(C + 2, figureTop + 27, 14, 6, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("6 cm"), 10);
    const double marker = figureBase + 9.5;
    paper.line(P, marker, B, marker, darkGrey, 0.25);
    paper.line(P, marker - 1.5, P, marker + 1.5, darkGrey, 0.25);
    paper.line(B, marker - 1.5, B, marker + 1.5, darkGrey, 0.25);
    paper.text((P + B) / 2 - 15, marker + 0.5, 30, 5, Qt::AlignCenter, Text::tr("x cm"), 9);
    paper.text(110, marker, pageWidth - margin - 110, 4, Qt::AlignRight | Qt::AlignVCenter,
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
    paper.text(tableLeft, tableTop, tableXWidth, tableRow, centre, Text::tr("x (cm)"), 10);
    paper.text(tableLeft + tableXWidth, tableTop, tableYWidth, tableRow, centre,
               Text::tr("y (cm²)"), 10);
    for (int i = 0; i <= 10; ++i) {
        const double top = tableTop + (i + 1) * tableRow;
        paper.text(tableLeft, top, tableXWidth, tableRow, centre, QString::number(i), 10);
        if (answers)
            paper.text(tableLeft + tableXWidth, top, tableYWidth, tableRow, centre,
                       yText(areaAt(sheet, i)), 10);
    }
    // Under the table, leaving the space below it to the formulas of the answer key.
    paper.text(tableLeft, bottom + 1, 60, 8, Qt::AlignLeft | Qt::AlignTop,
               Text::tr("グラフは 横 1 cm が x 1 cm、\n縦 1 cm が y 4 cm²"), 8);
}

void graph(Paper &paper, const Sheet &sheet, bool answers)
{
    const double w = 10 * graphMmPerCm;
    const double top = graphTop;
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
               Text::tr("x (cm)"), 9);
    // Left of the axis's end, clear of the figure's marks above.
    paper.text(graphLeft - 27, top - 7, 25, 5, Qt::AlignRight | Qt::AlignVCenter,
               Text::tr("y (cm²)"), 9);

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

// Sets `lines` from `left` at `y` (mm) in the largest size up to 9 pt at which the longest fits
// between `left` and the right margin; returns where the next line would start.
double writtenLines(Paper &paper, const std::vector<formulas::Written> &lines, double left,
                    double y)
{
    const double right = pageWidth - margin;
    qreal points = 9;
    const auto widest = [&](qreal at) {
        const formulas::Setter setter(fonts::gothic(at), paper.device);
        double most = 0;
        for (const formulas::Written &line : lines)
            most = std::max(most, setter.width(line) / paper.kx);
        return most;
    };
    while (points > 6 && widest(points) > right - left)
        points -= 0.5;
    const formulas::Setter setter(fonts::gothic(points), paper.device);
    const double pitch = (setter.ascent() + setter.descent()) / paper.ky + 1;
    paper.p.setPen(black);
    for (const formulas::Written &line : lines) {
        setter.draw(paper.p, paper.at(left, y + setter.ascent() / paper.ky), line);
        y += pitch;
    }
    return y;
}

// The tools' tasks in the column under the table: below the formulas on the answer key.
void tasks(Paper &paper, const Sheet &sheet, double y, bool answers)
{
    if (sheet.tasks.empty())
        return;
    const double width = pageWidth - margin - tableLeft;
    for (const SheetTask &task : sheet.tasks) {
        y = writtenLines(paper, answers ? task.answer : task.question, tableLeft, y);
        if (task.drawing && task.drawingHeight > 0) {
            paper.p.save();
            task.drawing(paper.p, paper.box(tableLeft, y + 1, width, task.drawingHeight), answers);
            paper.p.restore();
            y += task.drawingHeight + 2;
        }
        y += 3;
    }
}

// Where the space under the table starts: the formulas and the tasks stand there.
double underTable()
{
    return tableTop + 12 * tableRow + 17;
}

double formulas(Paper &paper, const Sheet &sheet)
{
    if (sheet.formulas.empty())
        return underTable();
    // Under the table when the lines fit there, else from nearer the graph; at the largest size
    // up to 9 pt at which the longest line fits.
    const auto widest = [&](qreal points) {
        const formulas::Setter setter(fonts::gothic(points), paper.device);
        double most = 0;
        for (const formulas::Written &line : sheet.formulas)
            most = std::max(most, setter.width(line) / paper.kx);
        return most;
    };
    const double right = pageWidth - margin;
    const double left = widest(9) <= right - tableLeft ? tableLeft : formulasLeft;
    qreal points = 9;
    while (points > 6 && widest(points) > right - left)
        points -= 0.5;
    const formulas::Setter setter(fonts::gothic(points), paper.device);
    const double pitch = (setter.ascent() + setter.descent()) / paper.ky + 1;
    // Under the table's note, or higher when five lines would reach the axis's label (or the
    // tasks that follow).
    const double room = sheet.tasks.empty() ? 0 : 12.0 * double(sheet.tasks.size());
    double y
        = std::min(underTable(), formulasBottom - room - pitch * double(sheet.formulas.size()));
    paper.text(left, y - 7, 60, 6, Qt::AlignLeft | Qt::AlignBottom, Text::tr("式"), 10, true);
    paper.p.setPen(black);
    for (const formulas::Written &line : sheet.formulas) {
        setter.draw(paper.p, paper.at(left, y + setter.ascent() / paper.ky), line);
        y += pitch;
    }
    return y + 3;
}

void page(Paper &paper, const Sheet &sheet, bool answers)
{
    heading(paper, answers);
    figure(paper, sheet);
    table(paper, sheet, answers);
    graph(paper, sheet, answers);
    tasks(paper, sheet, answers ? formulas(paper, sheet) : underTable(), answers);
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
