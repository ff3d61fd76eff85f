#pragma once

#include "waybill/OrderResult.h"

#include <QString>
#include <QStringView>

// Addresses in copied order texts: where one begins, how it divides into
// province, city, district and street. Internal to the smart order reader.
namespace Slipdesk::Smart {

// Whether some division begins at `pos` (the start of an address). A short
// form counts only before a division below it or at the end: "无锡 滨湖" is
// an address, "朝阳门内大街" is no city 朝阳.
bool divisionStartsAt(QStringView s, qsizetype pos);

// Whether `s` holds a character of a street address (路, 号, 村, 室 …).
bool hasStreetMark(QStringView s);

// Characters after which a street part of an address ends and a name may
// begin ("湖滨路8号钱七收"); before a glued phone number also a house
// number or a building (endsStreetBeforeNumber: "…3单元502陆小凤138…",
// "…花园陆小凤138…").
bool endsStreetPart(QChar c);
bool endsStreetBeforeNumber(QChar c);

// Chat words in front of a labelled address ("改一下 广西桂林市…",
// "改成广西…"): how many characters to cut, 0 when the address begins with
// a division or no division follows closely.
qsizetype chatBeforeDivision(QStringView address);

// Province, city, district, destination and street of `address`; false
// (and `r` unchanged) when it begins with no known division.
bool splitAddress(const QString &address, OrderResult &r);

} // namespace Slipdesk::Smart
