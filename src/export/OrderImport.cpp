#include "OrderImport.h"

#include "export/Workbook.h"
#include "storage/Codec.h"
#include "storage/FileIo.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"
#include "waybill/OrderResult.h"
#include "waybill/OrderSmartParser.h"
#include "waybill/WaybillQueue.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>

static void initOrderHeaders()
{
    Q_INIT_RESOURCE(orders);
}

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

const QString kSellerTable = QStringLiteral("淘宝订单表格");
const QString kGeneric = QStringLiteral("通用订单表格");
const QString kNothingAdded = QStringLiteral("没有导入任何订单。");

// The columns an order table is searched for, as the header table names them.
enum Column : int {
    Number,
    Nickname,
    RecipientName,
    MobilePhone,
    Telephone,
    FullAddress,
    ProvinceName,
    CityName,
    DistrictName,
    Town,
    PostcodeText,
    GoodsText,
    AmountText,
    FreightText,
    ColumnCount
};

struct ColumnName
{
    const char *key;
    const char *caption; // for the refusal
};
constexpr std::array<ColumnName, ColumnCount> kColumns = {{
    {"order", "订单号"},
    {"nickname", "买家昵称"},
    {"recipient", "收货人"},
    {"mobile", "手机"},
    {"telephone", "电话"},
    {"address", "收货地址"},
    {"province", "省"},
    {"city", "市"},
    {"district", "区"},
    {"town", "街道"},
    {"postcode", "邮编"},
    {"goods", "商品"},
    {"amount", "金额"},
    {"freight", "运费"},
}};

QString caption(int column)
{
    return QString::fromUtf8(kColumns[size_t(column)].caption);
}

struct Layout
{
    QString name;
    std::array<QStringList, ColumnCount> spellings;
};

// A header text as compared: no blanks, quotes, "*" marks or byte-order
// mark, full-width brackets as ASCII ones, Latin letters in lower case.
QString normalHeader(QString text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : std::as_const(text)) {
        if (c.isSpace() || c == u'"' || c == u'\'' || c == u'*' || c == QChar(0xFEFF) || c == QChar(0x3000))
            continue;
        if (c == QChar(0xFF08))
            c = u'(';
        else if (c == QChar(0xFF09))
            c = u')';
        out.append(c.toLower());
    }
    return out;
}

QList<Layout> loadLayouts()
{
    initOrderHeaders();
    QFile file(QStringLiteral(":/orders/headers.tsv"));
    QList<Layout> layouts;
    if (!file.open(QIODevice::ReadOnly))
        return layouts;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList parts = line.split(u'\t');
        if (parts.size() != 3)
            continue;
        int column = -1;
        for (int c = 0; c < ColumnCount; ++c)
            if (parts.at(1) == QLatin1String(kColumns[size_t(c)].key))
                column = c;
        if (column < 0)
            continue;
        if (layouts.isEmpty() || layouts.last().name != parts.at(0))
            layouts.append({parts.at(0), {}});
        for (const QString &spelling : parts.at(2).split(u'|'))
            if (!normalHeader(spelling).isEmpty())
                layouts.last().spellings[size_t(column)].append(normalHeader(spelling));
    }
    // The general layout knows every marketplace's spellings after its own.
    for (Layout &general : layouts) {
        if (general.name != kGeneric)
            continue;
        for (const Layout &other : std::as_const(layouts))
            if (other.name != kGeneric)
                for (int c = 0; c < ColumnCount; ++c)
                    for (const QString &spelling : other.spellings[size_t(c)])
                        if (!general.spellings[size_t(c)].contains(spelling))
                            general.spellings[size_t(c)].append(spelling);
    }
    return layouts;
}

const QList<Layout> &layouts()
{
    static const QList<Layout> all = loadLayouts();
    return all;
}

