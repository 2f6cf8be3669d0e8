#include "app/commandline.h"
#include "app/manpage.h"
#include "tools/registry.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <vector>

int parseCommandLine(const QStringList &arguments, StartOptions &options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "commandline", "関数の利用: 図形が長方形から出ていくときの面積ｙ"));
    // Qt's own help option speaks English in a Japanese lesson (its translation lacks the line).
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") },
        QCoreApplication::translate("commandline", "オプションの説明を表示する。"));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    // The build writes the manual page with this, from the very text --help prints.
    QCommandLineOption man(QStringLiteral("man"));
    man.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(man);
    std::vector<std::pair<const tools::ToolRow *, std::unique_ptr<QCommandLineOption>>> byTool;
    for (const tools::ToolRow *row : tools::allRows()) {
        const tools::ToolRow &r = *row;
        if (!r.hasOption())
            continue;
        const QString help = QCoreApplication::translate("tools", r.help);
        auto option = r.valueName[0]
            ? std::make_unique<QCommandLineOption>(QLatin1String(r.option), help,
                                                   QLatin1String(r.valueName))
            : std::make_unique<QCommandLineOption>(QLatin1String(r.option), help);
        parser.addOption(*option);
        byTool.emplace_back(row, std::move(option));
    }
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate("commandline", "開く授業ファイル（.kansu）"),
        QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(man)) {
        const QString program = QFileInfo(arguments.value(0)).fileName();
        std::fputs(
            qPrintable(manPage(parser.helpText(), program, QCoreApplication::applicationVersion())),
            stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    for (const auto &[row, option] : byTool) {
        const tools::ToolRow &r = *row;
        if (!parser.isSet(*option))
            continue;
        if (r.kind == tools::ToolRow::Switch || r.kind == tools::ToolRow::Action) {
            options.on.push_back(row);
            continue;
        }
        const QStringList values = parser.values(*option);
        if (r.kind == tools::ToolRow::Choice) {
            if (!tools::takesValue(r, values.last())) {
                std::fprintf(stderr, "--%s: %s\n", r.option,
                             qPrintable(QString::fromLatin1(r.valueName)
                                            .replace(QLatin1Char('|'), QLatin1String(" | "))));
                return 2;
            }
            if (QLatin1String(r.id) == QLatin1String("lang"))
                options.language = values.last();
            continue;
        }
        // A file to write is named once and not by an empty name (an unset shell variable).
        QString problem;
        if (values.size() > 1)
            //: --worksheet was given twice
            problem = QCoreApplication::translate("commandline", "--%1 は一度だけ書けます");
        else if (!tools::takesValue(r, values.first()))
            //: --worksheet was given an empty file name
            problem = QCoreApplication::translate("commandline", "--%1 のファイルの名前が空です");
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problem.arg(QLatin1String(r.option))));
            return 2;
        }
        options.files.emplace_back(row, values.first());
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(QCoreApplication::translate("commandline", "開ける授業ファイルは一つです")));
        return 2;
    }
    if (!files.isEmpty())
        options.lessonFile = files.first();
    return -1;
}

bool StartOptions::isOn(const char *id) const
{
    for (const tools::ToolRow *row : on) {
        if (qstrcmp(row->id, id) == 0)
            return true;
    }
    return false;
}

bool answersWithoutWindow(const QStringList &arguments)
{
    static const QStringList textOnly { QStringLiteral("-h"), QStringLiteral("--help"),
                                        QStringLiteral("-?"), QStringLiteral("--help-all"),
                                        QStringLiteral("-v"), QStringLiteral("--version") };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--"))
            break; // what follows is a file name
        if (textOnly.contains(arguments[i]))
            return true;
    }
    return false;
}

bool writesFiles(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--"))
            break;
        for (const tools::ToolRow *row : tools::allRows()) {
            if (row->kind != tools::ToolRow::File || !row->hasOption())
                continue;
            // Qt takes one dash as well as two, and the value after "=" too.
            for (const QString &dashes : { QStringLiteral("--"), QStringLiteral("-") }) {
                const QString option = dashes + QLatin1String(row->option);
                if (arguments[i] == option || arguments[i].startsWith(option + QLatin1Char('=')))
                    return true;
            }
        }
    }
    return false;
}
