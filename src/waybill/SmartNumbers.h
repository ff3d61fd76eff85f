#pragma once

#include "SmartLabels.h"

#include <QString>

// Telephone numbers and postcodes in copied order texts. Internal to the
// smart order reader.
namespace Slipdesk::Smart {

struct Found
{
    QString mobile;
    QString telephone; // area code, "-", number (and "-" extension)
    QString postcode;
    bool postcodeSeen = false;
};

// Takes mobiles, landlines and standalone postcodes out of `s` (a piece of
// kind `kind`), blanking what it took so that the rest reads as words; a
// telephone number glued to the word before it leaves kGlueMark at its
// place. Long digit runs that are none of them (order, tracking, identity
// numbers) are blanked too: they belong to no field.
void extractNumbers(QString &s, Kind kind, Found &found);

} // namespace Slipdesk::Smart
