// CPU used while automatic play runs its 20 steps at speed "10" (50 ms pauses) over the worked
// example figure with grid, table and graph shown. Prints one line:
//   cpu_s wall_s steps
// The CPU of the steps' own drawing and repaints is included: it is what the learner's
// machine spends while the lesson plays.
#include "app/application.h"
#include "app/form1.h"
#include "firstpaint.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWindow>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto s = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreen();
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 form;
    form.show();
    QElapsedTimer exposure;
    exposure.start();
    while (!(form.windowHandle() && form.windowHandle()->isExposed()) && exposure.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    form.setShown(Lesson::View::Grid, true);
    form.setShown(Lesson::View::Graph, true);
    form.setShown(Lesson::View::Table, true);
    // The worked example: the triangle over columns 0 to 2 and the 4 cm bar in column 3, dropped
    // from the palette.
    form.pickUp(4);
    form.release(Lesson::Release::Drop, 1);
    form.pickUp(2);
    form.release(Lesson::Release::Drop, 3);
    auto *speed = form.findChild<QComboBox *>(QStringLiteral("Combo1"));
    speed->setCurrentIndex(speed->findText(QStringLiteral("10")));
    QCoreApplication::processEvents();

    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    form.findChild<QPushButton *>(QStringLiteral("jidou"))->click();
    const double wallSeconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const int steps = form.state().halves;
    std::printf("%.4f %.4f %d\n", cpu, wallSeconds, steps);
    return 0;
}
