#pragma once

#include <QObject>

namespace Slipdesk {

class TFRMData;

// "导出(&O)" and "导入(&I)" of the data window: a range of the master grid
// written to a workbook (.xlsx directly; .xls through the spreadsheet
// program, else by the own writer), a workbook's first sheet read through
// the spreadsheet program, and the seller order table read into the
// express queue's grid without one.
class TableExchange : public QObject
{
    Q_OBJECT
public:
    explicit TableExchange(TFRMData &window);

    void exportTable();
    void importTable();

private:
    void importOrders(const QString &file);
    void importWorkbook(const QString &file);
    void focusGrid();

    TFRMData &m_window;
};

} // namespace Slipdesk
