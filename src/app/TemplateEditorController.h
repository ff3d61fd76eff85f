#pragma once

#include <QObject>

namespace Slipdesk {

class TForm1;

// The item grid of the template tab with its in-cell editors, the overall offset fields and nudge buttons, and the express template options card.
class TemplateEditorController : public QObject
{
    Q_OBJECT
public:
    explicit TemplateEditorController(TForm1 &form);

    void selectCell();
    void gridClick();
    void refreshEditor();

private:
    TForm1 &m_form;
};

} // namespace Slipdesk
