#pragma once

#include <QObject>

namespace Slipdesk {

class TForm1;

// The three groups of user-named marker boxes on the express tab: captions, exclusivity and last state per template.
class MarkerGroupsController : public QObject
{
    Q_OBJECT
public:
    explicit MarkerGroupsController(TForm1 &form);

    void templateLoaded();
    void saveLastStates();
    QString logText() const;
    QString batchText() const;

private:
    TForm1 &m_form;
};

} // namespace Slipdesk
