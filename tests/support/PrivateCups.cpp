#include "PrivateCups.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kSystemFolders {
    QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"), QStringLiteral("/bin")};
const QString kCupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kCupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kGenericPdfPpd = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");
// What the file devices write, one file per queue, overwritten by each job:
// PostScript for the cups-pdf queue without its backend, PDF for the queue
// with margins.
const QString kPostScriptFile = QStringLiteral("devices/job.ps");
const QString kMarginsFile = QStringLiteral("devices/margins.pdf");

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, kSystemFolders) : found;
}

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Whether this process may make a mount namespace (root, or the capability).
bool namespacesWork()
{
    const QString unshare = tool(QStringLiteral("unshare"));
    if (unshare.isEmpty() || tool(QStringLiteral("mount")).isEmpty() || !QFileInfo(QStringLiteral("/etc/cups")).isDir())
        return false;
    QProcess probe;
    probe.start(unshare,
        {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
            QStringLiteral("true")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

} // namespace

PrivateCups::PrivateCups() = default;

PrivateCups::~PrivateCups()
{
    stop();
}

QString PrivateCups::queueName()
{
    return QStringLiteral("SlipdeskTestPDF");
}

QString PrivateCups::missing()
{
    QStringList absent;
    for (const char *name : {"cupsd", "lpadmin", "lpstat", "lpinfo"}) {
        if (tool(QString::fromLatin1(name)).isEmpty())
            absent.append(QString::fromLatin1(name));
    }
    if (!QFileInfo(kCupsPdfPpd).isFile())
        absent.append(kCupsPdfPpd);
    if (!QFileInfo(kCupsPdfBackend).exists())
        absent.append(kCupsPdfBackend);
    if (absent.isEmpty())
        return QString();
    return QStringLiteral("not installed: ") + absent.join(QStringLiteral(", "))
        + QStringLiteral(" (packages cups, printer-driver-cups-pdf; scripts/deps.sh --tests)");
}

QString PrivateCups::path(const QString &relative) const
{
    return m_dir ? m_dir->filePath(relative) : QString();
}

QString PrivateCups::socketPath() const
{
    return path(QStringLiteral("cups.sock"));
}

QString PrivateCups::outputFolder() const
{
    return path(QStringLiteral("out"));
}

bool PrivateCups::writeConfiguration(QString *error)
{
    const QString root = m_dir->path();
    for (const char *folder : {"etc", "spool", "cache", "state", "tmp", "log", "out", "devices", "cups-pdf-spool"}) {
        if (!QDir(root).mkpath(QString::fromLatin1(folder))) {
            *error = QStringLiteral("cannot create ") + path(QString::fromLatin1(folder));
            return false;
        }
    }
    // The scheduler's filters run as an unprivileged user: they must reach
    // the spool and write the temporary folder.
    const QFileDevice::Permissions open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(root, open);
    QFile::setPermissions(path(QStringLiteral("out")), open);
    QFile::setPermissions(path(QStringLiteral("devices")), open);
    ::chmod(QFile::encodeName(path(QStringLiteral("tmp"))).constData(), 01777);

    const QString files = QStringLiteral("ServerRoot %1/etc\n"
                                         "RequestRoot %1/spool\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "TempDir %1/tmp\n"
                                         "AccessLog %1/log/access_log\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "FileDevice Yes\n"
                                         "SystemGroup root\n")
                              .arg(root);
    const QString daemon = QStringLiteral("LogLevel info\n"
                                          "MaxLogSize 0\n"
                                          "Listen %1\n"
                                          "Browsing No\n"
                                          "BrowseLocalProtocols none\n"
                                          "DefaultAuthType None\n"
                                          "WebInterface No\n"
                                          "IdleExitTimeout 0\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                                          "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                                          "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                               .arg(socketPath());
    // Read by the cups-pdf backend as /etc/cups/cups-pdf.conf inside the
    // scheduler's mount namespace: PDFs straight into the output folder, no
    // folder per user.
    const QString cupsPdf = QStringLiteral("Out %1/out\n"
                                           "AnonDirName %1/out\n"
                                           "Spool %1/cups-pdf-spool\n"
                                           "Log %1/log\n"
                                           "UserUMask 0022\n"
                                           "AnonUMask 0022\n"
                                           "Grp root\n")
                                .arg(root);
    if (!writeFile(path(QStringLiteral("etc/cups-files.conf")), files)
        || !writeFile(path(QStringLiteral("etc/cupsd.conf")), daemon)
        || !writeFile(path(QStringLiteral("etc/cups-pdf.conf")), cupsPdf)) {
        *error = QStringLiteral("cannot write the configuration in ") + root;
        return false;
    }
    return true;
}

bool PrivateCups::start(QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    stop();
    *error = missing();
    if (!error->isEmpty())
        return false;
    // A short folder name: a unix socket path is limited to about 100 bytes.
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/slipdesk-cups-XXXXXX"));
    if (!m_dir->isValid()) {
        *error = QStringLiteral("cannot create a scratch folder");
        return false;
    }
    if (!writeConfiguration(error))
        return false;

    // SLIPDESK_CUPS_NO_NAMESPACE tries the file-device way on a machine that
    // could make a namespace.
    m_namespace = qEnvironmentVariableIsEmpty("SLIPDESK_CUPS_NO_NAMESPACE") && namespacesWork();
    const QString cupsd = tool(QStringLiteral("cupsd"));
    const QString files = path(QStringLiteral("etc/cups-files.conf"));
    const QString daemon = path(QStringLiteral("etc/cupsd.conf"));
    QString program = cupsd;
    QStringList arguments {QStringLiteral("-f"), QStringLiteral("-c"), daemon, QStringLiteral("-s"), files};
    if (m_namespace) {
        // The same process all along (unshare and sh exec), so that the
        // parent-death signal set below reaches the scheduler itself.
        program = tool(QStringLiteral("unshare"));
        arguments = {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
            QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("mount --bind \"$1\" /etc/cups && exec \"$2\" -f -c \"$3\" -s \"$4\""), QStringLiteral("sh"),
            path(QStringLiteral("etc")), cupsd, daemon, files};
    }
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(path(QStringLiteral("log/cupsd.out")));
    m_process->setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(10000)) {
        *error = QStringLiteral("cannot start ") + program + QStringLiteral(": ") + m_process->errorString();
        m_process.reset();
        return false;
    }
    m_pid = m_process->processId();
    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));

    if (!waitForSocket(20000)) {
        *error = QStringLiteral("the private scheduler did not answer on ") + socketPath() + u'\n' + logTail();
        stop();
        return false;
    }

    // The stock cups-pdf driver as the scheduler lists it, else its file.
    QString model;
    const QStringList models = runClient(QStringLiteral("lpinfo"), {QStringLiteral("-m")}).split(u'\n');
    for (const QString &line : models) {
        if (line.section(u' ', 0, 0).endsWith(QStringLiteral("cups-pdf/CUPS-PDF_opt.ppd"))) {
            model = line.section(u' ', 0, 0);
            break;
        }
    }
    const QString device
        = m_namespace ? QStringLiteral("cups-pdf:/") : QStringLiteral("file://") + path(kPostScriptFile);
    QStringList admin {QStringLiteral("-p"), queueName(), QStringLiteral("-E"), QStringLiteral("-v"), device};
    admin << (model.isEmpty() ? QStringLiteral("-P") : QStringLiteral("-m")) << (model.isEmpty() ? kCupsPdfPpd : model);
    int code = -1;
    QString said = runClient(QStringLiteral("lpadmin"), admin, &code);
    if (code != 0) {
        *error = QStringLiteral("lpadmin failed: ") + said + u'\n' + logTail();
        stop();
        return false;
    }
    runClient(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queueName()});

    // The second queue, whose printable area starts inside the paper.
    m_marginQueue = false;
    if (QFileInfo(kGenericPdfPpd).isFile()) {
        said = runClient(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), marginQueueName(), QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("file://") + path(kMarginsFile), QStringLiteral("-P"), kGenericPdfPpd},
            &code);
        if (code != 0) {
            *error = QStringLiteral("lpadmin failed: ") + said + u'\n' + logTail();
            stop();
            return false;
        }
        m_marginQueue = true;
    }
    return true;
}

