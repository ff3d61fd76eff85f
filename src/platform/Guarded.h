#pragma once

#include "platform/MessageService.h"
#include "storage/IoError.h"

#include <utility>

namespace Slipdesk {

// Runs one user action whose file access may fail: a failure ends the action
// and its text is shown to the user. Returns whether the action completed.
template<typename Action> bool guarded(Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
        return false;
    }
}

} // namespace Slipdesk
