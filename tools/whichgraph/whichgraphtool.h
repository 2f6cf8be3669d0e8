#pragma once

#include "core/challenge.h"
#include "tools/tool.h"

#include <QObject>
#include <array>

class ChoicesBox;
class QTimer;

/// "どのグラフ？": the figure on the board and four small graphs, one of them its own; the
/// learner picks one, the pick is marked and the slide plays to show the right one.
class WhichGraphTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr tools::ToolRow rows[] = {
        { "whichgraph", QT_TRANSLATE_NOOP("tools", "どのグラフ？"), "Ctrl+W", "which-graph", "",
          QT_TRANSLATE_NOOP("tools", "黒板の図形のグラフを、4つの小さなグラフ（ア～エ）から選ぶ"),
          tools::ToolRow::Switch, false },
    };

    explicit WhichGraphTool(ToolHost &host);
    ~WhichGraphTool() override;

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    std::optional<bool> key(QWidget *target, const QKeyEvent &key) override;
    void retranslate() override;
    std::vector<KeyLine> keyLines() const override;
    std::vector<SheetTask> sheetTasks() const override;
    bool keepsOff(QStringView id) const override;

    bool isOn() const;
    /// Asks about the figure standing on the board, or, when the board is empty, about one
    /// built from `seed`; the four graphs are ordered by `seed` too.
    void ask(quint32 seed);
    /// A new figure from `seed` in place of the one standing.
    void askNew(quint32 seed);
    /// Picks graph `index` (0 to 3) as the answer; nothing once one is picked.
    void pick(int index);

    /// The four figures whose graphs are shown, left to right, top to bottom.
    const std::array<challenge::Figure, 4> &choices() const { return m_choices; }
    /// The index of the figure's own graph, -1 while nothing is asked.
    int right() const { return m_right; }
    /// The learner's pick, -1 while none.
    int picked() const { return m_picked; }
    /// Whether the slide is playing to confirm the answer.
    bool confirming() const;
    /// The box of the four graphs, once made.
    QWidget *box() const;

private:
    void setShown(bool on);
    void place();
    void stepToConfirm();
    void stopConfirming();
    void sayQuestion();
    QString resultText() const;

    ChoicesBox *m_box = nullptr;
    QTimer *m_confirm = nullptr;
    std::array<challenge::Figure, 4> m_choices {};
    challenge::Figure m_figure {};
    int m_right = -1;
    int m_picked = -1;
    // The tool's own changes of the lesson (building a figure, stepping to confirm) are not the
    // learner's: they ask nothing new.
    bool m_changing = false;
};
