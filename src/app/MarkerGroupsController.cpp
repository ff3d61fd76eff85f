#include "MarkerGroupsController.h"

#include "app/TForm1.h"

namespace Slipdesk {

MarkerGroupsController::MarkerGroupsController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("MarkerGroupsController"));
}

void MarkerGroupsController::templateLoaded() {}

void MarkerGroupsController::saveLastStates() {}

QString MarkerGroupsController::logText() const
{
    return {};
}

QString MarkerGroupsController::batchText() const
{
    return {};
}

} // namespace Slipdesk
