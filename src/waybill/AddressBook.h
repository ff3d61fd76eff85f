#pragma once

#include <QStringList>

namespace Slipdesk {

class Paths;

// The recipient and sender unit tables. The rows live in memory for the whole
// run; a missing file gives two sample rows and is not written until saved.
namespace AddressBook {

inline constexpr int RecipientUnitField = 8;
inline constexpr int RecipientNameField = 10;
inline constexpr int RecipientNickField = 17;
inline constexpr int SenderUnitField = 7;
inline constexpr int SenderNameField = 8;

QString recipientFile(); // "收件单位.TXT"
QString senderFile();    // "寄件单位.TXT"

QStringList recipientSamples();
QStringList senderSamples();

QStringList loadRecipients(const Paths &paths);
QStringList loadSenders(const Paths &paths);

// The given field of every row, index for index (combo box items).
QStringList column(const QStringList &rows, int field);

} // namespace AddressBook
} // namespace Slipdesk
