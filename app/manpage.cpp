#include "app/manpage.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// roff reads a backslash as an escape and a line's leading dot or quote as a request.
QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char('\'')))
        text.prepend(QLatin1String("\\&"));
    return text;
}

// "-h, --help" and "--worksheet <OUT.pdf>": names in bold with real minus signs, values in
// italics, as manual pages write them.
QString optionNames(const QString &names)
{
    QStringList words;
    for (QString word : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('<')) && word.endsWith(QLatin1Char('>'))) {
            words << QLatin1String("\\fI") + escaped(word.mid(1, word.size() - 2))
                    + QLatin1String("\\fR");
            continue;
        }
        QString comma;
        if (word.endsWith(QLatin1Char(','))) {
            word.chop(1);
            comma = QStringLiteral(",");
        }
        word = escaped(word);
        word.replace(QLatin1Char('-'), QLatin1String("\\-"));
        words << QLatin1String("\\fB") + word + QLatin1String("\\fR") + comma;
    }
    return words.join(QLatin1Char(' '));
}

} // namespace

QString manPage(const QString &helpText, const QString &program, const QString &version)
{
    const QStringList lines = helpText.split(QLatin1Char('\n'));
    QString out = QStringLiteral(".TH %1 1 \"\" \"%2 %3\"\n")
                      .arg(program.toUpper(), escaped(program), escaped(version));
    // The first line is "Usage: kansu [options] [FILE]", the description follows up to a blank
    // line; then sections, each a heading ("Options:") over indented rows.
    qsizetype i = 0;
    const QString usage = lines.value(i++);
    const qsizetype at = usage.indexOf(program);
    QStringList description;
    while (i < lines.size() && !lines[i].trimmed().isEmpty())
        description << lines[i++].trimmed();
    out += QLatin1String(".SH ") + QCoreApplication::translate("manpage", "名前")
        + QLatin1Char('\n');
    out += escaped(program) + QLatin1String(" \\- ") + escaped(description.join(QLatin1Char(' ')))
        + QLatin1Char('\n');
    out += QLatin1String(".SH ") + QCoreApplication::translate("manpage", "書式")
        + QLatin1Char('\n');
    out += QLatin1String(".B ") + escaped(program) + QLatin1Char('\n');
    if (at >= 0)
        out += escaped(usage.mid(at + program.size()).trimmed()) + QLatin1Char('\n');

    bool inRow = false;
    for (; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty()) {
            inRow = false;
            continue;
        }
        if (!line.startsWith(QLatin1Char(' '))) {
            QString heading = line.trimmed();
            if (heading.endsWith(QLatin1Char(':')) || heading.endsWith(QChar(0xFF1A)))
                heading.chop(1);
            out += QLatin1String(".SH ") + escaped(heading.toUpper()) + QLatin1Char('\n');
            inRow = false;
            continue;
        }
        // A row's names start two columns in; its wrapped text stands further right alone.
        const QString body = line.mid(2);
        if (inRow && body.startsWith(QLatin1Char(' '))) {
            out += escaped(body.trimmed()) + QLatin1Char('\n');
            continue;
        }
        const qsizetype gap = body.indexOf(QLatin1String("  "));
        const QString names = gap < 0 ? body : body.left(gap);
        const QString text = gap < 0 ? QString() : body.mid(gap).trimmed();
        out += QLatin1String(".TP\n") + optionNames(names) + QLatin1Char('\n');
        if (!text.isEmpty())
            out += escaped(text) + QLatin1Char('\n');
        inRow = true;
    }
    return out;
}
