// The toolkit's floor: a bare Qt Widgets program with one empty window, ending after its first
// paint. Start-up time and memory of the lesson are compared against this.
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    preferOffscreen();
    QApplication app(argc, argv);
    QWidget window;
    new QuitAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
