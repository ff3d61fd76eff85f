#pragma once

#include <QObject>

namespace Slipdesk {

class TForm1;

// Address books on the express and delivery tabs: the combo boxes that mirror the recipient and sender books, filling the fields from a chosen row, the look-up list while typing, saving a new recipient after a print, and the pick lists.
class AddressBookController : public QObject
{
    Q_OBJECT
public:
    explicit AddressBookController(TForm1 &form);

    void templateLoaded();
    void saveNewRecipient();
    void saveGoodsDescription();

private:
    TForm1 &m_form;
};

} // namespace Slipdesk
