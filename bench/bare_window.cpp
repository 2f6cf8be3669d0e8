// The toolkit's floor: a bare Qt Widgets program with one empty window, ending after its first
// paint. Start-up time and memory of the lesson are compared against this. With --text the
// window holds one label of kana and digits, which is what any window with text pays on top of
// the floor (the font database and one Japanese face).
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char *argv[])
{
    preferOffscreen();
    QApplication app(argc, argv);
    QWidget window;
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        new QLabel(QStringLiteral("関数の利用 0.5"), &window);
    new QuitAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
