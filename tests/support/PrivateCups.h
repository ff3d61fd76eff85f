#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

// A CUPS scheduler of the test's own, so that printing tests go through the
// real print system without touching the machine's: its configuration,
// spool, cache, state, logs and the socket it listens on all live in one
// scratch folder; it listens on that unix socket only (no network, no
// browsing). Its PDF queue "SlipdeskTestPDF" is the cups-pdf backend with its
// stock PPD, writing every job as a PDF into a folder of the scratch folder
// (a second queue with margins is described below).
//
// cups-pdf reads its configuration from /etc/cups whatever the scheduler's
// ServerRoot is, so the scheduler runs in a mount namespace of its own in
// which the private ServerRoot stands at /etc/cups. Where no namespace can be
// made (not root), the queue keeps the cups-pdf PPD but writes through CUPS's
// own file device, and the PostScript it receives is turned into a PDF with
// Ghostscript, as cups-pdf would.
//
// Clients reach it through the environment variable CUPS_SERVER, which
// start() sets: it must run before the process first uses libcups (Qt's print
// support reads it once). The scheduler and every process it starts form one
// process group, ended by stop(), by the destructor, and, should the test
// process die, by the kernel (the scheduler is told to go with its parent).
class PrivateCups
{
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups &) = delete;
    PrivateCups &operator=(const PrivateCups &) = delete;

    static QString queueName(); // "SlipdeskTestPDF"
    // A second queue, "SlipdeskTestMargins": the generic PDF printer of
    // cups-filters, whose printable area starts 6.35 mm from the left and
    // 12.7 mm from the top of an A4 sheet; its jobs come out as the PDF the
    // print system's filters make. Offered when that PPD is installed.
    static QString marginQueueName() { return QStringLiteral("SlipdeskTestMargins"); }
    bool hasMarginQueue() const { return m_marginQueue; }

    // Empty when the scheduler, the admin tools, cups-pdf and its PPD are
    // installed, else what is missing.
    static QString missing();

    // Writes the configuration, starts the scheduler, waits until its socket
    // answers and adds the queue. False with `error` set (and the scheduler
    // stopped) when any step fails.
    bool start(QString *error);
    void stop();
    bool running() const { return m_pid > 0; }

    QString socketPath() const;
    // Where the queue's PDFs appear.
    QString outputFolder() const;
    // "cups-pdf" or "file device", for messages.
    QString backend() const { return m_namespace ? QStringLiteral("cups-pdf") : QStringLiteral("file device"); }

    // Waits (processing events) until the next job of `queue` has come out
    // as a PDF in the output folder (one not in `before`) and the queue has no
    // job left; at most `timeoutMs`. Returns its path, or an empty text with
    // `error` set.
    QString waitForPdf(const QString &queue, const QStringList &before, int timeoutMs, QString *error) const;
    QStringList pdfs() const;

    // The scheduler's error log (last lines), for failure messages.
    QString logTail(int lines = 40) const;

    // Runs a CUPS client tool against this scheduler; its standard output.
    QString runClient(const QString &program, const QStringList &arguments, int *exitCode = nullptr) const;

private:
    QString path(const QString &relative) const;
    bool writeConfiguration(QString *error);
    bool waitForSocket(int timeoutMs) const;
    bool queueIdle(const QString &queue) const;
    QString convertPostScript(const QString &ps, QString *error) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    qint64 m_pid = 0;
    bool m_namespace = false;
    bool m_marginQueue = false;
    mutable int m_taken = 0; // files moved or converted into the output folder
};
