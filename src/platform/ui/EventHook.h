#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

namespace Slipdesk {

// Runs a function when one kind of event reaches one object, for the few
// moments Qt offers no signal for (a control gaining the focus, a double
// click, Enter in a grid). Each hook serves one object and one purpose; it
// lives as long as the object.
class EventHook : public QObject
{
public:
    // `handler` returns true to stop the event there.
    using Handler = std::function<bool(QEvent *)>;

    static EventHook *on(QObject *target, QEvent::Type type, Handler handler);
    // An action that never stops the event.
    static EventHook *onEvent(QObject *target, QEvent::Type type, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventHook(QObject *target, QEvent::Type type, Handler handler);

    QEvent::Type m_type;
    Handler m_handler;
};

} // namespace Slipdesk
