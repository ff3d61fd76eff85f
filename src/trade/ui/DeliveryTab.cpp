#include "DeliveryTab.h"

#include "context/AppContext.h"
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
#include "templates/ui/TemplateTab.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"
#include "trade/TradeNumbers.h"
#include "trade/TradePosting.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"
#include "waybill/OrderFields.h"
#include "waybill/ui/OrderFill.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace Slipdesk {

namespace {

// Buyer fields of the delivery tab and the recipient fields that fill them.
struct BuyerField
{
    const char *control;
    int field;
};
constexpr BuyerField kBuyerFields[] = {
    {"CmbBuyerName", 10},
    {"CmbBuyerWW", 17},
    {"EdtBuyerMobile", 18},
    {"EdtBuyerTel", 13},
    {"EdtAddSs", 4},
    {"EdtAddDs", 5},
    {"EdtAddQx", 6},
    {"EdtAddress", 7},
    {"EdtBuyerYb", 3},
};

} // namespace

DeliveryTab::DeliveryTab(AppContext &context, TemplateTab &templates, RecipientLookupList &lookup, OrderFill &orderFill,
    GoodsPicker &picker, QWidget *parent)
    : QObject(parent)
    , m_context(context)
    , m_templates(templates)
    , m_orderFill(orderFill)
{
    setObjectName(QStringLiteral("DeliveryTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabFhdPrn"));
    m_ui.setupUi(m_page);
    m_goods = new GoodsGrid(context, m_ui.SGGoods, picker, NoteKind::Delivery, this);

    lookup.attach({m_ui.CmbBuyerName, RecipientLookup::NameField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerName); }, false});
    lookup.attach({m_ui.CmbBuyerWW, RecipientLookup::NickField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerWW); }, false});

    m_templates.setFormKind(ItemTable::Delivery,
        {[this](Drawing &drawing, const ItemTable &table) { NotePage::draw(drawing, table, note()); }, {}});
    connect(&m_templates, &TemplateTab::templateLoaded, this, [this](int kind, const QString &name) {
        if (kind == ItemTable::Delivery)
            templateLoaded(name);
    });
    m_templates.follow(ItemTable::Delivery, m_ui.CmbInvoice);

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
    connectControls();
}

DeliveryTab::~DeliveryTab() = default;

void DeliveryTab::connectControls()
{
    DeliveryTabUi &u = m_ui;
    connect(u.CmbInvoice, &QComboBox::activated, this, [this](int index) {
        m_templates.chooseTemplate(index);
        m_ui.CmbBuyerName->setFocus();
    });
    EventHook::onEvent(u.CmbInvoice, QEvent::FocusIn, [this] { saveNumber(); });
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

    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Delivery)) {
        auto label = m_page->findChild<QLabel *>(caption.label);
        if (!label)
            continue;
        EventHook::on(label, QEvent::MouseButtonRelease, [this, label](QEvent *event) {
            if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
                return false;
            renameLabel(label);
            return true;
        });
    }

    const QList<std::pair<QAction *, int>> entries {
        {u.NOutGoods, 12},
        {u.NOutUnit, 15},
        {u.NOutInRemark, 18},
        {u.NOutOutRemark, 16},
        {u.NOutSjdw, 3},
        {u.NOutJjdw, 5},
        {u.NQueryLog, 13},
        {u.NQuerySales, 21},
    };
    for (const auto &[action, code] : entries)
        connect(action, &QAction::triggered, this, [this, code = code] { Q_EMIT dataWindowRequested(code); });
    connect(u.BtnInvTskData, &QPushButton::clicked, this, [this] { Q_EMIT dataWindowRequested(14); });
}

QString DeliveryTab::templateName() const
{
    return m_ui.CmbInvoice->currentText();
}

// --- Values -----------------------------------------------------------------------

FieldValues DeliveryTab::values() const
{
    FieldValues values = Fields::collectAll(m_page);
    QStringList labels {QStringLiteral("LblShopName"), QStringLiteral("LblSumCount")};
    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Delivery))
        labels.append(caption.label);
    for (const QString &name : labels)
        if (const QWidget *label = m_page->findChild<QWidget *>(name))
            values.insert(name, Fields::text(label));
    return values;
}

void DeliveryTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

TradeNote DeliveryTab::note() const
{
    return TradeNote {NoteKind::Delivery, values(), m_goods->rows()};
}

