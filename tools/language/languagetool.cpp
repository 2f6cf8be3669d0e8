// The lesson in English or Japanese, switched while it runs: the translator changes and the
// window and every tool translate themselves again, keeping every field and pixel of the lesson.
#include "tools/language/languagetool.h"

#include "tools/host/toolhost.h"
#include "tools/language/translation.h"

LanguageTool::LanguageTool(ToolHost &host)
    : Tool(host)
{ }

void LanguageTool::act(const tools::ToolRow &, bool)
{
    const bool toEnglish = translation::current() != QLatin1String("en");
    if (!translation::use(toEnglish ? QStringLiteral("en") : QStringLiteral("ja"))) {
        host.announce(tr("英語の訳が見つかりません"));
        return;
    }
    // Said in the language just chosen.
    host.announce(tr("ことばを日本語にしました"));
}
