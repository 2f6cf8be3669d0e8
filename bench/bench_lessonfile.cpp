// Lesson files and worksheets: writing the two-page PDF, opening a lesson file.
#include "benchsupport.h"
#include "core/lessonformat.h"
#include "tools/host/toolhost.h"
#include "tools/lessonfile/lessonfiletool.h"
#include "tools/worksheet/worksheetpage.h"

#include <QTemporaryDir>

namespace {

// One worksheet of the worked example at x = 7 (the crossed part hatched), both pages, written
// to a file through its temporary file, as "プリントをPDFで保存" and --worksheet write it.
void BM_Worksheet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    worksheet::Sheet sheet;
    sheet.columns = bench::figures.at(state.range(0)).retsu;
    sheet.x = 7;
    QString reason;
    for (auto _ : state) {
        if (!worksheet::writePdf(path, sheet, reason))
            state.SkipWithError(qPrintable(reason));
    }
}
BENCHMARK(BM_Worksheet)->ArgName("figure")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// Opening the worked example at x = 7 with every view on: read, check, the initial screen, the
// drops and fourteen steps, each repaint included.
void BM_OpenLesson(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lesson.kansu"));
    lessonformat::Lesson lesson;
    lesson.pieces = lessonformat::piecesOf(bench::figures.at(0).retsu);
    lesson.grid = lesson.table = lesson.graph = true;
    lesson.x = 7;
    QString reason;
    lessonformat::writeFile(path, lesson, reason);
    bench::Lesson window;
    for (auto _ : state) {
        if (!ToolHost::of(window.form.get())->find<LessonFileTool>()->open(path))
            state.SkipWithError("not opened");
        bench::settle();
    }
}
BENCHMARK(BM_OpenLesson)->Unit(benchmark::kMillisecond);

} // namespace