// Where a layout finds its columns in a header: the column index per
// column kind, -1 when not found. A header column serves one kind only.
struct Found
{
    const Layout *layout = nullptr;
    std::array<int, ColumnCount> at {};
    int count = 0;
    int operator[](int column) const { return at[size_t(column)]; }
    bool has(int column) const { return at[size_t(column)] >= 0; }
    QStringList missing() const
    {
        QStringList out;
        if (!has(Number))
            out.append(caption(Number));
        if (!has(RecipientName))
            out.append(caption(RecipientName));
        if (!has(FullAddress) && !has(ProvinceName))
            out.append(QStringLiteral("收货地址（或省、市、区）"));
        if (!has(MobilePhone) && !has(Telephone))
            out.append(QStringLiteral("手机或电话"));
        return out;
    }
    bool fits() const { return missing().isEmpty(); }
};

Found find(const Layout &layout, const QStringList &header)
{
    Found found;
    found.layout = &layout;
    found.at.fill(-1);
    QStringList names;
    for (const QString &text : header)
        names.append(normalHeader(text));
    QList<bool> taken(names.size(), false);
    for (int c = 0; c < ColumnCount; ++c) {
        for (const QString &spelling : layout.spellings[size_t(c)]) {
            qsizetype index = -1;
            for (qsizetype i = 0; i < names.size() && index < 0; ++i)
                if (!taken.at(i) && names.at(i) == spelling)
                    index = i;
            if (index >= 0) {
                found.at[size_t(c)] = int(index);
                taken[index] = true;
                ++found.count;
                break;
            }
        }
    }
    return found;
}

// A value as a marketplace writes it: blanks around it, a line break inside
// it (a blank in a queue row, where a line break would end the row), an
// apostrophe or tab in front that keeps a spreadsheet from reading a number,
// or the ="…" form that does the same.
QString plainValue(QString value)
{
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    value = value.trimmed();
    if (value.startsWith(QStringLiteral("=\"")) && value.endsWith(u'"') && value.size() >= 3)
        value = value.mid(2, value.size() - 3).trimmed();
    while (value.startsWith(u'\'') || value.startsWith(u'\t'))
        value = value.mid(1).trimmed();
    return value;
}

QString withoutApostrophes(QString text)
{
    return text.remove(u'\'');
}

// Money as a marketplace writes it ("¥158.50", "158.50元").
QString plainMoney(QString text)
{
    text.remove(u'¥').remove(QChar(0xFFE5)).remove(u'元');
    return text.trimmed();
}

