#include "WaybillPosting.h"

#include "context/AppContext.h"
#include "forms/DocumentNumber.h"
#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "render/Drawing.h"
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

PrintResult printAndPost(AppContext &context, PrinterService &printers, const PrintSource &source,
    const WaybillPage::Formats &formats, const FieldValues &values, const QDateTime &now, bool testPrint)
{
    PrintResult result;
    if (printers.printerNames().isEmpty()) {
        result.refusal = QStringLiteral("你的电脑上没有安装任何打印机驱动程序");
        result.focus = controlName(WaybillField::CmbJjrMc);
        return result;
    }
    result.focus = controlName(WaybillField::CmbSjrMc);
    if (!source.offset) {
        result.refusal = source.offsetRefusal;
        return result;
    }
    const QPoint offset = *source.offset;
    const QString title
        = testPrint ? QString() : values.value(WaybillField::CmbLetterSelect) + values.value(WaybillField::EdtEmsNo);
    const QString error = printForm(printers, source.setup, title, [&](Canvas &canvas) {
        Drawing drawing(canvas, offset.x(), offset.y());
        WaybillPage::draw(drawing, source.table, values, formats, now.time());
    });
    if (!error.isEmpty()) {
        result.refusal = error;
        return result;
    }
    result.printed = true;
    result.posting = afterPrint(context, values, now);
    return result;
}

} // namespace Slipdesk::WaybillPosting