void DeliveryTab::setNote(const TradeNote &note)
{
    setValues(note.values);
    m_goods->setRows(note.goods);
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
    TemplateTab::showList(m_ui.CmbInvoice, m_templates.showKind(ItemTable::Delivery, templateName()));
    if (m_ui.CmbBuyerName->count() == 0 || m_buyersStale)
        fillBuyerCombos();
    m_goods->prepare();
    guarded([this] { m_context.ensureGoods(); });
    guarded([this] { m_context.ensureSmallLists(); });
    {
        const QSignalBlocker block(m_ui.CmbEmsCompany);
        Fields::setItems(m_ui.CmbEmsCompany, express.templates);
        m_ui.CmbEmsCompany->setCurrentIndex(express.templateIndex);
    }
    m_ui.EdtInvEmsNo->setText(express.waybillNumber);
    m_ui.CmbBuyerName->setFocus();
    m_goods->click();
}

void DeliveryTab::setActive(bool active)
{
    if (m_active && !active)
        m_goods->hidePopups();
    m_active = active;
}

void DeliveryTab::saveNumber()
{
    const QString name = templateName();
    if (name.isEmpty() || m_ui.EdtInvNo->text() == m_savedNumber)
        return;
    if (guarded([&] { TemplateSettings(m_context.paths(), name).setDeliveryNumber(m_ui.EdtInvNo->text()); }))
        m_savedNumber = m_ui.EdtInvNo->text();
}

bool DeliveryTab::batchRunning() const
{
    return !m_ui.BtnInvTskData->isEnabled();
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
    m_ui.EdtInvNo->setText(settings.deliveryNumber());
    m_savedNumber = settings.deliveryNumber();
    m_ui.CmbSalerSay->setEditText(settings.sellerLastMessage());
    {
        const QSignalBlocker block(m_ui.CmbInvAddtype);
        m_ui.CmbInvAddtype->setCurrentIndex(
            program.deliverySharedAddress() ? program.deliveryAddressType() : settings.deliveryAddressType());
    }
    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Delivery)) {
        const QString own = settings.captionValue(caption.key).trimmed();
        if (auto label = m_page->findChild<QLabel *>(caption.label))
            label->setText(own.isEmpty() ? caption.builtIn : own);
    }
}

// --- Printing -------------------------------------------------------------------------

bool DeliveryTab::printAndPost()
{
    m_goods->recompute();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TradePosting::PrintResult result = TradePosting::printAndPost(m_context, PrinterService::instance(),
        m_templates.printSource(), note(), QDateTime::currentDateTime(), batchRunning());
    QApplication::restoreOverrideCursor();
    if (!result.refusal.isEmpty()) {
        MessageService::instance().warn(result.refusal);
        if (auto focus = m_page->findChild<QWidget *>(result.focus))
            focus->setFocus();
        return false;
    }
    m_ui.EdtInvNo->setText(result.posting.nextNumber);
    if (result.posting.numberSaved)
        m_savedNumber = result.posting.nextNumber;
    if (!result.posting.ok())
        MessageService::instance().warn(result.posting.failed.join(u'\n'));
    m_ui.CmbBuyerName->setFocus();
    // A delivery batch run goes on from here.
    return true;
}

void DeliveryTab::preview()
{
    m_goods->recompute();
    m_templates.openPreview(false);
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
    for (const BuyerField &b : kBuyerFields) {
        QWidget *control = m_page->findChild<QWidget *>(QLatin1String(b.control));
        if (control && control != chosenIn)
            Fields::setText(control, TextTable::field(line, b.field));
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
    if (batchRunning() || m_ui.GBoxInvoiceTsk->isVisible())
        return false;
    for (const BuyerField &b : kBuyerFields)
        Fields::setText(m_page->findChild<QWidget *>(QLatin1String(b.control)), QString());
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

void DeliveryTab::renameLabel(QLabel *label)
{
    const auto &captions = TradeForm::captions(NoteKind::Delivery);
    const auto caption = std::find_if(captions.cbegin(), captions.cend(),
        [label](const TradeForm::Caption &c) { return c.label == label->objectName(); });
    QString value = label->text();
    if (caption == captions.cend() || !MessageService::instance().prompt(TradeForm::renamePrompt(), value))
        return;
    value = value.trimmed();
    if (value.isEmpty())
        return;
    const QString name = templateName();
    if (!name.isEmpty()
        && !guarded([&] { TemplateSettings(m_context.paths(), name).setCaptionValue(caption->key, value); }))
        return;
    label->setText(value);
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
