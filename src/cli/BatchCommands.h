#pragma once

// The batch queues from the command line: "queue" saves the entered form to
// its queue as the tab's save button does, "batch" prints a queue in one
// continuous run as the data window's "开始批打" does.

#include <QStringList>

class QCommandLineParser;

namespace Slipdesk::Cli {

// queue waybill|delivery --template NAME --fields FILE [--goods FILE]
int queueForm(const QCommandLineParser &parser, const QStringList &args);
// batch waybill|delivery --template NAME [--from S] [--to E] [--print-to DIR]
//       [--delete-printed | --keep-printed] [--fields FILE]
int batchPrint(const QCommandLineParser &parser, const QStringList &args);
// import-orders FILE: the seller order table appended to the express queue
int importOrders(const QCommandLineParser &parser, const QStringList &args);

} // namespace Slipdesk::Cli
