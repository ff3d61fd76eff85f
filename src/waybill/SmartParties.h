#pragma once

#include <QString>

// The two people a copied text may name: the sender ("寄件人：…",
// "发件人：…") and the recipient ("收件人：…", "收货人：…"). Internal to the
// smart order reader.
namespace Slipdesk::Smart {

// The recipient's part of `text` (normalised). A text that names no sender
// is all the recipient's. Otherwise every block from a recipient's word to
// the next sender's word belongs to the recipient; without any recipient's
// word, only the text before the first sender's word does. Whatever follows
// a sender's word is the sender's, and never read.
QString recipientPart(const QString &text);

} // namespace Slipdesk::Smart
