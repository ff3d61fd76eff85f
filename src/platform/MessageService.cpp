#include "MessageService.h"

#include <cstdio>

namespace Slipdesk {

namespace {
MessageService *g_installed = nullptr;
std::unique_ptr<MessageService> g_default;

void writeLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}
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
        g_default = std::make_unique<HeadlessMessageService>();
    return *g_default;
}

void MessageService::install(MessageService *service)
{
    g_installed = service;
}

void MessageService::setDefault(std::unique_ptr<MessageService> service)
{
    g_default = std::move(service);
}

void HeadlessMessageService::inform(const QString &text, Icon, const QString &)
{
    writeLine(text);
}

MessageService::Answer HeadlessMessageService::ask(const QString &text, bool, Icon)
{
    writeLine(text);
    return Answer::No;
}

bool HeadlessMessageService::prompt(const QString &question, QString &, bool)
{
    writeLine(question);
    return false;
}

} // namespace Slipdesk
