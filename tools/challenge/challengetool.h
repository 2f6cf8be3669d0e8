#pragma once

#include "core/challenge.h"
#include "tools/tool.h"

#include <QObject>
#include <optional>

class GraphLayer;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

/// "グラフに合う図形をつくろう": a target graph on the graph panel, from a figure the learner does
/// not see, to be matched by building a figure as usual. Levels from a seed, or a teacher's
/// target from a lesson file; the answer only on request, which ends the level unsolved.
class ChallengeTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr tools::ToolRow rows[] = {
        { "challenge", QT_TRANSLATE_NOOP("tools", "グラフに合う図形をつくろう"), "Ctrl+M",
          "challenge", "", QT_TRANSLATE_NOOP("tools", "目標のグラフと同じグラフになる図形をつくる"),
          tools::ToolRow::Switch, true },
        { "check", QT_TRANSLATE_NOOP("tools", "答え合わせ"), "Ctrl+Return", "", "",
          QT_TRANSLATE_NOOP("tools", "グラフが目標と同じか調べる"), tools::ToolRow::Action, false },
        { "nextLevel", QT_TRANSLATE_NOOP("tools", "次のレベル"), "Ctrl+N", "", "",
          QT_TRANSLATE_NOOP("tools", "次のレベルの目標にする"), tools::ToolRow::Action, false },
        { "chooseLevel", QT_TRANSLATE_NOOP("tools", "レベルを選ぶ…"), "Ctrl+Shift+N", "", "",
          QT_TRANSLATE_NOOP("tools", "レベルと番号で目標を選ぶ（「レベル 3 の 17」）"),
          tools::ToolRow::Action, false },
        { "answer", QT_TRANSLATE_NOOP("tools", "答えを見る"), "Ctrl+Shift+M", "", "",
          QT_TRANSLATE_NOOP("tools",
                            "目標の図形を黒板に見せる（このレベルは解けなかったことになる）"),
          tools::ToolRow::Action, false },
    };

    explicit ChallengeTool(ToolHost &host);
    ~ChallengeTool() override;

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    void retranslate() override;
    void keepIn(lessonformat::Lesson &lesson) const override;
    void takeFrom(const lessonformat::Lesson &lesson) override;

    bool isOn() const;
    /// Starts `level` (1 to 4) from `seed`.
    void start(int level, quint32 seed);
    /// Starts a teacher's target.
    void start(const challenge::Figure &target);

    // What the screen shows, for tests and pictures.
    const challenge::Figure &target() const { return m_target; }
    int level() const { return m_level; } ///< 0 for a teacher's target
    int solved() const { return m_solved; }
    bool answerShown() const { return m_answerShown; }
    GraphLayer *layer() const { return m_layer; }
    QWidget *answerLayer() const { return m_answer; }
    QWidget *bar() const { return m_bar; }
    QLabel *verdictLabel() const { return m_verdict; }
    /// The dialog that asks for a level and its number, once asked for.
    QDialog *levelDialog() const { return m_levelDialog; }

private:
    void make();
    void setTarget(const challenge::Figure &target, int level, quint32 seed);
    void begin();
    void check();
    void nextLevel();
    void showAnswer();
    void chooseLevel();
    // A new target on the empty rectangle, said.
    void goTo(int level, quint32 seed);
    bool refuseOff();
    void place();
    void describe();
    QString name() const;

    challenge::Figure m_target {};
    int m_level = 1; // 0: a teacher's target
    quint32 m_seed = 0;
    int m_solved = 0; // levels solved since the tool went on
    bool m_done = false; // solved or given up: the level counts no more
    bool m_answerShown = false;
    QString m_verdictText;

    GraphLayer *m_layer = nullptr;
    QWidget *m_answer = nullptr;
    QWidget *m_bar = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_verdict = nullptr;
    QPushButton *m_check = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_show = nullptr;
    QDialog *m_levelDialog = nullptr;
};
