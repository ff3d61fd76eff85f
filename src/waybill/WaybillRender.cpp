#include "WaybillRender.h"

#include "context/AppContext.h"
#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "render/Drawing.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/Offsets.h"
#include "templates/PrinterSetup.h"
#include "templates/TemplateList.h"
#include "waybill/WaybillPage.h"

#include <QTime>

namespace Slipdesk::WaybillRender {

namespace {

WaybillPage::Formats formatsOf(const TemplateSettings &settings)
{
    WaybillPage::Formats formats;
    formats.date = settings.dateFormat();
    formats.amount = settings.amountCapitalFormat();
    formats.cod = settings.codCapitalFormat();
    formats.insured = settings.insuredCapitalFormat();
    return formats;
}

// The template as the express tab loads it: its item table, formats and
// overall offset. Empty `refusal` when it can be drawn.
struct LoadedTemplate
{
    ItemTable table;
    WaybillPage::Formats formats;
    PrinterSetup setup;
    QPoint offset;
    QString refusal;
};

LoadedTemplate loadTemplate(const Paths &paths, const QString &name)
{
    LoadedTemplate loaded;
    if (name.isEmpty()) {
        loaded.refusal = QStringLiteral("no template named");
        return loaded;
    }
    const TemplateSettings settings(paths, name);
    loaded.table = ItemTable::load(paths.templateSet(name), ItemTable::Express);
    loaded.formats = formatsOf(settings);
    loaded.setup = PrinterSetup::fromSettings(settings);
    const std::optional<QPoint> offset = Offsets::parse(settings.moveX(), settings.moveY(), &loaded.refusal);
    if (offset)
        loaded.offset = *offset;
    return loaded;
}

} // namespace

FieldValues parseFieldFile(const QByteArray &utf8)
{
    FieldValues values;
    for (QString line : QString::fromUtf8(utf8).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        values.insert(line.left(equals).trimmed(), line.mid(equals + 1));
    }
    return values;
}

QString render(const Paths &paths, const Options &options)
{
    const LoadedTemplate loaded = loadTemplate(paths, options.templateName);
    if (!loaded.refusal.isEmpty())
        return loaded.refusal;

    PrintJob::FileTarget target;
    target.path = options.out;
    target.dpi = options.dpi > 0 ? options.dpi : (options.preview ? 96 : 600);
    target.printableOffset = options.printableOffset;
    target.printing = !options.preview;
    target.title = options.templateName;
    QString error;
    std::unique_ptr<PrintJob> job = PrintJob::toFile(loaded.setup, target, &error);
    if (!job)
        return error;
    const QTime now = QTime::currentTime();
    return printForm(std::move(job), [&](Canvas &canvas) {
        Drawing drawing(canvas, loaded.offset.x(), loaded.offset.y());
        WaybillPage::draw(drawing, loaded.table, options.values, loaded.formats, now);
    });
}

FieldValues formValues(const Paths &paths, const QString &name, const FieldValues &values)
{
    FieldValues form;
    form.insert(WaybillField::CmbLetterSelect, name);
    form.insert(WaybillField::EdtEmsNo, TemplateSettings(paths, name).waybillNumber());
    form.insert(WaybillField::DateTimeP, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        form.insert(it.key(), it.value());
    return form;
}

PrintResult print(
    AppContext &context, PrinterService &printers, const QString &name, const FieldValues &values, const QDateTime &now)
{
    PrintResult result;
    if (!TemplateList::peek(ProgramSettings(context.paths()), ItemTable::Express).contains(name)) {
        // A template the list does not know would print the built-in layout
        // under a name the user never made.
        result.refusal = QStringLiteral("快递单模版“") + name + QStringLiteral("”不存在。");
        return result;
    }
    if (printers.printerNames().isEmpty()) {
        result.refusal = QStringLiteral("你的电脑上没有安装任何打印机驱动程序");
        return result;
    }
    const LoadedTemplate loaded = loadTemplate(context.paths(), name);
    if (!loaded.refusal.isEmpty()) {
        result.refusal = loaded.refusal;
        return result;
    }
    const QString title = name + values.value(WaybillField::EdtEmsNo);
    const QString error = printForm(printers, loaded.setup, title, [&](Canvas &canvas) {
        Drawing drawing(canvas, loaded.offset.x(), loaded.offset.y());
        WaybillPage::draw(drawing, loaded.table, values, loaded.formats, now.time());
    });
    if (!error.isEmpty()) {
        result.refusal = error;
        return result;
    }
    result.posting = WaybillPosting::afterPrint(context, values, now);
    return result;
}

} // namespace Slipdesk::WaybillRender
