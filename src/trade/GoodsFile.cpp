#include "GoodsFile.h"

#include <QString>

namespace Slipdesk::GoodsFile {

GoodsRows parse(const QByteArray &utf8, int gridRows)
{
    QStringList lines = QString::fromUtf8(utf8).split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    GoodsRows rows = GoodsTable::emptyRows(std::max<int>(gridRows, int(lines.size())));
    for (int k = 0; k < lines.size(); ++k) {
        if (lines.at(k).trimmed().isEmpty())
            continue;
        const QStringList cells = lines.at(k).split(u',');
        for (int c = 0; c < cells.size() && c < GoodsColumn::Count - 1; ++c)
            rows[k][c + 1] = cells.at(c).trimmed();
    }
    return rows;
}

} // namespace Slipdesk::GoodsFile
