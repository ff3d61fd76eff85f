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

QString value(const FieldValues &values, const char *control)
{
    return values.value(QLatin1String(control));
}

} // namespace

Result afterPrint(AppContext &context, const FieldValues &values, const QDateTime &now)
{
    Result result;
    const QString templateName = value(values, "CmbLetterSelect");

    const QString name = value(values, "CmbSjrMc");
    const QString unit = value(values, "CmbSjdwMc");
    if (AddressBook::isNewRecipient(name, context.recipientNames(), unit, context.recipientUnits())) {
        QStringList fields;
        for (const QString &control : AddressBook::recipientControls())
            fields.append(values.value(control));
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

    const QString goods = value(values, "CmbLetterWP");
    const QStringList descriptions = context.pickList(GoodsDescriptions);
    if (!goods.isEmpty() && !descriptions.isEmpty() && !descriptions.contains(goods)) {
        result.step(
            AppContext::pickListFile(GoodsDescriptions), [&] { context.addToPickList(GoodsDescriptions, goods); });
    }

    result.printedNumber = value(values, "EdtEmsNo");
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
