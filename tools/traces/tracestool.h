#pragma once

#include "core/challenge.h"
#include "tools/tool.h"

#include <QObject>
#include <vector>

class GraphLayer;

/// "グラフを残す": the graph of the figure standing stays on the graph panel as a faint trace,
/// with a small outline of its figure as its legend, while the learner builds another; up to
/// three. Standing marks only.
class TracesTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr int most = 3;
    static constexpr tools::ToolRow rows[] = {
        { "traces", QT_TRANSLATE_NOOP("tools", "グラフを残す"), "Ctrl+K", "", "",
          QT_TRANSLATE_NOOP("tools", "いまの図形のグラフを、くらべるために薄く残す（3つまで）"),
          tools::ToolRow::Action, true },
        { "clearTraces", QT_TRANSLATE_NOOP("tools", "消す"), "Ctrl+Shift+K", "", "",
          QT_TRANSLATE_NOOP("tools", "残したグラフを消す"), tools::ToolRow::Action, false },
    };

    explicit TracesTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;
    void retranslate() override;
    void keepIn(lessonformat::Lesson &lesson) const override;
    void takeFrom(const lessonformat::Lesson &lesson) override;

    const std::vector<challenge::Figure> &traces() const { return m_traces; }
    GraphLayer *layer() const { return m_layer; }
    /// Where trace i's legend stands on the graph panel's picture.
    static QRectF legendRect(int i);

private:
    void keep();
    void clear();
    // The traces on the graph; `reveal` also shows the graph, as keeping one does.
    void show(bool reveal);

    std::vector<challenge::Figure> m_traces;
    GraphLayer *m_layer = nullptr;
};
