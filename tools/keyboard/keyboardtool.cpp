// Building the figure from the keyboard. Every key does what the mouse would: it picks up,
// holds and releases through the lesson's own procedures for the palette and the columns, so a
// figure built by keys is the very figure the mouse builds.
#include "tools/keyboard/keyboardtool.h"

#include "core/measures.h"
#include "toolkit/fonts.h"

#include "core/boardkeys.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

using namespace boardkeys;

namespace {

const QColor focusColour(255, 160, 0);
const QColor selectionColour(255, 0, 255);
// A note as the desktop's tool tips look: dark text on pale yellow, readable on the board.
const QColor noteText(0, 0, 0);
const QColor noteBack(255, 255, 220);
// Under the base line, clear of its letters and of the x row below.
constexpr double noteTop = 334;

void setRect(const std::array<PanelLine *, 4> &lines, const QRectF &r)
{
    lines[0]->setPoints(r.topLeft(), r.topRight());
    lines[1]->setPoints(r.topRight(), r.bottomRight());
    lines[2]->setPoints(r.bottomRight(), r.bottomLeft());
    lines[3]->setPoints(r.bottomLeft(), r.topLeft());
}

} // namespace

KeyboardTool::KeyboardTool(ToolHost &host)
    : Tool(host)
{
    PicturePanel *kokuban = board();
    kokuban->setFocusPolicy(Qt::StrongFocus);
    // Standing above everything on the board, and hidden until the keyboard is used on it, so
    // the lesson's own pixels are never touched.
    for (auto *lines : { &m_boardFrame, &m_columnFrame }) {
        for (PanelLine *&l : *lines) {
            l = new PanelLine(kokuban, lines == &m_boardFrame ? focusColour : selectionColour,
                              lines == &m_boardFrame ? 4 : 2);
            l->setVisible(false);
        }
    }
    const QSize size = kokuban->pictureSize();
    setRect(m_boardFrame, QRectF(2, 2, size.width() - 5, size.height() - 5));
    m_note = new PanelLabel(kokuban, QString(), fonts::gothic(10.5), noteText, noteBack, false);
    m_note->setVisible(false);
    QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget *from, QWidget *to) {
        if (from == board() || to == board())
            boardFocusChanged(to == board());
        showFocusMarks();
    });
    QObject::connect(&host, &ToolHost::keyboardUseChanged, this, &KeyboardTool::showFocusMarks);
    QObject::connect(&host, &ToolHost::mousePressed, this, [this](QWidget *where) {
        // A press on the board hands the piece in hand, if any, to the mouse: its release
        // ends it.
        if (where == board())
            m_keysHolding = false;
        hideNote();
    });
}

PicturePanel *KeyboardTool::board() const
{
    return host.lesson().panel(Lesson::Panel::Board);
}

void KeyboardTool::act(const tools::ToolRow &, bool)
{
    host.window().activateWindow();
    host.setKeyboardInUse(true);
    board()->setFocus(Qt::OtherFocusReason);
}

void KeyboardTool::follow(Lesson::Change what)
{
    // A piece the keys hold hangs over the rectangle: left there while P moves, it would read
    // as part of the figure sliding away.
    if (what == Lesson::Change::Step || what == Lesson::Change::Restart) {
        if (m_keysHolding && host.lesson().state().held != 0)
            putBack();
    } else if (what != Lesson::Change::View) {
        m_keysHolding = false; // the piece went home with the figure's change
    }
}

void KeyboardTool::retranslate()
{
    hideNote(); // its sentence belongs to the language it was said in
}

void KeyboardTool::boardFocusChanged(bool focused)
{
    if (focused) {
        showSelection();
        host.announce(tr("黒板: 1 から 4 で部品を持ち、左右の矢印で列を選び、Enter で置きます"));
        return;
    }
    hideNote();
    // A piece taken by a key must not be left hanging when the keys go elsewhere.
    if (m_keysHolding && host.lesson().state().held != 0)
        putBack();
    m_keysHolding = false;
}

void KeyboardTool::release(Lesson::Release how)
{
    // Cleared first: a drop returns P to the start, and the piece is no longer in hand then.
    m_keysHolding = false;
    host.lesson().release(how, m_column);
}

void KeyboardTool::putBack()
{
    const double code = host.lesson().state().held;
    if (code == 0)
        return;
    release(Lesson::Release::Nothing);
    host.announce(tr("%1を元の場所に戻しました").arg(pieceName(code)));
}

void KeyboardTool::note(const QString &sentence)
{
    host.announce(sentence);
    // Under the selected column, kept on the board.
    m_note->setCaption(QStringLiteral(" %1 ").arg(sentence));
    const double width = m_note->size().width();
    const double centre = geometry::Bx + geometry::columnWidth * (m_column + 0.5);
    // Inside the board's own frame, which the keys' orange frame covers.
    const double margin = 8;
    const double right = board()->pictureSize().width() - margin;
    m_note->move(
        QPointF(std::clamp(centre - width / 2, margin, std::max(margin, right - width)), noteTop));
    m_note->setVisible(true);
}

