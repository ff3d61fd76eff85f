#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// zbar's command-line reader (package zbar-tools): what a scanner makes of
// a picture. Tests that read barcodes back skip when it is not installed.
namespace BarcodeReader {

inline QString program()
{
    return QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
}

inline bool available()
{
    return !program().isEmpty();
}

// The texts of every symbol found in the picture `file`, in the reader's
// order; empty when it found none.
inline QStringList read(const QString &file)
{
    QProcess process;
    process.start(program(), {QStringLiteral("--quiet"), QStringLiteral("--raw"), file});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace BarcodeReader
