#include "DeliveryTab.h"

#include "context/AppContext.h"
#include "datawin/ui/BatchRunControl.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WidgetFields.h"
#include "render/Amounts.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "trade/DeliveryQueue.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"
#include "trade/TradeNumbers.h"
#include "trade/TradePosting.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"
#include "waybill/OrderFields.h"
#include "waybill/WaybillForm.h"
#include "waybill/ui/OrderFill.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace Slipdesk {

DeliveryTab::DeliveryTab(
    AppContext &context, RecipientLookupList &lookup, OrderFill &orderFill, GoodsPicker &picker, QWidget *parent)
    : TradeTab(context, NoteKind::Delivery, parent)
    , m_orderFill(orderFill)
{
    setObjectName(QStringLiteral("DeliveryTab"));
    auto *page = new QWidget(parent);
    page->setObjectName(QStringLiteral("TabFhdPrn"));
    m_ui.setupUi(page);
    setUp(page, m_ui.SGGoods, picker, m_ui.CmbInvoice, m_ui.EdtInvNo,
        {QStringLiteral("LblShopName"), QStringLiteral("LblSumCount")});

    lookup.attach({m_ui.CmbBuyerName, RecipientLookup::NameField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerName); }, false});
    lookup.attach({m_ui.CmbBuyerWW, RecipientLookup::NickField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerWW); }, false});

    connect(&m_context, &AppContext::addressBooksLoaded, this, &DeliveryTab::fillSellerCombo);
    connect(&m_context, &AppContext::sendersReloaded, this, [this] {
        const int seller = m_ui.CmbSalerName->currentIndex();
        fillSellerCombo();
        const QSignalBlocker block(m_ui.CmbSalerName);
        if (seller >= 0 && seller < m_ui.CmbSalerName->count())
            m_ui.CmbSalerName->setCurrentIndex(seller);
    });
    connect(&m_context, &AppContext::recipientAppended, this, &DeliveryTab::recipientAppended);
    connect(&m_context, &AppContext::recipientsReloaded, this, &DeliveryTab::fillBuyerCombos);

    m_orderFill.attach(m_ui.LblInvAutoAdd, m_ui.CmbInvAddtype, false);
    connect(&m_orderFill, &OrderFill::filled, this, &DeliveryTab::applyOrder);

    BatchRunControl::Widgets batchWidgets;
    batchWidgets.group = m_ui.GBoxInvoiceTsk;
    batchWidgets.position = m_ui.SpinEditInvTsk;
    batchWidgets.total = m_ui.LblInvTatol;
    batchWidgets.endButton = m_ui.BtnInvoiceTskPrn;
    batchWidgets.idleCaption = QStringLiteral("批打保存");
    batchWidgets.runCaption = QStringLiteral("结束批打");
    batchWidgets.disabled = {m_ui.RzMenuBtnOutQuery, m_ui.BtnInvTskData, m_ui.RzMBtnOutMoreData};
    BatchRunControl::Steps batchSteps;
    batchSteps.load = [this](const BatchRun &run) { loadBatchNote(run); };
    batchSteps.print = [this] { return printOne(); };
    batchSteps.windowActive = [this] { return m_page->window()->isActiveWindow(); };
    batchSteps.ended = [this] { m_ui.CmbBuyerName->setFocus(); };
    m_batch = new BatchRunControl(batchWidgets, batchSteps, this);

    connectControls();
}

DeliveryTab::~DeliveryTab() = default;

void DeliveryTab::connectControls()
{
    DeliveryTabUi &u = m_ui;
    connect(u.BtnInvoicePrn, &QPushButton::clicked, this, [this] { printAndPost(); });
    connect(u.BtnInvoicePreview, &QPushButton::clicked, this, &DeliveryTab::preview);
    connect(u.CmbSalerName, &QComboBox::activated, this, [this](int index) {
        fillSeller(index);
        // The user's choice becomes the template's default seller.
        if (const QString name = templateName(); !name.isEmpty())
            guarded([&] { TemplateSettings(m_context.paths(), name).setDefaultShipperIndex(index); });
    });
    EventHook::onEvent(u.CmbSalerSay, QEvent::FocusIn, [this] { messageEntered(); });
    EventHook::on(u.CmbSalerSay, QEvent::FocusOut, [this](QEvent *event) {
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            messageLeft();
        return false;
    });
    connect(u.CmbInvAddtype, &QComboBox::activated, this, &DeliveryTab::chooseAddressFormat);
    EventHook::onEvent(u.EdtAddress, QEvent::MouseButtonDblClick, [this] { clearNote(); });
    EventHook::onEvent(u.EdtPostPrice, QEvent::FocusOut, [this] { postageLeft(); });
    EventHook::onEvent(u.EdtPostPrice, QEvent::MouseButtonRelease, [this] { m_ui.EdtPostPrice->selectAll(); });
    connect(m_goods, &GoodsGrid::totalsChanged, this, &DeliveryTab::showTotals);

    const QList<std::pair<QAction *, TableCode>> entries {
        {u.NOutGoods, TableCode::Goods},
        {u.NOutUnit, TableCode::Units},
        {u.NOutInRemark, TableCode::InboundRemarks},
        {u.NOutOutRemark, TableCode::OutboundRemarks},
        {u.NOutSjdw, TableCode::Recipients},
        {u.NOutJjdw, TableCode::Senders},
        {u.NQueryLog, TableCode::DeliveryLog},
        {u.NQuerySales, TableCode::SalesStats},
    };
    connectMenu(entries);
    connect(
        u.BtnInvTskData, &QPushButton::clicked, this, [this] { Q_EMIT dataWindowRequested(TableCode::DeliveryBatch); });
    connect(u.BtnInvoiceTskPrn, &QPushButton::clicked, this, [this] {
        if (m_batch->running())
            m_batch->endByHand();
        else
            saveToQueue();
    });
}

