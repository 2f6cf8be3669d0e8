#pragma once

#include "tools/tool.h"

#include <QList>

class QFrame;
class QLabel;

/// y written out as a function of x for each stretch, in a box of its own to the right of the
/// panels, the stretch that holds the current x highlighted.
class FormulasTool : public Tool
{
public:
    static constexpr tools::ToolRow rows[] = {
        { "formulas", QT_TRANSLATE_NOOP("tools", "式"), "F6", "formulas", "",
          QT_TRANSLATE_NOOP("tools", "χの区間ごとに、ｙをχの式で書く"), tools::ToolRow::Switch,
          false },
    };

    explicit FormulasTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    void retranslate() override;

    bool isShown() const;
    /// The box, once made (for tests and pictures).
    QFrame *box() const { return m_box; }

private:
    void setShown(bool on);
    void place();

    QFrame *m_box = nullptr;
    QList<QLabel *> m_lines;
    // What the box shows: the figure's columns and which stretch holds x.
    bool m_written = false;
    steps::Columns m_columns {};
    std::vector<bool> m_current;
};
