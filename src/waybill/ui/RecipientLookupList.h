#pragma once

#include "waybill/RecipientLookup.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class QComboBox;
class QListWidget;
class QWidget;

namespace Slipdesk {

class AppContext;

// The look-up list "LboxCmbQuery" of the recipient book: typing in an
// attached field lists the matching rows under it; Up, Down and Enter or a
// click take one. The express tab's recipient fields and the delivery tab's
// buyer fields share it.
class RecipientLookupList : public QObject
{
    Q_OBJECT
public:
    // The list is a pop-up over `area` (the window's central widget).
    RecipientLookupList(AppContext &context, QWidget *area, QObject *parent);

    QListWidget *list() const { return m_list; }

    struct Control
    {
        QWidget *widget = nullptr;
        int field = RecipientLookup::NameField;
        // A row of the book taken from the list (Enter or a click).
        std::function<void(int row)> take;
        // Combo boxes: an item chosen by the drop-down, by typing its exact
        // text, or by typing its row number and Enter.
        std::function<void(int index)> closeUp;
        // Leaving the field takes a typed row number.
        bool numberOnLeave = false;
    };
    void attach(const Control &control);
    // The list is as wide as this control.
    void setWidthReference(QWidget *widget) { m_widthReference = widget; }

    void hide();
    bool isVisible() const;
    // The control the user typed a look-up in last (null before the first)
    // and the book column it searches.
    QWidget *lookupControl() const { return m_current; }
    int lookupField() const { return m_currentField; }
    // Every match of the last look-up; the list holds the first of them and
    // takes more as the user scrolls down.
    int matchCount() const { return int(m_found.size()); }
    bool loadMoreItems();

Q_SIGNALS:
    // Enter moved the focus on from a look-up field: other pop-ups close too.
    void focusMovingOn();

private:
    const Control *controlOf(const QObject *widget) const;
    void enter(const Control &control);
    void textEdited(const Control &control, const QString &text);
    void show(const Control &control, const QList<int> &found);
    void prepareBook();
    bool key(const Control &control, int key);
    bool chooseByNumber(const Control &control);
    void moveFocusOn(QWidget *widget);
    void takeItem();

    AppContext &m_context;
    QWidget *m_area;
    QListWidget *m_list;
    QWidget *m_widthReference = nullptr;
    RecipientLookup m_lookup;
    QList<Control> m_controls;
    QWidget *m_current = nullptr;
    int m_currentField = -1;
    // The rows of the last look-up, and the book they index (the list items
    // are built from it as they are put into the list).
    QList<int> m_found;
    QStringList m_foundIn;
};

} // namespace Slipdesk
