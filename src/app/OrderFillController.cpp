#include "OrderFillController.h"

#include "app/TForm1.h"

namespace Slipdesk {

OrderFillController::OrderFillController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("OrderFillController"));
}

void OrderFillController::templateLoaded() {}

void OrderFillController::mouseLeave() {}

void OrderFillController::mouseEnter() {}

void OrderFillController::click() {}

} // namespace Slipdesk
