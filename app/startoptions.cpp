// What the command line switches on when the lesson starts, and the files it writes without a
// window.
#include "app/commandline.h"
#include "app/form1.h"

#include "tools/lessonformat.h"

#include <QImage>
#include <cstdio>

namespace {

int refuse(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 2;
}

} // namespace

int Form1::applyStartOptions(const StartOptions &options)
{
    // A refused file ends the run before any window shows.
    lessonformat::Lesson lesson;
    if (!options.lessonFile.isEmpty()) {
        lessonformat::Error fault;
        if (!lessonformat::readFile(options.lessonFile, lesson, fault))
            return refuse(lessonformat::message(options.lessonFile, fault));
    }
    show();
    for (const tools::ToolRow &r : tools::table()) {
        if (options.toolsOn[size_t(r.id)])
            setToolOn(r.id, true);
    }
    if (!options.lessonFile.isEmpty()) {
        applyLesson(lesson);
        // Tools asked for on the command line stay on over the file's choice.
        for (const tools::ToolRow &r : tools::table()) {
            if (options.toolsOn[size_t(r.id)] && r.checkable)
                setToolOn(r.id, true);
        }
    }
    if (options.worksheetOut.isEmpty() && options.pictureOut.isEmpty())
        return -1;

    QString error;
    if (!options.worksheetOut.isEmpty() && !saveWorksheet(options.worksheetOut, &error))
        return refuse(error);
    if (!options.pictureOut.isEmpty() && !panelsPicture().save(options.pictureOut, "PNG"))
        return refuse(QStringLiteral("%1: %2").arg(options.pictureOut, tr("画像を書きこめません")));
    return 0;
}
