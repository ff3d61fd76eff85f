#include "TForm1.h"

#include "datawin/ui/BatchRunControl.h"
#include "datawin/ui/TFRMData.h"
#include "platform/ClipboardWatch.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/Shell.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/PageControl.h"
#include "storage/ProgramLocation.h"
#include "storage/ProgramSettings.h"
#include "templates/ui/TemplateTab.h"
#include "trade/TradeFields.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/GoodsPicker.h"
#include "trade/ui/InboundTab.h"
#include "waybill/WaybillForm.h"
#include "waybill/ui/ExpressTab.h"
#include "waybill/ui/OrderFill.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace Slipdesk {

namespace {

enum Page { PageExpress = 0, PageDelivery = 1, PageInbound = 2, PageTemplates = 3 };

// The buyer travels along when the user switches between the express and
// the delivery tab: both forms keep the same recipient book columns.
FieldValues buyerAsWaybill(const FieldValues &delivery)
{
    return FormFields::asRecipientOf<WaybillField, DeliveryField>(delivery);
}

FieldValues waybillAsBuyer(const FieldValues &express)
{
    return FormFields::asRecipientOf<DeliveryField, WaybillField>(express);
}

} // namespace

QString TForm1::applicationTitle()
{
    return Shell::applicationTitle();
}

QString TForm1::versionDate()
{
    return QStringLiteral("2010-05-04");
}

TForm1::TForm1(const Paths &paths, const QString &exeDir, const QString &tempFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_context(paths)
    , m_exeDir(exeDir)
    , m_tempFolder(tempFolder)
{
    setObjectName(QStringLiteral("TForm1"));
    buildWindow();
}

TForm1::~TForm1()
{
    FormDestroy();
    // The data window and the tabs work on the context, a member that would
    // be gone before the window's children are: they go first.
    delete m_data;
    m_data = nullptr;
    delete m_central;
    m_central = nullptr;
}

void TForm1::buildWindow()
{
    resize(1000, 700);
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("centralWidget"));
    auto *root = new QVBoxLayout(m_central);
    root->setContentsMargins(4, 4, 4, 4);
    m_pages = new PageControl(m_central);
    m_pages->setObjectName(QStringLiteral("PageControlMain"));
    root->addWidget(m_pages);

    m_help = new ClickLabel(m_pages);
    m_help->setObjectName(QStringLiteral("StSoftHelp"));
    m_help->setText(QStringLiteral("在线帮助"));
    m_help->setToolTip(QStringLiteral("点击访问软件在线帮助网站"));
    m_help->setCursor(Qt::PointingHandCursor);
    m_help->setStyleSheet(QStringLiteral("color: #0000c0; text-decoration: underline; padding: 0 8px;"));
    m_pages->setCornerWidget(m_help, Qt::TopRightCorner);
    connect(m_help, &ClickLabel::clicked, this, [] { Shell::openHelp(); });

    // Pop-ups that the tabs move under the control being typed in.
    m_lookup = new RecipientLookupList(m_context, m_central, this);
    m_picker = new GoodsPicker(m_central, this);
    connect(m_lookup, &RecipientLookupList::focusMovingOn, m_picker, &GoodsPicker::hide);
    m_orderFill = new OrderFill(this);

    // The template tab first: it shows the loaded template before the working
    // tabs load their part of it. The express tab takes a copied order before
    // the delivery tab, as the user reads them.
    m_templates = new TemplateTab(m_context, m_pages);
    m_express = new ExpressTab(m_context, *m_lookup, *m_orderFill, m_pages);
    m_delivery = new DeliveryTab(m_context, *m_lookup, *m_orderFill, *m_picker, m_pages);
    m_inbound = new InboundTab(m_context, *m_picker, m_pages);
    connectPreviews();
    m_pages->addTab(m_express->page(), QStringLiteral("快递打印"));
    m_pages->addTab(m_delivery->page(), QStringLiteral("出库发货"));
    m_pages->addTab(m_inbound->page(), QStringLiteral("采购入库"));
    m_pages->addTab(m_templates->page(), QStringLiteral("模版设置"));
    m_pages->setCurrentIndex(PageExpress);
    setCentralWidget(m_central);

    m_data = new TFRMData(m_context, this);
    connectDataWindow();
}

// --- The preview ---------------------------------------------------------------------

