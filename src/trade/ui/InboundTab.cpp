#include "InboundTab.h"

#include "context/AppContext.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WidgetFields.h"
#include "render/Amounts.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"
#include "trade/TradePosting.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"

#include <QApplication>
#include <QMouseEvent>

namespace Slipdesk {

InboundTab::InboundTab(AppContext &context, GoodsPicker &picker, QWidget *parent)
    : TradeTab(context, NoteKind::Inbound, parent)
{
    setObjectName(QStringLiteral("InboundTab"));
    auto *page = new QWidget(parent);
    page->setObjectName(QStringLiteral("TabSheet2"));
    m_ui.setupUi(page);
    setUp(page, m_ui.SgInput, picker, m_ui.CmbInputModel, m_ui.EdtInputNo,
        {QStringLiteral("LblInputShop"), QStringLiteral("LblInputSumCount")});

    connect(m_ui.CmbInputJbr, &QComboBox::activated, this, [this](int index) {
        chooseHandler(index);
        // The user's choice becomes the template's default handler.
        if (const QString name = templateName(); !name.isEmpty())
            guarded([&] { TemplateSettings(m_context.paths(), name).setDefaultInboundHandlerIndex(index); });
    });
    EventHook::onEvent(m_ui.CmbInputType, QEvent::FocusIn, [this] {
        if (m_ui.CmbInputType->count() == 0 || m_typesStale)
            loadInboundTypes();
    });
    connect(m_ui.BtnInputPrn, &QPushButton::clicked, this, [this] { printAndPost(); });
    connect(m_ui.BtnInputPreV, &QPushButton::clicked, this, &InboundTab::preview);
    connect(m_ui.BtnInputPrnLog, &QPushButton::clicked, this,
        [this] { Q_EMIT dataWindowRequested(TableCode::InboundLog); });
    connect(m_goods, &GoodsGrid::totalsChanged, this, &InboundTab::showTotals);

    const QList<std::pair<QAction *, TableCode>> entries {
        {m_ui.NInGoods, TableCode::Goods},
        {m_ui.NInUnit, TableCode::Units},
        {m_ui.NInInRemark, TableCode::InboundRemarks},
        {m_ui.NInInType, TableCode::InboundTypes},
        {m_ui.NInOutRemark, TableCode::OutboundRemarks},
        {m_ui.NInSjdw, TableCode::Recipients},
        {m_ui.NInJjdw, TableCode::Senders},
    };
    connectMenu(entries);

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

void InboundTab::enter()
{
    enterCommon();
    if (m_ui.CmbInputType->count() == 0 || m_typesStale)
        loadInboundTypes();
    m_goods->click();
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

void InboundTab::templateLoaded(const QString &name)
{
    const TemplateSettings settings(m_context.paths(), name);
    const int handler = settings.defaultInboundHandlerIndex();
    if (handler >= 0 && handler < m_ui.CmbInputJbr->count()) {
        m_ui.CmbInputJbr->setCurrentIndex(handler);
        chooseHandler(handler);
    } else {
        // No such sender: no handler chosen, the shop name stays as it is.
        m_ui.CmbInputJbr->setCurrentIndex(-1);
    }
    loadCommon(settings);
}

void InboundTab::focusFirstEntry()
{
    m_ui.CmbInputJbr->setFocus();
}

void InboundTab::fillHandlerCombo()
{
    Fields::setItems(m_ui.CmbInputJbr, AddressBook::column(m_context.senders(), AddressBook::SenderNameField));
}

void InboundTab::chooseHandler(int row)
{
    const QStringList &rows = m_context.senders();
    if (row >= 0 && row < rows.size())
        setValues(TradeForm::shopFromHandler(rows.at(row)));
}

void InboundTab::showTotals()
{
    const GoodsTable::Totals totals = m_goods->totals();
    m_ui.LblInputSumCount->setText(GoodsTable::quantityText(totals));
    m_ui.EdtInputSumMoney->setText(formatGrouped(totals.amountFen));
}

bool InboundTab::printAndPost()
{
    if (!printAndPostCommon(false))
        return false;
    // The goods are in stock now: the next note starts empty.
    m_goods->clear();
    m_ui.LblInputSumCount->setText(QStringLiteral("0"));
    m_ui.EdtInputSumMoney->setText(QStringLiteral("0.00"));
    m_ui.CmbInputJbr->setFocus();
    return true;
}

void InboundTab::preview()
{
    m_goods->recompute();
    Q_EMIT previewRequested();
}

void InboundTab::prepareReprint()
{
    // The logged type is chosen among the list's entries.
    if (m_ui.CmbInputType->count() == 0 || m_typesStale)
        loadInboundTypes();
}

} // namespace Slipdesk
