#include "QtMessageService.h"

#include "InputPromptDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Slipdesk {

namespace {

QMessageBox::Icon toQtIcon(MessageService::Icon icon)
{
    switch (icon) {
    case MessageService::Icon::Information:
        return QMessageBox::Information;
    case MessageService::Icon::Warning:
        return QMessageBox::Warning;
    case MessageService::Icon::Question:
        return QMessageBox::Question;
    case MessageService::Icon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void prepare(QMessageBox &box, const QString &text, QMessageBox::Icon icon, const QString &title)
{
    box.setWindowTitle(title.isEmpty() ? MessageService::caption() : title);
    // Messages often quote user data (names, addresses); never let a "<" in
    // it be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(icon);
}

} // namespace

void QtMessageService::inform(const QString &text, Icon icon, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text, toQtIcon(icon), title);
    QPushButton *ok = box.addButton(QStringLiteral(u"确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

MessageService::Answer QtMessageService::ask(const QString &text, bool defaultNo, Icon icon)
{
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text, toQtIcon(icon), QString());
    QPushButton *yes = box.addButton(QStringLiteral(u"是(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral(u"否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultNo ? no : yes);
    // Closing the box without choosing is never taken as consent.
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

bool QtMessageService::prompt(const QString &question, QString &value, bool masked)
{
    return InputPromptDialog::getText(QApplication::activeWindow(), question, value, masked);
}

} // namespace Slipdesk
