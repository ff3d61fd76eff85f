#pragma once

#include <QObject>
#include <functional>

namespace Slipdesk {

// Watches the clipboard. triggered() fires when the clipboard changes to plain
// text longer than 20 bytes in the file encoding while another application is
// active and the watch is enabled.
class ClipboardWatch : public QObject
{
    Q_OBJECT
public:
    explicit ClipboardWatch(QObject *parent = nullptr);

    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }

    // Decides on one change; public so that tests can feed it directly.
    // `weAreActive` tells whether this program is the active application.
    bool shouldTrigger(const QString &text, bool weAreActive) const;

    static constexpr int ThresholdBytes = 20;

    // Replaces the check "is this program the active application" (tests,
    // which cannot put themselves in the background); an empty function
    // restores the check of the application state.
    void setActiveCheck(std::function<bool()> check) { m_activeCheck = std::move(check); }

Q_SIGNALS:
    void triggered(const QString &text);

private:
    void onChanged();
    bool m_enabled = false;
    std::function<bool()> m_activeCheck;
};

} // namespace Slipdesk
