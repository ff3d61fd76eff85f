#include "Reprint.h"

#include "datawin/DataSession.h"

namespace Slipdesk::Reprint {

namespace {

// The log's column under `name`; `cells` start after the 序号 column.
QString column(const QStringList &header, const QStringList &cells, const char *name)
{
    const qsizetype at = header.indexOf(QString::fromUtf8(name));
    return at >= 1 && at - 1 < cells.size() ? cells.at(at - 1) : QString();
}

void copy(FieldValues &values, const QStringList &header, const QStringList &cells,
    std::initializer_list<std::pair<const char *, const char *>> mapping)
{
    for (const auto &[name, control] : mapping)
        values.insert(QLatin1String(control), column(header, cells, name));
}

// Province, city, district and street of an address logged as "a|b|c|d".
QStringList addressParts(const QString &address)
{
    QStringList parts = address.split(u'|');
    while (parts.size() < 4)
        parts.append(QString());
    return parts;
}

// Detail cells are 序号-less: 名称, 单号, 日期, then the goods columns in the
// page's grid order.
GoodsRows goodsOf(const QList<QStringList> &detailCells)
{
    constexpr int kFirstGoodsField = 3;
    GoodsRows rows;
    for (const QStringList &cells : detailCells) {
        GoodsRow row = GoodsTable::row({});
        for (int c = GoodsColumn::Code; c < GoodsColumn::Count; ++c) {
            const int field = kFirstGoodsField + c - GoodsColumn::Code;
            if (field < cells.size())
                row[c] = cells.at(field);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

FieldValues express(const QStringList &header, const QStringList &cells)
{
    FieldValues values;
    copy(values, header, cells,
        {{"买家昵称", "EdtSjrWW"}, {"收件人", "CmbSjrMc"}, {"收件单位名称", "CmbSjdwMc"},
            {"收件单位电话", "EdtSjDwTel"}, {"邮政编码", "EdtSjdwYb"}, {"物品", "CmbLetterWP"}, {"金额", "EdtWpJe"},
            {"留言", "CmbLetterLy"}, {"收件人电话", "EdtSjrTel1"}, {"手机", "EdtSjrMobile"},
            {"支付宝", "EdtSjrPayEmail"}, {"信箱", "EdtSjrEmail"}, {"聊天", "EdtSjrIM"}});
    const QStringList address = addressParts(column(header, cells, "收件地址"));
    values.insert(QStringLiteral("EdtSjDwSs"), address.at(0));
    values.insert(QStringLiteral("EdtSjDwDs"), address.at(1));
    values.insert(QStringLiteral("EdtTo"), address.at(1));
    values.insert(QStringLiteral("EdtSjDwQx"), address.at(2));
    values.insert(QStringLiteral("EdtSjDwDz"), address.at(3));
    return values;
}

ReprintData delivery(const QStringList &header, const QStringList &cells, const QList<QStringList> &detailCells)
{
    ReprintData data;
    data.page = ReprintData::Page::Delivery;
    copy(data.values, header, cells,
        {{"买家姓名", "CmbBuyerName"}, {"买家昵称", "CmbBuyerWW"}, {"买家手机", "EdtBuyerMobile"},
            {"买家电话", "EdtBuyerTel"}, {"邮编", "EdtBuyerYb"}, {"邮递费用", "EdtPostPrice"}});
    const QStringList address = addressParts(column(header, cells, "收货地址"));
    data.values.insert(QStringLiteral("EdtAddSs"), address.at(0));
    data.values.insert(QStringLiteral("EdtAddDs"), address.at(1));
    data.values.insert(QStringLiteral("EdtAddQx"), address.at(2));
    data.values.insert(QStringLiteral("EdtAddress"), address.at(3));
    data.goods = goodsOf(detailCells);
    return data;
}

ReprintData inbound(const QStringList &header, const QStringList &cells, const QList<QStringList> &detailCells)
{
    ReprintData data;
    data.page = ReprintData::Page::Inbound;
    copy(data.values, header, cells, {{"经办人", "CmbInputJbr"}, {"入库类别", "CmbInputType"}});
    data.goods = goodsOf(detailCells);
    return data;
}

std::optional<ReprintData> of(const DataSession &session, int row)
{
    const DataTable &table = session.table();
    if (!session.spec().canReprint() || !table.hasData() || row < 0 || row >= table.rowCount())
        return std::nullopt;
    const QStringList cells = table.cells(row);
    QList<QStringList> detail;
    if (session.spec().hasDetail()) {
        const DataTable shown = session.detailOf(row);
        for (int r = 0; shown.hasData() && r < shown.rowCount(); ++r)
            detail.append(shown.cells(r));
    }
    return session.spec().reprint(table.header(), cells, detail);
}

} // namespace Slipdesk::Reprint
