#pragma once

// What the fuzz targets share: a scratch folder for the readers that take a
// file, the input as text, and a check that stops the run with a message.

#include "storage/Codec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

// Stops the run when `condition` fails: libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// One folder per process, in memory where the system has it; removed at exit.
inline const QString &scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/slipdesk-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + u"/slipdesk-fuzz-XXXXXX");
    static const QString path = dir.path();
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    return path;
}

inline QString scratchFile(const QString &name)
{
    return scratch() + u'/' + name;
}

inline void writeFile(const QString &path, QByteArrayView bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Bytes as the program meets them: the GBK files through the program's
// codec, text from the clipboard or the command line as UTF-8.
inline QString text(QByteArrayView bytes, bool gbk)
{
    return gbk ? Slipdesk::Codec::decode(bytes) : QString::fromUtf8(bytes);
}

// Small numbers taken off the front of the input.
class Bytes
{
public:
    Bytes(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    uint8_t take()
    {
        if (m_at >= m_size)
            return 0;
        return m_data[m_at++];
    }
    QByteArrayView rest() const { return QByteArrayView(m_data + m_at, qsizetype(m_size - m_at)); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace FuzzSupport
