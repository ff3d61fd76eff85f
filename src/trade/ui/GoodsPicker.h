#pragma once

#include <QObject>

class QTableWidget;
class QWidget;

namespace Slipdesk {

// The goods picker "SgQuery": a pop-up list of goods lines over the window,
// shared by both goods grids.
class GoodsPicker : public QObject
{
    Q_OBJECT
public:
    GoodsPicker(QWidget *area, QObject *parent);

    QTableWidget *table() const { return m_table; }
    void hide();

private:
    QTableWidget *m_table;
};

} // namespace Slipdesk
