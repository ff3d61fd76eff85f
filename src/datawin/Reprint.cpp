#include "Reprint.h"

#include "datawin/DataSession.h"
#include "trade/TradeFields.h"
#include "waybill/WaybillForm.h"

#include <QHash>

namespace Slipdesk::Reprint {

namespace {

// The fields "重打" copies back from a log row (`cells` without its 序号):
// each at its log column, the fields sharing the joined address column
// split at "|" (a missing part gives an empty field), and the mirrors
// following the field of their book column.
template<typename E> FieldValues fromLog(const QStringList &cells)
{
    FieldValues values;
    QHash<int, int> partsTaken;
    for (E field : FormFields::where<E>([](const FieldSpec &spec) { return spec.has(FieldFlag::Reprint); })) {
        const int column = fieldSpec(field).logColumn;
        const QString cell = cells.value(column);
        if (FormFields::atLogColumn<E>(column).size() > 1)
            values.insert(field, cell.split(u'|').value(partsTaken[column]++));
        else
            values.insert(field, cell);
    }
    for (E mirror : FormFields::where<E>([](const FieldSpec &spec) { return spec.has(FieldFlag::Mirror); }))
        if (const std::optional<E> source = FormFields::atRecipientColumn<E>(fieldSpec(mirror).recipientColumn))
            values.insert(mirror, values.value(*source));
    return values;
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

FieldValues express(const QStringList &cells)
{
    return fromLog<WaybillField>(cells);
}

ReprintData delivery(const QStringList &cells, const QList<QStringList> &detailCells)
{
    ReprintData data;
    data.page = ReprintData::Page::Delivery;
    data.values = fromLog<DeliveryField>(cells);
    data.goods = goodsOf(detailCells);
    return data;
}

ReprintData inbound(const QStringList &cells, const QList<QStringList> &detailCells)
{
    ReprintData data;
    data.page = ReprintData::Page::Inbound;
    data.values = fromLog<InboundField>(cells);
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
    return session.spec().reprint(cells, detail);
}

} // namespace Slipdesk::Reprint
