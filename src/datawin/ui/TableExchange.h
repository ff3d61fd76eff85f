#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

namespace Slipdesk {

class TFRMData;

// "导出(&O)" and "导入(&I)" of the data window: a range of the master grid
// written to a workbook (.xlsx directly; .xls through the spreadsheet
// program, else by the own writer), a workbook's first sheet read through
// the spreadsheet program, and marketplace order tables (the seller order
// table by position, the others by their header names) read into the
// express queue's grid.
class TableExchange : public QObject
{
    Q_OBJECT
public:
    explicit TableExchange(TFRMData &window);

    void exportTable();
    void importTable();

private:
    void importOrders(const QString &file);
    void importMarketOrders(const QString &file);
    void appendOrders(const QList<QStringList> &rows);
    void importWorkbook(const QString &file);
    void focusGrid();

    TFRMData &m_window;
};

} // namespace Slipdesk
