#pragma once

#include <QString>

/// The manual page (roff, section 1) of `program`, made from `helpText` as QCommandLineParser
/// writes it for --help, so that the page and --help list the same options in the same words.
QString manPage(const QString &helpText, const QString &program, const QString &version);
