#include "DeliveryQueue.h"

#include "context/AppContext.h"
#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/GoodsCheck.h"
#include "trade/GoodsMaster.h"
#include "trade/StockRules.h"
#include "trade/TradeNumbers.h"

#include <QFileInfo>

namespace Slipdesk::DeliveryQueue {

namespace {

// The stored note fields after template and key, in file order.
const QList<DeliveryField> &noteFields()
{
    static const QList<DeliveryField> fields = [] {
        QList<DeliveryField> out;
        for (int column = 0; column < DeliveryForm::QueueColumns; ++column)
            if (const std::optional<DeliveryField> field = FormFields::atQueueColumn<DeliveryField>(column))
                out.append(*field);
        return out;
    }();
    return fields;
}
constexpr int kKeyFields = 2;

QString joined(const QStringList &fields)
{
    QStringList cleaned;
    cleaned.reserve(fields.size());
    for (const QString &field : fields)
        cleaned.append(TextTable::cleanValue(field));
    return TextTable::cleanRow(cleaned.join(u','));
}

} // namespace

QString file(const Paths &paths, const QString &templateName)
{
    return paths.batchDir() + Paths::checkedStem(templateName) + QStringLiteral(".TSK");
}

QString goodsFile(const Paths &paths, const QString &templateName)
{
    return paths.batchDir() + Paths::checkedStem(templateName) + QStringLiteral("发货清单.TSK");
}

QString key(const QDateTime &now, const QSet<QString> &taken)
{
    QDateTime at = now;
    for (;;) {
        const QString candidate
            = at.date().toString(QStringLiteral("yyyy-MM-dd")) + u'+' + at.time().toString(QStringLiteral("hh:mm:ss"));
        if (!taken.contains(candidate))
            return candidate;
        at = at.addSecs(1);
    }
}

QSet<QString> takenKeys(const Paths &paths, const QString &templateName)
{
    QSet<QString> keys;
    for (const QString &path : {file(paths, templateName), goodsFile(paths, templateName)}) {
        if (!QFileInfo::exists(path))
            continue;
        for (const QString &line : TextTable::load(path))
            if (TextTable::field(line, 0) == templateName)
                keys.insert(TextTable::field(line, 1));
    }
    return keys;
}

QString noteLine(const TradeNote &note, const QString &key)
{
    QStringList fields {note.templateName(), key};
    for (DeliveryField field : noteFields())
        fields.append(note.value(field));
    return joined(fields);
}

QStringList goodsLines(const TradeNote &note, const QString &key)
{
    QStringList lines;
    for (const GoodsRow &row : note.goods) {
        if (!GoodsTable::hasName(row))
            continue;
        QStringList fields {note.templateName(), key};
        fields.append(row.mid(GoodsColumn::Code, GoodsColumn::Count - GoodsColumn::Code));
        lines.append(joined(fields));
    }
    return lines;
}

SaveResult save(AppContext &context, TradeNote note, const QDateTime &now)
{
    SaveResult result;
    if (const QString refusal = GoodsCheck::refusal(note, GoodsCheck::Action::Save); !refusal.isEmpty()) {
        result.failed.append(refusal); // nothing queued, nothing reserved
        return result;
    }
    note.recompute();
    result.note = note;
    const Paths &paths = context.paths();
    const QString name = note.templateName();
    QSet<QString> taken;
    if (!result.step(QStringLiteral("批打数据"), [&] { taken = takenKeys(paths, name); }))
        return result;
    result.saved.clear();
    result.key = key(now, taken);

    const QStringList goods = goodsLines(note, result.key);
    const QString goodsName = QStringLiteral("批打数据/") + name + QStringLiteral("发货清单.TSK");
    const QString noteName = QStringLiteral("批打数据/") + name + QStringLiteral(".TSK");
    // Without its goods lines the note would print empty: nothing is queued
    // and nothing reserved when they could not be written.
    if (!result.step(goodsName, [&] {
            if (!QFileInfo::exists(goodsFile(paths, name)))
                TextTable::save(goodsFile(paths, name), {});
            TextTable::appendRows(goodsFile(paths, name), goods);
        }))
        return result;
    if (!result.step(noteName, [&] { TextTable::appendRow(file(paths, name), noteLine(note, result.key)); }))
        return result;

    bool changed = false;
    result.step(GoodsMaster::fileName(), [&] {
        context.ensureGoods();
        changed = StockRules::saveToBatch(context.goods(), note.goods);
        if (changed)
            context.goods().save(paths);
    });
    if (!changed)
        result.saved.removeOne(GoodsMaster::fileName());
    return result;
}

FieldValues noteValues(const QStringList &cells)
{
    FieldValues values;
    for (DeliveryField field : noteFields())
        values.insert(field, TradeNumbers::cleaned(cells.value(fieldSpec(field).queueColumn)));
    return values;
}

GoodsRows noteGoods(const QStringList &goodsLines)
{
    GoodsRows rows;
    rows.reserve(goodsLines.size());
    for (const QString &line : goodsLines) {
        GoodsRow row = GoodsTable::row({});
        for (int column = GoodsColumn::Code; column < GoodsColumn::Count; ++column)
            row[column] = TextTable::field(line, kKeyFields + column - GoodsColumn::Code);
        row[GoodsColumn::Number] = QString::number(rows.size() + 1);
        rows.append(row);
    }
    return rows;
}

} // namespace Slipdesk::DeliveryQueue
