#pragma once

#include "core/prediction.h"
#include "tools/lesson.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QRectF>
#include <array>
#include <optional>

class PicturePanel;
class ToolHost;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QWidget;
class PredictLayer;

/// Predict, then reveal: the learner's y at each whole x, typed into boxes in the table or placed
/// as points on the graph, each marked right or wrong when P reaches its x. It draws only with
/// child widgets above the table's and the graph's pictures, never into them; of the lesson it
/// changes only what the tools menu does (it switches the formulas off while it runs).
class PredictionTool : public QObject
{
    Q_OBJECT

public:
    /// `shownTo`: the lesson has shown y at every whole x up to this one.
    PredictionTool(ToolHost &host, const int &shownTo);
    ~PredictionTool() override;

    struct Mark
    {
        bool made = false;
        bool right = false;
    };
    /// What the learner predicted at one whole x, and how it was marked.
    struct Column
    {
        std::optional<prediction::Fraction> typed;
        QString typedText; ///< as the learner typed it (what Esc restores)
        std::optional<double> placed; ///< cm², a multiple of 0.5
        Mark typedMark;
        Mark placedMark;
    };

    void start();
    void stop();
    bool isActive() const { return m_active; }
    /// After a step, a return to the start (`clear` false) or a new figure or initial screen.
    void follow(bool clear);
    std::optional<bool> key(QWidget *target, const QKeyEvent &key);
    /// Whether the right button's last press on the graph was taken here (not a menu); asking
    /// forgets it.
    bool tookRightClick();
    /// Every text again, in the language just chosen.
    void retranslate();
    /// A view shown or hidden: the boxes and points follow.
    void viewsChanged() { refresh(); }

    // What the screen shows, for tests and assistive technology.
    const Column &column(int x) const { return m_columns.at(size_t(x)); }
    QLineEdit *box(int x) const { return m_boxes.at(size_t(x)); }
    QLabel *tableMark(int x) const { return m_tableMarks.at(size_t(x)); }
    QLabel *tableTally() const { return m_tableTally; }
    QLabel *graphTally() const { return m_graphTally; }
    QLabel *message() const { return m_message; }
    QLabel *graphMessage() const { return m_graphMessage; }
    QWidget *layer() const;
    /// Whether the keyboard is in use, so that its selection mark may show.
    bool keyboardInUse() const;
    int selectedX() const { return m_selected; }
    /// x as P shows it now.
    double currentX() const;
    /// y at a whole x of the figure as it stands.
    double trueY(int x) const;
    /// P has reached x: the lesson shows y there.
    bool reached(int x) const { return x <= currentX(); }
    /// The lesson has shown y at x since the figure was built: x takes no prediction any more.
    bool shown(int x) const;
    /// A mark beside a point of the graph: the sign, then the true y where it shows.
    struct MarkLabel
    {
        int x = 0;
        QString text;
        qsizetype signLength = 0;
        qreal valueOffset = 0; ///< where the true y starts after the sign
        QPointF baseline;
        QRectF rect; ///< the text's box in the graph's picture
        bool right = false;
        bool operator==(const MarkLabel &) const = default;
    };
    QList<MarkLabel> markLabels() const;
    static QFont markFont();
    /// The text of a tally: right / marked.
    static QString tallyText(int right, int marked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class PredictLayer;

    void refresh();
    void nameBox(int x);
    // A box at an x whose y has been shown holds that y and takes nothing.
    void setRevealed(int x, bool revealed);
    void clearAll();
    void markReached();
    int boxIndex(const QObject *object) const;
    // Takes what box x holds; `arriving` when P has just reached x with the box still open.
    bool commit(int x, bool keepRefusedText, bool arriving = false);
    void showRefusal(int x, const QString &text);
    void focusBox(int x, int direction);
    // The graph.
    void graphMouseDown(int button, int shift, float X, float Y);
    void graphMouseMove(int button, int shift, float X, float Y);
    void graphMouseUp(int button, int shift, float X, float Y);
    bool placeable(int x, bool sayWhy);
    void setPlaced(int x, std::optional<double> y);
    QString pointSentence(int x) const;
    QString markSentence(int x) const;
    void describe();

    PicturePanel *hyo() const;
    PicturePanel *gamen() const;
    bool shownView(Lesson::View view) const;

    ToolHost &m_host;
    const int &m_shownTo;
    QWidget *m_beforeTable; // where Tab comes from into the table's boxes
    bool m_active = false;
    std::array<Column, 11> m_columns {}; // 1 to 10
    std::array<QLineEdit *, 11> m_boxes {};
    std::array<QLabel *, 11> m_tableMarks {};
    QLabel *m_tableTally = nullptr;
    QLabel *m_graphTally = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_graphMessage = nullptr;
    PredictLayer *m_layer = nullptr;
    // What the graph's layer draws: it is repainted only when this changes, as it covers the
    // whole graph and a step rarely changes it.
    struct LayerLook
    {
        std::array<std::optional<double>, 11> placed;
        QList<MarkLabel> labels;
        bool focusMarker = false;
        int selected = 0;
        bool operator==(const LayerLook &) const = default;
    };
    LayerLook layerLook() const;
    std::optional<LayerLook> m_layerLook; // as last repainted from refresh()
    int m_selected = 1;
    int m_dragging = 0;
    bool m_rightClickTaken = false;
    Qt::FocusPolicy m_graphPolicy = Qt::NoFocus;
};
