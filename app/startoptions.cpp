// What the command line switches on when the lesson starts, and the files it writes without a
// window.
#include "app/commandline.h"
#include "app/form1.h"

#include "core/lessonformat.h"
#include "core/safefile.h"

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
    const bool writesFiles = !options.worksheetOut.isEmpty() || !options.pictureOut.isEmpty();
    lessonformat::Lesson lesson;
    QString refused;
    if (!options.lessonFile.isEmpty()) {
        lessonformat::Error fault;
        if (!lessonformat::readFile(options.lessonFile, lesson, fault))
            refused = lessonformat::message(options.lessonFile, fault);
    }
    // Files are written whole or not at all: a refused lesson or a target that cannot be
    // written ends the run before anything is written.
    if (writesFiles) {
        if (!refused.isEmpty())
            return refuse(refused);
        for (const QString &out : { options.worksheetOut, options.pictureOut }) {
            QString reason;
            if (!out.isEmpty() && !safefile::checkTarget(out, reason))
                return refuse(QStringLiteral("%1: %2").arg(safefile::shown(out), reason));
        }
    }
    show();
    for (const tools::ToolRow &r : tools::table()) {
        if (options.toolsOn[size_t(r.id)])
            setToolOn(r.id, true);
    }
    if (!options.lessonFile.isEmpty() && refused.isEmpty()) {
        applyLesson(lesson);
        lessonPath = options.lessonFile;
        // Tools asked for on the command line stay on over the file's choice.
        for (const tools::ToolRow &r : tools::table()) {
            if (options.toolsOn[size_t(r.id)] && r.checkable)
                setToolOn(r.id, true);
        }
    }
    if (!writesFiles) {
        // Started from a file manager: the teacher sees the window and why the file is not in it.
        if (!refused.isEmpty())
            tellFileProblem(refused);
        return -1;
    }

    QString error;
    if (!options.worksheetOut.isEmpty() && !saveWorksheet(options.worksheetOut, &error))
        return refuse(error);
    if (!options.pictureOut.isEmpty() && !savePicture(options.pictureOut, &error))
        return refuse(error);
    return 0;
}
