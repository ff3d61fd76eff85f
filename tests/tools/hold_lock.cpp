// Child program of the folder lock tests: holds a data folder's lock as a
// writer does until the test kills it.
//
//   hold_lock <folder> <program>   takes the lock of <folder> in the name of
//                                  <program>, prints "ready" and waits
//
// Prints "busy" and exits 1 when the folder is held by someone else. The
// program stops by itself after a minute in case nobody kills it.

#include "platform/FolderLock.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: hold_lock <folder> <program>\n", stderr);
        return 2;
    }
    Slipdesk::FolderLock lock(args[1]);
    if (lock.acquire(args[2], 0) != Slipdesk::FolderLock::Result::Acquired) {
        std::fputs("busy\n", stdout);
        return 1;
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}
