#include "TForm1.h"

#include "app/AddressBookController.h"
#include "app/FieldValues.h"
#include "app/MarkerGroupsController.h"
#include "app/OrderFillController.h"
#include "app/TemplateEditorController.h"
#include "app/FormatMenus.h"
#include "app/PageControl.h"
#include "app/RadioGroup.h"
#include "app/platform/ClipboardWatch.h"
#include "app/platform/MessageService.h"
#include "app/PreviewWindow.h"
#include "app/platform/PrintJob.h"
#include "app/platform/PrinterService.h"
#include "render/Amounts.h"
#include "render/Drawing.h"
#include "templates/PrinterSetup.h"
#include "waybill/WaybillLog.h"
#include "waybill/WaybillPage.h"
#include "app/platform/Shell.h"
#include "storage/IoError.h"
#include "storage/ProgramLocation.h"
#include "storage/ProgramSettings.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "app/TemplateGrid.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"
#include "trade/GoodsMaster.h"
#include "waybill/AddressBook.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace Slipdesk {

namespace {

enum Page { PageExpress = 0, PageDelivery = 1, PageInbound = 2, PageTemplates = 3 };

// Buyer fields of the delivery tab and the waybill fields they correspond to.
const QList<QPair<QString, QString>> &buyerToWaybill()
{
    static const QList<QPair<QString, QString>> pairs{
        {QStringLiteral("CmbBuyerName"), QStringLiteral("CmbSjrMc")},
        {QStringLiteral("CmbBuyerWW"), QStringLiteral("EdtSjrWW")},
        {QStringLiteral("EdtBuyerMobile"), QStringLiteral("EdtSjrMobile")},
        {QStringLiteral("EdtBuyerTel"), QStringLiteral("EdtSjDwTel")},
        {QStringLiteral("EdtAddSs"), QStringLiteral("EdtSjDwSs")},
        {QStringLiteral("EdtAddDs"), QStringLiteral("EdtSjDwDs")},
        {QStringLiteral("EdtAddQx"), QStringLiteral("EdtSjDwQx")},
        {QStringLiteral("EdtAddress"), QStringLiteral("EdtSjDwDz")},
        {QStringLiteral("EdtBuyerYb"), QStringLiteral("EdtSjdwYb")},
    };
    return pairs;
}

QList<QPair<QString, QString>> reversed(const QList<QPair<QString, QString>> &pairs)
{
    QList<QPair<QString, QString>> out;
    for (const auto &[a, b] : pairs)
        out.append({b, a});
    return out;
}

const QString kGoodsHeader = QStringLiteral("序号,商品编码,商品名称,单位,数量,售价,金额,出库备注,进价,入库备注");
const QString kInboundHeader = QStringLiteral("序号,商品编码,商品名称,单位,数量,进价,金额,入库备注,售价,出库备注");

QString fileErrorText(const IoError &e) { return e.message(); }

} // namespace

QString TForm1::applicationTitle() { return Shell::applicationTitle(); }
QString TForm1::versionDate() { return QStringLiteral("2010-05-04"); }

TForm1::TForm1(const Paths &paths, const QString &exeDir, const QString &tempFolder, QWidget *parent)
    : QMainWindow(parent), m_paths(paths), m_exeDir(exeDir), m_tempFolder(tempFolder)
{
    setObjectName(QStringLiteral("TForm1"));
    m_ui.setupUi(this);
}

TForm1::~TForm1()
{
    FormDestroy();
}

QString TForm1::savedNumber(const QLineEdit *edit)
{
    return edit->property("savedNumber").toString();
}

