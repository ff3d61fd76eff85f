#include "AboutBox.h"

#include "platform/Shell.h"

#include <QMessageBox>
#include <QWidget>

namespace Slipdesk::AboutBox {

void show(QWidget *parent)
{
    const QString caption = parent ? parent->window()->windowTitle() : QString();
    // QMessageBox::about takes rich text; escape so the caption shows as typed.
    QString html = Shell::aboutText(caption).toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    QMessageBox::about(parent, Shell::applicationTitle(), html);
}

} // namespace Slipdesk::AboutBox
