// Kept graphs: faint traces under the lesson's own graph, each with its figure as a legend.
#include "tools/traces/tracestool.h"

#include "core/lessonformat.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"
#include "tools/graphlayer.h"
#include "tools/host/toolhost.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Faint, and apart from each other, the lesson's blue, the grid and the challenge's orange.
struct Shade
{
    QColor ink;
    const char *name;
};
const Shade shades[TracesTool::most] = {
    { QColor(235, 130, 170), QT_TRANSLATE_NOOP("TracesTool", "ピンク") },
    { QColor(150, 140, 235), QT_TRANSLATE_NOOP("TracesTool", "むらさき") },
    { QColor(90, 200, 200), QT_TRANSLATE_NOOP("TracesTool", "水色") },
};

// The legend: the figure's outline at a fifth of the board's size.
constexpr double legendScale = 0.2;

void drawOutline(QPainter &p, const challenge::Figure &figure, const QPointF &origin)
{
    using namespace geometry;
    const double s = legendScale;
    // The rectangle the figure stands in, then the pieces.
    p.drawRect(QRectF(origin, QSizeF((Dx - Ax) * s, (baseY - topY) * s)));
    const double base = origin.y() + (baseY - topY) * s;
    for (int k = 0; k < columns; ++k) {
        const int code = int(figure[size_t(k)]);
        const double left = origin.x() + columnWidth * k * s;
        if (code >= 1 && code <= 3) {
            const int h = code == 1 ? squareHeight : code == 2 ? shortBarHeight : tallBarHeight;
            p.fillRect(QRectF(left, base - h * s, columnWidth * s, h * s), p.pen().color());
        } else if (code == 4) {
            QPainterPath path;
            path.moveTo(left, base);
            path.lineTo(left + triangleWidth * s, base);
            path.lineTo(left + triangleWidth * s, base - triangleHeight * s);
            path.closeSubpath();
            p.fillPath(path, p.pen().color());
        }
    }
}

class TraceLayer : public GraphLayer
{
public:
    using GraphLayer::GraphLayer;

protected:
    void paintAbove(QPainter &p) override
    {
        p.setRenderHint(QPainter::Antialiasing, false);
        for (size_t i = 0; i < graphs().size(); ++i) {
            const QRectF box = TracesTool::legendRect(int(i));
            p.setPen(QPen(graphs()[i].ink, 1));
            p.setBrush(Qt::NoBrush);
            drawOutline(p, graphs()[i].figure, box.topLeft());
        }
    }
};

QString describeFigure(const challenge::Figure &figure)
{
    const QString pieces = GraphLayer::piecesInWords(figure);
    return pieces.isEmpty() ? TracesTool::tr("図形なし") : pieces;
}

} // namespace

TracesTool::TracesTool(ToolHost &host)
    : Tool(host)
{ }

QRectF TracesTool::legendRect(int i)
{
    // Top left of the plot, where no graph can go (y never exceeds 6 cm² per cm of x), under
    // the challenge's verdict.
    using namespace geometry;
    const QSizeF size((Dx - Ax) * legendScale, (baseY - topY) * legendScale);
    return QRectF(QPointF(graphOriginX + 15, 64 + i * (size.height() + 8)), size);
}

void TracesTool::act(const tools::ToolRow &row, bool)
{
    if (QLatin1String(row.id) == QLatin1String("traces"))
        keep();
    else
        clear();
}

void TracesTool::keep()
{
    if (int(m_traces.size()) >= most) {
        host.tellProblem(
            tr("残せるグラフは %1 つまでです。「消す」で消してから残してください").arg(most));
        return;
    }
    m_traces.push_back(host.lesson().state().columns);
    show(true);
    const size_t i = m_traces.size() - 1;
    host.announce(
        tr("グラフを%1で残しました（%2）").arg(tr(shades[i].name), describeFigure(m_traces[i])));
}

void TracesTool::clear()
{
    if (m_traces.empty()) {
        host.tellProblem(tr("残したグラフはありません"));
        return;
    }
    m_traces.clear();
    show(false);
    host.announce(tr("残したグラフを消しました"));
}

void TracesTool::show(bool reveal)
{
    if (!m_layer && m_traces.empty())
        return;
    if (!m_layer)
        m_layer
            = new TraceLayer(host.lesson().panel(Lesson::Panel::Graph), QStringLiteral("traces"));
    std::vector<GraphLayer::Graph> graphs;
    for (size_t i = 0; i < m_traces.size(); ++i)
        graphs.push_back({ m_traces[i], shades[i].ink, shades[i].ink });
    m_layer->setGraphs(graphs);
    m_layer->setVisible(!m_traces.empty());
    if (reveal && !m_traces.empty() && !host.lesson().state().isShown(Lesson::View::Graph))
        host.lesson().setShown(Lesson::View::Graph, true);
    retranslate();
}

void TracesTool::retranslate()
{
    if (!m_layer)
        return;
    QStringList said;
    for (size_t i = 0; i < m_traces.size(); ++i)
        said << tr("%1: %2").arg(tr(shades[i].name), describeFigure(m_traces[i]));
    m_layer->setAccessibleName(tr("残したグラフ"));
    m_layer->setAccessibleDescription(said.join(tr("。")));
}

void TracesTool::keepIn(lessonformat::Lesson &lesson) const
{
    for (const challenge::Figure &f : m_traces)
        lesson.traces.push_back(lessonformat::piecesOf(f));
}

void TracesTool::takeFrom(const lessonformat::Lesson &lesson)
{
    m_traces.clear();
    for (const auto &pieces : lesson.traces) {
        if (int(m_traces.size()) < most)
            m_traces.push_back(lessonformat::columnsOf(pieces));
    }
    // The file says which views show.
    show(false);
}
