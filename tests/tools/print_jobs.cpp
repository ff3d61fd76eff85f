// Child program of the virtual printer's tests: prints jobs of one title
// into one folder until done or killed.
//
//   print_jobs <dir> <count> <title>   prints <count> jobs, one file name a line
//   print_jobs <dir> loop <title>      prints until killed; "ready" after the
//                                      first job (stops by itself after a minute)
//
// Every job draws a page full of lines, so that its PDF takes a while to
// write and a kill can land in the middle of it.

#include "platform/PrintJob.h"
#include "platform/PrinterSetup.h"
#include "platform/VirtualPdfPrinter.h"
#include "render/Canvas.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool printOne(const Slipdesk::VirtualPdfPrinter &printer, const QString &title, int k)
{
    QString error;
    std::unique_ptr<Slipdesk::PrintJob> job = printer.startJob(Slipdesk::PrinterSetup {}, title, &error);
    if (!job) {
        std::fprintf(stderr, "print_jobs: %s\n", error.toUtf8().constData());
        return false;
    }
    for (int i = 0; i < 400; ++i)
        job->canvas().drawLine(10 + i * 7, 10 + (i * k) % 500, 3000 - i * 5, 2000 + i);
    if (!job->finish()) {
        std::fprintf(stderr, "print_jobs: %s\n", job->errorString().toUtf8().constData());
        return false;
    }
    std::printf("%s\n", job->outputFile().toUtf8().constData());
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: print_jobs <dir> <count>|loop <title>\n", stderr);
        return 2;
    }
    const Slipdesk::VirtualPdfPrinter printer(args[1], 300);
    if (args[2] == QLatin1String("loop")) {
        QElapsedTimer alive;
        alive.start();
        for (int k = 0; alive.elapsed() < 60000; ++k) {
            if (!printOne(printer, args[3], k))
                return 1;
            if (k == 0) {
                std::fputs("ready\n", stdout);
                std::fflush(stdout);
            }
        }
        return 0;
    }
    const int count = args[2].toInt();
    for (int k = 0; k < count; ++k)
        if (!printOne(printer, args[3], k))
            return 1;
    return 0;
}
