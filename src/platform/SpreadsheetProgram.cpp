#include "SpreadsheetProgram.h"

#include "storage/FileIo.h"
#include "storage/IoError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

#include <csignal>
#include <unistd.h>

namespace Slipdesk {

namespace {

std::optional<QString> g_program;
int g_timeLimit = 120'000;

// Ends the program and everything it started (LibreOffice's launcher runs
// the real program as a child): they share the process group made at start.
void endGroup(QProcess &process)
{
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
    process.kill();
    process.waitForFinished(5000);
}

// Moves the finished file over `output` through a file beside it, so that
// the output is never half written even across file systems.
bool place(const QString &made, const QString &output, QString &why)
{
    QFile source(made);
    if (!source.open(QIODevice::ReadOnly)) {
        why = source.errorString();
        return false;
    }
    try {
        FileIo::AtomicFile part(output, FileIo::AtomicFile::Mode::Replace, FileIo::Folder::MustExist);
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(1 << 20);
            if (chunk.isEmpty()) {
                why = source.errorString();
                return false;
            }
            part.write(chunk);
        }
        part.commit();
    } catch (const IoError &e) {
        why = e.message();
        return false;
    }
    return true;
}

} // namespace

QString SpreadsheetProgram::program()
{
    if (g_program)
        return *g_program;
    if (qEnvironmentVariableIsSet("SLIPDESK_SPREADSHEET"))
        return qEnvironmentVariable("SLIPDESK_SPREADSHEET");
    for (const QString &name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

void SpreadsheetProgram::setProgram(const std::optional<QString> &path)
{
    g_program = path;
}

int SpreadsheetProgram::timeLimit()
{
    return g_timeLimit;
}

void SpreadsheetProgram::setTimeLimit(int milliseconds)
{
    g_timeLimit = milliseconds;
}

SpreadsheetProgram::Result SpreadsheetProgram::convert(
    const QString &input, const QString &filter, const QString &output, const std::function<void()> &poll)
{
    const QString exe = program();
    if (exe.isEmpty())
        return {Status::Missing, QStringLiteral("没有找到电子表格软件（LibreOffice）")};

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return {Status::Failed, QStringLiteral("无法创建临时文件夹：") + scratch.errorString()};
    // The input goes in under a plain name: the program's own file names
    // then never depend on the locale it runs in.
    const QString suffix = QFileInfo(input).suffix().toLower();
    const QString copy = scratch.filePath(QStringLiteral("in.") + suffix);
    // Read with a limit: a device or a huge file named as a workbook is
    // refused instead of being copied for ever.
    try {
        FileIo::writeAtomic(copy, FileIo::readOutside(input, FileIo::kOrderTableLimit));
    } catch (const IoError &e) {
        return {Status::Failed, e.message()};
    }
    const QString outDir = scratch.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);

    QProcess process;
    process.setProgram(exe);
    process.setArguments({QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nologo"),
        QStringLiteral("-env:UserInstallation=")
            + QUrl::fromLocalFile(scratch.filePath(QStringLiteral("profile"))).toString(QUrl::FullyEncoded),
        QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outDir, copy});
    process.setWorkingDirectory(scratch.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setChildProcessModifier([] { ::setsid(); });
    process.start();
    if (!process.waitForStarted(10'000))
        return {Status::Missing, QStringLiteral("无法启动电子表格软件：") + exe};

    const QDeadlineTimer deadline(g_timeLimit);
    while (!process.waitForFinished(poll ? 30 : 500)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (poll)
            poll();
        if (deadline.hasExpired()) {
            endGroup(process);
            return {Status::TimedOut,
                QStringLiteral("电子表格软件在%1秒内没有完成，已被结束").arg(g_timeLimit / 1000.0, 0, 'g', 3)};
        }
    }
    const QString log = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {Status::Failed, QStringLiteral("电子表格软件出错：") + log.left(300)};

    // A sheet written as text carries the sheet's name in the file name.
    const QFileInfoList made = QDir(outDir).entryInfoList(QDir::Files, QDir::Name);
    if (made.isEmpty())
        return {Status::Failed,
            QStringLiteral("电子表格软件没有转换该文件") + (log.isEmpty() ? QString() : u'：' + log.left(300))};
    QString why;
    if (!place(made.first().absoluteFilePath(), output, why))
        return {Status::Failed,
            QStringLiteral("无法写入文件：") + output + QStringLiteral("（") + why + QStringLiteral("）")};
    return {Status::Done, QString()};
}

} // namespace Slipdesk
