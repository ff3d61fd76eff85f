#include "SmallLists.h"

#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "storage/TextTable.h"

#include <QFileInfo>

namespace Slipdesk {

QString SmallLists::fileName(Which which)
{
    switch (which) {
    case Units:
        return QStringLiteral("计量单位.txt");
    case OutboundRemarks:
        return QStringLiteral("出库备注.Txt");
    default:
        return QStringLiteral("入库备注.Txt");
    }
}

QString SmallLists::legacyKey(Which which)
{
    switch (which) {
    case Units:
        return QStringLiteral("计量单位");
    case OutboundRemarks:
        return QStringLiteral("商品备注");
    default:
        return QStringLiteral("no"); // inbound remarks never had an old key
    }
}

QString SmallLists::defaultText(Which which)
{
    switch (which) {
    case Units:
        return QStringLiteral("件\r\n个\r\n套\r\n台\r\n盒\r\n包\r\n");
    case OutboundRemarks:
        return QStringLiteral("出库备注1\r\n出库备注2\r\n");
    default:
        return QStringLiteral("A供应商\r\nB供应商\r\n");
    }
}

QString SmallLists::load(const Paths &paths, ProgramSettings &settings, Which which)
{
    const QString path = paths.file(fileName(which));
    if (QFileInfo::exists(path))
        return TextTable::loadList(path);

    const QString old = settings.takeLegacyList(legacyKey(which));
    QString text;
    if (old.isEmpty()) {
        text = defaultText(which);
    } else {
        text = old;
        text.replace(QLatin1Char(','), QStringLiteral("\r\n"));
        text += QStringLiteral("\r\n");
    }
    TextTable::writeList(path, text);
    return text;
}

bool SmallLists::loaded() const
{
    for (const QString &t : text)
        if (t.isEmpty())
            return false;
    return true;
}

void SmallLists::loadMissing(const Paths &paths, ProgramSettings &settings)
{
    for (int i = 0; i < Count; ++i)
        if (text[i].isEmpty())
            text[i] = load(paths, settings, Which(i));
}

void SmallLists::saveAll(const Paths &paths) const
{
    for (int i = 0; i < Count; ++i)
        if (!text[i].isEmpty())
            TextTable::writeList(paths.file(fileName(Which(i))), text[i]);
}

QStringList SmallLists::entries(Which which) const
{
    QStringList out;
    for (QStringView line : QStringView(text[which]).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            out.append(line.toString());
    }
    return out;
}

} // namespace Slipdesk
