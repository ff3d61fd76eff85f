#pragma once

#include <QLabel>

namespace Slipdesk {

// A label that acts as a link: clicked() on a left-button release,
// rightClicked() on a right one, entered() and left() as the pointer comes
// and goes. A label whose hint is managed elsewhere asks for it with
// toolTipRequested() instead of showing its tooltip itself.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    void setManagedToolTip(bool on) { m_managedToolTip = on; }

Q_SIGNALS:
    void clicked();
    void rightClicked();
    void entered();
    void left();
    void toolTipRequested();

protected:
    bool event(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_managedToolTip = false;
};

} // namespace Slipdesk
