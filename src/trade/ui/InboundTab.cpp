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
#include "templates/ui/TemplateTab.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"
#include "trade/TradeLogs.h"
#include "trade/TradePosting.h"
#include "trade/ui/GoodsGrid.h"
#include "waybill/AddressBook.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>

namespace Slipdesk {

InboundTab::InboundTab(AppContext &context, TemplateTab &templates, GoodsPicker &picker, QWidget *parent)
    : QObject(parent)
    , m_context(context)
    , m_templates(templates)
{
    setObjectName(QStringLiteral("InboundTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabSheet2"));
    m_ui.setupUi(m_page);
    m_goods = new GoodsGrid(context, m_ui.SgInput, picker, NoteKind::Inbound, this);

    m_templates.setFormKind(ItemTable::Inbound,
        {[this](Drawing &drawing, const ItemTable &table) { NotePage::draw(drawing, table, note()); }, {}});
    connect(&m_templates, &TemplateTab::templateLoaded, this, [this](int kind, const QString &name) {
        if (kind == ItemTable::Inbound)
            templateLoaded(name);
    });
    m_templates.follow(ItemTable::Inbound, m_ui.CmbInputModel);

    connect(m_ui.CmbInputModel, &QComboBox::activated, this, [this](int index) {
        m_templates.chooseTemplate(index);
        m_ui.CmbInputJbr->setFocus();
    });
    EventHook::onEvent(m_ui.CmbInputModel, QEvent::FocusIn, [this] { saveNumber(); });
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
    connect(m_ui.BtnInputPrnLog, &QPushButton::clicked, this, [this] {
        QString log;
        QString detail;
        if (logToBrowse(&log, &detail))
            Q_EMIT logRequested(log, detail);
    });
    connect(m_goods, &GoodsGrid::totalsChanged, this, &InboundTab::showTotals);

    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Inbound)) {
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
        {m_ui.NInGoods, 12},
        {m_ui.NInUnit, 15},
        {m_ui.NInInRemark, 18},
        {m_ui.NInInType, 17},
        {m_ui.NInOutRemark, 16},
        {m_ui.NInSjdw, 3},
        {m_ui.NInJjdw, 5},
    };
    for (const auto &[action, code] : entries)
        connect(action, &QAction::triggered, this, [this, code = code] { Q_EMIT dataWindowRequested(code); });

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

QString InboundTab::templateName() const
{
    return m_ui.CmbInputModel->currentText();
}

FieldValues InboundTab::values() const
{
    FieldValues values = Fields::collectAll(m_page);
    QStringList labels {QStringLiteral("LblInputShop"), QStringLiteral("LblInputSumCount")};
    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Inbound))
        labels.append(caption.label);
    for (const QString &name : labels)
        if (const QWidget *label = m_page->findChild<QWidget *>(name))
            values.insert(name, Fields::text(label));
    return values;
}

void InboundTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

TradeNote InboundTab::note() const
{
    return TradeNote {NoteKind::Inbound, values(), m_goods->rows()};
}

void InboundTab::setNote(const TradeNote &note)
{
    setValues(note.values);
    m_goods->setRows(note.goods);
}

void InboundTab::enter()
{
    TemplateTab::showList(m_ui.CmbInputModel, m_templates.showKind(ItemTable::Inbound, templateName()));
    if (m_ui.CmbInputType->count() == 0 || m_typesStale)
        loadInboundTypes();
    m_goods->prepare();
    guarded([this] { m_context.ensureGoods(); });
    guarded([this] { m_context.ensureSmallLists(); });
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

void InboundTab::setActive(bool active)
{
    if (m_active && !active)
        m_goods->hidePopups();
    m_active = active;
}

void InboundTab::saveNumber()
{
    const QString name = templateName();
    if (name.isEmpty() || m_ui.EdtInputNo->text() == m_savedNumber)
        return;
    if (guarded([&] { TemplateSettings(m_context.paths(), name).setInboundNumber(m_ui.EdtInputNo->text()); }))
        m_savedNumber = m_ui.EdtInputNo->text();
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
    m_ui.EdtInputNo->setText(settings.inboundNumber());
    m_savedNumber = settings.inboundNumber();
    for (const TradeForm::Caption &caption : TradeForm::captions(NoteKind::Inbound)) {
        const QString own = settings.captionValue(caption.key).trimmed();
        if (auto label = m_page->findChild<QLabel *>(caption.label))
            label->setText(own.isEmpty() ? caption.builtIn : own);
    }
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
    m_goods->recompute();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TradePosting::PrintResult result = TradePosting::printAndPost(
        m_context, PrinterService::instance(), m_templates.printSource(), note(), QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    if (!result.refusal.isEmpty()) {
        MessageService::instance().warn(result.refusal);
        if (auto focus = m_page->findChild<QWidget *>(result.focus))
            focus->setFocus();
        return false;
    }
    // The goods are in stock now: the next note starts empty.
    m_goods->clear();
    m_ui.LblInputSumCount->setText(QStringLiteral("0"));
    m_ui.EdtInputSumMoney->setText(QStringLiteral("0.00"));
    m_ui.EdtInputNo->setText(result.posting.nextNumber);
    if (result.posting.numberSaved)
        m_savedNumber = result.posting.nextNumber;
    if (!result.posting.ok())
        MessageService::instance().warn(result.posting.failed.join(u'\n'));
    m_ui.CmbInputJbr->setFocus();
    return true;
}

void InboundTab::preview()
{
    m_goods->recompute();
    m_templates.openPreview(false);
}

void InboundTab::renameLabel(QLabel *label)
{
    const auto &captions = TradeForm::captions(NoteKind::Inbound);
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

bool InboundTab::logToBrowse(QString *log, QString *detail) const
{
    const QString name = templateName();
    const int year = QDate::currentDate().year();
    for (const int y : {year, year - 1}) {
        *log = TradeLogs::logPath(m_context.paths(), NoteKind::Inbound, name, y);
        *detail = TradeLogs::detailPath(m_context.paths(), NoteKind::Inbound, name, y);
        if (QFileInfo::exists(*log) && QFileInfo::exists(*detail))
            return true;
    }
    MessageService::instance().warn(name + QStringLiteral(" 好像没有打印记录"));
    m_ui.CmbInputJbr->setFocus();
    return false;
}

} // namespace Slipdesk
