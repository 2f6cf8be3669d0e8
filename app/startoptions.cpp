// What the command line switches on when the lesson starts, and the files it writes without a
// window.
#include "app/commandline.h"
#include "app/form1.h"

#include "core/lessonformat.h"
#include "core/safefile.h"
#include "tools/host/toolhost.h"
#include "tools/lessonfile/lessonfiletool.h"

#include <cstdio>

namespace {

int refuse(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 2;
}

} // namespace

int applyStartOptions(Form1 &form, const StartOptions &options)
{
    ToolHost &host = *ToolHost::of(&form);
    lessonformat::Lesson lesson;
    QString refused;
    if (!options.lessonFile.isEmpty()) {
        lessonformat::Error fault;
        if (!lessonformat::readFile(options.lessonFile, lesson, fault))
            refused = lessonformat::message(options.lessonFile, fault);
    }
    // Files are written whole or not at all: a refused lesson or a target that cannot be
    // written ends the run before anything is written.
    if (!options.files.empty()) {
        if (!refused.isEmpty())
            return refuse(refused);
        for (const auto &[row, out] : options.files) {
            QString reason;
            if (!safefile::checkTarget(out, reason))
                return refuse(QStringLiteral("%1: %2").arg(safefile::shown(out), reason));
        }
    }
    form.show();
    for (const tools::ToolRow *row : options.on)
        host.setOn(QString::fromLatin1(row->id), true);
    if (!options.lessonFile.isEmpty() && refused.isEmpty()) {
        LessonFileTool *files = host.find<LessonFileTool>();
        files->apply(lesson);
        files->setPath(options.lessonFile);
        // Tools asked for on the command line stay on over the file's choice.
        for (const tools::ToolRow *row : options.on) {
            if (row->checkable())
                host.setOn(QString::fromLatin1(row->id), true);
        }
    }
    if (options.files.empty()) {
        // Started from a file manager: the teacher sees the window and why the file is not in it.
        if (!refused.isEmpty())
            host.tellProblem(refused);
        return -1;
    }
    for (const auto &[row, out] : options.files) {
        QString error;
        if (!host.write(QString::fromLatin1(row->id), out, &error))
            return refuse(error);
    }
    return 0;
}