void TForm1::connectPreviews()
{
    // The template tab's preview shows each working tab's form; the express
    // print test keeps its record as the express tab's print does.
    m_templates->setFormKind(ItemTable::Express,
        {[this](Drawing &drawing, const ItemTable &table) { m_express->draw(drawing, table); },
            [this] { return m_express->previewPicture(); }, [this] { m_express->printTest(); }});
    for (TradeTab *tab : std::initializer_list<TradeTab *> {m_delivery, m_inbound})
        m_templates->setFormKind(tab->kind() == NoteKind::Delivery ? ItemTable::Delivery : ItemTable::Inbound,
            {[tab](Drawing &drawing, const ItemTable &table) { tab->draw(drawing, table); }, {}, {}});
    // "导出模版" takes the picture the express tab shows, chosen but not yet saved included.
    m_templates->setPictureShown([this] { return m_express->backgroundPicture(); });
    connect(m_express, &ExpressTab::previewRequested, this, [this] { m_templates->openPreview(false); });
    for (TradeTab *tab : std::initializer_list<TradeTab *> {m_delivery, m_inbound})
        connect(tab, &TradeTab::previewRequested, this, [this] { m_templates->openPreview(false); });
}

// --- The data window -------------------------------------------------------------

void TForm1::connectDataWindow()
{
    connect(m_express, &ExpressTab::dataWindowRequested, this, &TForm1::openDataWindow);
    connect(m_delivery, &TradeTab::dataWindowRequested, this, &TForm1::openDataWindow);
    connect(m_inbound, &TradeTab::dataWindowRequested, this, &TForm1::openDataWindow);
    connect(m_data, &TFRMData::aboutToShowTable, this, [this] {
        m_lookup->hide();
        m_picker->hide();
    });
    connect(m_data, &TFRMData::focusRequested, this, [this](const QString &control) {
        if (QWidget *widget = m_central->findChild<QWidget *>(control))
            widget->setFocus();
    });
    connect(m_data, &TFRMData::closed, this, &TForm1::focusFirstEntry);
    connect(m_data, &TFRMData::reprintRequested, this, &TForm1::applyReprint);
    connect(m_data, &TFRMData::batchStartRequested, this, [this](const BatchStart &start) {
        if (tableSpec(start.code).page == TablePage::Delivery)
            m_delivery->startBatch(start);
        else
            m_express->startBatch(start);
    });
    for (BatchRunControl *batch : {m_express->batch(), m_delivery->batch()})
        connect(batch, &BatchRunControl::runEnded, m_data, [this] { m_data->setBatchRunning(false); });
}

void TForm1::openDataWindow(TableCode tableCode)
{
    DataSession::Request request;
    request.code = tableCode;
    // The logs, queues and statistics of the trade tabs belong to their template.
    if (tableSpec(tableCode).page == TablePage::Inbound)
        request.templateName = m_inbound->templateName();
    else
        request.templateName = m_delivery->templateName();
    guarded([&] { m_data->open(request); });
}

void TForm1::applyReprint(const ReprintData &data)
{
    switch (data.page) {
    case ReprintData::Page::Express:
        m_express->setValues(data.values);
        break;
    case ReprintData::Page::Delivery:
        m_delivery->reprint(data.values, data.goods);
        break;
    case ReprintData::Page::Inbound:
        m_inbound->reprint(data.values, data.goods);
        break;
    }
}

void TForm1::focusFirstEntry()
{
    switch (m_pages->currentIndex()) {
    case PageExpress:
        m_express->ui().CmbSjrMc->setFocus();
        break;
    case PageDelivery:
        m_delivery->ui().CmbBuyerName->setFocus();
        break;
    case PageInbound:
        m_inbound->ui().CmbInputJbr->setFocus();
        break;
    default:
        break;
    }
}

bool TForm1::FormCreate()
{
    // Dates and times are always written as yyyy-MM-dd and hh:mm:ss with
    // explicit formats; Qt keeps no process-wide format to set here.

    if (ProgramLocation::insideTemporaryFolder(m_exeDir, m_tempFolder)) {
        MessageService::instance().warn(QStringLiteral("请先解压，然后再运行软件"));
        return false;
    }

    setWindowTitle(versionDate() + QLatin1Char(' ') + applicationTitle());

    m_pages->setCurrentIndex(PageExpress);
    m_pages->setOwnerDraw(true);
    m_express->ui().PageControlFjxx->setCurrentIndex(3);
    m_express->ui().PageControlFjxx->setOwnerDraw(true);
    m_pages->setChangingHandler([this] { return PageControlMainChanging(); });
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { PageControlMainChange(); });
    setActivePage(PageExpress);

    const ProgramSettings settings(m_context.paths());
    const int lastTemplate = settings.lastTemplate();
    m_express->setAutoCopy(settings.autoCopy());
    m_context.setSellerMessage(settings.sellerMessage());

    guarded([this] { m_context.loadAddressBooks(); });

    m_express->setTemplateList(m_templates->startExpress(lastTemplate));
    m_templates->fillPrinterList();
    m_templates->loadCurrent();

    // Clipboard watching: the watch itself applies the size and focus rules.
    m_clipboard = new ClipboardWatch(this);
    m_clipboard->setEnabled(m_express->autoCopy());
    connect(m_clipboard, &ClipboardWatch::triggered, this, [this] { onClipboardTriggered(); });
    connect(m_express, &ExpressTab::autoCopyToggled, m_clipboard, &ClipboardWatch::setEnabled);
    return true;
}

