#include "AddressBookController.h"

#include "app/TForm1.h"

namespace Slipdesk {

AddressBookController::AddressBookController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("AddressBookController"));
}

void AddressBookController::templateLoaded() {}

void AddressBookController::saveNewRecipient() {}

void AddressBookController::saveGoodsDescription() {}

} // namespace Slipdesk
