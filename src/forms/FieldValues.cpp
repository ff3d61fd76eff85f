#include "FieldValues.h"

namespace Slipdesk {

FieldValues FieldValues::fromFieldFile(const QByteArray &utf8)
{
    FieldValues values;
    for (QString line : QString::fromUtf8(utf8).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        values.insert(line.left(equals).trimmed(), line.mid(equals + 1));
    }
    return values;
}

} // namespace Slipdesk
