// Dragging on the blackboard: the triangle following the pointer.
#include "benchsupport.h"

namespace {

// Pointer positions of a drag over the figure, 6 pixels apart: every move really moves the
// piece, and every iteration moves it by the same distance.
constexpr float dragX[2] = { 380, 386 };
constexpr float dragY[2] = { 240, 246 };

// One pointer move on the blackboard, a real mouse event, while the triangle is in hand.
// Arg: repaint timed.
void BM_DragMove(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.build(bench::figures[0]);
    lesson.mouse(QEvent::MouseButtonPress, QPointF(500, 100)); // the triangle in the palette
    if (lesson.form->state().held != 4) {
        state.SkipWithError("pressing on the palette triangle does not pick it up yet");
        return;
    }
    const bool repaint = state.range(0);
    int i = 0;
    for (auto _ : state) {
        lesson.mouse(QEvent::MouseMove, QPointF(dragX[i], dragY[i]));
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

// The triangle in hand held over a column, as the keyboard holds it: the piece's outline placed
// without a pointer event. It alternates between two columns.
void BM_HoldOver(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.form->pickUp(4);
    int i = 0;
    for (auto _ : state) {
        lesson.form->holdOver(2 + i);
        state.PauseTiming();
        bench::settle();
        state.ResumeTiming();
        i ^= 1;
    }
}
BENCHMARK(BM_HoldOver)->Unit(benchmark::kMicrosecond);

} // namespace