void TForm1::setSavedNumber(QLineEdit *edit, const QString &value)
{
    edit->setProperty("savedNumber", value);
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

    m_addressBooks = new AddressBookController(*this);
    m_markers = new MarkerGroupsController(*this);
    m_editor = new TemplateEditorController(*this);
    m_orderFill = new OrderFillController(*this);

    m_ui.PageControlMain->setCurrentIndex(PageExpress);
    m_ui.PageControlMain->setOwnerDraw(true);
    m_ui.PageControlFjxx->setCurrentIndex(3);
    m_ui.PageControlFjxx->setOwnerDraw(true);
    m_ui.PageControlMain->setChangingHandler([this] { return PageControlMainChanging(); });
    connect(m_ui.PageControlMain, &QTabWidget::currentChanged, this, [this] { PageControlMainChange(); });

    for (QDateEdit *picker : {m_ui.DateTimeP, m_ui.DTPSender, m_ui.DtpInputDate}) {
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        picker->setDate(QDate::currentDate());
    }

    ProgramSettings settings(m_paths);
    const int lastTemplate = settings.lastTemplate();
    {
        const QSignalBlocker block(m_ui.ChbAutoAdd);
        m_ui.ChbAutoAdd->setChecked(settings.autoCopy());
    }
    m_sellerMessage = settings.sellerMessage();

    m_goods.clear();
    try {
        m_recipients = AddressBook::loadRecipients(m_paths);
        m_senders = AddressBook::loadSenders(m_paths);
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
    fillRecipientCombos();
    fillSenderCombos();

    loadTemplateList(0);
    const int count = m_ui.LBoxModel->count();
    const int index = (lastTemplate >= 0 && lastTemplate <= count - 1) ? lastTemplate : 0;
    m_ui.LBoxModel->setCurrentRow(index);
    {
        const QSignalBlocker block(m_ui.CmbLetterSelect);
        QStringList names;
        for (int i = 0; i < count; ++i)
            names.append(m_ui.LBoxModel->item(i)->text());
        Fields::setItems(m_ui.CmbLetterSelect, names);
        m_ui.CmbLetterSelect->setCurrentIndex(index);
    }

    m_ui.CmbPrn->clear();
    m_ui.CmbPrn->addItems(PrinterService::instance().printerNames());

    loadTemplateSettings();
    loadItemTable();

    // Clipboard watching: the watch itself applies the size and focus rules.
    m_clipboard = new ClipboardWatch(this);
    m_clipboard->setEnabled(m_ui.ChbAutoAdd->isChecked());
    connect(m_clipboard, &ClipboardWatch::triggered, this, [this] { onClipboardTriggered(); });
    connect(m_ui.ChbAutoAdd, &QCheckBox::clicked, this, [this](bool on) {
        m_clipboard->setEnabled(on);
        ProgramSettings(m_paths).setAutoCopy(on);
    });

    for (QLabel *label : formatLabels())
        label->installEventFilter(this);
    for (QLineEdit *edit : amountFields())
        edit->installEventFilter(this);
    for (QWidget *w : {static_cast<QWidget *>(m_ui.CmbLetterSelect), static_cast<QWidget *>(m_ui.CmbInvoice),
                       static_cast<QWidget *>(m_ui.CmbInputModel), static_cast<QWidget *>(m_ui.StSoftHelp)})
        w->installEventFilter(this);

    if (QAction *about = findChild<QAction *>(QStringLiteral("NAbout")))
        connect(about, &QAction::triggered, this, [this] { Shell::showAbout(this); });

    connect(m_ui.CmbLetterSelect, &QComboBox::activated, this, [this] {
        templateComboChanged(m_ui.CmbLetterSelect);
        m_ui.CmbSjrMc->setFocus();
    });
    connect(m_ui.CmbInvoice, &QComboBox::activated, this, [this] {
        templateComboChanged(m_ui.CmbInvoice);
        m_ui.CmbBuyerName->setFocus();
    });
    connect(m_ui.CmbInputModel, &QComboBox::activated, this, [this] { templateComboChanged(m_ui.CmbInputModel); });
    connect(m_ui.LBoxModel, &QListWidget::itemClicked, this, [this] { LBoxModelClick(); });
    connect(m_ui.CmbModelType, &QComboBox::activated, this, [this] { CmbModelTypeChange(); });
    connect(m_ui.BtnSaveM, &QPushButton::clicked, this, [this] { BtnSaveMClick(); });
    connect(m_ui.BtnPrint, &QPushButton::clicked, this, [this] { BtnPrintClick(); });
    connect(m_ui.BtnPreviewM, &QPushButton::clicked, this, [this] {
        openPreview(m_ui.PageControlMain->currentIndex() == PageTemplates);
    });
    connect(m_ui.BtnPreview, &QPushButton::clicked, this, [this] {
        openPreview(false);
        m_ui.CmbSjrMc->setFocus();
    });
    connect(m_ui.CmbPrn, &QComboBox::activated, this, [this] { fillPaperList(QString()); });
    connect(m_ui.RGPaperSize, &RadioGroup::clicked, this, [this] { fillPaperList(QString()); });

    m_created = true;
    return true;
}

void TForm1::fillRecipientCombos()
{
    Fields::setItems(m_ui.CmbSjdwMc, AddressBook::column(m_recipients, AddressBook::RecipientUnitField));
    Fields::setItems(m_ui.CmbSjrMc, AddressBook::column(m_recipients, AddressBook::RecipientNameField));
    Fields::setTag(m_ui.CmbSjrMc, 0);
}

void TForm1::fillSenderCombos()
{
    const QStringList units = AddressBook::column(m_senders, AddressBook::SenderUnitField);
    const QStringList people = AddressBook::column(m_senders, AddressBook::SenderNameField);
    Fields::setItems(m_ui.CmbJjDwMc, units);
    Fields::setItems(m_ui.CmbJjrMc, people);
    Fields::setItems(m_ui.CmbSalerName, people);
    Fields::setItems(m_ui.CmbInputJbr, people);
    QStringList defaults;
    defaults.reserve(units.size());
    for (int i = 0; i < units.size(); ++i)
        defaults.append(QString::number(i + 1) + QLatin1Char(',') + units.at(i) + QLatin1Char(',') + people.at(i));
    Fields::setItems(m_ui.CmbDefJjDw, defaults);
}

void TForm1::loadTemplateList(int kind)
{
    ProgramSettings settings(m_paths);
    const QStringList names = TemplateList::load(settings, kind);
    const QSignalBlocker block(m_ui.LBoxModel);
    m_ui.LBoxModel->clear();
    m_ui.LBoxModel->addItems(names);
}

void TForm1::switchKind(int kind, QComboBox *combo)
{
    auto listNames = [this] {
        QStringList names;
        for (int i = 0; i < m_ui.LBoxModel->count(); ++i)
            names.append(m_ui.LBoxModel->item(i)->text());
        return names;
    };
    const QSignalBlocker blockCombo(combo);
    if (m_ui.CmbModelType->currentIndex() == kind) {
        Fields::setItems(combo, listNames());
        combo->setCurrentIndex(m_ui.LBoxModel->currentRow());
        return;
    }
    const QString remembered = combo->currentText();
    {
        const QSignalBlocker blockKind(m_ui.CmbModelType);
        m_ui.CmbModelType->setCurrentIndex(kind);
    }
    loadTemplateList(kind);
    const QStringList names = listNames();
    Fields::setItems(combo, names);
    int index = names.indexOf(remembered);
    if (index < 0)
        index = 0;
    combo->setCurrentIndex(names.isEmpty() ? -1 : index);
    const QSignalBlocker blockList(m_ui.LBoxModel);
    m_ui.LBoxModel->setCurrentRow(names.isEmpty() ? -1 : index);
    loadTemplateSettings();
    loadItemTable();
}

void TForm1::FormShow()
{
    computeVisibleTabMap();

    const QString markerHint = QStringLiteral("右键点击标记组名称,可以自定义该标记组的名称\n"
                                              "左键单击标记组名称,可以设置该标记组的项目在勾选时是否互斥\n\n"
                                              "右键点击单个标记项目,可以自定义该标记项目的名称");
    for (QCheckBox *box : m_ui.markerBoxes())
        box->setToolTip(markerHint);

    m_ui.SgSet->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.CmbSjrMc->setFocus();

    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }

    // The list box scrolls horizontally by itself once an entry is wider than it.
    m_ui.LBoxModel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_paths.createDataFolders();
    m_shown = true;
}

