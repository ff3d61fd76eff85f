#include "TradeTab.h"

#include "context/AppContext.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/TemplateCombo.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WidgetFields.h"
#include "render/Drawing.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "trade/NotePage.h"
#include "trade/TradeForm.h"
#include "trade/ui/GoodsGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace Slipdesk {

TradeTab::TradeTab(AppContext &context, NoteKind kind, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_kind(kind)
{
}

void TradeTab::setUp(QWidget *page, QTableWidget *grid, GoodsPicker &picker, QComboBox *templateCombo,
    QLineEdit *number, const QStringList &extraLabels)
{
    m_page = page;
    m_templateCombo = templateCombo;
    m_number = number;
    m_goods = new GoodsGrid(m_context, grid, picker, m_kind, this);
    m_labels = extraLabels;
    for (const TradeForm::Caption &caption : TradeForm::captions(m_kind)) {
        m_labels.append(caption.label);
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

    LoadedTemplate &loaded = m_context.loadedTemplate();
    connect(&loaded, &LoadedTemplate::loaded, this, [this](int kind, const QString &name) {
        if (kind == TradeNote::templateKind(m_kind) && !name.isEmpty())
            templateLoaded(name);
    });
    TemplateCombo::follow(loaded, TradeNote::templateKind(m_kind), m_templateCombo);
    connect(m_templateCombo, &QComboBox::activated, this, [this](int index) {
        m_context.loadedTemplate().choose(index);
        focusFirstEntry();
    });
    // Entering the template combo keeps the number the last print advanced.
    EventHook::onEvent(m_templateCombo, QEvent::FocusIn, [this] { saveNumber(); });
}

void TradeTab::draw(Drawing &drawing, const ItemTable &table) const
{
    NotePage::draw(drawing, table, note());
}

QString TradeTab::templateName() const
{
    return m_templateCombo->currentText();
}

void TradeTab::connectMenu(const QList<std::pair<QAction *, TableCode>> &entries)
{
    for (const auto &[action, code] : entries)
        connect(action, &QAction::triggered, this, [this, code = code] { Q_EMIT dataWindowRequested(code); });
}

FieldValues TradeTab::values() const
{
    FieldValues values = Fields::collectAll(m_page);
    for (const QString &name : m_labels)
        if (const QWidget *label = m_page->findChild<QWidget *>(name))
            values.insert(name, Fields::text(label));
    return values;
}

void TradeTab::setValues(const FieldValues &values)
{
    Fields::apply(m_page, values);
}

TradeNote TradeTab::note() const
{
    return TradeNote {m_kind, values(), m_goods->rows()};
}

void TradeTab::setNote(const TradeNote &note)
{
    setValues(note.values);
    m_goods->setRows(note.goods);
}

void TradeTab::reprint(const FieldValues &values, const GoodsRows &goods)
{
    prepareReprint();
    setValues(values);
    m_goods->clear();
    m_goods->setRows(goods);
    m_goods->recompute();
}

void TradeTab::setActive(bool active)
{
    if (m_active && !active)
        m_goods->hidePopups();
    m_active = active;
}

void TradeTab::saveNumber()
{
    const QString name = templateName();
    if (name.isEmpty() || m_number->text() == m_savedNumber)
        return;
    if (guarded([&] {
            TemplateSettings(m_context.paths(), name)
                .file()
                .writeString(QStringLiteral("打印设备"), TradeNote::numberKey(m_kind), m_number->text());
        }))
        m_savedNumber = m_number->text();
}

void TradeTab::enterCommon()
{
    TemplateCombo::show(
        m_templateCombo, m_context.loadedTemplate().showKind(TradeNote::templateKind(m_kind), templateName()));
    m_goods->prepare();
    guarded([this] { m_context.ensureGoods(); });
    guarded([this] { m_context.ensureSmallLists(); });
}

void TradeTab::loadCommon(const TemplateSettings &settings)
{
    const QString number = m_kind == NoteKind::Delivery ? settings.deliveryNumber() : settings.inboundNumber();
    m_number->setText(number);
    m_savedNumber = number;
    for (const TradeForm::Caption &caption : TradeForm::captions(m_kind)) {
        const QString own = settings.captionValue(caption.key).trimmed();
        if (auto label = m_page->findChild<QLabel *>(caption.label))
            label->setText(own.isEmpty() ? caption.builtIn : own);
    }
}

std::optional<TradePosting::PrintResult> TradeTab::printAndPostCommon(bool fromBatch)
{
    m_goods->recompute();
    TradePosting::PrintResult result;
    {
        const WaitCursor wait;
        result = TradePosting::printAndPost(m_context, PrinterService::instance(),
            m_context.loadedTemplate().printSource(), note(), QDateTime::currentDateTime(), fromBatch);
    }
    if (!result.refusal.isEmpty()) {
        MessageService::instance().warn(result.refusal);
        if (auto focus = m_page->findChild<QWidget *>(result.focus))
            focus->setFocus();
        return std::nullopt;
    }
    m_number->setText(result.posting.nextNumber);
    if (result.posting.numberSaved)
        m_savedNumber = result.posting.nextNumber;
    if (!result.posting.ok())
        MessageService::instance().warn(result.posting.failed.join(u'\n'));
    return result;
}

void TradeTab::renameLabel(QLabel *label)
{
    const QList<TradeForm::Caption> &captions = TradeForm::captions(m_kind);
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

} // namespace Slipdesk
