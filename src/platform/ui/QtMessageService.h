#pragma once

#include "platform/MessageService.h"

namespace Slipdesk {

// Message boxes and the input prompt as real modal Qt dialogs, parented to the
// active window so that they stay on top of it.
class QtMessageService : public MessageService
{
public:
    void inform(const QString &text, Icon icon = Icon::Information, const QString &title = QString()) override;
    Answer ask(const QString &text, bool defaultNo = false, Icon icon = Icon::Question) override;
    bool prompt(const QString &question, QString &value, bool masked = false) override;
};

} // namespace Slipdesk