void PrivateCups::stop()
{
    if (m_process) {
        if (m_process->state() != QProcess::NotRunning) {
            // The whole group: the scheduler, its filters and backends.
            ::kill(-pid_t(m_pid), SIGTERM);
            if (!m_process->waitForFinished(10000)) {
                ::kill(-pid_t(m_pid), SIGKILL);
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }
    m_pid = 0;
}

bool PrivateCups::waitForSocket(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!m_process || m_process->state() == QProcess::NotRunning)
            return false;
        if (QFileInfo::exists(socketPath())) {
            int code = -1;
            runClient(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &code);
            if (code == 0)
                return true;
        }
        QThread::msleep(100);
    }
    return false;
}

QString PrivateCups::runClient(const QString &program, const QStringList &arguments, int *exitCode) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool(program), arguments);
    const bool done = process.waitForFinished(30000);
    if (exitCode)
        *exitCode = done && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (!done)
        process.kill();
    return QString::fromLocal8Bit(process.readAll()).trimmed();
}

bool PrivateCups::queueIdle(const QString &queue) const
{
    int code = -1;
    const QString jobs = runClient(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &code);
    return code == 0 && jobs.isEmpty();
}

QStringList PrivateCups::pdfs() const
{
    return QDir(outputFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QString PrivateCups::convertPostScript(const QString &ps, QString *error) const
{
    const QString gs = tool(QStringLiteral("gs"));
    if (gs.isEmpty()) {
        *error = QStringLiteral("Ghostscript (gs) is not installed");
        return QString();
    }
    const QString pdf = outputFolder() + QStringLiteral("/job-%1.pdf").arg(++m_taken);
    // As the cups-pdf backend calls it.
    QProcess process;
    process.start(gs,
        {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"), QStringLiteral("-dSAFER"),
            QStringLiteral("-sDEVICE=pdfwrite"), QStringLiteral("-sOutputFile=") + pdf,
            QStringLiteral("-dAutoRotatePages=/PageByPage"), QStringLiteral("-dPDFSETTINGS=/prepress"), ps});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *error = QStringLiteral("gs failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return QString();
    }
    QFile::remove(ps);
    return pdf;
}

QString PrivateCups::waitForPdf(const QString &queue, const QStringList &before, int timeoutMs, QString *error) const
{
    QString ignored;
    if (!error)
        error = &ignored;
    // cups-pdf names its files itself; a file device overwrites its one file,
    // which is moved into the output folder.
    const bool ownFiles = queue == queueName() && m_namespace;
    const QString deviceFile = path(queue == queueName() ? kPostScriptFile : kMarginsFile);
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!m_process || m_process->state() == QProcess::NotRunning) {
            *error = QStringLiteral("the private scheduler ended\n") + logTail();
            return QString();
        }
        const bool written = ownFiles ? pdfs() != before : QFileInfo(deviceFile).size() > 0;
        // The backend has finished writing once the queue holds no job.
        if (written && queueIdle(queue)) {
            if (ownFiles) {
                for (const QString &name : pdfs()) {
                    if (!before.contains(name))
                        return outputFolder() + u'/' + name;
                }
            } else if (queue == queueName()) {
                return convertPostScript(deviceFile, error);
            } else {
                const QString pdf = outputFolder() + QStringLiteral("/margins-%1.pdf").arg(++m_taken);
                if (QFile::rename(deviceFile, pdf))
                    return pdf;
                *error = QStringLiteral("cannot move ") + deviceFile;
                return QString();
            }
        }
        QThread::msleep(200);
    }
    *error = QStringLiteral("no PDF within %1 s; jobs: ").arg(timeoutMs / 1000)
        + runClient(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")})
        + u'\n' + logTail();
    return QString();
}

QString PrivateCups::logTail(int lines) const
{
    QFile file(path(QStringLiteral("log/error_log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList all = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    return all.mid(qMax<qsizetype>(0, all.size() - lines)).join(u'\n');
}
