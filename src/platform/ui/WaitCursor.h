#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace Slipdesk {

// The hour-glass cursor while a scope loads, saves or prints; restored on
// every way out, an exception included.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace Slipdesk
