#include "Shell.h"

#include "platform/MessageService.h"

#include <QDesktopServices>

namespace Slipdesk {

QString Shell::applicationTitle()
{
    return QStringLiteral(u"Slipdesk网店管家进销存软件");
}

QUrl Shell::helpUrl()
{
    return QUrl(QStringLiteral("https://slipdesk.example/help/"));
}

QUrl Shell::shopUrl()
{
    return QUrl(QStringLiteral("https://slipdesk.example/"));
}

bool Shell::openHelp()
{
    if (QDesktopServices::openUrl(helpUrl()))
        return true;
    MessageService::instance().warn(
        QStringLiteral(u"无法打开浏览器，请手动访问在线帮助网站：\n") + helpUrl().toString());
    return false;
}

QString Shell::aboutText(const QString &windowCaption)
{
    return windowCaption + QLatin1Char('\n') + QLatin1Char('\n')
        + QStringLiteral(u"感谢使用本软件。\n软件更新与使用帮助请访问作者网店：\n") + shopUrl().toString();
}

} // namespace Slipdesk
