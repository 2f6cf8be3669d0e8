// The lesson's start-up exactly as the program runs it, ending after the window's first paint.
#include "app/application.h"
#include "app/form1.h"
#include "firstpaint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    preferOffscreen();
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 form;
    new QuitAfterFirstPaint(&form);
    form.show();
    return app.exec();
}
