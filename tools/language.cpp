// The lesson in English or Japanese, switched while it runs: the translator changes and the
// window translates itself again (retranslate()), keeping every field and pixel of the lesson.
#include "app/form1.h"

#include "tools/translation.h"

void Form1::switchLanguage()
{
    const bool toEnglish = translation::current() != QLatin1String("en");
    if (!translation::use(toEnglish ? QStringLiteral("en") : QStringLiteral("ja"))) {
        announce(tr("英語の訳が見つかりません"));
        return;
    }
    // Said in the language just chosen.
    announce(tr("ことばを日本語にしました"));
}
