#include "ExpressTab.h"

#include "context/AppContext.h"
#include "datawin/ui/BatchRunControl.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/ui/AboutBox.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/FileDialogService.h"
#include "platform/ui/TemplateCombo.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WidgetFields.h"
#include "render/Amounts.h"
#include "render/FormatMenus.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "waybill/AddressBook.h"
#include "waybill/OrderFields.h"
#include "waybill/WaybillPosting.h"
#include "waybill/WaybillQueue.h"
#include "waybill/ui/MarkerGroupsPanel.h"
#include "waybill/ui/OrderFill.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QTimer>

namespace Slipdesk {

namespace {

bool focusFromPopup(QEvent *event)
{
    return static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason;
}

} // namespace

ExpressTab::ExpressTab(AppContext &context, RecipientLookupList &lookup, OrderFill &orderFill, QWidget *parent)
    : QObject(parent)
    , m_context(context)
    , m_lookup(lookup)
    , m_orderFill(orderFill)
{
    setObjectName(QStringLiteral("ExpressTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabEmsPrn"));
    m_ui.setupUi(m_page);
    m_markers = new MarkerGroupsPanel(
        context.paths(), m_ui.markerGroups(), m_ui.markerBoxes(),
        [this] { return m_ui.CmbLetterSelect->currentText(); }, this);

    const QString markerHint = QStringLiteral("右键点击标记组名称,可以自定义该标记组的名称\n"
                                              "左键单击标记组名称,可以设置该标记组的项目在勾选时是否互斥\n\n"
                                              "右键点击单个标记项目,可以自定义该标记项目的名称");
    for (QCheckBox *box : m_ui.markerBoxes())
        box->setToolTip(markerHint);

    m_batch = new BatchRunControl(
        {m_ui.GroupBTsk, m_ui.SpinEditTsk, m_ui.LblAllTsk, m_ui.BtnTskSave, QStringLiteral("保存(&S)"),
            QStringLiteral("结束(&E)"),
            {m_ui.BtnPrnLog, m_ui.BtnTskData, m_ui.RzMBtnFromToDw, m_ui.RzMBtnMoreData, m_ui.RzMBtnSysSet}},
        {[this](const BatchRun &run) { loadBatchRow(run); }, [this] { return printOne(); },
            [this] { return m_page->window()->isActiveWindow(); }, [this] { m_ui.CmbSjrMc->setFocus(); }},
        this);

    connectControls();

    LoadedTemplate &loaded = m_context.loadedTemplate();
    connect(&loaded, &LoadedTemplate::loaded, this, [this](int kind, const QString &name) {
        if (kind == ItemTable::Express && !name.isEmpty())
            templateLoaded(name);
    });
    TemplateCombo::follow(loaded, ItemTable::Express, m_ui.CmbLetterSelect);

    connect(&m_context, &AppContext::addressBooksLoaded, this, [this] {
        fillRecipientCombos();
        fillSenderCombos();
    });
    connect(&m_context, &AppContext::recipientAppended, this, &ExpressTab::recipientAppended);
    connect(&m_context, &AppContext::recipientsReloaded, this, &ExpressTab::recipientsReloaded);
    connect(&m_context, &AppContext::sendersReloaded, this, &ExpressTab::sendersReloaded);
    connect(&m_context, &AppContext::pickListChanged, this, &ExpressTab::pickListChanged);

    m_orderFill.attach(m_ui.LblAutoAdd, m_ui.CmbAddType, true);
    connect(&m_orderFill, &OrderFill::filled, this, &ExpressTab::applyOrder);
}

void ExpressTab::connectControls()
{
    ExpressTabUi &u = m_ui;

    connect(u.CmbLetterSelect, &QComboBox::activated, this, [this] { templateComboChosen(); });
    // Entering the template selector keeps what the last waybill changed.
    EventHook::onEvent(u.CmbLetterSelect, QEvent::FocusIn, [this] { saveNumberAndMarkers(); });
    connect(u.BtnPrint, &QPushButton::clicked, this, [this] { print(); });
    connect(u.BtnTskSave, &QPushButton::clicked, this, [this] {
        if (m_batch->running())
            m_batch->endByHand();
        else
            saveToQueue();
    });
    for (QWidget *button : {static_cast<QWidget *>(u.BtnPrint), static_cast<QWidget *>(u.BtnTskSave)})
        EventHook::onEvent(button, QEvent::Enter, [this] { updateHints(); });
    connect(u.BtnPreview, &QPushButton::clicked, this, [this] {
        Q_EMIT previewRequested();
        m_ui.CmbSjrMc->setFocus();
    });
    connect(u.ChbAutoAdd, &QCheckBox::clicked, this, [this](bool on) {
        guarded([&] { ProgramSettings(m_context.paths()).setAutoCopy(on); });
        Q_EMIT autoCopyToggled(on);
    });
    connect(u.CmbAddType, &QComboBox::activated, this, &ExpressTab::chooseAddressFormat);
    connect(u.BtnPicFile, &QPushButton::clicked, this, &ExpressTab::choosePicture);
    connect(u.BtnSavePrnSet, &QPushButton::clicked, this, &ExpressTab::saveOptions);

    const QList<ClickLabel *> labels = u.formatLabels();
    for (int which = 0; which < labels.size(); ++which)
        connect(labels.at(which), &ClickLabel::clicked, this, [this, which] { showFormatMenu(which); });
    for (QLineEdit *edit : u.amountFields())
        EventHook::onEvent(edit, QEvent::FocusOut, [edit] { edit->setText(normaliseAmountField(edit->text())); });

    // Look-up in the recipient book.
    m_lookup.setWidthReference(u.CmbSjdwMc);
    m_lookup.attach({u.CmbSjdwMc, RecipientLookup::UnitField, [this](int row) { fillRecipient(row, FillAll); },
        [this](int index) { fillRecipient(index, KeepUnit); }, true});
    m_lookup.attach({u.CmbSjrMc, RecipientLookup::NameField, [this](int row) { fillRecipient(row, FillAll); },
        [this](int index) { fillRecipient(index, KeepName); }, false});
    m_lookup.attach(
        {u.EdtSjDwTel, RecipientLookup::PhoneField, [this](int row) { fillRecipient(row, FillAll); }, {}, false});
    EventHook::onEvent(u.TabEmsPrn, QEvent::MouseButtonPress, [this] { m_lookup.hide(); });
    EventHook::onEvent(u.EdtSjDwDz, QEvent::MouseButtonDblClick, [this] { clearRecipient(); });

    // Sender book.
    connect(u.CmbJjDwMc, &QComboBox::activated, this, &ExpressTab::fillSender);
    connect(u.CmbJjrMc, &QComboBox::activated, this, &ExpressTab::fillSender);
    for (QWidget *w : {static_cast<QWidget *>(u.CmbJjDwMc), static_cast<QWidget *>(u.CmbJjrMc)})
        EventHook::onEvent(w, QEvent::FocusIn, [this] { m_lookup.hide(); });
    connect(u.CmbDefJjDw, &QComboBox::activated, this, [this](int index) {
        const QSignalBlocker block(m_ui.CmbJjDwMc);
        m_ui.CmbJjDwMc->setCurrentIndex(index);
        fillSender(index);
    });
    // Before the drop-down opens, by mouse or keyboard.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::KeyPress})
        EventHook::onEvent(u.CmbDefJjDw, type, [this] { fitDropDownWidth(m_ui.CmbDefJjDw); });

    // Pick lists, loaded on first entry.
    for (const AddressBook::PickList &list : AddressBook::pickLists()) {
        auto combo = m_page->findChild<QComboBox *>(controlName(list.combo));
        if (!combo)
            continue;
        const bool closesLookup = combo == u.CmbSjdwBm || combo == u.CmbSjrCw || combo == u.CmbSjrSy;
        EventHook::onEvent(combo, QEvent::FocusIn, [this, combo, closesLookup] {
            if (closesLookup)
                m_lookup.hide();
            ensurePickList(combo);
        });
    }
    EventHook::on(u.EdtJjDwJbrQm, QEvent::FocusOut, [this](QEvent *event) {
        if (!focusFromPopup(event))
            writeTemplateText(QStringLiteral("信函经办人"), m_ui.EdtJjDwJbrQm->text());
        return false;
    });
    EventHook::on(u.CmbLetterLy, QEvent::FocusOut, [this](QEvent *event) {
        if (!focusFromPopup(event))
            writeTemplateText(QStringLiteral("默认留言"), m_ui.CmbLetterLy->currentText());
        return false;
    });

    // Menus of the tab.
    const QList<std::pair<QAction *, TableCode>> entries {
        {u.NFromSjdw, TableCode::Recipients},
        {u.NFromJjdw, TableCode::Senders},
        {u.NSjdwBm, TableCode::Departments},
        {u.NSjrCw, TableCode::Titles},
        {u.NSjrSy, TableCode::Greetings},
        {u.NLetterWP, TableCode::GoodsDescriptions},
        {u.NLetterLy, TableCode::Messages},
    };
    for (const auto &[action, code] : entries)
        connect(action, &QAction::triggered, this, [this, code = code] { Q_EMIT dataWindowRequested(code); });
    connect(u.BtnPrnLog, &QPushButton::clicked, this, [this] { Q_EMIT dataWindowRequested(TableCode::ExpressLog); });
    connect(u.BtnTskData, &QPushButton::clicked, this, [this] { Q_EMIT dataWindowRequested(TableCode::ExpressBatch); });
    connect(u.NAbout, &QAction::triggered, this, [this] { AboutBox::show(m_page); });
    connect(u.MenuSysSet, &QMenu::aboutToHide, this,
        [this] { QTimer::singleShot(0, this, [this] { m_ui.CmbSjrMc->setFocus(); }); });
}

// --- Values ------------------------------------------------------------------------

FieldValues ExpressTab::values() const
{
    return Fields::collectAll(m_page);
}

void ExpressTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

// --- The window's steps ------------------------------------------------------------

void ExpressTab::setTemplateList(const LoadedTemplate::List &list)
{
    TemplateCombo::show(m_ui.CmbLetterSelect, list);
}

void ExpressTab::setAutoCopy(bool on)
{
    const QSignalBlocker block(m_ui.ChbAutoAdd);
    m_ui.ChbAutoAdd->setChecked(on);
}

bool ExpressTab::autoCopy() const
{
    return m_ui.ChbAutoAdd->isChecked();
}

void ExpressTab::enter()
{
    setTemplateList(m_context.loadedTemplate().showKind(ItemTable::Express, m_ui.CmbLetterSelect->currentText()));
    if (m_ui.CmbSjrMc->count() == 0 || m_recipientsStale)
        fillRecipientCombos();
    m_ui.CmbSjrMc->setFocus();
}

void ExpressTab::saveNumberAndMarkers()
{
    guarded([this] {
        const QString name = m_ui.CmbLetterSelect->currentText();
        if (!name.isEmpty() && m_ui.EdtEmsNo->text() != m_savedNumber) {
            TemplateSettings(m_context.paths(), name).setWaybillNumber(m_ui.EdtEmsNo->text());
            m_savedNumber = m_ui.EdtEmsNo->text();
        }
        m_markers->saveLastStates();
    });
}

bool ExpressTab::batchRunning() const
{
    return m_batch->running();
}

void ExpressTab::startBatch(const BatchStart &start)
{
    m_batch->start(start);
}

bool ExpressTab::saveToQueue()
{
    const bool saved = guarded([&] { WaybillQueue::append(m_context.paths(), values()); });
    m_ui.CmbSjrMc->setFocus();
    return saved;
}

void ExpressTab::loadBatchRow(const BatchRun &run)
{
    setValues(WaybillQueue::rowValues(run.cells()));
}

void ExpressTab::updateHints()
{
    m_ui.BtnPrint->setToolTip(
        QStringLiteral("立即在当前打印机") + m_context.loadedTemplate().device().printer + QStringLiteral("上打印"));
    m_ui.BtnTskSave->setToolTip(m_ui.BtnTskSave->text() == u"保存(&S)"
            ? QStringLiteral("将当前内容先保存到批打数据中，以后进行批量打印")
            : QStringLiteral("手工结束或者取消批量打印过程"));
}

void ExpressTab::fillFromClipboard()
{
    m_orderFill.enter(m_ui.LblAutoAdd);
    m_orderFill.click();
}

void ExpressTab::showRecipientCard()
{
    m_ui.PageControlFjxx->setCurrentIndex(1); // "收件单位"
}

QStringList ExpressTab::templateNames() const
{
    return Fields::items(m_ui.CmbLetterSelect);
}

int ExpressTab::templateIndex() const
{
    return m_ui.CmbLetterSelect->currentIndex();
}

QStringList ExpressTab::addressFormats() const
{
    return Fields::items(m_ui.CmbAddType);
}

void ExpressTab::templateComboChosen()
{
    m_context.loadedTemplate().choose(m_ui.CmbLetterSelect->currentIndex());
    m_ui.CmbSjrMc->setFocus();
}

void ExpressTab::templateLoaded(const QString &name)
{
    const TemplateSettings settings(m_context.paths(), name);
    const ProgramSettings program(m_context.paths());
    ExpressTabUi &u = m_ui;
    u.ChbFgSjAddress->setChecked(settings.splitRecipientAddress());
    u.ChbFgJjAddress->setChecked(settings.splitSenderAddress());
    u.ChbPrevShowPic->setChecked(settings.previewShowPicture());
    const QString picture = m_context.paths().templateDir() + settings.backgroundPicture();
    u.EdtBackPicFile->setText(QFileInfo(picture).isFile() ? picture : QString());
    m_formats.date = settings.dateFormat();
    m_formats.amount = settings.amountCapitalFormat();
    m_formats.cod = settings.codCapitalFormat();
    m_formats.insured = settings.insuredCapitalFormat();
    u.EdtEmsNo->setText(settings.waybillNumber());
    m_savedNumber = settings.waybillNumber();
    {
        const QSignalBlocker block(u.CmbAddType);
        u.CmbAddType->setCurrentIndex(
            program.expressSharedAddress() ? program.expressAddressType() : settings.addressType());
    }

    // The template's default sender, handler and message.
    const int sender = settings.defaultSenderIndex();
    if (sender >= 0 && sender < u.CmbDefJjDw->count()) {
        const QSignalBlocker blockDefault(u.CmbDefJjDw);
        const QSignalBlocker blockUnit(u.CmbJjDwMc);
        u.CmbDefJjDw->setCurrentIndex(sender);
        u.CmbJjDwMc->setCurrentIndex(sender);
        fillSender(sender);
    } else {
        const QSignalBlocker blockDefault(u.CmbDefJjDw);
        u.CmbDefJjDw->setCurrentIndex(-1);
    }
    u.EdtJjDwJbrQm->setText(settings.handler());
    u.CmbLetterLy->setEditText(settings.defaultMessage());

    m_markers->templateLoaded(settings);
}

// --- Printing ----------------------------------------------------------------------

void ExpressTab::draw(Drawing &drawing, const ItemTable &table) const
{
    WaybillPage::draw(drawing, table, values(), m_formats, QTime::currentTime());
}

QString ExpressTab::previewPicture() const
{
    const QString picture = m_ui.EdtBackPicFile->text();
    if (!m_ui.ChbPrevShowPic->isChecked() || picture.isEmpty())
        return QString();
    return picture;
}

bool ExpressTab::print()
{
    return m_batch->printPressed();
}

bool ExpressTab::printOne()
{
    return printWaybill(false);
}

void ExpressTab::printTest()
{
    printWaybill(true);
}

bool ExpressTab::printWaybill(bool testPrint)
{
    WaybillPosting::PrintResult result;
    {
        const WaitCursor wait;
        result = WaybillPosting::printAndPost(m_context, PrinterService::instance(),
            m_context.loadedTemplate().printSource(), m_formats, values(), QDateTime::currentDateTime(), testPrint);
    }
    if (!result.refusal.isEmpty()) {
        MessageService::instance().warn(result.refusal);
        if (auto focus = m_page->findChild<QWidget *>(result.focus))
            focus->setFocus();
        return false;
    }
    // The form is on paper with this number: the number advances even when a
    // record could not be written, so that it is never printed twice.
    m_ui.EdtEmsNo->setText(result.posting.nextNumber);
    if (result.posting.numberSaved)
        m_savedNumber = result.posting.nextNumber;
    if (!result.posting.ok())
        MessageService::instance().warn(result.posting.failed.join(u'\n'));
    m_ui.CmbSjrMc->setFocus();
    return true;
}

void ExpressTab::chooseFormat(int which, int index)
{
    const QString name = m_ui.CmbLetterSelect->currentText();
    if (which < 0 || which > 3 || name.isEmpty())
        return;
    int *formats[] = {&m_formats.date, &m_formats.amount, &m_formats.cod, &m_formats.insured};
    *formats[which] = index;
    guarded([&] {
        IniFile(m_context.paths().templateIni(name))
            .writeInteger(QStringLiteral("打印设备"), FormatMenus::settingsKey(which), index);
    });
}

void ExpressTab::showFormatMenu(int which)
{
    const int current[] = {m_formats.date, m_formats.amount, m_formats.cod, m_formats.insured};
    QLabel *label = m_ui.formatLabels().value(which);
    QMenu menu(m_page);
    const QStringList entries = FormatMenus::entries(which);
    for (int i = 0; i < entries.size(); ++i) {
        QAction *action = menu.addAction(entries.at(i));
        action->setCheckable(true);
        action->setChecked(current[which] == i);
        connect(action, &QAction::triggered, this, [this, which, i] { chooseFormat(which, i); });
    }
    menu.exec(label->mapToGlobal(QPoint(0, label->height())));
}

// --- Address books -------------------------------------------------------------------

void ExpressTab::fillRecipientCombos()
{
    Fields::setItems(m_ui.CmbSjdwMc, m_context.recipientUnits());
    Fields::setItems(m_ui.CmbSjrMc, m_context.recipientNames());
    m_recipientsStale = false;
}

void ExpressTab::fillSenderCombos()
{
    const QStringList &rows = m_context.senders();
    const QStringList units = AddressBook::column(rows, AddressBook::SenderUnitField);
    const QStringList people = AddressBook::column(rows, AddressBook::SenderNameField);
    Fields::setItems(m_ui.CmbJjDwMc, units);
    Fields::setItems(m_ui.CmbJjrMc, people);
    QStringList defaults;
    defaults.reserve(units.size());
    for (int i = 0; i < units.size(); ++i)
        defaults.append(QString::number(i + 1) + QLatin1Char(',') + units.at(i) + QLatin1Char(',') + people.at(i));
    Fields::setItems(m_ui.CmbDefJjDw, defaults);
}

void ExpressTab::recipientAppended()
{
    if (!m_active) {
        // Another tab saved a buyer: the lists are rebuilt on entering.
        m_recipientsStale = true;
        return;
    }
    // The combos keep mirroring the book index for index, empty names included.
    fillRecipientCombos();
    m_ui.CmbSjrMc->setCurrentIndex(m_ui.CmbSjrMc->count() - 1);
    m_ui.CmbSjdwMc->setCurrentIndex(m_ui.CmbSjdwMc->count() - 1);
}

void ExpressTab::recipientsReloaded()
{
    fillRecipientCombos();
    m_lookup.hide();
    // Rows may have moved: what the fields show no longer belongs to a row.
    clearRecipient();
}

void ExpressTab::sendersReloaded()
{
    const int defaultSender = m_ui.CmbDefJjDw->currentIndex();
    fillSenderCombos();
    if (defaultSender >= 0 && defaultSender < m_ui.CmbDefJjDw->count()) {
        const QSignalBlocker blockDefault(m_ui.CmbDefJjDw);
        const QSignalBlocker blockUnit(m_ui.CmbJjDwMc);
        m_ui.CmbDefJjDw->setCurrentIndex(defaultSender);
        m_ui.CmbJjDwMc->setCurrentIndex(defaultSender);
        fillSender(defaultSender);
    }
}

void ExpressTab::fillRecipient(int row, int mode)
{
    const QStringList &rows = m_context.recipients();
    const QString line = row >= 0 && row < rows.size() ? rows.at(row) : QString();
    FieldValues recipient = WaybillForm::recipientFromRow(line);
    if (mode == KeepUnit)
        recipient.remove(WaybillField::CmbSjdwMc);
    else if (mode == KeepName)
        recipient.remove(WaybillField::CmbSjrMc);
    setValues(recipient);
}

void ExpressTab::fillSender(int row)
{
    const QStringList &rows = m_context.senders();
    if (row < 0 || row >= rows.size())
        return;
    setValues(WaybillForm::senderFromRow(rows.at(row)));
}

bool ExpressTab::clearRecipient()
{
    if (batchRunning())
        return false;
    FieldValues empty;
    for (WaybillField field :
        FormFields::where<WaybillField>([](const FieldSpec &spec) { return spec.has(FieldFlag::Cleared); }))
        empty.insert(field, QString());
    setValues(empty);
    return true;
}

void ExpressTab::ensurePickList(QComboBox *combo)
{
    if (combo->count() > 0)
        return;
    const AddressBook::PickList *list = AddressBook::pickListOfCombo(combo->objectName());
    if (!list)
        return;
    guarded([&] { Fields::setItems(combo, m_context.loadPickList(list->tableCode)); });
}

void ExpressTab::pickListChanged(int code)
{
    const AddressBook::PickList *list = AddressBook::pickListOfCode(code);
    auto combo = list ? m_page->findChild<QComboBox *>(controlName(list->combo)) : nullptr;
    if (!combo)
        return;
    // A list read again from its file refills the combo on its next use.
    Fields::setItems(combo, m_context.pickListLoaded(code) ? m_context.pickList(code) : QStringList());
}

void ExpressTab::writeTemplateText(const QString &key, const QString &value)
{
    const QString name = m_ui.CmbLetterSelect->currentText();
    if (name.isEmpty())
        return;
    guarded([&] {
        TemplateSettings settings(m_context.paths(), name);
        settings.file().writeString(QStringLiteral("打印设备"), key, value);
    });
}

void ExpressTab::fitDropDownWidth(QComboBox *combo)
{
    const QFontMetrics metrics(m_page->window()->font());
    int widest = 0;
    for (const QString &item : Fields::items(combo))
        widest = std::max(widest, metrics.horizontalAdvance(item));
    combo->view()->setMinimumWidth(widest + 10);
}

// --- Copied orders -------------------------------------------------------------------

void ExpressTab::applyOrder(const OrderResult &results)
{
    Fields::apply(m_page, OrderFields::express(results));
    showRecipientCard();
}

void ExpressTab::chooseAddressFormat(int index)
{
    MessageService &messages = MessageService::instance();
    const bool all = messages.ask(QStringLiteral("将该地址格式应用到所有快递单还是当前快递单？\r\n\r\n"
                                                 "选择 是 应用到所有快递单，\r\n选择 否 只应用到当前快递单。"))
        == MessageService::Answer::Yes;
    guarded([&] {
        ProgramSettings program(m_context.paths());
        program.setExpressSharedAddress(all);
        if (all) {
            program.setExpressAddressType(index);
        } else if (const QString name = m_ui.CmbLetterSelect->currentText(); !name.isEmpty()) {
            TemplateSettings(m_context.paths(), name).setAddressType(index);
        }
    });
}

// --- Express template options ------------------------------------------------------

void ExpressTab::choosePicture()
{
    FileDialogService::OpenRequest request;
    request.directory = m_context.paths().templateDir();
    // File names on this system are case-sensitive: scanners and the built-in
    // default name write ".JPG".
    request.filter = QStringLiteral("信函背景图片 (*.jpg *.jpeg *.JPG *.JPEG)");
    request.defaultSuffix = QStringLiteral("jpg");
    const QString chosen = FileDialogService::instance().openFile(m_page->window(), request);
    if (!chosen.isEmpty() && QFileInfo(chosen).isFile()) {
        // The template keeps only the file name: the picture belongs in the
        // template folder, where the next load looks for it.
        m_ui.EdtBackPicFile->setText(m_context.paths().templateDir() + QFileInfo(chosen).fileName());
    }
    m_ui.CmbSjrMc->setFocus();
}

void ExpressTab::saveOptions()
{
    const QString name = m_ui.CmbLetterSelect->currentText();
    if (name.isEmpty()) {
        m_ui.CmbSjrMc->setFocus();
        return;
    }
    const bool saved = guarded([&] {
        TemplateSettings settings(m_context.paths(), name);
        // With no sender unit the index is -1: store the default instead.
        settings.setDefaultSenderIndex(std::max(0, m_ui.CmbDefJjDw->currentIndex()));
        settings.setSplitRecipientAddress(m_ui.ChbFgSjAddress->isChecked());
        settings.setSplitSenderAddress(m_ui.ChbFgJjAddress->isChecked());
        settings.setPreviewShowPicture(m_ui.ChbPrevShowPic->isChecked());
        const QString picture = m_ui.EdtBackPicFile->text().trimmed();
        settings.setBackgroundPicture(picture.isEmpty() ? QString() : QFileInfo(picture).fileName());
    });
    if (!saved)
        return;
    MessageService::instance().info(QStringLiteral("设置保存完成"));
    m_ui.CmbSjrMc->setFocus();
}

} // namespace Slipdesk
