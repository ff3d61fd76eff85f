#include "FormatMenus.h"

namespace Slipdesk::FormatMenus {

QStringList entries(int which)
{
    switch (which) {
    case 0:
        return {QStringLiteral("1、2007 07 30"), QStringLiteral("2、2007-07-30"), QStringLiteral("3、2007年07月30日"),
            QStringLiteral("4、07 30"), QStringLiteral("5、30/07/2007")};
    case 1:
        return {QStringLiteral("1、支票金额全打 100.01  壹佰元零壹分"),
            QStringLiteral("2、发票金额套打 100     ※(仟)壹(佰)零(拾)零(元)"),
            QStringLiteral("3、发票金额套打 100.01 ※(仟)壹(佰)零(拾)零(元)零(角)壹(分)"),
            QStringLiteral("4、发票金额套打 100.1  ※(仟)壹(佰)零(拾)零(元)零(角)")};
    case 2:
        return {QStringLiteral("1、支票金额全打 100.01  壹佰元零壹分"),
            QStringLiteral("2、发票金额套打 100    ※(仟)壹(佰)零(拾)零(元)"),
            QStringLiteral("3、发票金额套打 100.01 ※(仟)壹(佰)零(拾)零(元)零(角)壹(分)"),
            QStringLiteral("4、发票金额套打 100.1  ※(仟)壹(佰)零(拾)零(元)零(角)")};
    default:
        // The fourth format prints yuan and jiao only, as for the other two
        // amounts, so its example reads 100.1.
        return {QStringLiteral("1、支票金额全打 100.01  壹佰元零壹分"),
            QStringLiteral("2、发票金额套打 100     ※(仟)壹(佰)零(拾)零(元)"),
            QStringLiteral("3、发票金额套打 100.01 ※(仟)壹(佰)零(拾)零(元)零(角)壹(分)"),
            QStringLiteral("4、发票金额套打 100.1  ※(仟)壹(佰)零(拾)零(元)零(角)")};
    }
}

QString settingsKey(int which)
{
    switch (which) {
    case 0:
        return QStringLiteral("信函日期打印格式");
    case 1:
        return QStringLiteral("金额大写打印格式");
    case 2:
        return QStringLiteral("代收货款大写打印格式");
    default:
        return QStringLiteral("保价金额大写打印格式");
    }
}

} // namespace Slipdesk::FormatMenus
