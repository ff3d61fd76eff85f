#include "TradeRender.h"

#include "platform/PrintJob.h"
#include "render/Drawing.h"
#include "templates/PrintSource.h"
#include "trade/NotePage.h"

namespace Slipdesk::TradeRender {

QString render(const Paths &paths, const TradeNote &note, const Options &options)
{
    const PrintSource source = PrintSource::load(paths, note.templateName(), TradeNote::templateKind(note.kind));
    if (!source.offset)
        return source.offsetRefusal;
    PrintJob::FileTarget target;
    target.path = options.out;
    target.dpi = options.dpi > 0 ? options.dpi : (options.preview ? 96 : 600);
    target.printableOffset = options.printableOffset;
    target.printing = !options.preview;
    target.title = note.templateName() + note.number();
    QString error;
    std::unique_ptr<PrintJob> job = PrintJob::toFile(source.setup, target, &error);
    if (!job)
        return error;
    return printForm(std::move(job), [&](Canvas &canvas) {
        Drawing drawing(canvas, source.offset->x(), source.offset->y());
        NotePage::draw(drawing, source.table, note);
    });
}

} // namespace Slipdesk::TradeRender
