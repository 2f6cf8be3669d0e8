#pragma once

#include <QString>
#include <QStringList>

// Which language the lesson speaks, and Qt's translator for it. Japanese is the source
// language: it needs no translator. English ships inside the program.
namespace translation {

/// The value of --lang (or --lang=…) in `arguments`, read before the parser runs so that
/// --help itself comes out in that language; empty when not given.
QString optionIn(const QStringList &arguments);

/// "en" or "ja": what --lang asked for, else English when the system's first UI language is
/// English, else Japanese.
QString pick(const QString &option, const QStringList &uiLanguages);

/// Puts the application into `language` ("ja" or "en"): installs or removes the translator,
/// which tells every window to translate itself again. Returns false when the English
/// translation could not be loaded (the lesson then stays in Japanese).
bool use(const QString &language);

/// The language in use, "ja" or "en".
QString current();

} // namespace translation
