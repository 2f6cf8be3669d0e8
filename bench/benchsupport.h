#pragma once

#include "app/form1.h"
#include "toolkit/picturepanel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>

namespace bench {

/// A figure on the base BC, one piece code per column.
struct Figure
{
    const char *name;
    std::array<double, 5> retsu;
};

/// 0: the worked example (triangle over columns 0 to 2, 4 cm bar in column 3);
/// 1: five tall bars, the largest figure (60 cm²).
inline constexpr std::array<Figure, 2> figures { {
    { "example", { 4, 5, 6, 2, 0 } },
    { "tallbars", { 3, 3, 3, 3, 3 } },
} };

/// Runs what is pending: the repaints that the last procedure asked for.
inline void settle()
{
    QCoreApplication::processEvents();
}

/// A lesson window shown headless, with the views a benchmark asks for. It is driven as the
/// tools drive it, through the lesson's operations, or by real events.
class Lesson
{
public:
    Lesson()
        : form(std::make_unique<Form1>())
    {
        form->show();
        QElapsedTimer waited;
        waited.start();
        while (!(form->windowHandle() && form->windowHandle()->isExposed())
               && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        settle();
    }

    /// Ticks the grid, graph and table boxes, as a learner does.
    void allViews()
    {
        form->setShown(::Lesson::View::Grid, true);
        form->setShown(::Lesson::View::Graph, true);
        form->setShown(::Lesson::View::Table, true);
        settle();
    }

    /// Builds the figure on the base by drops from the palette (a triangle by its middle
    /// column); the last drop leaves P at B and the figure drawn there.
    void build(const Figure &figure)
    {
        for (int k = 0; k < 5; ++k) {
            const double code = figure.retsu[size_t(k)];
            if (code < 1 || code > 4)
                continue;
            form->pickUp(int(code));
            form->release(::Lesson::Release::Drop, code == 4 ? k + 1 : k);
        }
        settle();
    }

    /// Steps forward `halves` times from where P is.
    void stepForward(int halves)
    {
        for (int i = 0; i < halves; ++i) {
            form->press(::Lesson::Button::Forward);
            settle();
        }
    }

    /// What the lesson shows and says of x and y, to check that an undone operation brought
    /// it back.
    struct Shown
    {
        ::Lesson::State state;
        QString said; // "χ = … cm, y = … cm²" on the x box
        bool operator==(const Shown &o) const
        {
            return state.halves == o.state.halves && state.columns == o.state.columns
                && state.graphed == o.state.graphed && state.tabled == o.state.tabled
                && said == o.said;
        }
    };
    Shown shown() const
    {
        return { form->state(),
                 form->findChild<QLineEdit *>(QStringLiteral("Text1"))->accessibleDescription() };
    }

    /// A real mouse event on the blackboard at a point of its picture.
    void mouse(QEvent::Type type, QPointF at)
    {
        PicturePanel *board = form->panel(::Lesson::Panel::Board);
        const QPointF local = at + board->pictureOffset();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, board->mapToGlobal(local), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(board, &event);
    }

    std::unique_ptr<Form1> form;
};

} // namespace bench
