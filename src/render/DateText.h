#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace Slipdesk {

// Dates and times as the program writes them into files and onto forms:
// "yyyy-MM-dd" and "hh:mm:ss" everywhere, whatever the system locale says,
// the date item's printed shapes, and dates in Chinese capitals.

QString shortDate(const QDate &date); // "2010-05-04"; empty for an invalid date
QString longTime(const QTime &time); // "08:03:09"

// A date text split at "-"; pieces that are missing stay empty.
struct DatePieces
{
    QString year;
    QString month;
    QString day;
};
DatePieces splitDate(const QString &dateText);
DatePieces datePieces(const QDate &date); // splitDate(shortDate(date))

// The date item's formats, the index of the format menu.
enum DateFormat {
    DateSpaced = 0, // "2007 07 30", pieces in their boxes
    DateDashed = 1, // "2007-07-30"
    DateChinese = 2, // "2007年07月30日"
    DateMonthDay = 3, // "07 30", at the spaced format's places
    DateDayFirst = 4, // "30/07/2007"
};
// The one-string text of formats 1, 2 and 4; empty for the split formats
// 0 and 3 and for unknown formats.
QString dateItemText(const QDate &date, int format);

// Capitals: month 1 … 12 from the long table ("零壹" … "零玖", "零壹拾",
// "壹拾壹", "壹拾贰") or the short one (which writes March to September with a
// single character), day 1 … 31 ("零壹", "零壹拾", "壹拾壹", "零贰拾", "叁拾壹").
// Empty outside those ranges.
QString capitalMonth(int month, bool shortTable = false);
QString capitalDay(int day);
// Year digit by digit ("贰零壹零"), month and day from the tables.
DatePieces capitalDatePieces(const QDate &date, bool shortMonths = false);
// year + "年" + month + "月" + day + "日", or the pieces joined by "-".
QString dateCapitals(const QDate &date, bool shortMonths = false, bool withDashes = false);

} // namespace Slipdesk
