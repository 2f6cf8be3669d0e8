#include "app/application.h"

#include "toolkit/fonts.h"

#include <QApplication>
#include <QStyleFactory>

void setUpApplication(QApplication &app)
{
    // Fusion paints a button's own background colour, as the lesson's coloured buttons need.
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    // Controls that name no font take the system's face: a Japanese gothic, so kana render.
    app.setFont(fonts::gothic(fonts::defaultPoints));
    nameApplication(app);
    // Lets the desktop match the window to the installed entry and its icon.
    app.setDesktopFileName(QStringLiteral("kansu"));
}

void nameApplication(QCoreApplication &app)
{
    app.setApplicationName(QStringLiteral("kansu"));
    // The build passes the project's version, the one the package and its metadata carry too.
    app.setApplicationVersion(QStringLiteral(KANSU_VERSION));
}
