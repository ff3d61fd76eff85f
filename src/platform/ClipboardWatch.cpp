#include "ClipboardWatch.h"

#include "storage/Codec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Slipdesk {

ClipboardWatch::ClipboardWatch(QObject *parent)
    : QObject(parent)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &ClipboardWatch::onChanged);
}

bool ClipboardWatch::shouldTrigger(const QString &text, bool weAreActive) const
{
    // Copies made inside the program itself never count: the user is working
    // here, and filling the form from them would overwrite what they typed.
    return m_enabled && !weAreActive && Codec::encodedLength(text) > ThresholdBytes;
}

void ClipboardWatch::onChanged()
{
    if (!m_enabled)
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return;
    const QString text = data->text();
    const bool weAreActive
        = m_activeCheck ? m_activeCheck() : QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (shouldTrigger(text, weAreActive))
        Q_EMIT triggered(text);
}

} // namespace Slipdesk
