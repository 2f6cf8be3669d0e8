#include "core/tooltable.h"

#include <QSet>
#include <QStringList>

namespace tools {

QString fault(std::span<const ToolRow *const> rows)
{
    QSet<QString> ids, shortcuts, options;
    for (const ToolRow *r : rows) {
        const QString id = QString::fromLatin1(r->id);
        if (id.isEmpty() || !r->caption[0])
            return QStringLiteral("a row without an id or caption");
        if (ids.contains(id))
            return QStringLiteral("id %1 twice").arg(id);
        ids.insert(id);
        const QString shortcut = QString::fromLatin1(r->shortcut);
        if (!shortcut.isEmpty() && shortcuts.contains(shortcut))
            return QStringLiteral("shortcut %1 twice").arg(shortcut);
        shortcuts.insert(shortcut);
        const QString option = QString::fromLatin1(r->option);
        if (!option.isEmpty() && options.contains(option))
            return QStringLiteral("option --%1 twice").arg(option);
        options.insert(option);
        if ((r->kind == ToolRow::File || r->kind == ToolRow::Choice) && r->hasOption()
            && !r->valueName[0])
            return QStringLiteral("option --%1 without its value").arg(option);
    }
    return {};
}

bool takesValue(const ToolRow &row, const QString &value)
{
    switch (row.kind) {
    case ToolRow::File:
        return !value.isEmpty();
    case ToolRow::Choice:
        return QString::fromLatin1(row.valueName).split(QLatin1Char('|')).contains(value);
    default:
        return true;
    }
}

} // namespace tools
