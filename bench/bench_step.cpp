// A step forward and a step back with grid, table and graph shown, pressed as a tool presses
// the buttons. Every iteration does the
// same work: the timed step is undone (or redone) outside the timing, so P is back at the same
// x, the table and graph hold the same columns and segments, and the running sums are the same.
#include "benchsupport.h"

namespace {

using Button = ::Lesson::Button;

// Builds the figure with every view on and puts P `halves` half centimetres from B. Returns
// false (and skips the benchmark) while the stepping procedures do not move P yet.
bool prepare(benchmark::State &state, bench::Lesson &lesson, int halves)
{
    lesson.allViews();
    lesson.build(bench::figures.at(state.range(0)));
    lesson.form->press(Button::Forward);
    const bool moved = lesson.form->state().halves == 1;
    lesson.form->press(Button::Back);
    bench::settle();
    if (!moved || lesson.form->state().halves != 0) {
        state.SkipWithError("stepping does not move P yet");
        return false;
    }
    lesson.stepForward(halves);
    return true;
}

void checkRestored(benchmark::State &state, const bench::Lesson::Shown &before,
                   const bench::Lesson::Shown &after)
{
    if (!(before == after))
        state.SkipWithError("a step forward and back did not bring the lesson back");
}

// Times one step (`timed`) and undoes it outside the timing (`undo`), so that every iteration
// does the same work from the same place.
// Args: figure, P's position before the step in half centimetres from B, repaint timed too.
template<Button timed, Button undo> void stepAndUndo(benchmark::State &state)
{
    bench::Lesson lesson;
    if (!prepare(state, lesson, int(state.range(1))))
        return;
    const bool repaint = state.range(2);
    const bench::Lesson::Shown before = lesson.shown();
    for (auto _ : state) {
        lesson.form->press(timed);
        if (repaint)
            bench::settle();
        state.PauseTiming();
        bench::settle();
        lesson.form->press(undo);
        bench::settle();
        state.ResumeTiming();
    }
    checkRestored(state, before, lesson.shown());
}

void BM_StepForward(benchmark::State &state)
{
    stepAndUndo<Button::Forward, Button::Back>(state);
}
BENCHMARK(BM_StepForward)
    ->ArgNames({ "figure", "from", "repaint" })
    ->Args({ 0, 0, 1 })
    ->Args({ 0, 3, 1 })
    ->Args({ 0, 9, 1 })
    ->Args({ 0, 19, 1 })
    ->Args({ 1, 0, 1 })
    ->Args({ 1, 3, 1 })
    ->Args({ 1, 9, 1 })
    ->Args({ 1, 19, 1 })
    ->Args({ 0, 9, 0 })
    ->Unit(benchmark::kMicrosecond);

void BM_StepBack(benchmark::State &state)
{
    stepAndUndo<Button::Back, Button::Forward>(state);
}
BENCHMARK(BM_StepBack)
    ->ArgNames({ "figure", "from", "repaint" })
    ->Args({ 0, 1, 1 })
    ->Args({ 0, 4, 1 })
    ->Args({ 0, 10, 1 })
    ->Args({ 0, 20, 1 })
    ->Args({ 1, 1, 1 })
    ->Args({ 1, 4, 1 })
    ->Args({ 1, 10, 1 })
    ->Args({ 1, 20, 1 })
    ->Args({ 0, 10, 0 })
    ->Unit(benchmark::kMicrosecond);

} // namespace
