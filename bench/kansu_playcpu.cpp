// CPU used while automatic play runs its 20 steps at speed "10" (50 ms pauses) over the worked
// example figure with grid, table and graph shown. Prints one line:
//   cpu_s wall_s steps
// The CPU of the steps' own drawing and repaints is included: it is what the learner's
// machine spends while the lesson plays.
#include "app/application.h"
#include "app/form1.h"
#include "firstpaint.h"
#include "formprobe.h"

#include <QApplication>
#include <QElapsedTimer>
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
    FormProbe probe(form);
    form.show();
    QElapsedTimer exposure;
    exposure.start();
    while (!(form.windowHandle() && form.windowHandle()->isExposed()) && exposure.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    probe.Check1()->setChecked(true);
    probe.Check2()->setChecked(true);
    probe.Check3()->setChecked(true);
    // The worked example: the triangle over columns 0 to 2 and the 4 cm bar in column 3, placed
    // the way a drop places it.
    probe.retsu() = { 4, 5, 6, 2, 0 };
    probe.kokuban()->setForeColor(QColor(255, 255, 0));
    probe.Command2_Click();
    probe.nuri(300);
    probe.Combo1()->setCurrentIndex(probe.Combo1()->findText(QStringLiteral("10")));
    QCoreApplication::processEvents();

    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    probe.jidou_Click();
    const double wallSeconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const int steps = int((300 - probe.Px()) / 10);
    std::printf("%.4f %.4f %d\n", cpu, wallSeconds, steps);
    return 0;
}
