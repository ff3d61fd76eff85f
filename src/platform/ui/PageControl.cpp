#include "PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>

namespace Slipdesk {

OwnerDrawTabBar::OwnerDrawTabBar(QWidget *parent)
    : QTabBar(parent)
{
}

void OwnerDrawTabBar::setOwnerDraw(bool on)
{
    m_ownerDraw = on;
    update();
}

QColor OwnerDrawTabBar::activeColor()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

void OwnerDrawTabBar::paintEvent(QPaintEvent *event)
{
    if (!m_ownerDraw) {
        QTabBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QFontMetrics metrics(font());
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i);
        painter.fillRect(r, i == currentIndex() ? activeColor() : face);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        const QString caption = tabText(i).remove(QLatin1Char('&'));
        const int x = r.left() + (r.width() - metrics.horizontalAdvance(caption)) / 2;
        const int y = r.top() + (r.height() - metrics.height()) / 2 + 2;
        painter.drawText(QPoint(x, y + metrics.ascent()), caption);
    }
}

bool OwnerDrawTabBar::mayChange()
{
    return !changing || changing();
}

void OwnerDrawTabBar::mousePressEvent(QMouseEvent *event)
{
    const int target = tabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && target >= 0 && target != currentIndex() && !mayChange()) {
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void OwnerDrawTabBar::keyPressEvent(QKeyEvent *event)
{
    const bool moves = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right || event->key() == Qt::Key_Home
        || event->key() == Qt::Key_End;
    if (moves && !mayChange()) {
        event->accept();
        return;
    }
    QTabBar::keyPressEvent(event);
}

void OwnerDrawTabBar::wheelEvent(QWheelEvent *event)
{
    if (!mayChange()) {
        event->accept();
        return;
    }
    QTabBar::wheelEvent(event);
}

void PageControl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab and Ctrl+PageUp/Down switch pages too.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool moves = ctrl
        && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp
            || event->key() == Qt::Key_PageDown);
    if (moves && m_bar->changing && !m_bar->changing()) {
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}

PageControl::PageControl(QWidget *parent)
    : QTabWidget(parent)
    , m_bar(new OwnerDrawTabBar(this))
{
    setTabBar(m_bar);
}

} // namespace Slipdesk
