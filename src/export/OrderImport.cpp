#include "OrderImport.h"

#include "storage/Codec.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"
#include "waybill/WaybillQueue.h"

namespace Slipdesk::OrderImport {

namespace {

// Queue fields (the batch table's grid columns less one).
enum QueueField : int {
    Nick = 0,
    Recipient = 1,
    Destination = 2,
    Province = 3,
    City = 4,
    District = 5,
    Street = 6,
    Unit = 7,
    UnitPhone = 8,
    Postcode = 9,
    OrderNumber = 10,
    Goods = 11,
    Mobile = 19,
    Amount = 31,
    Freight = 35,
};

QString withoutApostrophes(QString text)
{
    return text.remove(u'\'');
}

} // namespace

Address splitAddress(const QString &address)
{
    Address parts;
    const QStringList pieces = address.split(u' ');
    parts.province = pieces.value(0);
    parts.city = pieces.size() > 1 ? pieces.at(1) : QString();
    parts.district = pieces.size() > 3 ? pieces.at(2) : QString();
    // The postcode closes the address in ASCII parentheses; an address that
    // does not end so has none (rather than half a character).
    const qsizetype open = address.lastIndexOf(u'(');
    if (address.endsWith(u')') && open >= 0 && address.size() - open == 8)
        parts.postcode = address.mid(open + 1, 6);
    QString street = address;
    if (!parts.postcode.isEmpty())
        street.remove(u'(' + parts.postcode + u')');
    // Without a district the street follows the city directly: take that
    // prefix off too, or the street would repeat province and city.
    QString prefix = parts.province + u' ' + parts.city + u' ';
    if (!parts.district.isEmpty())
        prefix += parts.district + u' ';
    if (pieces.size() > 2)
        street.remove(prefix);
    parts.street = street;
    return parts;
}

QList<QStringList> rows(const QByteArray &fileBytes)
{
    QStringList lines = Codec::decode(fileBytes).split(QStringLiteral("\n"));
    QList<QStringList> out;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        QStringList order = TextTable::splitCommaText(line);
        // A quoted field may hold a lone CR (a line is cut at LF only): it
        // would end the row early in the queue file, where a lone CR ends a
        // line. The values are one-line texts; the CR becomes a blank.
        for (QString &value : order)
            value.replace(u'\r', u' ');
        QStringList row(WaybillQueue::FieldCount);
        row[OrderNumber] = order.value(0);
        row[Nick] = order.value(1);
        row[Freight] = order.value(4);
        row[Amount] = order.value(6);
        row[Unit] = order.value(11);
        row[Recipient] = order.value(12);
        const Address address = splitAddress(order.value(13));
        row[Province] = address.province;
        row[City] = address.city;
        row[Destination] = address.city;
        row[District] = address.district;
        row[Postcode] = address.postcode;
        row[Street] = address.street;
        row[UnitPhone] = withoutApostrophes(order.value(15));
        row[Mobile] = withoutApostrophes(order.value(16));
        row[Goods] = withoutApostrophes(order.value(23));
        out.append(row);
    }
    return out;
}

int appendToQueue(const Paths &paths, const QByteArray &fileBytes)
{
    QStringList lines;
    for (const QStringList &row : rows(fileBytes)) {
        QStringList cleaned;
        cleaned.reserve(row.size());
        for (const QString &cell : row)
            cleaned.append(TradeNumbers::cleaned(cell));
        lines.append(cleaned.join(u','));
    }
    TextTable::appendRows(WaybillQueue::file(paths), lines);
    return int(lines.size());
}

} // namespace Slipdesk::OrderImport
