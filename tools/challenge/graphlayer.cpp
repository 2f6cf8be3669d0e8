#include "tools/challenge/graphlayer.h"

#include "core/lessonformat.h"
#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

// Whatever the lines are not drawn in; no ink is ever this colour.
const QColor unpainted(Qt::white);

// Dashes along x, in the panel's pixels, so that they look alike at every ratio.
constexpr double dashOn = 6, dashPeriod = 10;

} // namespace

GraphLayer::GraphLayer(PicturePanel *panel, const QString &objectName)
    : QWidget(panel)
    , m_panel(panel)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    panel->placeWidget(this, QRect(QPoint(0, 0), panel->pictureSize()));
    hide();
}

void GraphLayer::setGraphs(std::vector<Graph> graphs)
{
    m_graphs = std::move(graphs);
    m_drawnRatio = 0;
    update();
}

void GraphLayer::drawGraph(Picture &picture, const challenge::Figure &figure, const QColor &ink)
{
    // As the lesson plots: the dot at the origin, then each step's segment from the rounded
    // end of the last one to the exact new point, three pixels wide.
    picture.setDrawWidth(3);
    const QPointF origin = geometry::graphPoint(0, 0);
    picture.line(origin, origin, ink);
    double lastX = origin.x();
    double lastY = numtext::toInt16(origin.y());
    for (int n = 1; n <= geometry::steps; ++n) {
        const double y = challenge::yAt(figure, formulas::Rational(n, 2)).toDouble();
        const QPointF at = geometry::graphPoint(n / 2.0, y);
        picture.line(QPointF(lastX, lastY), at, ink);
        lastX = at.x();
        lastY = numtext::toInt16(at.y());
    }
}

void GraphLayer::prepare()
{
    const qreal ratio = m_panel->pictureRatio();
    if (m_drawnRatio == ratio && m_drawn.size() == m_graphs.size())
        return;
    m_drawn.clear();
    for (const Graph &g : m_graphs) {
        Picture &p = m_drawn.emplace_back();
        p.setBackColor(unpainted);
        p.resize(m_panel->pictureSize(), ratio);
        drawGraph(p, g.figure, g.ink);
    }
    m_drawnRatio = ratio;
}

void GraphLayer::paintEvent(QPaintEvent *event)
{
    prepare();
    QPainter painter(this);
    const QImage &lesson = m_panel->picture();
    const qreal ratio = lesson.devicePixelRatio();
    // Only the device pixels this paint covers.
    const QRectF logical = QRectF(event->rect()) & QRectF(QPointF(0, 0), m_panel->pictureSize());
    const QRect device = QRect(QPoint(int(std::floor(logical.left() * ratio)),
                                      int(std::floor(logical.top() * ratio))),
                               QPoint(int(std::ceil(logical.right() * ratio)) - 1,
                                      int(std::ceil(logical.bottom() * ratio)) - 1))
        & lesson.rect();
    if (!m_graphs.empty() && !device.isEmpty()) {
        QImage out(device.size(), QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        const QRgb paper = geometry::colour::paper.rgb() | 0xFF000000u;
        const QRgb blank = unpainted.rgb() | 0xFF000000u;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            const QRgb *under = reinterpret_cast<const QRgb *>(lesson.constScanLine(y));
            QRgb *row = reinterpret_cast<QRgb *>(out.scanLine(y - device.top()));
            for (int x = device.left(); x <= device.right(); ++x) {
                if ((under[x] | 0xFF000000u) != paper)
                    continue;
                // The latest graph stands above the earlier ones.
                for (size_t i = m_drawn.size(); i-- > 0;) {
                    const QImage &mine = m_drawn[i].image();
                    const QRgb c = reinterpret_cast<const QRgb *>(mine.constScanLine(y))[x];
                    if ((c | 0xFF000000u) == blank)
                        continue;
                    const Graph &g = m_graphs[i];
                    const bool on = std::fmod(x / ratio, dashPeriod) < dashOn;
                    row[x - device.left()] = (on ? g.ink : g.gap).rgba();
                    break;
                }
            }
        }
        out.setDevicePixelRatio(ratio);
        drawOneForOne(painter, QPointF(device.topLeft()) / ratio, out);
    }
    paintAbove(painter);
}

QString GraphLayer::piecesInWords(const challenge::Figure &figure)
{
    QStringList parts;
    for (const lessonformat::Piece &piece : lessonformat::piecesOf(figure)) {
        const int from = 2 * piece.column;
        QString what;
        int to = from + 2;
        switch (piece.kind) {
        case lessonformat::PieceKind::Square:
            what = tr("正方形");
            break;
        case lessonformat::PieceKind::Bar4:
            what = tr("高さ 4 cm の長方形");
            break;
        case lessonformat::PieceKind::Bar6:
            what = tr("高さ 6 cm の長方形");
            break;
        case lessonformat::PieceKind::Triangle:
            what = tr("直角三角形");
            to = from + 6;
            break;
        }
        //: a piece of the figure and where it stands, counted from B
        parts << tr("%1〜%2 cm に%3").arg(from).arg(to).arg(what);
    }
    return parts.join(tr("、"));
}
