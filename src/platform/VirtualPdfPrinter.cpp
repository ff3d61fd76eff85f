#include "VirtualPdfPrinter.h"

#include "platform/PrintJob.h"
#include "platform/PrinterSetup.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>

namespace Slipdesk {

namespace {

// The papers the virtual printer offers, as a small office printer would.
constexpr QPageSize::PageSizeId kPapers[] = {
    QPageSize::A4,
    QPageSize::A3,
    QPageSize::A5,
    QPageSize::B4,
    QPageSize::B5,
    QPageSize::Letter,
    QPageSize::Legal,
    QPageSize::Executive,
    QPageSize::EnvelopeDL,
    QPageSize::EnvelopeC5,
    QPageSize::EnvelopeC6,
    QPageSize::EnvelopeB5,
};

// Opens a file that did not exist before: "stem.pdf", "stem (2).pdf", …
// Creating with NewOnly makes the check and the creation one step, so two
// jobs can never end up in the same file.
std::unique_ptr<QFile> createOutput(const QString &directory, const QString &stem, QString *error)
{
    const QDir dir(directory);
    for (int n = 1; n < 100000; ++n) {
        const QString name = n == 1 ? QString(stem + u".pdf") : QString(stem + u" (" + QString::number(n) + u").pdf");
        auto file = std::make_unique<QFile>(dir.filePath(name));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file;
        if (!file->exists()) {
            if (error)
                *error = file->errorString();
            return nullptr;
        }
    }
    if (error)
        *error = QStringLiteral("无法创建打印文件");
    return nullptr;
}

} // namespace

VirtualPdfPrinter::VirtualPdfPrinter(const QString &directory, int resolution, QPoint printableOffset)
    : m_directory(directory)
    , m_resolution(resolution > 0 ? resolution : 600)
    , m_offset(printableOffset)
{
}

QString VirtualPdfPrinter::printerName()
{
    return QStringLiteral("Slipdesk PDF");
}

void VirtualPdfPrinter::setResolution(int dotsPerInch)
{
    if (dotsPerInch > 0)
        m_resolution = dotsPerInch;
}

QList<PaperInfo> VirtualPdfPrinter::papers() const
{
    QList<PaperInfo> list;
    for (QPageSize::PageSizeId id : kPapers) {
        const QPageSize size(id);
        list.append(PaperInfo {size.windowsId(), size.name()});
    }
    return list;
}

QString VirtualPdfPrinter::fileStem(const QString &title)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString stem;
    stem.reserve(title.size());
    for (const QChar c : title)
        stem += (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c)) ? QChar(u'_') : c;
    // Leading dots would hide the file (or name "." and ".."); trailing ones
    // and blanks are dropped by some file systems.
    qsizetype first = 0;
    while (first < stem.size() && (stem[first] == u'.' || stem[first].isSpace()))
        ++first;
    qsizetype last = stem.size();
    while (last > first && (stem[last - 1] == u'.' || stem[last - 1].isSpace()))
        --last;
    stem = stem.mid(first, last - first);
    // Room for " (n).pdf" within the usual 255-byte name limit, in UTF-8.
    while (stem.toUtf8().size() > 200)
        stem.chop(1);
    if (stem.isEmpty())
        stem = QStringLiteral("print");
    return stem;
}

std::unique_ptr<PrintJob> VirtualPdfPrinter::startJob(
    const PrinterSetup &setup, const QString &title, QString *error) const
{
    if (!QDir().mkpath(m_directory)) {
        if (error)
            *error = QStringLiteral("无法创建打印文件夹: ") + QDir::toNativeSeparators(m_directory);
        return nullptr;
    }
    std::shared_ptr<QFile> file = createOutput(m_directory, fileStem(title), error);
    if (!file)
        return nullptr;

    auto writer = std::make_unique<QPdfWriter>(file.get());
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Slipdesk"));
    writer->setResolution(m_resolution);
    writer->setPageLayout(PrintJob::pageLayoutFor(setup));

    PrintJob::Hooks hooks;
    hooks.outputFile = file->fileName();
    hooks.afterFinish = [file] {
        const bool ok = file->flush() && file->error() == QFileDevice::NoError;
        file->close();
        return ok;
    };
    hooks.afterAbort = [file] {
        file->close();
        file->remove();
    };
    // The writer is destroyed with the job, before the file it writes to.
    return PrintJob::overDevice(std::move(writer), m_resolution, m_resolution, m_offset, std::move(hooks), error);
}

} // namespace Slipdesk
