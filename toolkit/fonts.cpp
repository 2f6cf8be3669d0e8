#include "toolkit/fonts.h"

#include <QStringList>

namespace fonts {

QFont gothic(qreal points, bool bold)
{
    QFont font;
    // Asking for the first face alone lets kana fall back to a fixed-width face.
    font.setFamilies({ QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                       QStringLiteral("Noto Sans CJK JP") });
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace fonts
