// Building the figure from the keyboard. Every key does what the mouse would: it calls the
// blackboard's own mouse handlers with the points a pointer would press, hold and release at,
// so a figure built by keys is the very figure the mouse builds.
#include "app/form1.h"

#include "core/measures.h"
#include "toolkit/fonts.h"

#include "core/boardkeys.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"

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

void Form1::setUpBoardKeys()
{
    kokuban->setFocusPolicy(Qt::StrongFocus);
    // Standing above everything on the board, and hidden until the keyboard is used on it, so
    // the lesson's own pixels are never touched.
    for (auto *lines : { &boardFrame, &columnFrame }) {
        for (PanelLine *&l : *lines) {
            l = new PanelLine(kokuban, lines == &boardFrame ? focusColour : selectionColour,
                              lines == &boardFrame ? 4 : 2);
            l->setVisible(false);
        }
    }
    const QSize board = kokuban->pictureSize();
    setRect(boardFrame, QRectF(2, 2, board.width() - 5, board.height() - 5));
    boardNote = new PanelLabel(kokuban, QString(), fonts::gothic(10.5), noteText, noteBack, false);
    boardNote->setVisible(false);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *from, QWidget *to) {
        if (from == kokuban || to == kokuban)
            boardFocusChanged(to == kokuban);
        showFocusMarks();
    });
}

void Form1::buildByKeys()
{
    activateWindow();
    setKeyboardInUse(true);
    kokuban->setFocus(Qt::OtherFocusReason);
}

void Form1::boardFocusChanged(bool focused)
{
    if (focused) {
        showBoardSelection();
        announce(tr("黒板: 1 から 4 で部品を持ち、左右の矢印で列を選び、Enter で置きます"));
        return;
    }
    hideBoardNote();
    // A piece taken by a key must not be left hanging when the keys go elsewhere.
    if (keysHolding && tsukami != 0)
        putBackHeldPiece();
    keysHolding = false;
}

void Form1::releaseByKeys(const QPointF &at)
{
    // Cleared first: a drop returns P to the start, and the piece is no longer in hand then.
    keysHolding = false;
    kokuban_MouseUp(1, 0, at.x(), at.y());
}

void Form1::putBackHeldPiece()
{
    const double code = tsukami;
    if (code == 0)
        return;
    releaseByKeys(putBackPoint(boardColumn));
    announce(tr("%1を元の場所に戻しました").arg(pieceName(code)));
}

void Form1::noteOnBoard(const QString &sentence)
{
    announce(sentence);
    // Under the selected column, kept on the board.
    boardNote->setCaption(QStringLiteral(" %1 ").arg(sentence));
    const double width = boardNote->size().width();
    const double centre = geometry::Bx + geometry::columnWidth * (boardColumn + 0.5);
    // Inside the board's own frame, which the keys' orange frame covers.
    const double margin = 8;
    const double right = kokuban->pictureSize().width() - margin;
    boardNote->move(
        QPointF(std::clamp(centre - width / 2, margin, std::max(margin, right - width)), noteTop));
    boardNote->setVisible(true);
}

void Form1::hideBoardNote()
{
    if (boardNote)
        boardNote->setVisible(false);
}

void Form1::showBoardSelection()
{
    const double left = geometry::Bx + geometry::columnWidth * boardColumn;
    setRect(columnFrame,
            QRectF(left + 3, geometry::topY + 3, geometry::columnWidth - 6,
                   geometry::baseY - geometry::topY - 6));
}

void Form1::holdOverColumn()
{
    const QPointF at = holdPoint(tsukami, boardColumn);
    kokuban_MouseMove(1, 0, at.x(), at.y());
    const Refusal why = refusal(retsu, tsukami, boardColumn);
    if (why == Refusal::None)
        announce(tr("%1を持っています、置くと%2 に入ります")
                     .arg(pieceName(tsukami), landingColumns(tsukami, boardColumn)));
    else
        announce(tr("%1を持っています、ここには置けません: %2")
                     .arg(pieceName(tsukami), reason(why, boardColumn)));
}

std::optional<bool> Form1::boardKey(QWidget *target, const QKeyEvent &key)
{
    if (target != kokuban)
        return {};
    hideBoardNote(); // the last refusal is gone with the next key
    const bool holding = tsukami != 0;
    const int k = boardColumn;
    switch (key.key()) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4: {
        if (holding) {
            noteOnBoard(tr("もう%1を持っています").arg(pieceName(tsukami)));
            return true;
        }
        const QPointF shelf = shelfPoint(key.key() - Qt::Key_0);
        kokuban_MouseDown(1, 0, shelf.x(), shelf.y());
        keysHolding = tsukami != 0;
        holdOverColumn();
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        boardColumn = qBound(0, k + (key.key() == Qt::Key_Left ? -1 : 1), 4);
        showBoardSelection();
        if (holding) {
            holdOverColumn();
        } else if (retsu[boardColumn] == 0) {
            announce(tr("列 %1: 空いています").arg(boardColumn + 1));
        } else {
            announce(tr("列 %1: %2（%3）")
                         .arg(boardColumn + 1)
                         .arg(pieceName(retsu[boardColumn]),
                              columnsOf(retsu[boardColumn], boardColumn)));
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!holding) {
            if (retsu[k] == 0) {
                noteOnBoard(tr("列 %1 には持てる部品がありません").arg(k + 1));
                return true;
            }
            const QPointF at = columnPoint(k);
            kokuban_MouseDown(1, 0, at.x(), at.y());
            keysHolding = tsukami != 0;
            holdOverColumn();
            return true;
        }
        const Refusal why = refusal(retsu, tsukami, k);
        if (why != Refusal::None) {
            noteOnBoard(tr("%1は置けません: %2").arg(pieceName(tsukami), reason(why, k)));
            return true;
        }
        const double code = tsukami;
        releaseByKeys(holdPoint(code, k));
        announce(tr("%1を%2 に置きました").arg(pieceName(code), landingColumns(code, k)));
        return true;
    }
    case Qt::Key_Delete: {
        if (holding && !fromFigure)
            break; // a piece from the shelf goes back, as with Esc
        if (!holding && retsu[k] == 0) {
            noteOnBoard(tr("列 %1 には外せる部品がありません").arg(k + 1));
            return true;
        }
        if (!holding) {
            const QPointF at = columnPoint(k);
            kokuban_MouseDown(1, 0, at.x(), at.y());
        }
        const double code = tsukami;
        const int from = int(moto);
        releaseByKeys(takeOffPoint(k));
        announce(tr("%1を%2 から外しました").arg(pieceName(code), columnsOf(code, from)));
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
    putBackHeldPiece();
    return true;
}
