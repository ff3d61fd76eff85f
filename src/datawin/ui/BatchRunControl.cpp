#include "BatchRunControl.h"

#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace Slipdesk {

BatchRunControl::BatchRunControl(const Widgets &widgets, const Steps &steps, QObject *parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_steps(steps)
{
    connect(m_widgets.position, &QSpinBox::valueChanged, this, &BatchRunControl::positionChanged);
}

BatchRunControl::~BatchRunControl() = default;

void BatchRunControl::start(const BatchStart &start)
{
    if (m_run)
        return;
    m_run = std::make_unique<BatchRun>(start);
    {
        const QSignalBlocker block(m_widgets.position);
        m_widgets.position->setRange(1, m_run->count());
        m_widgets.position->setValue(1);
        m_widgets.position->setReadOnly(m_run->count() == 1);
    }
    m_widgets.total->setText(QString::number(m_run->count()));
    m_widgets.group->show();
    m_widgets.endButton->setText(m_widgets.runCaption);
    for (QWidget *w : std::as_const(m_widgets.disabled))
        w->setEnabled(false);
    showPosition();
}

void BatchRunControl::showPosition()
{
    m_loading = true;
    m_steps.load(*m_run);
    m_loading = false;
}

void BatchRunControl::positionChanged(int value)
{
    if (!m_run || m_loading || m_inLoop || (m_steps.windowActive && !m_steps.windowActive()))
        return;
    if (m_run->setPosition(value))
        showPosition();
}

bool BatchRunControl::printPressed()
{
    if (m_inLoop || !m_steps.print())
        return false;
    if (m_run)
        printed();
    return true;
}

void BatchRunControl::printed()
{
    if (!m_run || m_inLoop)
        return;
    m_inLoop = true;
    while (m_run) {
        const PostingResult recorded = m_run->markPrinted();
        if (!recorded.ok())
            MessageService::instance().warn(recorded.failed.join(u'\n'));
        if (m_run->atLast()) {
            finish();
            break;
        }
        m_run->setPosition(m_run->position() + 1);
        {
            const QSignalBlocker block(m_widgets.position);
            m_widgets.position->setValue(m_run->position());
        }
        showPosition();
        // The end button, pressed while the last form printed, is handled here.
        QCoreApplication::processEvents();
        if (!m_run || !m_run->continuous())
            break;
        if (!m_steps.print())
            break;
    }
    m_inLoop = false;
}

void BatchRunControl::endByHand()
{
    if (!m_run)
        return;
    finish();
}

void BatchRunControl::finish()
{
    for (QWidget *w : std::as_const(m_widgets.disabled))
        w->setEnabled(true);
    m_widgets.group->hide();
    m_widgets.endButton->setText(m_widgets.idleCaption);
    bool deletePrinted = false;
    if (!m_run->printed().isEmpty())
        deletePrinted = MessageService::instance().ask(
                            QStringLiteral("批量打印结束\r\n\r\n是否将已经打印过的批打数据删除？"), true)
            == MessageService::Answer::Yes;
    const PostingResult result = m_run->finish(deletePrinted);
    m_run.reset();
    if (!result.ok())
        MessageService::instance().warn(result.failed.join(u'\n'));
    Q_EMIT runEnded();
    if (m_steps.ended)
        m_steps.ended();
}

} // namespace Slipdesk
