#include "OrderFillController.h"

#include "app/FieldValues.h"
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/platform/MessageService.h"
#include "storage/IoError.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "waybill/OrderParser.h"

#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QToolTip>

namespace Slipdesk {

namespace {

constexpr int kDeliveryPage = 1;

} // namespace

OrderFillController::OrderFillController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("OrderFillController"));
    m_hintTimer.setSingleShot(true);
    connect(&m_hintTimer, &QTimer::timeout, this, &OrderFillController::showHintNow);

    MainFormUi &ui = m_form.ui();
    if (ui.LblAutoAdd) {
        ui.LblAutoAdd->setToolTip(QString());
        ui.LblAutoAdd->installEventFilter(this);
    }
    if (ui.CmbAddType)
        connect(ui.CmbAddType, &QComboBox::activated, this, &OrderFillController::chooseExpressFormat);
}

void OrderFillController::templateLoaded()
{
    // The window selects the format of the loaded template itself.
}

bool OrderFillController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form.ui().LblAutoAdd) {
        switch (event->type()) {
        case QEvent::Enter:
            previewExpress();
            break;
        case QEvent::Leave:
            mouseLeave();
            break;
        case QEvent::MouseButtonRelease:
            click();
            return true;
        case QEvent::ToolTip:
            // The hint follows the timing set on entering, not the style's.
            if (m_hint.enabled && m_hintLabel == watched)
                showHintNow();
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

QString OrderFillController::clipboardText(bool *hasText) const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
    *hasText = data && data->hasText();
    return *hasText ? data->text() : QString();
}

void OrderFillController::setHintActive(bool active)
{
    m_hint.delayMs = active ? 100 : 500;
    m_hint.displayMs = active ? 6000 : 2500;
    m_hint.fontPoints = active ? 11 : 9;
    QFont font = QToolTip::font();
    font.setPointSize(m_hint.fontPoints);
    QToolTip::setFont(font);
}

void OrderFillController::showHintNow()
{
    if (!m_hintLabel || !m_hint.enabled || m_hintLabel->toolTip().isEmpty())
        return;
    if (!m_hintLabel->underMouse())
        return;
    QToolTip::showText(QCursor::pos(), m_hintLabel->toolTip(), m_hintLabel, QRect(), m_hint.displayMs);
}

void OrderFillController::preview(QLabel *label, int format, bool express)
{
    bool hasText = false;
    const QString text = clipboardText(&hasText);
    m_hintLabel = label;
    if (!hasText) {
        m_hint.enabled = false;
        if (label)
            label->setToolTip(QString());
        return;
    }
    m_hint.enabled = true;
    setHintActive(true);
    m_results = OrderParser::parse(format, text);
    if (!label)
        return;
    label->setToolTipDuration(m_hint.displayMs);
    label->setToolTip(express ? OrderParser::expressPreview(format, m_results)
                              : OrderParser::deliveryPreview(m_results));
    m_hintTimer.start(m_hint.delayMs);
}

void OrderFillController::previewExpress()
{
    MainFormUi &ui = m_form.ui();
    preview(ui.LblAutoAdd, ui.CmbAddType ? ui.CmbAddType->currentIndex() : -1, true);
}

void OrderFillController::previewDelivery()
{
    MainFormUi &ui = m_form.ui();
    preview(ui.LblInvAutoAdd, ui.CmbInvAddtype ? ui.CmbInvAddtype->currentIndex() : -1, false);
}

void OrderFillController::mouseEnter()
{
    if (m_form.ui().PageControlMain && m_form.ui().PageControlMain->currentIndex() == kDeliveryPage)
        previewDelivery();
    else
        previewExpress();
}

void OrderFillController::mouseLeave()
{
    m_hintTimer.stop();
    m_hint.enabled = true;
    setHintActive(false);
    m_results = OrderResult();
    if (m_hintLabel) {
        m_hintLabel->setToolTip(QString());
        QToolTip::hideText();
    }
    m_hintLabel = nullptr;
}

void OrderFillController::click()
{
    fillExpress();
    fillDelivery(deliveryTargets());
}

void OrderFillController::fillExpress()
{
    MainFormUi &ui = m_form.ui();
    const OrderResult &r = m_results;
    const std::pair<QWidget *, const QString *> targets[] = {
        {ui.CmbSjrMc, &r.name},         {ui.EdtTo, &r.destination},      {ui.EdtSjDwSs, &r.province},
        {ui.EdtSjDwDs, &r.city},        {ui.EdtSjDwQx, &r.district},     {ui.EdtSjDwDz, &r.address},
        {ui.EdtSjDwTel, &r.telephone},  {ui.EdtSjdwYb, &r.postcode},     {ui.EdtSjrMobile, &r.mobile},
        {ui.EdtSjrWW, &r.nickname},     {ui.EdtSjrPayEmail, &r.payment}, {ui.EdtSjrIM, &r.chat},
    };
    for (const auto &[widget, value] : targets)
        if (widget)
            Fields::setText(widget, *value);
    if (ui.PageControlFjxx)
        ui.PageControlFjxx->setCurrentIndex(1);  // "收件单位"
}

OrderFillController::DeliveryTargets OrderFillController::deliveryTargets() const
{
    MainFormUi &ui = m_form.ui();
    DeliveryTargets t;
    t.name = ui.CmbBuyerName;
    t.nickname = ui.CmbBuyerWW;
    t.mobile = ui.EdtBuyerMobile;
    t.telephone = ui.EdtBuyerTel;
    t.province = ui.EdtAddSs;
    t.city = ui.EdtAddDs;
    t.district = ui.EdtAddQx;
    t.address = ui.EdtAddress;
    t.postcode = ui.EdtBuyerYb;
    t.postage = ui.EdtPostPrice;
    t.goods = ui.SGGoods;
    return t;
}

void OrderFillController::fillDelivery(const DeliveryTargets &t)
{
    const OrderResult &r = m_results;
    const std::pair<QWidget *, const QString *> targets[] = {
        {t.name, &r.name},         {t.nickname, &r.nickname}, {t.mobile, &r.mobile},
        {t.telephone, &r.telephone}, {t.province, &r.province}, {t.city, &r.city},
        {t.district, &r.district}, {t.address, &r.address},   {t.postcode, &r.postcode},
    };
    for (const auto &[widget, value] : targets)
        if (widget)
            Fields::setText(widget, *value);
    // No copy format yields a postage, a goods name or a price: the postage
    // field is emptied; the goods row is left to the delivery note's grid.
    if (t.postage)
        t.postage->clear();
}

void OrderFillController::chooseExpressFormat(int index)
{
    MessageService &messages = MessageService::instance();
    const bool all = messages.ask(QStringLiteral("将该地址格式应用到所有快递单还是当前快递单？\r\n\r\n"
                                                 "选择 是 应用到所有快递单，\r\n选择 否 只应用到当前快递单。"))
                     == MessageService::Answer::Yes;
    try {
        ProgramSettings program(m_form.paths());
        program.setExpressSharedAddress(all);
        if (all) {
            program.setExpressAddressType(index);
        } else {
            const QString name = m_form.ui().CmbLetterSelect ? m_form.ui().CmbLetterSelect->currentText() : QString();
            if (!name.isEmpty())
                TemplateSettings(m_form.paths(), name).setAddressType(index);
        }
    } catch (const IoError &e) {
        messages.warn(e.message());
    }
}

} // namespace Slipdesk
