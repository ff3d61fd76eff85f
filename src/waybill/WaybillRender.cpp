#include "WaybillRender.h"

#include "render/Drawing.h"
#include "render/PageOutput.h"
#include "render/RecordingCanvas.h"
#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/PrinterSetup.h"
#include "waybill/WaybillPage.h"

#include <QFile>
#include <QPageSize>
#include <QSaveFile>
#include <QTime>

namespace Slipdesk::WaybillRender {

namespace {

// The paper of the template in 0.1 mm: A4 unless it names another known size.
QSize paperOf(const TemplateSettings &settings)
{
    const PrinterSetup setup = PrinterSetup::fromSettings(settings);
    QSize paper(2100, 2970);
    if (setup.paperNumber != PrinterSetup::PaperUnchanged) {
        const QPageSize size(QPageSize::id(setup.paperNumber));
        if (size.isValid()) {
            const QSizeF mm = size.size(QPageSize::Millimeter);
            paper = QSize(qRound(mm.width() * 10), qRound(mm.height() * 10));
        }
    }
    if (setup.orientation == PrinterSetup::Orientation::Landscape)
        paper.transpose();
    return paper;
}

WaybillPage::Formats formatsOf(const TemplateSettings &settings)
{
    WaybillPage::Formats formats;
    formats.date = settings.dateFormat();
    formats.amount = settings.amountCapitalFormat();
    formats.cod = settings.codCapitalFormat();
    formats.insured = settings.insuredCapitalFormat();
    return formats;
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
    if (options.templateName.isEmpty())
        return QStringLiteral("no template named");
    const TemplateSettings settings(paths, options.templateName);
    const ItemTable table = ItemTable::load(paths.templateSet(options.templateName), ItemTable::Express);
    bool okX = false;
    bool okY = false;
    const int offsetX = settings.moveX().trimmed().toInt(&okX);
    const int offsetY = settings.moveY().trimmed().toInt(&okY);
    if (!okX || !okY)
        return QStringLiteral("the template's overall offset is not an integer");

    const int dpi = options.dpi > 0 ? options.dpi : (options.preview ? 96 : 600);
    const QPoint printable = options.preview ? QPoint() : options.printableOffset;
    const QTime now = QTime::currentTime();

    if (options.out.endsWith(QStringLiteral(".ops"), Qt::CaseInsensitive)) {
        RecordingCanvas canvas(dpi, RecordingCanvas::Metrics::Font);
        canvas.setPrinting(!options.preview);
        canvas.setPrintableOffset(printable);
        Drawing drawing(canvas, offsetX, offsetY);
        WaybillPage::draw(drawing, table, options.values, formatsOf(settings), now);
        QSaveFile file(options.out);
        if (!file.open(QIODevice::WriteOnly))
            return file.errorString();
        file.write(canvas.toJsonLines().toUtf8());
        return file.commit() ? QString() : file.errorString();
    }

    PageOutput output(options.out, PageOutput::formatForPath(options.out), paperOf(settings), dpi);
    if (!output.begin())
        return output.errorString();
    auto &painterCanvas = static_cast<PainterCanvas &>(output.canvas());
    PainterCanvas canvas(painterCanvas.painter(), dpi, dpi, printable, !options.preview);
    Drawing drawing(canvas, offsetX, offsetY);
    WaybillPage::draw(drawing, table, options.values, formatsOf(settings), now);
    return output.finish() ? QString() : output.errorString();
}

} // namespace Slipdesk::WaybillRender
