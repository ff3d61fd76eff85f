#pragma once

#include "platform/PrinterSetup.h"
#include "templates/ItemTable.h"

#include <QPoint>

#include <optional>

namespace Slipdesk {

class Paths;

// What a print takes from the loaded template: its item table, its printer
// and paper, and its overall offset (none, with the refusal to show, when an
// offset is not a whole number).
struct PrintSource
{
    ItemTable table;
    PrinterSetup setup;
    std::optional<QPoint> offset;
    QString offsetRefusal;

    // Template `name` of `kind` as its files hold it (the command line).
    static PrintSource load(const Paths &paths, const QString &name, int kind);
};

} // namespace Slipdesk
