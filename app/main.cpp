#include "app/application.h"
#include "app/commandline.h"
#include "app/form1.h"
#include "core/safefile.h"
#include "tools/language/translation.h"

#include <QApplication>
#include <QLocale>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says this whenever a window gets a fixed size, and Qt says where it
// keeps runtime files when the session names no folder: noise on the standard error of a
// command whose messages a script reads.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()")
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Writing a worksheet or a picture needs no screen: run on the offscreen platform unless one is
// named, so that it works on a machine with no display too. Qt reads this before it starts.
void headlessForFiles(const QStringList &arguments)
{
    if (!writesFiles(arguments))
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(quietHandler);
}

} // namespace

int main(int argc, char *argv[])
{
    // File names byte for byte, also those that are not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << safefile::fromNative(QByteArray(argv[i]));
    headlessForFiles(arguments);
    // --help and --version print and end: they must work without a display.
    if (answersWithoutWindow(arguments) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!previousHandler)
            previousHandler = qInstallMessageHandler(quietHandler);
    } else {
        // A mistyped option is said and ends the run before Qt looks for a display, so that it
        // reads the same in any terminal.
        QCoreApplication parsing(argc, argv);
        nameApplication(parsing);
        translation::use(
            translation::pick(translation::optionIn(arguments), QLocale::system().uiLanguages()));
        StartOptions options;
        if (const int status = parseCommandLine(arguments, options); status >= 0)
            return status;
    }
    QApplication app(argc, argv);
    setUpApplication(app);
    // Before anything says a word, --help included.
    translation::use(
        translation::pick(translation::optionIn(arguments), QLocale::system().uiLanguages()));
    StartOptions options;
    const int status = parseCommandLine(arguments, options);
    if (status >= 0)
        return status;
    Form1 form;
    if (const int done = applyStartOptions(form, options); done >= 0)
        return done;
    return app.exec();
}
