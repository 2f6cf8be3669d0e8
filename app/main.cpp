#include "app/application.h"
#include "app/commandline.h"
#include "app/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --help and --version print and end: they must work without a display.
    if (answersWithoutWindow(arguments) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    StartOptions options;
    const int status = parseCommandLine(app.arguments(), options);
    if (status >= 0)
        return status;
    Form1 form;
    form.show();
    form.applyStartOptions(options);
    return app.exec();
}
