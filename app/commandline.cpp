#include "app/commandline.h"
#include "app/manpage.h"

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
    std::array<QCommandLineOption *, tools::toolCount> byTool {};
    std::vector<std::unique_ptr<QCommandLineOption>> made;
    for (const tools::ToolRow &r : tools::table()) {
        if (!r.option[0])
            continue;
        const QString help = QCoreApplication::translate("tools", r.help);
        auto option = r.valueName[0]
            ? std::make_unique<QCommandLineOption>(QLatin1String(r.option), help,
                                                   QLatin1String(r.valueName))
            : std::make_unique<QCommandLineOption>(QLatin1String(r.option), help);
        parser.addOption(*option);
        byTool[size_t(r.id)] = option.get();
        made.push_back(std::move(option));
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
    using tools::Tool;
    for (const tools::ToolRow &r : tools::table()) {
        const QCommandLineOption *option = byTool[size_t(r.id)];
        if (!option || !parser.isSet(*option))
            continue;
        // A file to write is named once and not by an empty name (an unset shell variable).
        if (r.id == Tool::SaveWorksheet || r.id == Tool::SavePicture) {
            const QStringList names = parser.values(*option);
            QString problem;
            if (names.size() > 1)
                //: --worksheet was given twice
                problem = QCoreApplication::translate("commandline", "--%1 は一度だけ書けます");
            else if (names.first().isEmpty())
                //: --worksheet was given an empty file name
                problem
                    = QCoreApplication::translate("commandline", "--%1 のファイルの名前が空です");
            if (!problem.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(problem.arg(QLatin1String(r.option))));
                return 2;
            }
        }
        switch (r.id) {
        case Tool::Language:
            options.language = parser.value(*option);
            if (options.language != QLatin1String("ja")
                && options.language != QLatin1String("en")) {
                std::fprintf(stderr, "--lang: %s\n", "ja | en");
                return 2;
            }
            break;
        case Tool::SaveWorksheet:
            options.worksheetOut = parser.value(*option);
            break;
        case Tool::SavePicture:
            options.pictureOut = parser.value(*option);
            break;
        default:
            options.toolsOn[size_t(r.id)] = true;
            break;
        }
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