void TForm1::computeVisibleTabMap()
{
    QStringList visible;
    for (int i = 0; i < m_ui.PageControlMain->count(); ++i)
        if (m_ui.PageControlMain->isTabVisible(i))
            visible.append(QString::number(i));
    m_visibleTabMap = visible.join(QLatin1Char(','));
}

bool TForm1::PageControlMainChanging()
{
    switch (m_ui.PageControlMain->currentIndex()) {
    case PageExpress:
        if (!m_ui.BtnTskData->isEnabled())
            return false;
        CmbLetterSelectEnter();
        break;
    case PageDelivery:
        if (!m_ui.BtnInvTskData->isEnabled())
            return false;
        CmbInvoiceEnter();
        break;
    case PageInbound:
        CmbInputModelEnter();
        break;
    default:
        break;
    }
    m_ui.PageControlMain->setTag(m_ui.PageControlMain->currentIndex());
    return true;
}

bool TForm1::switchToPage(int page)
{
    if (page == m_ui.PageControlMain->currentIndex())
        return true;
    if (!PageControlMainChanging())
        return false;
    m_ui.PageControlMain->setCurrentIndex(page); // raises PageControlMainChange
    return true;
}

void TForm1::PageControlMainChange()
{
    m_ui.PageControlMain->update();
    const int left = m_ui.PageControlMain->tag();
    switch (m_ui.PageControlMain->currentIndex()) {
    case PageExpress:
        switchKind(0, m_ui.CmbLetterSelect);
        if (m_ui.CmbSjrMc->count() == 0 || Fields::tag(m_ui.CmbSjrMc) == -1)
            fillRecipientCombos();
        if (left == PageDelivery) {
            Fields::copy(this, buyerToWaybill());
            Fields::copy(this, {{QStringLiteral("EdtAddDs"), QStringLiteral("EdtTo")}});
            m_ui.PageControlFjxx->setCurrentIndex(1);
        }
        m_ui.CmbSjrMc->setFocus();
        break;
    case PageDelivery:
        if (m_ui.CmbInvoice->count() == 0) {
            const QSignalBlocker block(m_ui.CmbInvAddtype);
            const int keep = m_ui.CmbInvAddtype->currentIndex();
            m_ui.CmbInvAddtype->clear();
            m_ui.CmbInvAddtype->addItems(Fields::items(m_ui.CmbAddType));
            m_ui.CmbInvAddtype->setCurrentIndex(keep);
        }
        switchKind(1, m_ui.CmbInvoice);
        if (m_ui.CmbBuyerName->count() == 0 || Fields::tag(m_ui.CmbBuyerName) == -1)
            refillBuyerCombos();
        if (left == PageExpress)
            Fields::copy(this, reversed(buyerToWaybill()));
        prepareTradeTab(m_ui.SGGoods, kGoodsHeader);
        {
            const QSignalBlocker block(m_ui.CmbEmsCompany);
            Fields::setItems(m_ui.CmbEmsCompany, Fields::items(m_ui.CmbLetterSelect));
            m_ui.CmbEmsCompany->setCurrentIndex(m_ui.CmbLetterSelect->currentIndex());
        }
        m_ui.EdtInvEmsNo->setText(m_ui.EdtEmsNo->text());
        m_ui.CmbBuyerName->setFocus();
        gridClick(PageDelivery);
        break;
    case PageInbound: {
        switchKind(2, m_ui.CmbInputModel);
        if (m_ui.CmbInputType->count() == 0 || Fields::tag(m_ui.CmbInputType) != 0) {
            try {
                const QStringList types = TextTable::load(
                    m_paths.file(QStringLiteral("入库类别.txt")),
                    QStringLiteral("采购入库\r\n期初余额\r\n销售退货\r\n盘点调整"));
                m_ui.CmbInputType->clear();
                m_ui.CmbInputType->addItems(types);
                m_ui.CmbInputType->setCurrentIndex(0);
                Fields::setTag(m_ui.CmbInputType, 0);
            } catch (const IoError &e) {
                MessageService::instance().warn(fileErrorText(e));
            }
        }
        prepareTradeTab(m_ui.SgInput, kInboundHeader);
        gridClick(PageInbound);
        break;
    }
    case PageTemplates: {
        const QFontMetrics metrics(m_ui.SgSet->font());
        for (int column = 0; column < 2 && column < m_ui.SgSet->columnCount(); ++column) {
            int widest = 0;
            if (QTableWidgetItem *header = m_ui.SgSet->horizontalHeaderItem(column))
                widest = metrics.horizontalAdvance(header->text());
            for (int row = 0; row < m_ui.SgSet->rowCount(); ++row)
                if (QTableWidgetItem *cell = m_ui.SgSet->item(row, column))
                    widest = std::max(widest, metrics.horizontalAdvance(cell->text()));
            // Four pixels beyond the widest text, plus the margins the style
            // keeps inside a cell, so that no name is cut.
            const int margins = 2 * (m_ui.SgSet->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
            if (widest > 0)
                m_ui.SgSet->setColumnWidth(column, widest + 4 + margins);
        }
        templateGridSelectCell();
        templateGridClick();
        if (m_ui.CmbSgSelect->isVisible())
            m_ui.CmbSgSelect->hide();
        break;
    }
    default:
        break;
    }
}

void TForm1::prepareTradeTab(QTableWidget *grid, const QString &header)
{
    prepareGoodsGrid(grid, header);
    ensureGoodsMaster();
    try {
        ProgramSettings settings(m_paths);
        m_smallLists.loadMissing(m_paths, settings);
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
}

void TForm1::prepareGoodsGrid(QTableWidget *grid, const QString &header)
{
    QTableWidgetItem *first = grid->horizontalHeaderItem(0);
    if (!first || first->text().isEmpty()) {
        const QStringList labels = header.split(QLatin1Char(','));
        grid->setColumnCount(labels.size());
        grid->setHorizontalHeaderLabels(labels);
    }
    QTableWidgetItem *number = grid->item(0, 0);
    if (!number || number->text().isEmpty()) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            QTableWidgetItem *cell = grid->item(row, 0);
            if (!cell) {
                cell = new QTableWidgetItem;
                grid->setItem(row, 0, cell);
            }
            cell->setText(QString::number(row + 1));
        }
    }
}

