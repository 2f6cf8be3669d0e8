#pragma once

#include "tools/tool.h"

class PredictionTool;

/// Predict, then reveal: switching the tool, following the lesson, and how far y has been
/// shown (tools/predict/predictview.h holds the boxes, the points and their marks).
class PredictTool : public Tool
{
public:
    static constexpr tools::ToolRow rows[] = {
        { "predict", QT_TRANSLATE_NOOP("tools", "予想"), "F7", "predict", "",
          QT_TRANSLATE_NOOP("tools", "表やグラフにｙを予想して書き、あとで答え合わせをする"),
          tools::ToolRow::Switch, false },
    };

    explicit PredictTool(ToolHost &host);
    ~PredictTool() override;

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    std::optional<bool> key(QWidget *target, const QKeyEvent &key) override;
    void retranslate() override;
    std::vector<KeyLine> keyLines() const override;
    bool hidesY(double x) const override;
    bool keepsOff(QStringView id) const override;
    bool tookRightClick() override;

    bool isOn() const;
    /// The boxes and points, made when first switched on.
    PredictionTool *view() const { return m_view; }

private:
    PredictionTool *m_view = nullptr;
    // The lesson has shown y at every whole x up to this one since the figure was built or the
    // initial screen, whether predicting or not: those y are no longer questions.
    int m_shownTo = 0;
};
