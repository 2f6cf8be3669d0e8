#pragma once

#include "core/rate.h"
#include "tools/tool.h"

#include <QObject>
#include <QPainterPath>
#include <QPointF>
#include <optional>

class PanelItem;
class QWidget;

/// 変化の割合: the rate of change from a start point to P, at once in the table (arrows with
/// the increases), on the graph (the slope triangle) and on the board (the strip of the figure
/// that crossed AB meanwhile, whose area is the increase of y).
class RateTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr tools::ToolRow rows[] = {
        { "rate", QT_TRANSLATE_NOOP("tools", "変化の割合"), "F9", "rate", "",
          QT_TRANSLATE_NOOP("tools",
                            "始まりの点から点Ｐまでの変化の割合を、表とグラフと図形で示す"),
          tools::ToolRow::Switch, false },
    };

    explicit RateTool(ToolHost &host);
    ~RateTool() override;

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    std::optional<bool> key(QWidget *target, const QKeyEvent &key) override;
    void retranslate() override;
    std::vector<KeyLine> keyLines() const override;
    void keepIn(lessonformat::Lesson &lesson) const override;
    void takeFrom(const lessonformat::Lesson &lesson) override;
    std::vector<SheetTask> sheetTasks() const override;

    bool isOn() const;
    /// Where the interval starts, in half centimetres (0 to 20).
    int start() const { return m_start; }
    /// Moves the start point there (kept within 0 to 20), shows it and says it.
    void setStart(int halves);
    /// The interval from the start point to P, when P stands beyond it.
    std::optional<rate::Interval> interval() const;
    /// Whether the tool may show y at both ends: with predictions open, only where the table
    /// or the graph shows y already.
    bool showsY() const;
    /// What the tool says now: the interval, the rate and the sentence, or the start point.
    QString statement() const;
    /// What the marks show, worked out once for each change of the lesson.
    struct Marks
    {
        std::optional<rate::Interval> interval; ///< empty while P stands at or before the start
        bool withY = false; ///< y may be shown at both ends (see showsY())
        double y1 = 0; ///< y at the start, when shown
        QString dx, dy; ///< the increases as written: "+2", "+8"
        formulas::Written line; ///< the rate, or only the increase of x while y is a question
        QString linePlain; ///< `line` as plain text
        QString sentence; ///< ties the rate to the figure at AB, or says why y is not given
        QPainterPath strip; ///< the part that crossed AB in the interval, in board pixels
    };
    const Marks &marks() const { return m_marks; }
    /// "x の増加量 2": all that is said of the interval while y is a question.
    QString increaseOfX() const;
    ToolHost &toolHost() const { return host; }

    /// The marks on the board, the table and the graph: controls standing on the panels
    /// (made when first switched on).
    const PanelItem *boardMarks() const { return m_board; }
    const PanelItem *tableMarks() const { return m_table; }
    const PanelItem *graphMarks() const { return m_graph; }
    /// The line the board shows now (what was asked for may not be painted yet).
    QString shownLine() const;

    // Where the marks stand, in picture pixels (for the layers and the tests).
    /// The centre of the table's column at x (whole columns; between them, in proportion).
    static double tableColumnCentre(double x);
    /// The graph point (x, y), by the graph's scale.
    static QPointF graphPoint(double x, double y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setShown(bool on);
    // `boardRepainted`: the lesson has just drawn the figure again, the strip's layer over it.
    void refresh(bool say, bool boardRepainted = false);

    PanelItem *m_board = nullptr;
    PanelItem *m_table = nullptr;
    PanelItem *m_graph = nullptr;
    Marks m_marks;
    int m_start = 0;
    bool m_startFromFile = false; // m_start came from a lesson file, not from P
    bool m_dragging = false; // the start marker is being dragged on the graph
};
