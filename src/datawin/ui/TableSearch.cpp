#include "TableSearch.h"

#include "datawin/DataTable.h"
#include "platform/MessageService.h"

namespace Slipdesk::TableSearch {

void find(const DataTable &table, int column, int selected, MessageService &messages,
    const std::function<void(int row)> &select)
{
    if (!table.hasData())
        return;
    QString input;
    if (!messages.prompt(
            QStringLiteral("当前数据列[") + table.header().value(column) + QStringLiteral("]，请输入要查找的内容"),
            input))
        return;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (!table.matches(row, column, input))
            continue;
        select(row);
        selected = row;
        if (!messages.confirm(QStringLiteral("已经找到,是否继续查找？")))
            return;
    }
    messages.info(selected != table.rowCount() - 1 ? QStringLiteral("没有找到！") : QStringLiteral("查找结束！"));
}

void check(const DataTable &table, int column, MessageService &messages, const std::function<void(int row)> &select)
{
    if (!table.hasData())
        return;
    const QString header = table.header().value(column);
    DataTable::DuplicateScan scan(table, column);
    while (const auto pair = scan.next()) {
        select(pair->first);
        const QString text = QStringLiteral("序号为：") + QString::number(pair->first + 1) + QStringLiteral("和")
            + QString::number(pair->second + 1) + QStringLiteral("的记录 ") + header
            + QStringLiteral(" 数据列存在重复内容！\r\n\r\n是否继续检查？");
        if (messages.ask(text, true, MessageService::Icon::Warning) != MessageService::Answer::Yes)
            return;
    }
    if (!scan.foundAny())
        messages.info(QStringLiteral("[") + header + QStringLiteral("]数据列没有发现重复的内容。"));
}

} // namespace Slipdesk::TableSearch