bool isRecordEmpty(const QStringList &record)
{
    return std::all_of(record.begin(), record.end(), [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

// Comma- or tab-separated: the separator the first line has more of.
QList<QStringList> textRecords(QStringView text)
{
    const QStringView first = text.left(text.indexOf(u'\n') < 0 ? text.size() : text.indexOf(u'\n'));
    const QChar separator = first.count(u'\t') > first.count(u',') ? QChar(u'\t') : QChar(u',');
    return Workbook::parseCsv(text, separator);
}

Imported refused(const QString &why)
{
    Imported imported;
    imported.refusal = why;
    return imported;
}

QString undecodable()
{
    return QStringLiteral("这个订单表格既不是 UTF-8 也不是 GBK 编码的文字，无法读取；") + kNothingAdded;
}

// The seller order table, positions as that table has them.
QList<QStringList> sellerRows(const QList<QStringList> &records)
{
    QList<QStringList> out;
    for (qsizetype i = 1; i < records.size(); ++i) {
        if (isRecordEmpty(records.at(i)))
            continue;
        QStringList fields;
        for (const QString &field : records.at(i)) {
            QString value = field;
            // One record is one queue row: a line break inside a field is a
            // blank there, which the queue's saving removes.
            value.replace(u'\r', u' ').replace(u'\n', u' ');
            fields.append(value.trimmed());
        }
        Order order;
        order.number = fields.value(0);
        order.nickname = fields.value(1);
        order.freight = fields.value(4);
        order.amount = fields.value(6);
        order.unit = fields.value(11);
        order.recipient = fields.value(12);
        const Address address = splitAddress(fields.value(13));
        order.province = address.province;
        order.city = address.city;
        order.destination = address.city;
        order.district = address.district;
        order.postcode = address.postcode;
        order.street = address.street;
        order.telephone = withoutApostrophes(fields.value(15));
        order.mobile = withoutApostrophes(fields.value(16));
        order.goods = withoutApostrophes(fields.value(23));
        out.append(queueCells(order));
    }
    return out;
}

// `text` without the division names at its front that the order already has
// in columns of their own ("广东省深圳市南山区科技园" after 广东省, 深圳市, 南山区).
QString withoutDivisions(QString text, const Order &order)
{
    for (const QString &part : {order.province, order.city, order.district}) {
        text = text.trimmed();
        if (!part.isEmpty() && text.startsWith(part))
            text = text.mid(part.size());
    }
    return text.trimmed();
}

// A marketplace layout by the names of its columns.
QList<QStringList> namedRows(const Found &found, const QList<QStringList> &records)
{
    static const QRegularExpression postcodeAtEnd(QStringLiteral(R"(\s*[(（](\d{6})[)）]\s*$)"));
    const auto value = [&](const QStringList &record, int column) {
        return found.has(column) ? plainValue(record.value(found[column])) : QString();
    };
    QList<QStringList> out;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList &record = records.at(i);
        if (isRecordEmpty(record))
            continue;
        Order order;
        order.number = value(record, Number);
        order.nickname = value(record, Nickname);
        order.recipient = value(record, RecipientName);
        order.mobile = withoutApostrophes(value(record, MobilePhone));
        order.telephone = withoutApostrophes(value(record, Telephone));
        if (order.telephone == order.mobile)
            order.telephone.clear();
        order.postcode = value(record, PostcodeText);
        order.goods = withoutApostrophes(value(record, GoodsText));
        order.amount = plainMoney(value(record, AmountText));
        order.freight = plainMoney(value(record, FreightText));

        QString address = value(record, FullAddress);
        // A postcode in brackets closing the address, as the seller order
        // table writes it.
        const QRegularExpressionMatch postcode = postcodeAtEnd.match(address);
        if (postcode.hasMatch()) {
            if (order.postcode.isEmpty())
                order.postcode = postcode.captured(1);
            address = address.left(postcode.capturedStart()).trimmed();
        }
        if (found.has(ProvinceName)) {
            order.province = value(record, ProvinceName);
            order.city = value(record, CityName);
            order.district = value(record, DistrictName);
            order.destination = order.city;
            const QString town = value(record, Town);
            QString street = withoutDivisions(address, order);
            if (!town.isEmpty() && !street.startsWith(town))
                street = town + street;
            order.street = street;
        } else {
            // One text: divided by the smart reader's division rules.
            OrderResult divided;
            if (OrderSmartParser::splitAddress(address, divided)) {
                order.province = divided.province;
                order.city = divided.city;
                order.district = divided.district;
                order.destination = divided.destination.isEmpty() ? divided.city : divided.destination;
                order.street = divided.address;
            } else {
                order.street = address;
            }
        }
        out.append(queueCells(order));
    }
    return out;
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

QStringList queueCells(const Order &order)
{
    QStringList row(WaybillQueue::FieldCount);
    row[OrderNumber] = order.number;
    row[Nick] = order.nickname;
    row[Freight] = order.freight;
    row[Amount] = order.amount;
    row[Unit] = order.unit;
    row[Recipient] = order.recipient;
    row[Province] = order.province;
    row[City] = order.city;
    row[Destination] = order.destination;
    row[District] = order.district;
    row[Postcode] = order.postcode;
    row[Street] = order.street;
    row[UnitPhone] = order.telephone;
    row[Mobile] = order.mobile;
    row[Goods] = order.goods;
    return row;
}

std::optional<QString> decodeText(QByteArrayView bytes, QString *encoding)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(marked ? bytes.sliced(3) : bytes);
    if (!utf8.hasError()) {
        if (encoding)
            *encoding = QStringLiteral("UTF-8");
        return text;
    }
    if (marked)
        return std::nullopt; // marked UTF-8 but broken: no guess at another code page
    QStringDecoder gbk("GB18030", QStringConverter::Flag::Stateless);
    text = gbk.decode(bytes);
    if (gbk.hasError() || !gbk.isValid())
        return std::nullopt;
    if (encoding)
        *encoding = QStringLiteral("GBK");
    return text;
}

Imported readSellerTable(const QByteArray &fileBytes)
{
    Imported imported;
    const std::optional<QString> text = decodeText(fileBytes, &imported.encoding);
    if (!text)
        return refused(undecodable());
    imported.layout = kSellerTable;
    imported.rows = sellerRows(Workbook::parseCsv(*text));
    return imported;
}

Imported readOrderRecords(const QList<QStringList> &records)
{
    qsizetype start = 0;
    while (start < records.size() && isRecordEmpty(records.at(start)))
        ++start;
    if (start == records.size())
        return refused(QStringLiteral("这个订单表格是空的；") + kNothingAdded);
    const QList<QStringList> table = records.mid(start);
    const QStringList &header = table.first();

    Imported imported;
    const QList<Layout> &all = layouts();
    // The seller order table: its columns where that table has them.
    if (!all.isEmpty()) {
        const Found seller = find(all.first(), header);
        if (seller[Number] == 0 && seller[RecipientName] == 12 && seller[FullAddress] == 13) {
            imported.layout = kSellerTable;
            imported.rows = sellerRows(table);
            return imported;
        }
    }
    std::optional<Found> best;
    std::optional<Found> nearest;
    for (const Layout &layout : all) {
        const Found found = find(layout, header);
        if (!nearest || found.count > nearest->count)
            nearest = found;
        if (layout.name == kGeneric && best)
            continue; // only when no marketplace's own layout fits
        if (found.fits() && (!best || found.count > best->count))
            best = found;
    }
    if (!best) {
        const QStringList missing = nearest ? nearest->missing() : QStringList {caption(Number)};
        return refused(
            QStringLiteral("无法识别这个订单表格的表头：找不到 %1 列。").arg(missing.join(QStringLiteral("、")))
            + kNothingAdded);
    }
    imported.layout = best->layout->name;
    imported.rows = namedRows(*best, table);
    return imported;
}

Imported readOrderTable(const QByteArray &fileBytes)
{
    QString encoding;
    const std::optional<QString> text = decodeText(fileBytes, &encoding);
    if (!text)
        return refused(undecodable());
    Imported imported = readOrderRecords(textRecords(*text));
    imported.encoding = encoding;
    return imported;
}

Imported readOrderFile(const QString &fileName, const std::function<void()> &poll)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"xlsx" || suffix == u"xls" || suffix == u"ods") {
        if (!QFileInfo::exists(fileName))
            return refused(QStringLiteral("找不到文件：") + fileName);
        // What the spreadsheet program is given is checked as any outside
        // file is: a regular file of limited size.
        FileIo::readOutside(fileName, FileIo::kOrderTableLimit);
        if (!SpreadsheetProgram::available())
            return refused(
                QStringLiteral("读取 .%1 订单表格需要电子表格软件（LibreOffice），但没有找到它；").arg(suffix)
                + kNothingAdded);
        const Workbook::Sheet sheet = Workbook::readFirstSheet(fileName, poll);
        if (!sheet.result.ok())
            return refused(QStringLiteral("无法读取该表格文件（%1）；").arg(sheet.result.message) + kNothingAdded);
        return readOrderRecords(sheet.rows);
    }
    return readOrderTable(FileIo::readOutside(fileName, FileIo::kOrderTableLimit));
}

QList<QStringList> rows(const QByteArray &fileBytes)
{
    return readSellerTable(fileBytes).rows;
}

int appendToQueue(const Paths &paths, const QList<QStringList> &rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows) {
        QStringList cleaned;
        cleaned.reserve(row.size());
        for (const QString &cell : row)
            cleaned.append(TradeNumbers::cleaned(cell));
        lines.append(cleaned.join(u','));
    }
    TextTable::appendRows(WaybillQueue::file(paths), lines);
    return int(lines.size());
}

int appendToQueue(const Paths &paths, const QByteArray &fileBytes)
{
    return appendToQueue(paths, readSellerTable(fileBytes).rows);
}

} // namespace Slipdesk::OrderImport
