#pragma once

#include <QTabBar>
#include <QTabWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QWheelEvent;

namespace Slipdesk {

// Tabs painted by the window itself: the active tab sky blue, the others in the
// button face colour, captions black and centred.
class OwnerDrawTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit OwnerDrawTabBar(QWidget *parent = nullptr);

    bool ownerDraw() const { return m_ownerDraw; }
    void setOwnerDraw(bool on);

    static QColor activeColor(); // sky blue

    // Asked before the user moves to another tab; returning false keeps the
    // current tab. Programmatic changes are not asked.
    std::function<bool()> changing;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool mayChange();
    bool m_ownerDraw = false;
};

// A page control: a tab widget whose tab bar can be switched to owner-drawn
// tabs and which may refuse the user's switch to another page.
class PageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    OwnerDrawTabBar *ownerDrawTabBar() const { return m_bar; }
    void setOwnerDraw(bool on) { m_bar->setOwnerDraw(on); }

    // See OwnerDrawTabBar::changing.
    void setChangingHandler(std::function<bool()> handler) { m_bar->changing = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    OwnerDrawTabBar *m_bar;
};

} // namespace Slipdesk