void TForm1::ensureGoodsMaster()
{
    if (!m_goods.isEmpty())
        return;
    try {
        m_goods = GoodsMaster::load(m_paths);
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
        return;
    }
    refillGoodsGrids();
}

void TForm1::refillBuyerCombos()
{
    Fields::setItems(m_ui.CmbBuyerName, AddressBook::column(m_recipients, AddressBook::RecipientNameField));
    Fields::setItems(m_ui.CmbBuyerWW, AddressBook::column(m_recipients, AddressBook::RecipientNickField));
    Fields::setTag(m_ui.CmbBuyerName, 0);
}

// --- Seams filled by the template model, the editor and the trade tabs -------

void TForm1::saveMarkerStates()
{
    m_markers->saveLastStates();
}

void TForm1::refillGoodsGrids() {}
void TForm1::continueBatch()
{
    // The waybill batch queue takes over here: next row, continuous printing.
}

void TForm1::appendWaybillLog()
{
    // The three marker fields come as one comma-joined text (captions hold no
    // commas once cleaned).
    const QStringList markers = m_markers->logText().split(u',');
    WaybillLog::append(m_paths, Fields::collect(this, WaybillLog::sourceControls()), markers,
                       QDateTime::currentDateTime());
}
void TForm1::gridClick(int) {}
void TForm1::templateGridSelectCell()
{
    m_editor->selectCell();
}

void TForm1::templateGridClick()
{
    m_editor->gridClick();
}

void TForm1::LblAutoAddMouseLeave()
{
    m_orderFill->mouseLeave();
}

void TForm1::LblAutoAddMouseEnter()
{
    m_orderFill->mouseEnter();
}

void TForm1::LblAutoAddClick()
{
    m_orderFill->click();
}

// --- Templates -----------------------------------------------------------------

int TForm1::currentKind() const
{
    return std::max(0, m_ui.CmbModelType->currentIndex());
}

QString TForm1::currentTemplateName() const
{
    const QListWidgetItem *item = m_ui.LBoxModel->currentItem();
    return item ? item->text() : QString();
}

void TForm1::loadItemTable()
{
    const QString name = currentTemplateName();
    ItemTable table;
    try {
        table = name.isEmpty() ? ItemTable::builtIn(currentKind())
                               : ItemTable::load(m_paths.templateSet(name), currentKind());
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
        table = ItemTable::builtIn(currentKind());
    }
    TemplateGrid::write(m_ui.SgSet, table);
}

