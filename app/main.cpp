#include "app/application.h"
#include "app/commandline.h"
#include "app/form1.h"
#include "tools/translation.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);
    // Before anything says a word, --help included.
    translation::use(
        translation::pick(translation::optionIn(app.arguments()), QLocale::system().uiLanguages()));
    StartOptions options;
    const int status = parseCommandLine(app.arguments(), options);
    if (status >= 0)
        return status;
    Form1 form;
    form.show();
    form.applyStartOptions(options);
    return app.exec();
}
