#include "TradeRender.h"

#include "context/AppContext.h"
#include "platform/PrintJob.h"
#include "render/Drawing.h"
#include "storage/ProgramSettings.h"
#include "templates/PrintSource.h"
#include "templates/TemplateList.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"

namespace Slipdesk::TradeRender {

namespace {
int kindIndex(NoteKind kind)
{
    return kind == NoteKind::Delivery ? ItemTable::Delivery : ItemTable::Inbound;
}
} // namespace

bool knownTemplate(const Paths &paths, NoteKind kind, const QString &name)
{
    return !name.isEmpty() && TemplateList::peek(ProgramSettings(paths), kindIndex(kind)).contains(name);
}

TradeNote formNote(
    AppContext &context, NoteKind kind, const QString &name, const FieldValues &values, const GoodsRows &goods)
{
    TradeNote note {kind, TradeForm::defaults(context, kind, name, QDate::currentDate()), goods};
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        note.values.insert(it.key(), it.value());
    note.values.insert(TradeNote::templateControl(kind), name);
    note.recompute();
    return note;
}

QString render(const Paths &paths, const TradeNote &note, const Options &options)
{
    const PrintSource source = PrintSource::load(paths, note.templateName(), kindIndex(note.kind));
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
