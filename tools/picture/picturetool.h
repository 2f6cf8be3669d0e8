#pragma once

#include "tools/tool.h"

#include <QCoreApplication>
#include <QImage>

/// A picture of the panels as they stand: to the clipboard and as PNG.
class PictureTool : public Tool
{
    Q_DECLARE_TR_FUNCTIONS(PictureTool)

public:
    static constexpr tools::ToolRow rows[] = {
        { "copy", QT_TRANSLATE_NOOP("tools", "画面をコピー"), "Ctrl+C", "", "",
          QT_TRANSLATE_NOOP("tools", "黒板、表、グラフの絵をクリップボードにコピーする"),
          tools::ToolRow::Action, true },
        { "picture", QT_TRANSLATE_NOOP("tools", "画面を画像で保存…"), "Ctrl+Shift+C", "picture",
          "OUT.png", QT_TRANSLATE_NOOP("tools", "黒板、表、グラフの絵をPNGファイルに保存する"),
          tools::ToolRow::File, false },
    };

    explicit PictureTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;
    bool write(const tools::ToolRow &row, const QString &path, QString *error) override;

    /// The panels shown (the blackboard, and the graph and the table when they are shown) as
    /// they stand, at the screen's pixel ratio.
    QImage panelsPicture() const;
    /// Writes `panelsPicture()` as a PNG.
    bool save(const QString &path, QString *error = nullptr);

private:
    void copy();
    void saveDialog();
};
