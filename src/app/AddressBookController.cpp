#include "AddressBookController.h"

#include "app/FieldValues.h"
#include "app/MainFormUi.h"
#include "app/TForm1.h"
#include "app/platform/MessageService.h"
#include "storage/IoError.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "waybill/AddressBook.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace Slipdesk {

namespace {

// Rows the look-up list shows before it scrolls.
constexpr int kVisibleListRows = 10;
// Items put into the list at a time. A keystroke can match most of a large
// book; one list item per match would cost tens of milliseconds to create
// and destroy, so the list holds the first matches and takes the next ones
// as the user scrolls or steps down to them.
constexpr int kListChunk = 1000;

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Buyer fields of the delivery tab and the recipient fields that fill them.
struct BuyerField
{
    const char *control;
    int field;
};
constexpr BuyerField kBuyerFields[] = {
    {"CmbBuyerName", 10}, {"CmbBuyerWW", 17}, {"EdtBuyerMobile", 18}, {"EdtBuyerTel", 13},
    {"EdtAddSs", 4},      {"EdtAddDs", 5},    {"EdtAddQx", 6},        {"EdtAddress", 7},
    {"EdtBuyerYb", 3},
};

// Enter pressed in any field of the window hides the look-up list; the
// look-up controls handle Enter themselves.
class EnterWatch : public QObject
{
public:
    EnterWatch(QObject *parent, std::function<bool(QObject *)> handled, std::function<void()> hide)
        : QObject(parent), m_handled(std::move(handled)), m_hide(std::move(hide))
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

AddressBookController::AddressBookController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("AddressBookController"));
    MainFormUi &u = ui();

    m_lookupControls = {u.CmbSjdwMc, u.CmbSjrMc, u.EdtSjDwTel, u.CmbBuyerName, u.CmbBuyerWW};
    for (QWidget *control : std::as_const(m_lookupControls)) {
        control->installEventFilter(this);
        if (auto combo = qobject_cast<QComboBox *>(control)) {
            // Only what the user types searches: a fill from a row sets the
            // same text without a look-up.
            if (QLineEdit *edit = combo->lineEdit())
                connect(edit, &QLineEdit::textEdited, this,
                        [this, combo](const QString &text) { lookupTextEdited(combo, text); });
            connect(combo, &QComboBox::activated, this, [this, combo](int index) { closeUp(combo, index); });
        }
    }
    connect(u.EdtSjDwTel, &QLineEdit::textEdited, this,
            [this](const QString &text) { lookupTextEdited(ui().EdtSjDwTel, text); });

    // The list never takes the focus: typing goes on in the look-up control.
    u.LboxCmbQuery->setFocusPolicy(Qt::NoFocus);
    u.LboxCmbQuery->setUniformItemSizes(true);
    u.LboxCmbQuery->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(u.LboxCmbQuery, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        ui().LboxCmbQuery->setCurrentItem(item);
        takeListItem();
    });
    connect(u.LboxCmbQuery->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        const QScrollBar *bar = ui().LboxCmbQuery->verticalScrollBar();
        if (value >= bar->maximum() - bar->pageStep())
            loadMoreItems();
    });

    for (const AddressBook::PickList &list : AddressBook::pickLists()) {
        if (auto combo = m_form.findChild<QComboBox *>(list.combo)) {
            m_pickCombos.append(combo);
            combo->installEventFilter(this);
        }
    }
    for (QWidget *w : {static_cast<QWidget *>(u.CmbJjDwMc), static_cast<QWidget *>(u.CmbJjrMc),
                       static_cast<QWidget *>(u.EdtSjDwDz), static_cast<QWidget *>(u.TabEmsPrn),
                       static_cast<QWidget *>(u.EdtJjDwJbrQm), static_cast<QWidget *>(u.CmbDefJjDw)})
        w->installEventFilter(this);
    qApp->installEventFilter(new EnterWatch(
        this,
        [this](QObject *watched) {
            return isLookupControl(watched) || ui().LboxCmbQuery->isHidden()
                || static_cast<QWidget *>(watched)->window() != &m_form;
        },
        [this] { hideLookupList(); }));

    connect(u.CmbJjDwMc, &QComboBox::activated, this, [this](int index) { fillSender(index); });
    connect(u.CmbJjrMc, &QComboBox::activated, this, [this](int index) { fillSender(index); });
    connect(u.CmbDefJjDw, &QComboBox::activated, this, [this](int index) {
        const QSignalBlocker block(ui().CmbJjDwMc);
        ui().CmbJjDwMc->setCurrentIndex(index);
        fillSender(index);
    });

    const QList<std::pair<QAction *, int>> entries{
        {u.NFromSjdw, AddressBook::RecipientTableCode}, {u.NFromJjdw, AddressBook::SenderTableCode},
        {u.NSjdwBm, 7}, {u.NSjrCw, 8}, {u.NSjrSy, 9}, {u.NLetterWP, 10}, {u.NLetterLy, 11},
    };
    for (const auto &[action, code] : entries)
        if (action)
            connect(action, &QAction::triggered, this, [this, code = code] { Q_EMIT dataWindowRequested(code); });
    if (u.MenuSysSet)
        connect(u.MenuSysSet, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] { ui().CmbSjrMc->setFocus(); });
        });
}

