// The blackboard's picture: one large border fill, the shaded figure, the initial screen.
#include "benchsupport.h"
#include "toolkit/picturepanel.h"

namespace {

// One fill of a whole blackboard-sized picture (about 240,000 pixels). Every fill paints the
// same pixels: pixels already of the fill colour are painted over and passed through.
void BM_FloodFillLarge(benchmark::State &state)
{
    PicturePanel panel;
    panel.setBackColor(QColor(0, 128, 0));
    panel.setOuterGeometry(QRect(0, 0, 601, 409));
    panel.setPictureRatio(1);
    panel.clear();
    panel.setFillStyle(PicturePanel::FillStyle::Solid);
    panel.setFillColor(QColor(192, 192, 192));
    const QColor border(255, 255, 255);
    for (auto _ : state)
        benchmark::DoNotOptimize(panel.floodFill(10, 10, border));
    const QSize size = panel.pictureSize();
    state.SetItemsProcessed(state.iterations() * size.width() * size.height());
}
BENCHMARK(BM_FloodFillLarge)->Unit(benchmark::kMicrosecond);

// The grid unticked with P at x = 5 cm: the blackboard redrawn without it (clear, divider, every
// piece outlined and filled, the figure split by AB), the nearest a learner comes to the
// shading alone. Ticked again outside the timing.
void BM_GridOff(benchmark::State &state)
{
    bench::Lesson lesson;
    lesson.allViews();
    lesson.build(bench::figures.at(state.range(0)));
    lesson.stepForward(10);
    for (auto _ : state) {
        lesson.form->setShown(::Lesson::View::Grid, false);
        state.PauseTiming();
        bench::settle(); // the repaint it asked for, untimed
        lesson.form->setShown(::Lesson::View::Grid, true);
        bench::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridOff)->ArgName("figure")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// A press on "初期画面" (the initial screen) and the repaint it causes. views 0: as at start-up;
// views 1: grid, graph and table ticked, so it also draws the grid.
void BM_Shoki(benchmark::State &state)
{
    bench::Lesson lesson;
    if (state.range(0))
        lesson.allViews();
    lesson.build(bench::figures[0]);
    for (auto _ : state) {
        lesson.form->press(::Lesson::Button::Initial);
        bench::settle();
    }
}
BENCHMARK(BM_Shoki)->ArgName("views")->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

} // namespace
