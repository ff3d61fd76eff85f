#include "VirtualPdfPrinter.h"

#include "platform/PrintJob.h"
#include "platform/PrinterSetup.h"

#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
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

QString nameFor(const QString &stem, int n)
{
    return n == 1 ? QString(stem + u".pdf") : QString(stem + u" (" + QString::number(n) + u").pdf");
}

// The last number each stem got in each folder in this process: a batch of
// forms of one title finds its next name in one step instead of trying
// every name from the first.
QMutex g_takenMutex;
QHash<QString, int> g_taken;

// Where to start looking for a free name of `stem`. Known in this process:
// after the last one taken. Else the first free "stem (n)" above the ones
// there, found in a logarithmic number of looks (doubling, then halving);
// a gap left by a deleted file may be taken, never an existing file, since
// the name is only taken by a step that fails when it exists.
int firstCandidate(const QDir &dir, const QString &stem)
{
    {
        QMutexLocker lock(&g_takenMutex);
        const auto found = g_taken.constFind(dir.filePath(stem));
        if (found != g_taken.constEnd())
            return *found + 1;
    }
    const auto taken = [&](int n) { return QFileInfo::exists(dir.filePath(nameFor(stem, n))); };
    if (!taken(1))
        return 1;
    int low = 1; // taken
    int high = 2;
    while (high < (1 << 24) && taken(high)) {
        low = high;
        high *= 2;
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (taken(middle) ? low : high) = middle;
    }
    return high;
}

void remember(const QDir &dir, const QString &stem, int n)
{
    QMutexLocker lock(&g_takenMutex);
    if (g_taken.size() > 10000)
        g_taken.clear();
    g_taken.insert(dir.filePath(stem), n);
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
    // The document grows in memory; only a complete one is written, beside
    // its final name, and takes that name in one step: a kill or a full disk
    // never leaves an empty or cut PDF, and no job replaces another's file.
    struct Output
    {
        QBuffer buffer;
        QString path;
    };
    auto output = std::make_shared<Output>();
    output->buffer.open(QIODevice::WriteOnly);
    const QDir dir(m_directory);
    const QString stem = fileStem(title);
    output->path = dir.filePath(nameFor(stem, 1));

    auto writer = std::make_unique<QPdfWriter>(&output->buffer);
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Slipdesk"));
    writer->setResolution(m_resolution);
    writer->setPageLayout(PrintJob::pageLayoutFor(setup));

    PrintJob::Hooks hooks;
    hooks.outputFile = [output] { return output->path; };
    hooks.afterFinish = [output, dir, stem] {
        const QByteArray bytes = output->buffer.data();
        if (bytes.isEmpty())
            return QStringLiteral("打印文件是空的");
        try {
            FileIo::AtomicFile file(output->path, FileIo::AtomicFile::Mode::New);
            file.write(bytes);
            const int n = file.commitNew([&](int k) { return nameFor(stem, k); }, firstCandidate(dir, stem));
            remember(dir, stem, n);
            output->path = dir.filePath(nameFor(stem, n));
        } catch (const IoError &e) {
            return e.message();
        }
        return QString();
    };
    // The writer is destroyed with the job, before the buffer it writes to.
    return PrintJob::overDevice(std::move(writer), m_resolution, m_resolution, m_offset, std::move(hooks), error);
}

} // namespace Slipdesk
