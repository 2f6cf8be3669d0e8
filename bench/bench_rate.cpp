// What the rate-of-change tool adds to a step, and a step with every tool on, through the tools'
// own view of the lesson (no probe). Like the step benchmarks, the step is undone outside the
// timing, so every iteration does the same work from the same place.
#include "app/form1.h"
#include "lesson.h"
#include "tools/host/toolhost.h"
#include "tools/lessonfile/lessonfiletool.h"
#include "tools/rate/ratetool.h"
#include "tools/registry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void settle()
{
    QCoreApplication::processEvents();
}

// The worked example opened from its lesson file in a shown window, table and graph ticked.
std::unique_ptr<Form1> workedExample()
{
    auto form = std::make_unique<Form1>();
    form->show();
    QElapsedTimer waited;
    waited.start();
    while (!(form->windowHandle() && form->windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("example.kansu")));
    if (!file.open(QIODevice::WriteOnly) || file.write(lesson::workedExampleFile) < 0)
        return nullptr;
    file.close();
    if (!ToolHost::of(form.get())->find<LessonFileTool>()->open(file.fileName()))
        return nullptr;
    settle();
    return form;
}

// Args: which tools are on (0 none, 1 the rate tool, 2 every switch), P's place before the step.
void BM_RateStep(benchmark::State &state)
{
    const std::unique_ptr<Form1> form = workedExample();
    if (!form) {
        state.SkipWithError("the worked example did not open");
        return;
    }
    ToolHost &host = *ToolHost::of(form.get());
    Lesson &lesson = *form;
    if (state.range(0) == 2) {
        for (const tools::ToolRow *row : tools::allRows()) {
            if (row->kind == tools::ToolRow::Switch)
                host.setOn(QString::fromLatin1(row->id), true);
        }
    }
    if (state.range(0) >= 1)
        host.setOn(u"rate", true);
    if (RateTool *rate = host.find<RateTool>())
        rate->setStart(0);
    lesson.jumpTo(int(state.range(1)));
    settle();
    const int halves = lesson.state().halves;
    for (auto _ : state) {
        lesson.press(Lesson::Button::Forward);
        settle();
        state.PauseTiming();
        lesson.press(Lesson::Button::Back);
        settle();
        state.ResumeTiming();
    }
    if (lesson.state().halves != halves)
        state.SkipWithError("a step forward and back did not bring P back");
}
BENCHMARK(BM_RateStep)
    ->ArgNames({ "tools", "from" })
    ->Args({ 0, 9 })
    ->Args({ 1, 9 })
    ->Args({ 0, 13 })
    ->Args({ 1, 13 })
    ->Unit(benchmark::kMicrosecond);

// Every switch on; scripts/bench runs the BM_Step family at ratios 2 and 3 too.
void BM_StepAllTools(benchmark::State &state)
{
    BM_RateStep(state);
}
BENCHMARK(BM_StepAllTools)
    ->ArgNames({ "tools", "from" })
    ->Args({ 2, 9 })
    ->Args({ 2, 13 })
    ->Unit(benchmark::kMicrosecond);

// The tool's own work on a step, without the repaints: the interval, the texts, the strip and
// what is said, as the host passes the step on.
void BM_RateFollow(benchmark::State &state)
{
    const std::unique_ptr<Form1> form = workedExample();
    if (!form) {
        state.SkipWithError("the worked example did not open");
        return;
    }
    ToolHost &host = *ToolHost::of(form.get());
    host.setOn(u"rate", true);
    host.find<RateTool>()->setStart(0);
    Lesson &lesson = *form;
    lesson.jumpTo(int(state.range(0)));
    settle();
    RateTool &rate = *host.find<RateTool>();
    for (auto _ : state)
        rate.follow(Lesson::Change::Step);
    settle();
}
BENCHMARK(BM_RateFollow)->ArgName("at")->Arg(9)->Arg(13)->Unit(benchmark::kMicrosecond);

} // namespace
