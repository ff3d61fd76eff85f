#include "WaybillForm.h"

#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"

#include <QDate>

namespace Slipdesk {

namespace {

constexpr FieldSpec kFields[] = {SLIPDESK_WAYBILL_FIELDS(SLIPDESK_FIELD_SPEC)};
static_assert(std::size(kFields) == std::size_t(WaybillField::Count));

QList<WaybillField> inColumnOrder(qint8 FieldSpec::*column, int columns)
{
    QList<WaybillField> fields;
    for (int c = 0; c < columns; ++c)
        for (int i = 0; i < int(WaybillField::Count); ++i)
            if (kFields[i].*column == c && !kFields[i].has(FieldFlag::Mirror))
                fields.append(WaybillField(i));
    return fields;
}

} // namespace

const FieldSpec &fieldSpec(WaybillField field)
{
    return kFields[std::size_t(field)];
}

const QString &controlName(WaybillField field)
{
    static const QStringList names = FormFields::controlNames(kFields);
    return names.at(qsizetype(field));
}

namespace WaybillForm {

QList<WaybillField> recipientFields()
{
    static const QList<WaybillField> fields = inColumnOrder(&FieldSpec::recipientColumn, RecipientColumns);
    return fields;
}

QList<WaybillField> senderFields()
{
    static const QList<WaybillField> fields = inColumnOrder(&FieldSpec::senderColumn, SenderColumns);
    return fields;
}

FieldValues recipientFromRow(const QString &row)
{
    QStringList cells;
    for (int c = 0; c < RecipientColumns; ++c)
        cells.append(TextTable::field(row, c));
    return FormFields::fromRecipientCells<WaybillField>(cells);
}

FieldValues senderFromRow(const QString &row)
{
    FieldValues values;
    for (WaybillField field : senderFields())
        values.insert(field, TextTable::field(row, fieldSpec(field).senderColumn));
    return values;
}

FieldValues withDefaults(const Paths &paths, const QString &name, const FieldValues &values)
{
    FieldValues form;
    form.insert(WaybillField::CmbLetterSelect, name);
    form.insert(WaybillField::EdtEmsNo, TemplateSettings(paths, name).waybillNumber());
    form.insert(WaybillField::DateTimeP, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        form.insert(it.key(), it.value());
    return form;
}

} // namespace WaybillForm
} // namespace Slipdesk
