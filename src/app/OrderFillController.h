#pragma once

#include <QObject>

namespace Slipdesk {

class TForm1;

// One-click fill of the recipient fields from copied order text, with the address-format choice.
class OrderFillController : public QObject
{
    Q_OBJECT
public:
    explicit OrderFillController(TForm1 &form);

    void templateLoaded();
    void mouseLeave();
    void mouseEnter();
    void click();

private:
    TForm1 &m_form;
};

} // namespace Slipdesk
