#pragma once

#include "tools/tool.h"

#include <QObject>

/// Moving P from the table and the graph: a press on a column of the table or in the graph's
/// plot, a drag along the plot, and the arrows, Home and End on a focused panel. Always on;
/// a panel takes the focus only while its view is shown.
class JumpTool : public QObject, public Tool
{
    Q_OBJECT

public:
    explicit JumpTool(ToolHost &host);

    void act(const tools::ToolRow &, bool) override { }
    void follow(Lesson::Change what) override;
    std::optional<bool> key(QWidget *target, const QKeyEvent &key) override;
    std::vector<KeyLine> keyLines() const override;

private:
    // Whether the prediction tool has the panels' presses.
    bool predicting() const;
    void showFocusFrames();

    bool m_graphDragging = false; // the left button went down in the graph's plot
};
