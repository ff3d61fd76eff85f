#include "ClickLabel.h"

#include <QMouseEvent>

namespace Slipdesk {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
}

bool ClickLabel::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        Q_EMIT entered();
        break;
    case QEvent::Leave:
        Q_EMIT left();
        break;
    case QEvent::ToolTip:
        if (m_managedToolTip) {
            Q_EMIT toolTipRequested();
            return true;
        }
        break;
    default:
        break;
    }
    return QLabel::event(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    else if (event->button() == Qt::RightButton)
        Q_EMIT rightClicked();
    event->accept();
}

} // namespace Slipdesk
