#pragma once

#include <QString>

class QWidget;

namespace tools {

/// Asks where to save a file: the desktop's save dialog over `parent`, the name given the
/// `suffix` when it has none, `proposed` (a path) chosen at first when given. Empty when the
/// teacher cancels.
QString askSavePath(QWidget *parent, const QString &title, const QString &filter,
                    const QString &suffix, const QString &proposed = {});

} // namespace tools