// --- The window's steps -------------------------------------------------------------

void DeliveryTab::enter(const ExpressLink &express)
{
    if (m_ui.CmbInvoice->count() == 0) {
        const QSignalBlocker block(m_ui.CmbInvAddtype);
        const int keep = m_ui.CmbInvAddtype->currentIndex();
        m_ui.CmbInvAddtype->clear();
        m_ui.CmbInvAddtype->addItems(express.addressFormats);
        m_ui.CmbInvAddtype->setCurrentIndex(keep);
    }
    enterCommon();
    if (m_ui.CmbBuyerName->count() == 0 || m_buyersStale)
        fillBuyerCombos();
    {
        const QSignalBlocker block(m_ui.CmbEmsCompany);
        Fields::setItems(m_ui.CmbEmsCompany, express.templates);
        m_ui.CmbEmsCompany->setCurrentIndex(express.templateIndex);
    }
    m_ui.EdtInvEmsNo->setText(express.waybillNumber);
    m_ui.CmbBuyerName->setFocus();
    m_goods->click();
}

bool DeliveryTab::batchRunning() const
{
    return m_batch->running();
}

void DeliveryTab::startBatch(const BatchStart &start)
{
    m_batch->start(start);
}

bool DeliveryTab::saveToQueue()
{
    m_goods->recompute();
    const DeliveryQueue::SaveResult result = DeliveryQueue::save(m_context, note(), QDateTime::currentDateTime());
    if (!result.ok())
        MessageService::instance().warn(result.failed.join(u'\n'));
    m_ui.CmbBuyerName->setFocus();
    return result.ok();
}

void DeliveryTab::loadBatchNote(const BatchRun &run)
{
    reprint(DeliveryQueue::noteValues(run.cells()), DeliveryQueue::noteGoods(run.goodsLines()));
}

void DeliveryTab::fillFromClipboard()
{
    m_orderFill.enter(m_ui.LblInvAutoAdd);
    m_orderFill.click();
}

void DeliveryTab::templateLoaded(const QString &name)
{
    const TemplateSettings settings(m_context.paths(), name);
    const ProgramSettings program(m_context.paths());
    const int seller = settings.defaultShipperIndex();
    if (seller >= 0 && seller < m_ui.CmbSalerName->count()) {
        m_ui.CmbSalerName->setCurrentIndex(seller);
        fillSeller(seller);
    } else {
        // No such sender: no seller chosen, the block stays as it is.
        m_ui.CmbSalerName->setCurrentIndex(-1);
    }
    m_ui.CmbSalerSay->setEditText(settings.sellerLastMessage());
    {
        const QSignalBlocker block(m_ui.CmbInvAddtype);
        m_ui.CmbInvAddtype->setCurrentIndex(
            program.deliverySharedAddress() ? program.deliveryAddressType() : settings.deliveryAddressType());
    }
    loadCommon(settings);
}

void DeliveryTab::focusFirstEntry()
{
    m_ui.CmbBuyerName->setFocus();
}

// --- Printing -------------------------------------------------------------------------

bool DeliveryTab::printAndPost()
{
    return m_batch->printPressed();
}

bool DeliveryTab::printOne()
{
    if (!printAndPostCommon(batchRunning()))
        return false;
    m_ui.CmbBuyerName->setFocus();
    return true;
}

void DeliveryTab::preview()
{
    m_goods->recompute();
    Q_EMIT previewRequested();
    m_ui.CmbBuyerName->setFocus();
}

void DeliveryTab::showTotals()
{
    const GoodsTable::Totals totals = m_goods->totals();
    m_ui.LblSumCount->setText(GoodsTable::quantityText(totals));
    m_ui.EdtMoneySumXx->setText(formatGrouped(totals.amountFen));
    m_ui.EdtInvTotalJE->setText(formatGrouped(totals.amountFen + amountOrZero(m_ui.EdtPostPrice->text())));
}