void TForm1::selectPrinter(const QString &stored)
{
    const QSignalBlocker block(m_ui.CmbPrn);
    int index = m_ui.CmbPrn->findText(stored);
    if (index < 0)
        index = m_ui.CmbPrn->findText(PrinterService::instance().defaultPrinterName());
    if (index < 0 && m_ui.CmbPrn->count() > 0)
        index = 0;
    m_ui.CmbPrn->setCurrentIndex(index);
}

void TForm1::fillPaperList(const QString &stored)
{
    const QSignalBlocker block(m_ui.CmbPaperList);
    m_ui.CmbPaperList->clear();
    const bool other = m_ui.RGPaperSize->itemIndex() == 3 && m_ui.CmbPrn->currentIndex() >= 0;
    m_ui.CmbPaperList->setEnabled(other);
    if (!other)
        return;
    m_ui.CmbPaperList->addItems(PrinterService::instance().paperEntries(m_ui.CmbPrn->currentText()));
    const int index = m_ui.CmbPaperList->findText(stored);
    m_ui.CmbPaperList->setCurrentIndex(index >= 0 ? index : (m_ui.CmbPaperList->count() > 0 ? 0 : -1));
}

void TForm1::loadTemplateSettings()
{
    const QString name = currentTemplateName();
    if (name.isEmpty())
        return;
    const TemplateSettings settings(m_paths, name);
    const ProgramSettings program(m_paths);

    selectPrinter(settings.printer());
    m_ui.RGPaperFX->setItemIndex(settings.feedDirection());
    m_ui.RGPaperSize->setItemIndex(settings.paperSize());
    fillPaperList(settings.otherPaper());
    m_ui.EdtMoveX->setText(settings.moveX());
    m_ui.EdtMoveY->setText(settings.moveY());

    switch (currentKind()) {
    case ItemTable::Express: {
        // The default sender, handler and message are the address books' part.
        m_ui.ChbFgSjAddress->setChecked(settings.splitRecipientAddress());
        m_ui.ChbFgJjAddress->setChecked(settings.splitSenderAddress());
        m_ui.ChbPrevShowPic->setChecked(settings.previewShowPicture());
        const QString picture = m_paths.templateDir() + settings.backgroundPicture();
        m_ui.EdtBackPicFile->setText(QFileInfo(picture).isFile() ? picture : QString());
        Fields::setTag(m_ui.StaticTextDate, settings.dateFormat());
        Fields::setTag(m_ui.LblJe, settings.amountCapitalFormat());
        Fields::setTag(m_ui.LblDSHK, settings.codCapitalFormat());
        Fields::setTag(m_ui.LblBJJE, settings.insuredCapitalFormat());
        m_ui.EdtEmsNo->setText(settings.waybillNumber());
        setSavedNumber(m_ui.EdtEmsNo, settings.waybillNumber());
        const QSignalBlocker block(m_ui.CmbAddType);
        m_ui.CmbAddType->setCurrentIndex(program.expressSharedAddress() ? program.expressAddressType()
                                                                        : settings.addressType());
        break;
    }
    case ItemTable::Delivery: {
        const int shipper = settings.defaultShipperIndex();
        m_ui.CmbSalerName->setCurrentIndex(shipper < m_ui.CmbSalerName->count() ? shipper : -1);
        m_ui.EdtInvNo->setText(settings.deliveryNumber());
        setSavedNumber(m_ui.EdtInvNo, settings.deliveryNumber());
        m_ui.CmbSalerSay->setEditText(settings.sellerLastMessage());
        {
            const QSignalBlocker block(m_ui.CmbInvAddtype);
            m_ui.CmbInvAddtype->setCurrentIndex(program.deliverySharedAddress() ? program.deliveryAddressType()
                                                                                : settings.deliveryAddressType());
        }
        applyCaptions(TemplateSettings::deliveryCaptionKeys(),
                      {m_ui.LblBuyerName, m_ui.LblBuyerNickName, m_ui.LblbuyerMobile, m_ui.LblbuyerTel,
                       m_ui.LblBuyerAdd, m_ui.LblSalerSay, m_ui.LblSalerShop, m_ui.LblSalerAdd, m_ui.LblSalerName,
                       m_ui.LblSalerNickName, m_ui.LblSalerMobile, m_ui.LblInvEms, m_ui.LblEmsNo},
                      settings);
        break;
    }
    case ItemTable::Inbound: {
        const int handler = settings.defaultInboundHandlerIndex();
        m_ui.CmbInputJbr->setCurrentIndex(handler < m_ui.CmbInputJbr->count() ? handler : -1);
        m_ui.EdtInputNo->setText(settings.inboundNumber());
        setSavedNumber(m_ui.EdtInputNo, settings.inboundNumber());
        applyCaptions(TemplateSettings::inboundCaptionKeys(),
                      {m_ui.LblInputJbr, m_ui.LblInputType, m_ui.LblInputDate, m_ui.LblInputNo}, settings);
        break;
    }
    default:
        break;
    }
    m_addressBooks->templateLoaded();
    m_markers->templateLoaded();
    m_orderFill->templateLoaded();
}

