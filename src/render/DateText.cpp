#include "render/DateText.h"

#include <QStringList>

namespace Slipdesk {

namespace {

const QString kCapitalDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");

const QStringList &longMonths()
{
    static const QStringList table
        = QStringLiteral("零壹,零贰,零叁,零肆,零伍,零陆,零柒,零捌,零玖,零壹拾,壹拾壹,壹拾贰").split(u',');
    return table;
}

const QStringList &shortMonths()
{
    static const QStringList table = QStringLiteral("零壹,零贰,叁,肆,伍,陆,柒,捌,玖,零壹拾,壹拾壹,壹拾贰").split(u',');
    return table;
}

const QStringList &capitalDays()
{
    static const QStringList table
        = QStringLiteral("零壹,零贰,零叁,零肆,零伍,零陆,零柒,零捌,零玖,零壹拾,"
                         "壹拾壹,壹拾贰,壹拾叁,壹拾肆,壹拾伍,壹拾陆,壹拾柒,壹拾捌,壹拾玖,零贰拾,"
                         "贰拾壹,贰拾贰,贰拾叁,贰拾肆,贰拾伍,贰拾陆,贰拾柒,贰拾捌,贰拾玖,零叁拾,"
                         "叁拾壹")
              .split(u',');
    return table;
}

} // namespace

QString shortDate(const QDate &date)
{
    // Fixed, not the locale's: logs store dates in this form and sort by it.
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString longTime(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm:ss")) : QString();
}

DatePieces splitDate(const QString &dateText)
{
    const QStringList parts = dateText.split(u'-');
    DatePieces pieces;
    pieces.year = parts.value(0);
    pieces.month = parts.value(1);
    pieces.day = parts.value(2);
    return pieces;
}

DatePieces datePieces(const QDate &date)
{
    return splitDate(shortDate(date));
}

QString dateItemText(const QDate &date, int format)
{
    const DatePieces p = datePieces(date);
    if (p.year.isEmpty())
        return {};
    switch (format) {
    case DateDashed:
        return shortDate(date);
    case DateChinese:
        return p.year + u"年" + p.month + u"月" + p.day + u"日";
    case DateDayFirst:
        return p.day + u'/' + p.month + u'/' + p.year;
    default:
        return {};
    }
}

QString capitalMonth(int month, bool shortTable)
{
    const QStringList &table = shortTable ? shortMonths() : longMonths();
    return month >= 1 && month <= 12 ? table.at(month - 1) : QString();
}

QString capitalDay(int day)
{
    return day >= 1 && day <= 31 ? capitalDays().at(day - 1) : QString();
}

DatePieces capitalDatePieces(const QDate &date, bool shortMonths)
{
    DatePieces pieces;
    if (!date.isValid())
        return pieces;
    for (QChar c : datePieces(date).year) {
        if (c >= u'0' && c <= u'9')
            pieces.year.append(kCapitalDigits[c.unicode() - u'0']);
    }
    pieces.month = capitalMonth(date.month(), shortMonths);
    pieces.day = capitalDay(date.day());
    return pieces;
}

QString dateCapitals(const QDate &date, bool shortMonths, bool withDashes)
{
    const DatePieces p = capitalDatePieces(date, shortMonths);
    if (p.year.isEmpty())
        return {};
    if (withDashes)
        return p.year + u'-' + p.month + u'-' + p.day;
    return p.year + u"年" + p.month + u"月" + p.day + u"日";
}

} // namespace Slipdesk
