// A jump of P across all 20 steps, from B to the end, with grid, table and graph shown: the
// lesson's steps made one after another and the blackboard drawn once. The jump back is made
// outside the timing, so every iteration starts from B.
#include "benchsupport.h"

namespace {

// Args: figure, repaint timed too.
void BM_JumpAcross(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.allViews();
    lesson.build(bench::figures.at(state.range(0)));
    const bool repaint = state.range(1);
    for (auto _ : state) {
        lesson.form->jumpTo(20);
        if (repaint)
            bench::settle();
        state.PauseTiming();
        bench::settle();
        const bool across = lesson.form->state().halves == 20;
        lesson.form->jumpTo(0);
        bench::settle();
        state.ResumeTiming();
        if (!across || lesson.form->state().halves != 0) {
            state.SkipWithError("the jump did not take P across and back");
            break;
        }
    }
}
BENCHMARK(BM_JumpAcross)
    ->ArgNames({ "figure", "repaint" })
    ->Args({ 0, 1 })
    ->Args({ 1, 1 })
    ->Args({ 0, 0 })
    ->Unit(benchmark::kMillisecond);

// The same 20 steps as single clicks on "出す", each drawn, for comparison.
void BM_TwentySteps(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.allViews();
    lesson.build(bench::figures.at(state.range(0)));
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i)
            lesson.form->press(::Lesson::Button::Forward);
        bench::settle();
        state.PauseTiming();
        lesson.form->jumpTo(0);
        bench::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TwentySteps)->ArgNames({ "figure" })->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
