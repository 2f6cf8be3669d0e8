// Dragging on the blackboard: the triangle following the pointer.
#include "benchsupport.h"

namespace {

// Pointer positions of a drag over the figure, 6 pixels apart: every move really moves the
// piece, and every iteration moves it by the same distance.
constexpr float dragX[2] = { 380, 386 };
constexpr float dragY[2] = { 240, 246 };

// One pointer move through the real handler while the triangle is in hand. Arg: repaint timed.
void BM_DragMove(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.build(bench::figures[0]);
    lesson.probe.mouseDown(500, 100); // the triangle in the palette
    if (lesson.probe.tsukami() != 4) {
        state.SkipWithError("pressing on the palette triangle does not pick it up yet");
        return;
    }
    const bool repaint = state.range(0);
    int i = 0;
    for (auto _ : state) {
        lesson.probe.mouseMove(dragX[i], dragY[i]);
        if (repaint) {
            bench::settle();
        } else {
            state.PauseTiming();
            bench::settle();
            state.ResumeTiming();
        }
        i ^= 1;
    }
}
BENCHMARK(BM_DragMove)->ArgName("repaint")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// Placing the triangle's outline (koma4) alone: the core of a drag move.
void BM_PiecePlacement(benchmark::State &state)
{
    bench::Lesson lesson;
    int i = 0;
    for (auto _ : state) {
        lesson.probe.koma4(std::int16_t(dragX[i] - 75), std::int16_t(dragY[i] - 75));
        state.PauseTiming();
        bench::settle();
        state.ResumeTiming();
        i ^= 1;
    }
}
BENCHMARK(BM_PiecePlacement)->Unit(benchmark::kMicrosecond);

} // namespace