void TForm1::applyCaptions(const QStringList &keys, const QList<QLabel *> &labels, const TemplateSettings &settings)
{
    const QStringList values = settings.captionValues(keys);
    for (int i = 0; i < labels.size() && i < values.size(); ++i) {
        QLabel *label = labels.at(i);
        // Remember the built-in caption so that a template without its own
        // caption shows it again after another template replaced it.
        if (!label->property("builtInCaption").isValid())
            label->setProperty("builtInCaption", label->text());
        label->setText(values.at(i).isEmpty() ? label->property("builtInCaption").toString() : values.at(i));
    }
}

void TForm1::loadCurrentTemplate()
{
    loadTemplateSettings();
    loadItemTable();
    if (m_ui.SgSet->rowCount() > 0)
        m_ui.SgSet->setCurrentCell(0, m_ui.SgSet->currentColumn() < 0 ? 0 : m_ui.SgSet->currentColumn());
}

void TForm1::templateComboChanged(QComboBox *combo)
{
    const QSignalBlocker block(m_ui.LBoxModel);
    m_ui.LBoxModel->setCurrentRow(combo->currentIndex());
    loadCurrentTemplate();
}

void TForm1::LBoxModelClick()
{
    loadCurrentTemplate();
    // The tab combo of the same kind follows the list.
    QComboBox *combo = currentKind() == ItemTable::Express ? m_ui.CmbLetterSelect
        : currentKind() == ItemTable::Delivery             ? m_ui.CmbInvoice
                                                           : m_ui.CmbInputModel;
    if (combo->count() == m_ui.LBoxModel->count()) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(m_ui.LBoxModel->currentRow());
    }
}

void TForm1::CmbModelTypeChange()
{
    loadTemplateList(currentKind());
    if (m_ui.PageControlMain->currentIndex() != PageTemplates)
        return;
    {
        const QSignalBlocker block(m_ui.LBoxModel);
        m_ui.LBoxModel->setCurrentRow(m_ui.LBoxModel->count() > 0 ? 0 : -1);
    }
    loadCurrentTemplate();
    m_ui.SgSet->resizeColumnToContents(1);
    m_ui.LBoxModel->setFocus();
}

bool TForm1::BtnSaveMClick()
{
    const QString name = currentTemplateName();
    if (name.isEmpty())
        return false;
    try {
        TemplateGrid::read(m_ui.SgSet).save(m_paths.templateSet(name));
        TemplateSettings settings(m_paths, name);
        settings.setPrinter(m_ui.CmbPrn->currentText());
        settings.setFeedDirection(m_ui.RGPaperFX->itemIndex());
        settings.setPaperSize(m_ui.RGPaperSize->itemIndex());
        if (m_ui.RGPaperSize->itemIndex() == 3)
            settings.setOtherPaper(m_ui.CmbPaperList->currentText());
        settings.setMoveX(m_ui.EdtMoveX->text());
        settings.setMoveY(m_ui.EdtMoveY->text());
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
        return false;
    }
    MessageService::instance().info(QStringLiteral("模板保存完成！"));
    return true;
}

QList<QLineEdit *> TForm1::amountFields() const
{
    return {m_ui.EdtWpJe, m_ui.EdtDshk, m_ui.EdtBjje, m_ui.EdtBF, m_ui.EdtYF, m_ui.EdtJJF};
}

QList<QLabel *> TForm1::formatLabels() const
{
    return {m_ui.StaticTextDate, m_ui.LblJe, m_ui.LblDSHK, m_ui.LblBJJE};
}

