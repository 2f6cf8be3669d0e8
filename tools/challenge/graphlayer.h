#pragma once

#include "core/challenge.h"
#include "toolkit/picture.h"

#include <QColor>
#include <QCoreApplication>
#include <QWidget>
#include <vector>

class PicturePanel;

/// Graphs of figures the lesson does not hold, drawn above the graph panel's picture as the
/// lesson would draw them there (same pixels), but seen only where the picture shows its bare
/// paper: the lesson's own graph, grid and numbers stay on top. A standing mark: the panel's
/// picture is never touched.
class GraphLayer : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(GraphLayer)

public:
    struct Graph
    {
        challenge::Figure figure {};
        QColor ink; ///< the line's colour
        QColor gap; ///< the colour between dashes; `ink` for a solid line
    };

    GraphLayer(PicturePanel *panel, const QString &objectName);

    void setGraphs(std::vector<Graph> graphs);
    const std::vector<Graph> &graphs() const { return m_graphs; }

    /// Draws `figure`'s whole graph into `picture` in `ink`, with the lesson's own pen and
    /// rounding, P stepping from x = 0 to 10 with the graph shown from the start.
    static void drawGraph(Picture &picture, const challenge::Figure &figure, const QColor &ink);

    /// The pieces of a figure in words: "0〜2 cm に正方形、4〜10 cm に直角三角形", translated.
    static QString piecesInWords(const challenge::Figure &figure);

protected:
    void paintEvent(QPaintEvent *event) override;
    /// What stands above the graphs (a legend); nothing by default.
    virtual void paintAbove(QPainter &) { }
    PicturePanel *panel() const { return m_panel; }

private:
    // The drawn graphs, remade when the panel's ratio changes.
    void prepare();

    PicturePanel *m_panel;
    std::vector<Graph> m_graphs;
    std::vector<Picture> m_drawn;
    qreal m_drawnRatio = 0;
};
