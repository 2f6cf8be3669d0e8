// Benchmarks of the lesson's procedures, headless. Run through scripts/bench.
#include "app/application.h"
#include "firstpaint.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says this whenever a window gets a fixed size: harmless noise.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreen();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    setUpApplication(app);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