void KeyboardTool::hideNote()
{
    if (m_note)
        m_note->setVisible(false);
}

void KeyboardTool::showSelection()
{
    const double left = geometry::Bx + geometry::columnWidth * m_column;
    setRect(m_columnFrame,
            QRectF(left + 3, geometry::topY + 3, geometry::columnWidth - 6,
                   geometry::baseY - geometry::topY - 6));
}

void KeyboardTool::showFocusMarks()
{
    const bool shown = host.keyboardInUse() && board()->hasFocus();
    for (auto *lines : { &m_boardFrame, &m_columnFrame }) {
        for (PanelLine *l : *lines)
            l->setVisible(shown);
    }
}

void KeyboardTool::holdOverColumn()
{
    Lesson &lesson = host.lesson();
    lesson.holdOver(m_column);
    const Lesson::State s = lesson.state();
    const Refusal why = refusal(s.columns, s.held, m_column);
    if (why == Refusal::None)
        host.announce(tr("%1を持っています、置くと%2 に入ります")
                          .arg(pieceName(s.held), landingColumns(s.held, m_column)));
    else
        host.announce(tr("%1を持っています、ここには置けません: %2")
                          .arg(pieceName(s.held), reason(why, m_column)));
}

std::optional<bool> KeyboardTool::key(QWidget *target, const QKeyEvent &key)
{
    if (target != board())
        return {};
    hideNote(); // the last refusal is gone with the next key
    Lesson &lesson = host.lesson();
    const Lesson::State s = lesson.state();
    const bool holding = s.held != 0;
    const int k = m_column;
    switch (key.key()) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        if (holding) {
            note(tr("もう%1を持っています").arg(pieceName(s.held)));
            return true;
        }
        lesson.pickUp(key.key() - Qt::Key_0);
        m_keysHolding = lesson.state().held != 0;
        holdOverColumn();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        m_column = qBound(0, k + (key.key() == Qt::Key_Left ? -1 : 1), 4);
        showSelection();
        if (holding) {
            holdOverColumn();
        } else if (s.columns[m_column] == 0) {
            host.announce(tr("列 %1: 空いています").arg(m_column + 1));
        } else {
            host.announce(
                tr("列 %1: %2（%3）")
                    .arg(m_column + 1)
                    .arg(pieceName(s.columns[m_column]), columnsOf(s.columns[m_column], m_column)));
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!holding) {
            if (s.columns[k] == 0) {
                note(tr("列 %1 には持てる部品がありません").arg(k + 1));
                return true;
            }
            lesson.pickUpAt(k);
            m_keysHolding = lesson.state().held != 0;
            holdOverColumn();
            return true;
        }
        const Refusal why = refusal(s.columns, s.held, k);
        if (why != Refusal::None) {
            note(tr("%1は置けません: %2").arg(pieceName(s.held), reason(why, k)));
            return true;
        }
        release(Lesson::Release::Drop);
        host.announce(tr("%1を%2 に置きました").arg(pieceName(s.held), landingColumns(s.held, k)));
        return true;
    }
    case Qt::Key_Delete: {
        if (holding && s.heldFrom < 0)
            break; // a piece from the shelf goes back, as with Esc
        if (!holding && s.columns[k] == 0) {
            note(tr("列 %1 には外せる部品がありません").arg(k + 1));
            return true;
        }
        if (!holding)
            lesson.pickUpAt(k);
        const Lesson::State taken = lesson.state();
        release(Lesson::Release::TakeOff);
        host.announce(tr("%1を%2 から外しました")
                          .arg(pieceName(taken.held), columnsOf(taken.held, taken.heldFrom)));
        return true;
    }
    case Qt::Key_Escape:
        // With nothing in hand Esc keeps its lesson meaning.
        if (!holding)
            return {};
        break;
    default:
        return {};
    }
    // Esc, or Delete on a piece from the shelf: back where it came from, nothing else changes.
    putBack();
    return true;
}

std::vector<KeyLine> KeyboardTool::keyLines() const
{
    return {
        { "F8", QT_TRANSLATE_NOOP("keys", "黒板を選ぶ（黒板をクリック、Tabでも）") },
        { "1, 2, 3, 4",
          QT_TRANSLATE_NOOP("keys", "黒板で: 正方形、縦4 cm、縦6 cmの長方形、三角形を持つ") },
        { "←, →", QT_TRANSLATE_NOOP("keys", "黒板で: 列を選ぶ、持った部品を動かす") },
        { "Enter", QT_TRANSLATE_NOOP("keys", "黒板で: 持った部品を置く、選んだ列の部品を持つ") },
        { "Delete", QT_TRANSLATE_NOOP("keys", "黒板で: 選んだ列の部品を外す") },
        { "Esc", QT_TRANSLATE_NOOP("keys", "黒板で: 持った部品を元に戻す") },
    };
}
