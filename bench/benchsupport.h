#pragma once

#include "app/form1.h"
#include "formprobe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

/// A lesson window shown headless, with the views a benchmark asks for.
class Lesson
{
public:
    Lesson()
        : form(std::make_unique<Form1>())
        , probe(*form)
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
        probe.Check1()->setChecked(true);
        probe.Check2()->setChecked(true);
        probe.Check3()->setChecked(true);
        settle();
    }

    /// Puts the figure on the base the way a drop does: yellow outlines, back to the start,
    /// the figure drawn at B.
    void build(const Figure &figure)
    {
        probe.retsu() = figure.retsu;
        probe.kokuban()->setForeColor(QColor(255, 255, 0));
        probe.Command2_Click();
        probe.nuri(300);
        settle();
    }

    /// Steps forward `halves` times from where P is.
    void stepForward(int halves)
    {
        for (int i = 0; i < halves; ++i) {
            probe.susumu_Click();
            settle();
        }
    }

    std::unique_ptr<Form1> form;
    FormProbe probe;
};

} // namespace bench
