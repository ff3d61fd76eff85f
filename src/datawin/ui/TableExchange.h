#pragma once

#include <QObject>

namespace Slipdesk {

class TFRMData;

// "导出(&O)" and "导入(&I)" of the data window: a range of the master grid
// written to a workbook by the program's own writer, and the seller order
// table read into the express queue's grid. Workbooks are read only
// through a spreadsheet program, which this machine may not have.
class TableExchange : public QObject
{
    Q_OBJECT
public:
    explicit TableExchange(TFRMData &window);

    void exportTable();
    void importTable();

private:
    void importOrders(const QString &file);
    void focusGrid();

    TFRMData &m_window;
};

} // namespace Slipdesk
