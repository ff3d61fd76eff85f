#include "TemplateEditorController.h"

#include "app/TForm1.h"

namespace Slipdesk {

TemplateEditorController::TemplateEditorController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("TemplateEditorController"));
}

void TemplateEditorController::selectCell() {}

void TemplateEditorController::gridClick() {}

void TemplateEditorController::refreshEditor() {}

} // namespace Slipdesk
