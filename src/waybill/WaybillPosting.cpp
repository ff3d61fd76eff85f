#include "WaybillPosting.h"

#include "context/AppContext.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "waybill/AddressBook.h"
#include "waybill/MarkerGroups.h"
#include "waybill/WaybillLog.h"

namespace Slipdesk::WaybillPosting {

namespace {

constexpr int GoodsDescriptions = 10; // the pick list "信函物品.TXT"

} // namespace

Result afterPrint(AppContext &context, const FieldValues &values, const QDateTime &now)
{
    Result result;
    const QString templateName = values.value(WaybillField::CmbLetterSelect);

    const QString name = values.value(WaybillField::CmbSjrMc);
    const QString unit = values.value(WaybillField::CmbSjdwMc);
    if (AddressBook::isNewRecipient(name, context.recipientNames(), unit, context.recipientUnits())) {
        QStringList fields;
        for (WaybillField field : WaybillForm::recipientFields())
            fields.append(values.value(field));
        const QString row = AddressBook::buildRow(fields);
        if (result.step(AddressBook::recipientFile(), [&] { context.appendRecipient(row); }))
            result.newRecipient = row;
    }

    result.step(QStringLiteral("打印记录/") + WaybillLog::fileName(now.date().year()), [&] {
        const QStringList markers = templateName.isEmpty()
            ? QStringList {QString(), QString(), QString()}
            : MarkerGroups::logFields(TemplateSettings(context.paths(), templateName), values);
        WaybillLog::append(context.paths(), values, markers, now);
    });

    const QString goods = values.value(WaybillField::CmbLetterWP);
    const QStringList descriptions = context.pickList(GoodsDescriptions);
    if (!goods.isEmpty() && !descriptions.isEmpty() && !descriptions.contains(goods)) {
        result.step(
            AppContext::pickListFile(GoodsDescriptions), [&] { context.addToPickList(GoodsDescriptions, goods); });
    }

    result.printedNumber = values.value(WaybillField::EdtEmsNo);
    result.nextNumber = advanceNumber(result.printedNumber);
    // Kept at once, so that a crash or a close from another tab never prints
    // the same number twice.
    if (!templateName.isEmpty()) {
        result.numberSaved = result.step(templateName + QStringLiteral(".INI"),
            [&] { TemplateSettings(context.paths(), templateName).setWaybillNumber(result.nextNumber); });
    }
    return result;
}

} // namespace Slipdesk::WaybillPosting
