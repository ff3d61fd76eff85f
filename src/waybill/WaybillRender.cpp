#include "WaybillRender.h"

#include "platform/PrintJob.h"
#include "render/Drawing.h"
#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/PrintSource.h"
#include "waybill/WaybillPage.h"

#include <QTime>

namespace Slipdesk::WaybillRender {

QString render(const Paths &paths, const Options &options)
{
    if (options.templateName.isEmpty())
        return QStringLiteral("no template named");
    const PrintSource source = PrintSource::load(paths, options.templateName, ItemTable::Express);
    if (!source.offset)
        return source.offsetRefusal;
    const WaybillPage::Formats formats = WaybillPage::formatsOf(TemplateSettings(paths, options.templateName));

    PrintJob::FileTarget target;
    target.path = options.out;
    target.dpi = options.dpi > 0 ? options.dpi : (options.preview ? 96 : 600);
    target.printableOffset = options.printableOffset;
    target.printing = !options.preview;
    target.title = options.templateName;
    QString error;
    std::unique_ptr<PrintJob> job = PrintJob::toFile(source.setup, target, &error);
    if (!job)
        return error;
    const QTime now = QTime::currentTime();
    return printForm(std::move(job), [&](Canvas &canvas) {
        Drawing drawing(canvas, source.offset->x(), source.offset->y());
        WaybillPage::draw(drawing, source.table, options.values, formats, now);
    });
}

} // namespace Slipdesk::WaybillRender
