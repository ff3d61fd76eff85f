#include "EventHook.h"

namespace Slipdesk {

EventHook::EventHook(QObject *target, QEvent::Type type, Handler handler)
    : QObject(target)
    , m_type(type)
    , m_handler(std::move(handler))
{
    target->installEventFilter(this);
}

EventHook *EventHook::on(QObject *target, QEvent::Type type, Handler handler)
{
    return new EventHook(target, type, std::move(handler));
}

EventHook *EventHook::onEvent(QObject *target, QEvent::Type type, std::function<void()> action)
{
    return new EventHook(target, type, [action = std::move(action)](QEvent *) {
        action();
        return false;
    });
}

bool EventHook::eventFilter(QObject *, QEvent *event)
{
    return event->type() == m_type && m_handler(event);
}

} // namespace Slipdesk
