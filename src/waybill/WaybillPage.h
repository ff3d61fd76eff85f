#pragma once

#include "templates/ItemTable.h"
#include "waybill/WaybillForm.h"

#include <QStringList>
#include <QTime>

namespace Slipdesk {

class Drawing;
class TemplateSettings;

// One express waybill drawn from the entry fields of the express tab with the
// current template: used by printing, the print test and every preview paint.
namespace WaybillPage {

// Print formats kept with the template (date, amount, cash on delivery and
// insured value capitals).
struct Formats
{
    int date = 0;
    int amount = 1;
    int cod = 0;
    int insured = 0;
};

// The formats a template keeps.
Formats formatsOf(const TemplateSettings &settings);

// Draws every item switched to "打印", in the fixed order of the waybill's
// items (not the template's row order); black while printing, blue in a
// preview. `now` gives the hour of "信函时点".
void draw(
    Drawing &drawing, const ItemTable &table, const FieldValues &values, const Formats &formats, const QTime &now);

} // namespace WaybillPage
} // namespace Slipdesk
