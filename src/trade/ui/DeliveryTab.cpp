#include "DeliveryTab.h"

#include "context/AppContext.h"
#include "platform/Guarded.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WidgetFields.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "templates/ui/TemplateTab.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"
#include "waybill/OrderFields.h"
#include "waybill/ui/OrderFill.h"
#include "waybill/ui/RecipientLookupList.h"

namespace Slipdesk {

namespace {

const QString kGoodsHeader = QStringLiteral("序号,商品编码,商品名称,单位,数量,售价,金额,出库备注,进价,入库备注");

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

DeliveryTab::DeliveryTab(
    AppContext &context, TemplateTab &templates, RecipientLookupList &lookup, OrderFill &orderFill, QWidget *parent)
    : QObject(parent)
    , m_context(context)
    , m_templates(templates)
    , m_orderFill(orderFill)
{
    setObjectName(QStringLiteral("DeliveryTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabFhdPrn"));
    m_ui.setupUi(m_page);
    m_captions = std::make_unique<CaptionLabels>(QList<QLabel *> {m_ui.LblBuyerName, m_ui.LblBuyerNickName,
        m_ui.LblbuyerMobile, m_ui.LblbuyerTel, m_ui.LblBuyerAdd, m_ui.LblSalerSay, m_ui.LblSalerShop, m_ui.LblSalerAdd,
        m_ui.LblSalerName, m_ui.LblSalerNickName, m_ui.LblSalerMobile, m_ui.LblInvEms, m_ui.LblEmsNo});
    m_goods = new GoodsGrid(m_ui.SGGoods, kGoodsHeader, this);

    lookup.attach({m_ui.CmbBuyerName, RecipientLookup::NameField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerName); }, false});
    lookup.attach({m_ui.CmbBuyerWW, RecipientLookup::NickField, [this](int row) { fillBuyer(row, nullptr); },
        [this](int index) { fillBuyer(index, m_ui.CmbBuyerWW); }, false});

    connect(m_ui.CmbInvoice, &QComboBox::activated, this, [this](int index) {
        m_templates.chooseTemplate(index);
        m_ui.CmbBuyerName->setFocus();
    });
    EventHook::onEvent(m_ui.CmbInvoice, QEvent::FocusIn, [this] { saveNumber(); });
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
    connect(&m_context, &AppContext::recipientAppended, this, [this] { m_buyersStale = true; });
    connect(&m_context, &AppContext::recipientsReloaded, this, &DeliveryTab::fillBuyerCombos);

    m_orderFill.attach(m_ui.LblInvAutoAdd, m_ui.CmbInvAddtype, false);
    connect(&m_orderFill, &OrderFill::filled, this, &DeliveryTab::applyOrder);
}

DeliveryTab::~DeliveryTab() = default;

FieldValues DeliveryTab::values() const
{
    return Fields::collectAll(m_page);
}

void DeliveryTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

void DeliveryTab::enter(const ExpressLink &express)
{
    if (m_ui.CmbInvoice->count() == 0) {
        const QSignalBlocker block(m_ui.CmbInvAddtype);
        const int keep = m_ui.CmbInvAddtype->currentIndex();
        m_ui.CmbInvAddtype->clear();
        m_ui.CmbInvAddtype->addItems(express.addressFormats);
        m_ui.CmbInvAddtype->setCurrentIndex(keep);
    }
    const TemplateTab::KindList list = m_templates.showKind(ItemTable::Delivery, m_ui.CmbInvoice->currentText());
    TemplateTab::showList(m_ui.CmbInvoice, list);
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
}

void DeliveryTab::saveNumber()
{
    const QString name = m_ui.CmbInvoice->currentText();
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
    const int shipper = settings.defaultShipperIndex();
    m_ui.CmbSalerName->setCurrentIndex(shipper < m_ui.CmbSalerName->count() ? shipper : -1);
    m_ui.EdtInvNo->setText(settings.deliveryNumber());
    m_savedNumber = settings.deliveryNumber();
    m_ui.CmbSalerSay->setEditText(settings.sellerLastMessage());
    {
        const QSignalBlocker block(m_ui.CmbInvAddtype);
        m_ui.CmbInvAddtype->setCurrentIndex(
            program.deliverySharedAddress() ? program.deliveryAddressType() : settings.deliveryAddressType());
    }
    m_captions->apply(settings.captionValues(TemplateSettings::deliveryCaptionKeys()));
}

void DeliveryTab::fillBuyerCombos()
{
    Fields::setItems(m_ui.CmbBuyerName, m_context.recipientNames());
    Fields::setItems(m_ui.CmbBuyerWW, AddressBook::column(m_context.recipients(), AddressBook::RecipientNickField));
    m_buyersStale = false;
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

void DeliveryTab::applyOrder(const OrderResult &results)
{
    // The goods row of the fill belongs to the goods grid.
    Fields::apply(m_page, OrderFields::delivery(results));
}

} // namespace Slipdesk
