#include "InboundTab.h"

#include "context/AppContext.h"
#include "platform/Guarded.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WidgetFields.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/ui/TemplateTab.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"

namespace Slipdesk {

namespace {
const QString kInboundHeader = QStringLiteral("序号,商品编码,商品名称,单位,数量,进价,金额,入库备注,售价,出库备注");
} // namespace

InboundTab::InboundTab(AppContext &context, TemplateTab &templates, QWidget *parent)
    : QObject(parent)
    , m_context(context)
    , m_templates(templates)
{
    setObjectName(QStringLiteral("InboundTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabSheet2"));
    m_ui.setupUi(m_page);
    m_captions = std::make_unique<CaptionLabels>(
        QList<QLabel *> {m_ui.LblInputJbr, m_ui.LblInputType, m_ui.LblInputDate, m_ui.LblInputNo});
    m_goods = new GoodsGrid(m_ui.SgInput, kInboundHeader, this);

    connect(m_ui.CmbInputModel, &QComboBox::activated, this, [this](int index) { m_templates.chooseTemplate(index); });
    EventHook::onEvent(m_ui.CmbInputModel, QEvent::FocusIn, [this] { saveNumber(); });
    connect(&m_templates, &TemplateTab::templateLoaded, this, [this](int kind, const QString &name) {
        if (kind == ItemTable::Inbound)
            templateLoaded(name);
    });
    m_templates.follow(ItemTable::Inbound, m_ui.CmbInputModel);

    connect(&m_context, &AppContext::addressBooksLoaded, this, &InboundTab::fillHandlerCombo);
    connect(&m_context, &AppContext::sendersReloaded, this, [this] {
        const int handler = m_ui.CmbInputJbr->currentIndex();
        fillHandlerCombo();
        const QSignalBlocker block(m_ui.CmbInputJbr);
        if (handler >= 0 && handler < m_ui.CmbInputJbr->count())
            m_ui.CmbInputJbr->setCurrentIndex(handler);
    });
    connect(&m_context, &AppContext::pickListChanged, this, [this](int code) {
        if (code == AppContext::InboundTypesCode)
            m_typesStale = true;
    });
}

InboundTab::~InboundTab() = default;

FieldValues InboundTab::values() const
{
    return Fields::collectAll(m_page);
}

void InboundTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

void InboundTab::enter()
{
    const TemplateTab::KindList list = m_templates.showKind(ItemTable::Inbound, m_ui.CmbInputModel->currentText());
    TemplateTab::showList(m_ui.CmbInputModel, list);
    if (m_ui.CmbInputType->count() == 0 || m_typesStale)
        loadInboundTypes();
    m_goods->prepare();
    guarded([this] { m_context.ensureGoods(); });
    guarded([this] { m_context.ensureSmallLists(); });
}

void InboundTab::loadInboundTypes()
{
    guarded([this] {
        const QStringList types = m_context.loadPickList(AppContext::InboundTypesCode);
        m_ui.CmbInputType->clear();
        m_ui.CmbInputType->addItems(types);
        m_ui.CmbInputType->setCurrentIndex(0);
        m_typesStale = false;
    });
}

void InboundTab::saveNumber()
{
    const QString name = m_ui.CmbInputModel->currentText();
    if (name.isEmpty() || m_ui.EdtInputNo->text() == m_savedNumber)
        return;
    if (guarded([&] { TemplateSettings(m_context.paths(), name).setInboundNumber(m_ui.EdtInputNo->text()); }))
        m_savedNumber = m_ui.EdtInputNo->text();
}

void InboundTab::templateLoaded(const QString &name)
{
    const TemplateSettings settings(m_context.paths(), name);
    const int handler = settings.defaultInboundHandlerIndex();
    m_ui.CmbInputJbr->setCurrentIndex(handler < m_ui.CmbInputJbr->count() ? handler : -1);
    m_ui.EdtInputNo->setText(settings.inboundNumber());
    m_savedNumber = settings.inboundNumber();
    m_captions->apply(settings.captionValues(TemplateSettings::inboundCaptionKeys()));
}

void InboundTab::fillHandlerCombo()
{
    Fields::setItems(m_ui.CmbInputJbr, AddressBook::column(m_context.senders(), AddressBook::SenderNameField));
}

} // namespace Slipdesk