MainFormUi &AddressBookController::ui() const
{
    return m_form.ui();
}

// --- Per-template sender, handler and message ----------------------------------

void AddressBookController::templateLoaded()
{
    if (m_form.currentKind() != ItemTable::Express)
        return;
    const QString name = m_form.currentTemplateName();
    if (name.isEmpty())
        return;
    const TemplateSettings settings(m_form.paths(), name);
    const int sender = settings.defaultSenderIndex();
    MainFormUi &u = ui();
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
}

void AddressBookController::writeTemplateText(const QString &key, const QString &value)
{
    const QString name = ui().CmbLetterSelect->currentText();
    if (name.isEmpty())
        return;
    try {
        TemplateSettings settings(m_form.paths(), name);
        settings.file().writeString(QStringLiteral("打印设备"), key, value);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

void AddressBookController::fitDropDownWidth(QComboBox *combo)
{
    const QFontMetrics metrics(m_form.font());
    int widest = 0;
    for (const QString &item : Fields::items(combo))
        widest = std::max(widest, metrics.horizontalAdvance(item));
    combo->view()->setMinimumWidth(widest + 10);
}

// --- Filling ---------------------------------------------------------------------

void AddressBookController::fillRecipient(int row, int mode)
{
    const QStringList &rows = m_form.recipients();
    const bool valid = row >= 0 && row < rows.size();
    const QString line = valid ? rows.at(row) : QString();
    const QStringList &controls = AddressBook::recipientControls();
    for (int f = 0; f < controls.size(); ++f) {
        if ((mode == KeepUnit && f == AddressBook::RecipientUnitField)
            || (mode == KeepName && f == AddressBook::RecipientNameField))
            continue;
        const QString value = TextTable::field(line, f);
        Fields::setText(m_form.findChild<QWidget *>(controls.at(f)), value);
        if (f == 5)
            ui().EdtTo->setText(value);
    }
}

void AddressBookController::fillSender(int row)
{
    const QStringList &rows = m_form.senders();
    if (row < 0 || row >= rows.size())
        return;
    const QStringList &controls = AddressBook::senderControls();
    for (int f = 0; f < controls.size(); ++f)
        Fields::setText(m_form.findChild<QWidget *>(controls.at(f)), TextTable::field(rows.at(row), f));
}

void AddressBookController::fillBuyer(int row, QComboBox *chosenIn)
{
    const QStringList &rows = m_form.recipients();
    const QString line = row >= 0 && row < rows.size() ? rows.at(row) : QString();
    for (const BuyerField &b : kBuyerFields) {
        QWidget *control = m_form.findChild<QWidget *>(QLatin1String(b.control));
        if (control && control != chosenIn)
            Fields::setText(control, TextTable::field(line, b.field));
    }
}

bool AddressBookController::clearRecipient()
{
    MainFormUi &u = ui();
    if (!u.BtnTskData->isEnabled() || !u.GroupBTsk->isHidden())
        return false;
    const QList<QWidget *> controls{
        u.CmbSjrMc,   u.EdtTo,        u.EdtSjDwSs,      u.EdtSjDwDs,   u.EdtSjDwQx,  u.EdtSjDwDz,
        u.CmbSjdwMc,  u.EdtSjDwTel,   u.EdtSjdwYb,      u.EdtSjrTel1,  u.EdtSjrWW,   u.EdtSjrMobile,
        u.EdtSjrPayEmail, u.EdtSjrEmail, u.EdtSjrIM,    u.EdtSjDwFax,  u.EdtSjDwDm,  u.EdtSjDwType,
        u.EdtSjDwNo,  u.EdtSjDwWeb,   u.EdtWLDD,        u.CmbLetterWP, u.EdtWpCount, u.EdtWpWeight,
        u.EdtWpJe,    u.EdtDshk,      u.EdtBjje,        u.EdtBF,       u.EdtYF,      u.EdtJJF,
    };
    for (QWidget *control : controls)
        Fields::setText(control, QString());
    return true;
}

void AddressBookController::closeUp(QComboBox *combo, int index)
{
    MainFormUi &u = ui();
    if (combo == u.CmbSjdwMc)
        fillRecipient(index, KeepUnit);
    else if (combo == u.CmbSjrMc)
        fillRecipient(index, KeepName);
    else if (combo == u.CmbBuyerName || combo == u.CmbBuyerWW)
        fillBuyer(index, combo);
}

// --- Look-up while typing -----------------------------------------------------------

bool AddressBookController::isLookupControl(const QObject *object) const
{
    for (QWidget *control : m_lookupControls)
        if (object == control)
            return true;
    return false;
}

int AddressBookController::lookupField(const QWidget *control) const
{
    MainFormUi &u = ui();
    if (control == u.CmbSjdwMc)
        return RecipientLookup::UnitField;
    if (control == u.CmbSjrMc || control == u.CmbBuyerName)
        return RecipientLookup::NameField;
    if (control == u.CmbBuyerWW)
        return RecipientLookup::NickField;
    return RecipientLookup::PhoneField;
}

void AddressBookController::enterLookup(QWidget *control)
{
    m_lookupControl = control;
    if (qobject_cast<QComboBox *>(control))
        Fields::setTag(control, lookupField(control));
    // The first keystroke should not pay for building the searched column.
    m_lookup.prepare(m_form.recipients(), lookupField(control));
}

void AddressBookController::hideLookupList()
{
    ui().LboxCmbQuery->hide();
}

bool AddressBookController::loadMoreItems()
{
    QListWidget *list = ui().LboxCmbQuery;
    const qsizetype shown = list->count();
    if (shown >= m_matches.size())
        return false;
    list->addItems(m_matches.mid(shown, kListChunk));
    return true;
}

int AddressBookController::lookupMatchCount() const
{
    return int(m_matches.size());
}

void AddressBookController::lookupTextEdited(QWidget *control, const QString &text)
{
    if (control != m_lookupControl)
        enterLookup(control);
    auto combo = qobject_cast<QComboBox *>(control);
    if (combo && combo->view()->isVisible())
        combo->hidePopup();
    if (RecipientLookup::blank(text)) {
        hideLookupList();
        return;
    }
    if (combo) {
        const qsizetype index = Fields::items(combo).indexOf(text);
        if (index >= 0) {
            closeUp(combo, int(index));
            hideLookupList();
            return;
        }
    }
    showLookupList(control, m_lookup.search(m_form.recipients(), lookupField(control), text));
}

void AddressBookController::showLookupList(QWidget *control, const QStringList &items)
{
    QListWidget *list = ui().LboxCmbQuery;
    list->setUpdatesEnabled(false);
    list->clear();
    m_matches = items;
    if (items.isEmpty()) {
        list->hide();
        list->setUpdatesEnabled(true);
        return;
    }
    list->addItems(items.mid(0, kListChunk));

    // Below the control, as wide as the unit combo, at most ten rows high and
    // never past the bottom of the window.
    QWidget *area = ui().centralWidget;
    const QPoint at = control->mapTo(area, QPoint(0, control->height()));
    const int rowHeight = std::max(1, list->sizeHintForRow(0));
    const int frame = 2 * list->frameWidth();
    const int wanted = int(std::min<qsizetype>(items.size(), kVisibleListRows)) * rowHeight + frame
        + list->horizontalScrollBar()->sizeHint().height();
    const int room = area->height() - at.y();
    const int height = room >= rowHeight * 3 + frame ? std::min(wanted, room) : wanted;
    list->setGeometry(at.x(), at.y(), ui().CmbSjdwMc->width(), height);

    // The horizontal extent is the widest item plus 5 pixels. Every row has
    // the same size, so only the likely widest items are measured.
    const QFontMetrics metrics(m_form.font());
    int widest = 0;
    for (int i : RecipientLookup::widestCandidates(items))
        widest = std::max(widest, metrics.horizontalAdvance(items.at(i)));
    list->setGridSize(QSize(widest + 5, rowHeight));

    list->raise();
    list->show();
    list->setCurrentRow(0);
    list->setUpdatesEnabled(true);
}

bool AddressBookController::lookupKey(QWidget *control, int key)
{
    QListWidget *list = ui().LboxCmbQuery;
    if (list->isHidden()) {
        if (!isEnterKey(key))
            return false;
        moveFocusOn(control);
        return true;
    }
    switch (key) {
    case Qt::Key_Down:
        if (list->currentRow() + 1 >= list->count())
            loadMoreItems();
        list->setCurrentRow(std::min(list->currentRow() + 1, list->count() - 1));
        return true;
    case Qt::Key_Up:
        list->setCurrentRow(std::max(list->currentRow() - 1, 0));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QWidget *current = m_lookupControl ? m_lookupControl : control;
        auto combo = qobject_cast<QComboBox *>(current);
        if (combo && chooseByNumber(combo))
            moveFocusOn(combo);
        else
            takeListItem();
        return true;
    }
    default:
        return false;
    }
}

bool AddressBookController::chooseByNumber(QComboBox *combo)
{
    const int index = RecipientLookup::typedRowNumber(combo->currentText(), combo->count());
    if (index < 0)
        return false;
    // Choosing by number fills the other fields at once, as a choice from the
    // drop-down does.
    {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
    closeUp(combo, index);
    hideLookupList();
    return true;
}

void AddressBookController::moveFocusOn(QWidget *control)
{
    hideLookupList();
    ui().SgQuery->hide();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &tab);
}

void AddressBookController::takeListItem()
{
    QListWidget *list = ui().LboxCmbQuery;
    const QListWidgetItem *item = list->currentItem();
    QWidget *control = m_lookupControl;
    if (item && control) {
        const int row = RecipientLookup::rowOfItem(item->text());
        if (control == ui().CmbBuyerName || control == ui().CmbBuyerWW)
            fillBuyer(row, nullptr);
        else
            fillRecipient(row, FillAll);
        control->setFocus();
    }
    hideLookupList();
}

// --- Saving after a print ---------------------------------------------------------

bool AddressBookController::saveNewRecipient()
{
    MainFormUi &u = ui();
    const QStringList names = Fields::items(u.CmbSjrMc);
    const QStringList units = Fields::items(u.CmbSjdwMc);
    if (!AddressBook::isNewRecipient(u.CmbSjrMc->currentText(), names, u.CmbSjdwMc->currentText(), units))
        return true;

    QStringList values;
    for (const QString &control : AddressBook::recipientControls())
        values.append(Fields::text(m_form.findChild<QWidget *>(control)));
    const QString row = AddressBook::buildRow(values);
    const QString name = AddressBook::storedName(u.CmbSjrMc->currentText());
    const QString unit = AddressBook::storedName(u.CmbSjdwMc->currentText());
    try {
        TextTable::appendRow(m_form.paths().file(AddressBook::recipientFile()), row);
    } catch (const IoError &e) {
        // The book in memory stays as the file is.
        MessageService::instance().warn(e.message());
        return false;
    }
    m_form.recipientRows().append(row);

    // The combos keep mirroring the book index for index, empty names included.
    Fields::setItems(u.CmbSjrMc, names + QStringList{name});
    Fields::setItems(u.CmbSjdwMc, units + QStringList{unit});
    u.CmbSjrMc->setCurrentIndex(u.CmbSjrMc->count() - 1);
    u.CmbSjdwMc->setCurrentIndex(u.CmbSjdwMc->count() - 1);
    Fields::setTag(u.CmbBuyerName, -1);
    return true;
}

bool AddressBookController::saveGoodsDescription()
{
    QComboBox *combo = ui().CmbLetterWP;
    const QString text = combo->currentText();
    QStringList items = Fields::items(combo);
    if (text.isEmpty() || items.isEmpty() || items.contains(text))
        return true;
    items.append(text);
    Fields::setItems(combo, items);
    combo->setEditText(text);
    try {
        TextTable::save(m_form.paths().file(AddressBook::pickListOfCode(10)->file), items);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
        return false;
    }
    return true;
}

// --- Pick lists and the data window ------------------------------------------------

void AddressBookController::ensurePickList(QComboBox *combo)
{
    if (combo->count() > 0)
        return;
    const AddressBook::PickList *list = AddressBook::pickListOfCombo(combo->objectName());
    if (!list)
        return;
    try {
        const QString typed = combo->currentText();
        Fields::setItems(combo, TextTable::load(m_form.paths().file(list->file), list->defaultText));
        combo->setEditText(typed);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

void AddressBookController::reloadRecipients()
{
    m_form.recipientRows() = AddressBook::loadRecipients(m_form.paths());
    m_form.fillRecipientCombos();
    MainFormUi &u = ui();
    Fields::setItems(u.CmbBuyerName, AddressBook::column(m_form.recipients(), AddressBook::RecipientNameField));
    Fields::setItems(u.CmbBuyerWW, AddressBook::column(m_form.recipients(), AddressBook::RecipientNickField));
    Fields::setTag(u.CmbBuyerName, 0);
    hideLookupList();
    // Rows may have moved: what the fields show no longer belongs to a row.
    clearRecipient();
}

void AddressBookController::reloadSenders()
{
    MainFormUi &u = ui();
    const int defaultSender = u.CmbDefJjDw->currentIndex();
    const int saler = u.CmbSalerName->currentIndex();
    const int handler = u.CmbInputJbr->currentIndex();
    m_form.senderRows() = AddressBook::loadSenders(m_form.paths());
    m_form.fillSenderCombos();
    auto reselect = [](QComboBox *combo, int index) {
        const QSignalBlocker block(combo);
        if (index >= 0 && index < combo->count())
            combo->setCurrentIndex(index);
    };
    reselect(u.CmbDefJjDw, defaultSender);
    reselect(u.CmbSalerName, saler);
    reselect(u.CmbInputJbr, handler);
    if (defaultSender >= 0 && defaultSender < u.CmbDefJjDw->count()) {
        reselect(u.CmbJjDwMc, defaultSender);
        fillSender(defaultSender);
    }
}

void AddressBookController::dataSaved(int tableCode)
{
    try {
        if (tableCode == AddressBook::RecipientTableCode) {
            reloadRecipients();
        } else if (tableCode == AddressBook::SenderTableCode) {
            reloadSenders();
        } else if (const AddressBook::PickList *list = AddressBook::pickListOfCode(tableCode)) {
            if (auto combo = m_form.findChild<QComboBox *>(list->combo)) {
                const QString typed = combo->currentText();
                Fields::setItems(combo, {});
                combo->setEditText(typed);
            }
        }
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

// --- Events ---------------------------------------------------------------------------

bool AddressBookController::eventFilter(QObject *watched, QEvent *event)
{
    MainFormUi &u = ui();
    const QEvent::Type type = event->type();

    if (!watched->isWidgetType())
        return false;
    auto widget = static_cast<QWidget *>(watched);
    if (isLookupControl(watched)) {
        if (type == QEvent::FocusIn) {
            enterLookup(widget);
        } else if (type == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (watched == u.CmbSjdwMc && reason != Qt::PopupFocusReason)
                chooseByNumber(u.CmbSjdwMc);
        } else if (type == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            return lookupKey(widget, key->key());
        }
        return false;
    }

    if (type == QEvent::FocusIn) {
        if (watched == u.CmbJjDwMc || watched == u.CmbJjrMc) {
            hideLookupList();
        } else if (auto combo = qobject_cast<QComboBox *>(watched); combo && m_pickCombos.contains(combo)) {
            if (combo == u.CmbSjdwBm || combo == u.CmbSjrCw || combo == u.CmbSjrSy)
                hideLookupList();
            ensurePickList(combo);
        }
    } else if (type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason)
            return false;
        if (watched == u.EdtJjDwJbrQm)
            writeTemplateText(QStringLiteral("信函经办人"), u.EdtJjDwJbrQm->text());
        else if (watched == u.CmbLetterLy)
            writeTemplateText(QStringLiteral("默认留言"), u.CmbLetterLy->currentText());
    } else if (type == QEvent::MouseButtonDblClick && watched == u.EdtSjDwDz) {
        clearRecipient();
    } else if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        // Before the drop-down opens, by mouse or keyboard.
        if (watched == u.CmbDefJjDw)
            fitDropDownWidth(u.CmbDefJjDw);
        else if (watched == u.TabEmsPrn && type == QEvent::MouseButtonPress)
            hideLookupList();
    }
    return false;
}

} // namespace Slipdesk
