#include "tools/language/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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

// Qt's own texts (file, print and message dialogs, parser errors) in Japanese, from the
// system's translations; English needs none.
std::unique_ptr<QTranslator> &qtJapanese()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

QString &inUse()
{
    static QString language = QStringLiteral("ja");
    return language;
}

void drop(std::unique_ptr<QTranslator> &translator)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
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
    // Removed and installed again each time: an application made after an earlier one (the
    // command line is read before the window's) starts with no translators.
    drop(english());
    drop(qtJapanese());
    if (language != QLatin1String("en")) {
        inUse() = QStringLiteral("ja");
        auto qt = std::make_unique<QTranslator>();
        // Without the system's translations Qt's dialogs stay in English; the lesson goes on.
        if (qt->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            qtJapanese() = std::move(qt);
        }
        return true;
    }
    auto loaded = std::make_unique<QTranslator>();
    if (!loaded->load(QStringLiteral(":/i18n/kansu_en.qm"))) {
        use(QStringLiteral("ja"));
        return false;
    }
    QCoreApplication::installTranslator(loaded.get());
    english() = std::move(loaded);
    inUse() = QStringLiteral("en");
    return true;
}

QString current()
{
    return inUse();
}

} // namespace translation
