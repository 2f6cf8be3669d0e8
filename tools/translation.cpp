#include "tools/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace translation {

namespace {

std::unique_ptr<QTranslator> &english()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString optionIn(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--"))
            break;
        if ((a == QLatin1String("--lang") || a == QLatin1String("-lang"))
            && i + 1 < arguments.size())
            return arguments[i + 1];
        for (const char *prefix : { "--lang=", "-lang=" }) {
            if (a.startsWith(QLatin1String(prefix)))
                return a.mid(qsizetype(qstrlen(prefix)));
        }
    }
    return QString();
}

QString pick(const QString &option, const QStringList &uiLanguages)
{
    if (option == QLatin1String("en") || option == QLatin1String("ja"))
        return option;
    // Only the preferred language counts: a Japanese desktop that also lists English stays
    // Japanese.
    if (!uiLanguages.isEmpty()) {
        const QString first = uiLanguages.first();
        if (first == QLatin1String("en") || first.startsWith(QLatin1String("en-"))
            || first.startsWith(QLatin1String("en_")))
            return QStringLiteral("en");
    }
    return QStringLiteral("ja");
}

bool use(const QString &language)
{
    std::unique_ptr<QTranslator> &translator = english();
    if (language != QLatin1String("en")) {
        if (translator) {
            QCoreApplication::removeTranslator(translator.get());
            translator.reset();
        }
        return true;
    }
    if (translator)
        return true;
    auto loaded = std::make_unique<QTranslator>();
    if (!loaded->load(QStringLiteral(":/i18n/kansu_en.qm")))
        return false;
    QCoreApplication::installTranslator(loaded.get());
    translator = std::move(loaded);
    return true;
}

QString current()
{
    return english() ? QStringLiteral("en") : QStringLiteral("ja");
}

} // namespace translation
