#include "OrderFill.h"

#include "platform/ui/ClickLabel.h"
#include "waybill/OrderParser.h"
#include "waybill/OrderReading.h"

#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QToolTip>

namespace Slipdesk {

OrderFill::OrderFill(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("OrderFill"));
    m_hintTimer.setSingleShot(true);
    connect(&m_hintTimer, &QTimer::timeout, this, &OrderFill::showHintNow);
}

void OrderFill::attach(ClickLabel *label, QComboBox *formats, bool express)
{
    m_labels.insert(label, Source {formats, express});
    label->setToolTip(QString());
    // The hint follows the timing set on entering, not the style's.
    label->setManagedToolTip(true);
    connect(label, &ClickLabel::entered, this, [this, label] { enter(label); });
    connect(label, &ClickLabel::left, this, &OrderFill::leave);
    connect(label, &ClickLabel::clicked, this, &OrderFill::click);
    connect(label, &ClickLabel::toolTipRequested, this, [this, label] {
        if (m_hint.enabled && m_hintLabel == label)
            showHintNow();
    });
}

QString OrderFill::clipboardText(bool *hasText) const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
    *hasText = data && data->hasText();
    return *hasText ? data->text() : QString();
}

void OrderFill::setHintActive(bool active)
{
    m_hint.delayMs = active ? 100 : 500;
    m_hint.displayMs = active ? 6000 : 2500;
    m_hint.fontPoints = active ? 11 : 9;
    QFont font = QToolTip::font();
    font.setPointSize(m_hint.fontPoints);
    QToolTip::setFont(font);
}

void OrderFill::showHintNow()
{
    if (!m_hintLabel || !m_hint.enabled || m_hintLabel->toolTip().isEmpty())
        return;
    if (!m_hintLabel->underMouse())
        return;
    QToolTip::showText(QCursor::pos(), m_hintLabel->toolTip(), m_hintLabel, QRect(), m_hint.displayMs);
}

void OrderFill::enter(ClickLabel *label)
{
    const Source source = m_labels.value(label);
    bool hasText = false;
    const QString text = clipboardText(&hasText);
    m_hintLabel = label;
    if (!hasText) {
        m_hint.enabled = false;
        label->setToolTip(QString());
        return;
    }
    m_hint.enabled = true;
    setHintActive(true);
    const int format = source.formats ? source.formats->currentIndex() : -1;
    const OrderReading reading = OrderReading::read(format, text);
    m_results = reading.result;
    m_fellBack = reading.smartFallback;
    // A smart reading previews as the smart formats do, below a line that
    // says why.
    const int shown = reading.smartFallback ? int(OrderParser::Taobao2) : format;
    QString preview
        = source.express ? OrderParser::expressPreview(shown, m_results) : OrderParser::deliveryPreview(m_results);
    if (reading.smartFallback)
        preview = QStringLiteral("[提示]:") + reading.note(format) + QStringLiteral("\r\n") + preview;
    label->setToolTipDuration(m_hint.displayMs);
    label->setToolTip(preview);
    m_hintTimer.start(m_hint.delayMs);
}

void OrderFill::leave()
{
    m_hintTimer.stop();
    m_hint.enabled = true;
    setHintActive(false);
    m_results = OrderResult();
    m_fellBack = false;
    if (m_hintLabel) {
        m_hintLabel->setToolTip(QString());
        QToolTip::hideText();
    }
    m_hintLabel = nullptr;
}

void OrderFill::click()
{
    Q_EMIT filled(m_results);
}

} // namespace Slipdesk
