#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace fonts {

namespace {

// The first of the lesson's faces that this machine has. Naming that one face, rather than the
// list, spares the font system a fallback search for every size of every control.
QString gothicFamily()
{
    static const QString family = [] {
        const QStringList wanted { QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("Noto Sans CJK JP") };
        for (const QString &name : wanted) {
            if (QFontDatabase::hasFamily(name))
                return name;
        }
        return QString();
    }();
    return family;
}

} // namespace

QFont gothic(qreal points, bool bold)
{
    QFont font;
    const QString family = gothicFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    else // none here: let the font system fall back as best it can
        font.setFamilies({ QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                           QStringLiteral("Noto Sans CJK JP") });
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace fonts
