#include "FontMapping.h"

#include <QFont>

namespace Slipdesk::FontMapping {

namespace {
const QStringList &sansFamilies()
{
    static const QStringList families {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Droid Sans Fallback")};
    return families;
}

const QStringList &serifFamilies()
{
    static const QStringList families {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK SC")};
    return families;
}
} // namespace

QStringList substitutes(const QString &windowsFamily)
{
    if (windowsFamily == u"宋体" || windowsFamily == u"新宋体" || windowsFamily == u"SimSun"
        || windowsFamily == u"NSimSun")
        return serifFamilies();
    return sansFamilies();
}

void install()
{
    for (const QString &family :
        {QStringLiteral("黑体"), QStringLiteral("宋体"), QStringLiteral("华文细黑"), QStringLiteral("新宋体"),
            QStringLiteral("SimHei"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("STXihei")})
        QFont::insertSubstitutions(family, substitutes(family));
}

} // namespace Slipdesk::FontMapping
