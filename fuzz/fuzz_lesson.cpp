// Any bytes given as a lesson file: the loader either takes them whole or says what is wrong,
// and a lesson it takes is written and read back unchanged.
#include "core/challenge.h"
#include "core/lessonformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    lessonformat::Lesson lesson;
    lessonformat::Error error;
    if (!lessonformat::read(bytes, lesson, error)) {
        if (error.problem == lessonformat::Problem::None || error.text.isEmpty() || error.line < 0)
            std::abort();
        if (!(lesson == lessonformat::Lesson {}))
            std::abort(); // a refused file left something behind
        return 0;
    }
    // What was taken is what the lesson can show.
    if (lesson.pieces.size() > 5 || !lessonformat::xTaken(lesson.x)
        || !lessonformat::speedTaken(lesson.speed)
        || (lesson.rateFrom && !lessonformat::xTaken(*lesson.rateFrom)))
        std::abort();
    // A target or a trace taken is one the palette could build.
    if (lesson.target
        && (lesson.target->empty()
            || !challenge::buildable(lessonformat::columnsOf(*lesson.target))))
        std::abort();
    if (lesson.traces.size() > size_t(lessonformat::maxTraces))
        std::abort();
    for (const auto &trace : lesson.traces) {
        if (!challenge::buildable(lessonformat::columnsOf(trace)))
            std::abort();
    }
    lessonformat::Lesson back;
    if (!lessonformat::read(lessonformat::write(lesson), back, error) || !(back == lesson))
        std::abort();
    return 0;
}