void TForm1::chooseFormat(int which, int index)
{
    QLabel *label = formatLabels().value(which);
    const QString name = m_ui.CmbLetterSelect->currentText();
    if (!label || name.isEmpty())
        return;
    Fields::setTag(label, index);
    try {
        IniFile(m_paths.templateIni(name)).writeInteger(QStringLiteral("打印设备"), FormatMenus::settingsKey(which), index);
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
}

void TForm1::showFormatMenu(int which)
{
    QLabel *label = formatLabels().value(which);
    QMenu menu(this);
    const QStringList entries = FormatMenus::entries(which);
    for (int i = 0; i < entries.size(); ++i) {
        QAction *action = menu.addAction(entries.at(i));
        action->setCheckable(true);
        action->setChecked(Fields::tag(label) == i);
        connect(action, &QAction::triggered, this, [this, which, i] { chooseFormat(which, i); });
    }
    menu.exec(label->mapToGlobal(QPoint(0, label->height())));
}

// --- Drawing, preview and printing ---------------------------------------------

bool TForm1::readOffsets(int &x, int &y) const
{
    // The offset fields are rewritten as integers when left, but a lone "-"
    // can still stand there at print time: refuse before any job starts.
    bool okX = false;
    bool okY = false;
    x = m_ui.EdtMoveX->text().trimmed().toInt(&okX);
    y = m_ui.EdtMoveY->text().trimmed().toInt(&okY);
    if (okX && okY)
        return true;
    const QString bad = okX ? m_ui.EdtMoveY->text() : m_ui.EdtMoveX->text();
    MessageService::instance().warn(QStringLiteral("整体移动的值“") + bad
                                    + QStringLiteral("”不是有效的整数，请改正后再打印。"));
    return false;
}

FieldValues TForm1::waybillValues() const
{
    return Fields::collect(this, WaybillPage::sourceControls());
}

void TForm1::drawCurrentTemplate(Canvas &canvas, int offsetX, int offsetY)
{
    Drawing drawing(canvas, offsetX, offsetY);
    const ItemTable table = TemplateGrid::read(m_ui.SgSet);
    switch (currentKind()) {
    case ItemTable::Express: {
        WaybillPage::Formats formats;
        formats.date = Fields::tag(m_ui.StaticTextDate);
        formats.amount = Fields::tag(m_ui.LblJe);
        formats.cod = Fields::tag(m_ui.LblDSHK);
        formats.insured = Fields::tag(m_ui.LblBJJE);
        WaybillPage::draw(drawing, table, waybillValues(), formats, QTime::currentTime());
        break;
    }
    default:
        // Delivery and inbound notes are drawn by the trade tabs.
        break;
    }
}

PrinterSetup TForm1::printerSetup() const
{
    TemplateSettings::PrintDevice device;
    device.printer = m_ui.CmbPrn->currentText();
    device.feedDirection = m_ui.RGPaperFX->itemIndex();
    device.paperSize = m_ui.RGPaperSize->itemIndex();
    device.otherPaper = m_ui.CmbPaperList->currentText();
    return PrinterSetup::fromDevice(device);
}

bool TForm1::printCurrentTemplate(const QString &title)
{
    int offsetX = 0;
    int offsetY = 0;
    if (!readOffsets(offsetX, offsetY))
        return false;
    QString error;
    std::unique_ptr<PrintJob> job = PrinterService::instance().startJob(printerSetup(), title, &error);
    if (!job) {
        MessageService::instance().warn(error.isEmpty() ? QStringLiteral("无法开始打印作业。") : error);
        return false;
    }
    // A failure while drawing ends the job without sending a half-drawn form,
    // and nothing after the print is saved.
    try {
        drawCurrentTemplate(job->canvas(), offsetX, offsetY);
    } catch (const std::exception &e) {
        job->abort();
        MessageService::instance().warn(QStringLiteral("打印中断：") + QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (!job->finish()) {
        MessageService::instance().warn(QStringLiteral("打印作业没有完成。"));
        return false;
    }
    return true;
}

bool TForm1::BtnPrintClick()
{
    if (PrinterService::instance().printerNames().isEmpty()) {
        MessageService::instance().warn(QStringLiteral("你的电脑上没有安装任何打印机驱动程序"));
        m_ui.CmbJjrMc->setFocus();
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printCurrentTemplate(m_ui.CmbLetterSelect->currentText() + m_ui.EdtEmsNo->text());
    if (printed)
        afterWaybillPrinted();
    m_ui.CmbSjrMc->setFocus();
    if (printed && m_ui.GroupBTsk->isVisible())
        continueBatch();
    QApplication::restoreOverrideCursor();
    return printed;
}

void TForm1::afterWaybillPrinted()
{
    // The form is on paper with this number: even when a record cannot be
    // written the number still advances, so it is never printed twice.
    try {
        m_addressBooks->saveNewRecipient();
        appendWaybillLog();
        m_addressBooks->saveGoodsDescription();
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
    m_ui.EdtEmsNo->setText(advanceNumber(m_ui.EdtEmsNo->text()));
    // Keep the advanced number at once, so that a crash or a close from
    // another tab never prints the same number twice.
    saveNumberIfChanged(m_ui.EdtEmsNo, m_ui.CmbLetterSelect, QStringLiteral("信函号码"));
}

void TForm1::openPreview(bool templateTab)
{
    if (!m_preview) {
        m_preview = new PreviewWindow(this);
        connect(m_preview, &PreviewWindow::itemPlaced, this, [this](int left, int top, int width) {
            const int row = m_ui.SgSet->currentRow();
            if (row < 0)
                return;
            const ItemTable header = TemplateGrid::read(m_ui.SgSet);
            const QList<std::pair<QString, int>> cells{
                {QStringLiteral("距左端"), left}, {QStringLiteral("距上端"), top}, {QStringLiteral("宽度"), width}};
            for (const auto &[column, value] : cells) {
                const int c = header.findColumn(column);
                if (c >= 0 && m_ui.SgSet->item(row, c))
                    m_ui.SgSet->item(row, c)->setText(QString::number(value));
            }
            m_ui.SgSet->setCurrentCell(row, m_ui.SgSet->currentColumn());
        });
        connect(m_preview, &PreviewWindow::closed, this, [this] {
            if (m_preview->options().templateTab)
                m_editor->refreshEditor();
            if (m_offsetsZeroed) {
                m_ui.EdtMoveX->setText(QString::number(m_savedOffsetX));
                m_ui.EdtMoveY->setText(QString::number(m_savedOffsetY));
                m_offsetsZeroed = false;
            }
        });
    }
    m_savedOffsetX = 0;
    m_savedOffsetY = 0;
    m_offsetsZeroed = false;

    PreviewWindow::Options options;
    if (templateTab)
        options.caption = currentTemplateName() + QStringLiteral(" 打印预览");
    options.templateTab = templateTab;
    const QString picture = m_ui.EdtBackPicFile->text();
    if (currentKind() == ItemTable::Express && m_ui.ChbPrevShowPic->isChecked() && !picture.isEmpty()
        && QFileInfo(picture).isFile()) {
        // A picture preview shows the items where the template puts them on
        // the scanned form, without the overall offset.
        m_savedOffsetX = m_ui.EdtMoveX->text().toInt();
        m_savedOffsetY = m_ui.EdtMoveY->text().toInt();
        m_ui.EdtMoveX->setText(QStringLiteral("0"));
        m_ui.EdtMoveY->setText(QStringLiteral("0"));
        m_offsetsZeroed = true;
        options.picturePath = picture;
    }
    options.gridTop = m_ui.SgSet->viewport()->mapToGlobal(QPoint(0, 0)).y();
    options.draw = [this](Canvas &canvas) {
        bool okX = false;
        bool okY = false;
        const int x = m_ui.EdtMoveX->text().toInt(&okX);
        const int y = m_ui.EdtMoveY->text().toInt(&okY);
        drawCurrentTemplate(canvas, okX ? x : 0, okY ? y : 0);
    };
    options.printTest = [this] { previewPrintTest(); };
    options.toLength = [this](int pixels) {
        const int dpi = m_preview->paintArea()->logicalDpiX();
        return dpi > 0 ? int(Drawing::nearest(Drawing::nearest(double(pixels) / dpi * 10000) * 254.0 / 10000)) : 0;
    };
    m_preview->open(options, !templateTab && !m_previewNeverBlocks);
}

void TForm1::previewPrintTest()
{
    if (PrinterService::instance().printerNames().isEmpty())
        return;
    if (m_offsetsZeroed) {
        m_ui.EdtMoveX->setText(QString::number(m_savedOffsetX));
        m_ui.EdtMoveY->setText(QString::number(m_savedOffsetY));
        m_offsetsZeroed = false;
    }
    const bool printed = printCurrentTemplate(QString());
    m_preview->close();
    if (printed && m_ui.PageControlMain->currentIndex() == PageExpress)
        afterWaybillPrinted();
}

// -----------------------------------------------------------------------------

void TForm1::saveNumberIfChanged(QLineEdit *edit, QComboBox *templateCombo, const QString &key)
{
    const QString templateName = templateCombo->currentText();
    if (templateName.isEmpty() || edit->text() == savedNumber(edit))
        return;
    IniFile(m_paths.templateIni(templateName)).writeString(QStringLiteral("打印设备"), key, edit->text());
    setSavedNumber(edit, edit->text());
}

void TForm1::CmbLetterSelectEnter()
{
    try {
        saveNumberIfChanged(m_ui.EdtEmsNo, m_ui.CmbLetterSelect, QStringLiteral("信函号码"));
        saveMarkerStates();
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
}

void TForm1::CmbInvoiceEnter()
{
    try {
        saveNumberIfChanged(m_ui.EdtInvNo, m_ui.CmbInvoice, QStringLiteral("发货单号码"));
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
}

void TForm1::CmbInputModelEnter()
{
    try {
        saveNumberIfChanged(m_ui.EdtInputNo, m_ui.CmbInputModel, QStringLiteral("入库单号码"));
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
}

void TForm1::onClipboardTriggered()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    const int page = m_ui.PageControlMain->currentIndex();
    LblAutoAddMouseLeave();
    if (page == PageExpress) {
        LblAutoAddMouseEnter();
        LblAutoAddClick();
    } else if (page == PageDelivery) {
        LblAutoAddMouseEnter();
        LblAutoAddClick();
    } else {
        return;
    }
    Q_EMIT oneClickFillRequested(page);
}

void TForm1::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    try {
        switch (m_ui.PageControlMain->currentIndex()) {
        case PageExpress: CmbLetterSelectEnter(); break;
        case PageDelivery: CmbInvoiceEnter(); break;
        case PageInbound: CmbInputModelEnter(); break;
        default: break;
        }
        ProgramSettings(m_paths).setLastTemplate(m_ui.CmbLetterSelect->currentIndex());
        m_smallLists.saveAll(m_paths);
    } catch (const IoError &e) {
        MessageService::instance().warn(fileErrorText(e));
    }
    m_recipients.clear();
    m_senders.clear();
    m_goods.clear();
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

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (auto edit = qobject_cast<QLineEdit *>(watched); edit && amountFields().contains(edit))
            edit->setText(normaliseAmountField(edit->text()));
    }
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_ui.CmbLetterSelect)
            CmbLetterSelectEnter();
        else if (watched == m_ui.CmbInvoice)
            CmbInvoiceEnter();
        else if (watched == m_ui.CmbInputModel)
            CmbInputModelEnter();
    } else if (event->type() == QEvent::MouseButtonRelease
               && formatLabels().contains(qobject_cast<QLabel *>(watched))) {
        showFormatMenu(int(formatLabels().indexOf(qobject_cast<QLabel *>(watched))));
        return true;
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_ui.StSoftHelp) {
        Shell::openHelp();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Slipdesk