void DeliveryTab::postageLeft()
{
    m_ui.EdtPostPrice->setText(formatGrouped(amountOrZero(m_ui.EdtPostPrice->text())));
    m_ui.EdtInvTotalJE->setText(
        formatGrouped(amountOrZero(m_ui.EdtMoneySumXx->text()) + amountOrZero(m_ui.EdtPostPrice->text())));
}

// --- Buyer, seller, message ---------------------------------------------------------------

void DeliveryTab::fillBuyerCombos()
{
    Fields::setItems(m_ui.CmbBuyerName, m_context.recipientNames());
    Fields::setItems(m_ui.CmbBuyerWW, AddressBook::column(m_context.recipients(), AddressBook::RecipientNickField));
    m_buyersStale = false;
}

void DeliveryTab::recipientAppended()
{
    if (!m_active) {
        m_buyersStale = true;
        return;
    }
    // A buyer saved by this tab's print: the lists take it as their last entry.
    fillBuyerCombos();
    m_ui.CmbBuyerName->setCurrentIndex(m_ui.CmbBuyerName->count() - 1);
    m_ui.CmbBuyerWW->setCurrentIndex(m_ui.CmbBuyerWW->count() - 1);
}

void DeliveryTab::fillSellerCombo()
{
    Fields::setItems(m_ui.CmbSalerName, AddressBook::column(m_context.senders(), AddressBook::SenderNameField));
}

void DeliveryTab::fillBuyer(int row, QWidget *chosenIn)
{
    const QStringList &rows = m_context.recipients();
    const QString line = row >= 0 && row < rows.size() ? rows.at(row) : QString();
    const FieldValues buyer
        = FormFields::asRecipientOf<DeliveryField, WaybillField>(WaybillForm::recipientFromRow(line));
    for (auto it = buyer.cbegin(); it != buyer.cend(); ++it) {
        QWidget *control = m_page->findChild<QWidget *>(it.key());
        if (control && control != chosenIn)
            Fields::setText(control, it.value());
    }
}

void DeliveryTab::fillSeller(int row)
{
    const QStringList &rows = m_context.senders();
    if (row < 0 || row >= rows.size())
        return;
    setValues(TradeForm::sellerFromSender(rows.at(row)));
}

bool DeliveryTab::clearNote()
{
    if (batchRunning())
        return false;
    for (DeliveryField field :
        FormFields::where<DeliveryField>([](const FieldSpec &spec) { return spec.has(FieldFlag::Cleared); }))
        Fields::setText(m_page->findChild<QWidget *>(controlName(field)), QString());
    m_ui.LblSumCount->setText(QStringLiteral("0"));
    for (QLineEdit *edit : {m_ui.EdtPostPrice, m_ui.EdtMoneySumXx, m_ui.EdtInvTotalJE})
        edit->setText(QStringLiteral("0.00"));
    const QSignalBlocker block(m_goods);
    m_goods->clear();
    return true;
}

void DeliveryTab::messageEntered()
{
    const QStringList messages = m_context.sellerMessage().split(u',', Qt::SkipEmptyParts);
    if (Fields::items(m_ui.CmbSalerSay) != messages)
        Fields::setItems(m_ui.CmbSalerSay, messages);
}

void DeliveryTab::messageLeft()
{
    const QString text = m_ui.CmbSalerSay->currentText();
    const QString entry = TradeNumbers::cleaned(text);
    QStringList messages = Fields::items(m_ui.CmbSalerSay);
    if (!entry.isEmpty() && !messages.contains(entry)) {
        messages.append(entry);
        Fields::setItems(m_ui.CmbSalerSay, messages);
        m_ui.CmbSalerSay->setCurrentIndex(int(messages.size()) - 1);
        m_context.setSellerMessage(messages.join(u','));
        guarded([&] { ProgramSettings(m_context.paths()).setSellerMessage(messages.join(u',')); });
    }
    if (const QString name = templateName(); !name.isEmpty())
        guarded(
            [&] { TemplateSettings(m_context.paths(), name).setSellerLastMessage(m_ui.CmbSalerSay->currentText()); });
}

// --- Copied orders ---------------------------------------------------------------------------

void DeliveryTab::applyOrder(const OrderResult &results)
{
    setValues(OrderFields::delivery(results));
    // No copy format yields a goods name or a price: the first free row gets
    // them empty, as the fill always wrote them.
    m_goods->fillFromOrder(QString(), QString());
}

void DeliveryTab::chooseAddressFormat(int index)
{
    MessageService &messages = MessageService::instance();
    const bool all = messages.ask(QStringLiteral("将该地址格式应用到所有发货单还是当前发货单？\r\n\r\n"
                                                 "选择 是 应用到所有发货单，\r\n选择 否 只应用到当前发货单。"))
        == MessageService::Answer::Yes;
    guarded([&] {
        ProgramSettings program(m_context.paths());
        program.setDeliverySharedAddress(all);
        if (all)
            program.setDeliveryAddressType(index);
        else if (const QString name = templateName(); !name.isEmpty())
            TemplateSettings(m_context.paths(), name).setDeliveryAddressType(index);
    });
}

} // namespace Slipdesk
