#pragma once

// "export": a table of the data folder written to a workbook as the data
// window's "导出(&O)" writes it.

#include <QStringList>

class QCommandLineParser;

namespace Slipdesk::Cli {

// export --code N [--from S] [--to E] --out FILE.xls
int exportTable(const QCommandLineParser &parser, const QStringList &args);

} // namespace Slipdesk::Cli
