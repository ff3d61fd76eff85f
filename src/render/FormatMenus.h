#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk::FormatMenus {

// The print-format choices of the waybill's date and capital-amount items,
// kept per template. Which: 0 date ("信函日期打印格式"), 1 amount ("金额大写打印格式"),
// 2 cash on delivery ("代收货款大写打印格式"), 3 insured value ("保价金额大写打印格式").
QStringList entries(int which);
QString settingsKey(int which);

} // namespace Slipdesk::FormatMenus
