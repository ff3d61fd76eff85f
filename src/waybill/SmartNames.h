#pragma once

#include <QStringView>

// What reads as a recipient's name in copied order texts. Internal to the
// smart order reader.
namespace Slipdesk::Smart {

// A common surname (single or compound) and one to three characters,
// `maxLength` in all, nothing that belongs to an address or a shop.
bool isCommonName(QStringView word, int maxLength = 4);

// Any personal name, by shape only: two to four Chinese characters with no
// place, shop or chat word in them, or a transcribed name whose parts are
// joined by "·" ("买买提·艾力"). Trusted only where a name is expected: a
// word standing apart after the address, alone in a field, or first.
bool hasNameShape(QStringView word);

// `word` without a trailing receiving mark ("张三收" → "张三") when what is
// left has a name's shape; `word` itself otherwise.
QStringView withoutReceivingMark(QStringView word);

} // namespace Slipdesk::Smart