void TForm1::FormShow()
{
    computeVisibleTabMap();
    m_templates->windowShown();
    m_express->ui().CmbSjrMc->setFocus();

    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }

    m_context.paths().createDataFolders();
    m_shown = true;
}

void TForm1::computeVisibleTabMap()
{
    QStringList visible;
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->isTabVisible(i))
            visible.append(QString::number(i));
    m_visibleTabMap = visible.join(QLatin1Char(','));
}

void TForm1::setActivePage(int page)
{
    m_express->setActive(page == PageExpress);
    m_delivery->setActive(page == PageDelivery);
    m_inbound->setActive(page == PageInbound);
    m_templates->setActive(page == PageTemplates);
}

bool TForm1::PageControlMainChanging()
{
    const int page = m_pages->currentIndex();
    // A running batch holds its tab until it ends.
    if ((page == PageExpress && m_express->batchRunning()) || (page == PageDelivery && m_delivery->batchRunning()))
        return false;
    saveNumberOf(page);
    m_pageLeft = m_pages->currentIndex();
    return true;
}

void TForm1::saveNumberOf(int page)
{
    // What the page's template combo saves when it is entered: the number
    // the last print advanced (and on the express tab the markers).
    if (page == PageExpress)
        m_express->saveNumberAndMarkers();
    else if (page == PageDelivery)
        m_delivery->saveNumber();
    else if (page == PageInbound)
        m_inbound->saveNumber();
}

bool TForm1::switchToPage(int page)
{
    if (page == m_pages->currentIndex())
        return true;
    if (!PageControlMainChanging())
        return false;
    m_pages->setCurrentIndex(page); // raises PageControlMainChange
    return true;
}

void TForm1::PageControlMainChange()
{
    m_pages->update();
    const int page = m_pages->currentIndex();
    setActivePage(page);
    switch (page) {
    case PageExpress:
        m_express->enter();
        if (m_pageLeft == PageDelivery) {
            m_express->setValues(buyerAsWaybill(m_delivery->values()));
            m_express->showRecipientCard();
        }
        break;
    case PageDelivery: {
        DeliveryTab::ExpressLink link;
        link.addressFormats = m_express->addressFormats();
        link.templates = m_express->templateNames();
        link.templateIndex = m_express->templateIndex();
        link.waybillNumber = m_express->ui().EdtEmsNo->text();
        m_delivery->enter(link);
        if (m_pageLeft == PageExpress)
            m_delivery->setValues(waybillAsBuyer(m_express->values()));
        break;
    }
    case PageInbound:
        m_inbound->enter();
        break;
    case PageTemplates:
        m_templates->entered();
        break;
    default:
        break;
    }
}

void TForm1::onClipboardTriggered()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    const int page = m_pages->currentIndex();
    m_orderFill->leave();
    if (page == PageExpress)
        m_express->fillFromClipboard();
    else if (page == PageDelivery)
        m_delivery->fillFromClipboard();
    else
        return;
    Q_EMIT oneClickFillRequested(page);
}

void TForm1::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    // A run ends with the program: its question asked, a continuous one
    // printing nothing more once the window is gone.
    for (BatchRunControl *batch : {m_express->batch(), m_delivery->batch()})
        batch->endByHand();
    saveNumberOf(m_pages->currentIndex());
    guarded([this] { ProgramSettings(m_context.paths()).setLastTemplate(m_express->templateIndex()); });
    guarded([this] { m_context.saveSmallLists(); });
    m_context.clear();
}

void TForm1::FormDestroy()
{
    if (m_clipboard) {
        m_clipboard->setEnabled(false);
        m_clipboard->disconnect(this);
    }
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown)
        FormShow();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

} // namespace Slipdesk
