#include "MessageService.h"

#include "QtMessageService.h"

#include <memory>

namespace Slipdesk {

namespace {
MessageService *g_installed = nullptr;
std::unique_ptr<MessageService> g_default;
} // namespace

QString MessageService::caption()
{
    return QStringLiteral(u"Slipdesk软件");
}

MessageService &MessageService::instance()
{
    if (g_installed)
        return *g_installed;
    if (!g_default)
        g_default = std::make_unique<QtMessageService>();
    return *g_default;
}

void MessageService::install(MessageService *service)
{
    g_installed = service;
}

} // namespace Slipdesk
