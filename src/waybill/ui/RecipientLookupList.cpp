#include "RecipientLookupList.h"

#include "context/AppContext.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WidgetFields.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace Slipdesk {

namespace {

// Rows the look-up list shows before it scrolls.
constexpr int kVisibleListRows = 10;
// Items put into the list at a time. A keystroke can match most of a large
// book; one list item per match would cost tens of milliseconds to create
// and destroy, so the list holds the first matches and takes the next ones
// as the user scrolls or steps down to them. Only the items put into the
// list are ever built.
constexpr int kListChunk = 1000;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Enter pressed in any field of the window hides the look-up list; the
// look-up controls handle Enter themselves.
class EnterWatch : public QObject
{
public:
    EnterWatch(QObject *parent, std::function<bool(QObject *)> handled, std::function<void()> hide)
        : QObject(parent)
        , m_handled(std::move(handled))
        , m_hide(std::move(hide))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType()
            && isEnterKey(static_cast<QKeyEvent *>(event)->key()) && !m_handled(watched))
            m_hide();
        return false;
    }

private:
    std::function<bool(QObject *)> m_handled;
    std::function<void()> m_hide;
};

} // namespace

RecipientLookupList::RecipientLookupList(AppContext &context, QWidget *area, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_area(area)
    , m_list(new QListWidget(area))
{
    setObjectName(QStringLiteral("RecipientLookupList"));
    m_list->setObjectName(QStringLiteral("LboxCmbQuery"));
    m_list->hide();
    // The list never takes the focus: typing goes on in the look-up control.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_list->setCurrentItem(item);
        takeItem();
    });
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        const QScrollBar *bar = m_list->verticalScrollBar();
        if (value >= bar->maximum() - bar->pageStep())
            loadMoreItems();
    });
    // The searched columns are built when the book is read or changes, so
    // that no keystroke (the first in a field included) pays for them.
    connect(&m_context, &AppContext::addressBooksLoaded, this, &RecipientLookupList::prepareBook);
    connect(&m_context, &AppContext::recipientsReloaded, this, &RecipientLookupList::prepareBook);
    connect(&m_context, &AppContext::recipientAppended, this, &RecipientLookupList::prepareBook);
    qApp->installEventFilter(new EnterWatch(
        this,
        [this](QObject *watched) {
            return controlOf(watched) || m_list->isHidden()
                || static_cast<QWidget *>(watched)->window() != m_area->window();
        },
        [this] { hide(); }));
}

