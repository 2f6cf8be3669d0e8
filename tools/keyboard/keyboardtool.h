#pragma once

#include "tools/tool.h"

#include <QObject>
#include <array>

class PanelLabel;
class PanelLine;
class PicturePanel;

/// Building the figure from the keyboard: the board takes the focus, 1 to 4 take a piece from
/// the palette, the arrows choose a column, Enter drops or picks up, Delete takes off, Esc puts
/// back. Each refusal is said and shown on the board until the next key or press.
class KeyboardTool : public QObject, public Tool
{
    Q_OBJECT

public:
    static constexpr tools::ToolRow rows[] = {
        { "keyboard", QT_TRANSLATE_NOOP("tools", "キーで図形を作る"), "F8", "keyboard", "",
          QT_TRANSLATE_NOOP("tools", "黒板を選び、キーで部品を置く"), tools::ToolRow::Action,
          false },
    };

    explicit KeyboardTool(ToolHost &host);

    void act(const tools::ToolRow &row, bool on) override;
    void follow(Lesson::Change what) override;
    std::optional<bool> key(QWidget *target, const QKeyEvent &key) override;
    void retranslate() override;
    std::vector<KeyLine> keyLines() const override;

    /// The column the keys select, 0 at B.
    int column() const { return m_column; }
    /// The frame round the board and round the selected column (four lines each), and the
    /// last refusal: standing marks, for tests and pictures.
    const std::array<PanelLine *, 4> &boardFrame() const { return m_boardFrame; }
    const std::array<PanelLine *, 4> &columnFrame() const { return m_columnFrame; }
    PanelLabel *note() const { return m_note; }

private:
    PicturePanel *board() const;
    void boardFocusChanged(bool focused);
    void showSelection();
    void showFocusMarks();
    void holdOverColumn();
    // A release made by a key, over the selected column.
    void release(Lesson::Release how);
    // The piece in hand back where it came from, and said.
    void putBack();
    // A refusal shown on the board too, until the next key or mouse press.
    void note(const QString &sentence);
    void hideNote();

    int m_column = 0;
    bool m_keysHolding = false; // the piece in hand was taken by a key
    std::array<PanelLine *, 4> m_boardFrame {};
    std::array<PanelLine *, 4> m_columnFrame {};
    PanelLabel *m_note = nullptr;
};
