#pragma once

#include "waybill/RecipientLookup.h"

#include <QObject>
#include <QStringList>

class QComboBox;
class QListWidget;
class QWidget;

namespace Slipdesk {

class TForm1;
class MainFormUi;

// Address books on the express and delivery tabs: the combo boxes that mirror the recipient and sender books, filling the fields from a chosen row, the look-up list while typing, saving a new recipient after a print, and the pick lists.
class AddressBookController : public QObject
{
    Q_OBJECT
public:
    // Which recipient field a fill leaves alone: the one the user is choosing in.
    enum FillMode { KeepName = 0, KeepUnit = 1, FillAll = -1 };

    explicit AddressBookController(TForm1 &form);

    // After a template's settings are in the controls: its default sender,
    // handler and default message (express templates only).
    void templateLoaded();
    // After a printed waybill: appends a recipient the book does not know yet.
    // False when writing the book failed (the user has been told).
    bool saveNewRecipient();
    // After a printed waybill: keeps a new goods description in its pick list.
    bool saveGoodsDescription();

    // Recipient fields from book row `row`; a row out of range empties them.
    void fillRecipient(int row, int mode);
    // Sender fields from book row `row`; a row out of range changes nothing.
    void fillSender(int row);
    // The delivery tab's buyer fields from book row `row`, leaving `chosenIn`
    // (the buyer combo the row was chosen in, or null) alone; a row out of
    // range empties them.
    void fillBuyer(int row, QComboBox *chosenIn);
    // Empties the recipient and goods fields; refused (false) during a batch run.
    bool clearRecipient();
    // Loads a pick-list combo from its file (or its defaults) when it is empty.
    void ensurePickList(QComboBox *combo);
    // The data window saved table `tableCode`: reload what mirrors it.
    void dataSaved(int tableCode);

    // The control the user typed a look-up in last (null before the first).
    QWidget *lookupControl() const { return m_lookupControl; }
    void hideLookupList();
    // Every match of the last look-up; the list holds the first of them and
    // takes more as the user scrolls down.
    int lookupMatchCount() const;
    bool loadMoreItems();

Q_SIGNALS:
    // A menu entry asked for the data window on a table: 3 recipients,
    // 5 senders, 7-11 the pick lists.
    void dataWindowRequested(int tableCode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MainFormUi &ui() const;
    bool isLookupControl(const QObject *object) const;
    int lookupField(const QWidget *control) const;
    void enterLookup(QWidget *control);
    void lookupTextEdited(QWidget *control, const QString &text);
    void showLookupList(QWidget *control, const QStringList &items);
    bool lookupKey(QWidget *control, int key);
    void takeListItem();
    void closeUp(QComboBox *combo, int index);
    bool chooseByNumber(QComboBox *combo);
    void moveFocusOn(QWidget *control);
    void fitDropDownWidth(QComboBox *combo);
    void writeTemplateText(const QString &key, const QString &value);
    void reloadRecipients();
    void reloadSenders();

    TForm1 &m_form;
    RecipientLookup m_lookup;
    QWidget *m_lookupControl = nullptr;
    QList<QWidget *> m_lookupControls;
    QList<QComboBox *> m_pickCombos;
    QStringList m_matches;
};

} // namespace Slipdesk
