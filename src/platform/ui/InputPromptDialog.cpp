#include "InputPromptDialog.h"

#include "platform/MessageService.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace Slipdesk {

InputPromptDialog::InputPromptDialog(const QString &question, const QString &value, bool masked, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(MessageService::caption());
    setModal(true);
    setMinimumWidth(360);

    m_label = new QLabel(question, this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);

    m_edit = new QLineEdit(this);
    m_edit->setMaxLength(MaxLength);
    m_edit->setText(value);
    if (masked) {
        m_edit->setEchoMode(QLineEdit::Password);
        // Show "*" for every hidden character rather than the style's dot.
        m_edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    }
    m_edit->selectAll();
    m_label->setBuddy(m_edit);

    m_ok = new QPushButton(QStringLiteral(u"确定(&O)"), this);
    m_cancel = new QPushButton(QStringLiteral(u"取消(&C)"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);

    m_edit->setFocus();
}

QString InputPromptDialog::value() const
{
    return m_edit->text();
}

bool InputPromptDialog::getText(QWidget *parent, const QString &question, QString &value, bool masked)
{
    InputPromptDialog dialog(question, value, masked, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.value();
    return true;
}

void InputPromptDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen();
}

void InputPromptDialog::centreOnScreen()
{
    QScreen *target = screen();
    if (!target)
        target = QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace Slipdesk