void RecipientLookupList::attach(const Control &control)
{
    m_controls.append(control);
    QWidget *widget = control.widget;
    // Only what the user types searches: a fill from a row sets the same
    // text without a look-up.
    auto edited = [this, widget](const QString &text) {
        if (const Control *c = controlOf(widget))
            textEdited(*c, text);
    };
    if (auto combo = qobject_cast<QComboBox *>(widget)) {
        if (QLineEdit *edit = combo->lineEdit())
            connect(edit, &QLineEdit::textEdited, this, edited);
        connect(combo, &QComboBox::activated, this, [this, widget](int index) {
            if (const Control *c = controlOf(widget); c && c->closeUp)
                c->closeUp(index);
        });
    } else if (auto edit = qobject_cast<QLineEdit *>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, edited);
    }
    EventHook::onEvent(widget, QEvent::FocusIn, [this, widget] {
        if (const Control *c = controlOf(widget))
            enter(*c);
    });
    EventHook::on(widget, QEvent::FocusOut, [this, widget](QEvent *event) {
        const Control *c = controlOf(widget);
        if (c && c->numberOnLeave && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            chooseByNumber(*c);
        return false;
    });
    EventHook::on(widget, QEvent::KeyPress, [this, widget](QEvent *event) {
        const auto *press = static_cast<QKeyEvent *>(event);
        const Control *c = controlOf(widget);
        if (!c || (press->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        return key(*c, press->key());
    });
}

const RecipientLookupList::Control *RecipientLookupList::controlOf(const QObject *widget) const
{
    for (const Control &control : m_controls)
        if (control.widget == widget)
            return &control;
    return nullptr;
}

void RecipientLookupList::prepareBook()
{
    m_lookup.prepare(m_context.recipients());
}

void RecipientLookupList::enter(const Control &control)
{
    m_current = control.widget;
    m_currentField = control.field;
    // Nothing to build when the book has not changed since it was prepared.
    m_lookup.prepare(m_context.recipients(), control.field);
}

void RecipientLookupList::hide()
{
    m_list->hide();
}

bool RecipientLookupList::isVisible() const
{
    return !m_list->isHidden();
}

bool RecipientLookupList::loadMoreItems()
{
    const qsizetype shown = m_list->count();
    if (shown >= m_found.size())
        return false;
    m_list->addItems(m_lookup.items(m_foundIn, m_found.mid(shown, kListChunk)));
    return true;
}

void RecipientLookupList::textEdited(const Control &control, const QString &text)
{
    if (control.widget != m_current)
        enter(control);
    auto combo = qobject_cast<QComboBox *>(control.widget);
    if (combo && combo->view()->isVisible())
        combo->hidePopup();
    if (RecipientLookup::blank(text)) {
        hide();
        return;
    }
    if (combo) {
        const qsizetype index = Fields::items(combo).indexOf(text);
        if (index >= 0) {
            if (control.closeUp)
                control.closeUp(int(index));
            hide();
            return;
        }
    }
    show(control, m_lookup.find(m_context.recipients(), control.field, text));
}

void RecipientLookupList::show(const Control &control, const QList<int> &found)
{
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_found = found;
    m_foundIn = m_context.recipients();
    if (found.isEmpty()) {
        m_list->hide();
        m_list->setUpdatesEnabled(true);
        return;
    }
    m_list->addItems(m_lookup.items(m_foundIn, found.mid(0, kListChunk)));

    // Below the control, as wide as the unit combo, at most ten rows high and
    // never past the bottom of the window.
    QWidget *widget = control.widget;
    const QPoint at = widget->mapTo(m_area, QPoint(0, widget->height()));
    const int rowHeight = std::max(1, m_list->sizeHintForRow(0));
    const int frame = 2 * m_list->frameWidth();
    const int wanted = int(std::min<qsizetype>(found.size(), kVisibleListRows)) * rowHeight + frame
        + m_list->horizontalScrollBar()->sizeHint().height();
    const int room = m_area->height() - at.y();
    const int height = room >= rowHeight * 3 + frame ? std::min(wanted, room) : wanted;
    const int width = m_widthReference ? m_widthReference->width() : widget->width();
    m_list->setGeometry(at.x(), at.y(), width, height);

    // The horizontal extent is the widest item of all matches (also those not
    // in the list yet) plus 5 pixels. Every row has the same size, so only
    // the likely widest items are built and measured.
    const QFontMetrics metrics(m_area->window()->font());
    int widest = 0;
    for (int row : m_lookup.widestRows(m_foundIn, found))
        widest = std::max(widest, metrics.horizontalAdvance(RecipientLookup::itemText(m_foundIn.at(row), row)));
    m_list->setGridSize(QSize(widest + 5, rowHeight));

    m_list->raise();
    m_list->show();
    m_list->setCurrentRow(0);
    m_list->setUpdatesEnabled(true);
}

bool RecipientLookupList::key(const Control &control, int key)
{
    if (m_list->isHidden()) {
        if (!isEnterKey(key))
            return false;
        moveFocusOn(control.widget);
        return true;
    }
    switch (key) {
    case Qt::Key_Down:
        if (m_list->currentRow() + 1 >= m_list->count())
            loadMoreItems();
        m_list->setCurrentRow(std::min(m_list->currentRow() + 1, m_list->count() - 1));
        return true;
    case Qt::Key_Up:
        m_list->setCurrentRow(std::max(m_list->currentRow() - 1, 0));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const Control *current = controlOf(m_current);
        if (!current)
            current = &control;
        if (qobject_cast<QComboBox *>(current->widget) && chooseByNumber(*current))
            moveFocusOn(current->widget);
        else
            takeItem();
        return true;
    }
    default:
        return false;
    }
}

bool RecipientLookupList::chooseByNumber(const Control &control)
{
    auto combo = qobject_cast<QComboBox *>(control.widget);
    if (!combo)
        return false;
    const int index = RecipientLookup::typedRowNumber(combo->currentText(), combo->count());
    if (index < 0)
        return false;
    // Choosing by number fills the other fields at once, as a choice from the
    // drop-down does.
    {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
    if (control.closeUp)
        control.closeUp(index);
    hide();
    return true;
}

void RecipientLookupList::moveFocusOn(QWidget *widget)
{
    hide();
    Q_EMIT focusMovingOn();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &tab);
}

void RecipientLookupList::takeItem()
{
    const QListWidgetItem *item = m_list->currentItem();
    const Control *control = controlOf(m_current);
    if (item && control) {
        if (control->take)
            control->take(RecipientLookup::rowOfItem(item->text()));
        control->widget->setFocus();
    }
    hide();
}

} // namespace Slipdesk
