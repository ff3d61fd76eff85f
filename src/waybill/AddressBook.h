#pragma once

#include "waybill/WaybillForm.h"

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
QString senderFile(); // "寄件单位.TXT"

QStringList recipientSamples();
QStringList senderSamples();

QStringList loadRecipients(const Paths &paths);
QStringList loadSenders(const Paths &paths);

// The given field of every row, index for index (combo box items).
QStringList column(const QStringList &rows, int field);

// The express-tab controls of the recipient fields 0-21 and of the sender
// fields 0-20, in field order.
const QStringList &recipientControls();
const QStringList &senderControls();

// A name as the book stores it: commas, line breaks and spaces removed.
QString storedName(QString text);
// Whether `items` (a column of the book) holds `text` in the form the book
// stores it: a buyer typed "张 三" is the book's "张三".
bool holdsName(const QStringList &items, const QString &text);

// Whether the recipient on screen is not yet in the book: a non-empty name
// the name list does not hold, or else a non-empty unit the unit list does
// not hold, both compared in their stored form (see holdsName).
bool isNewRecipient(
    const QString &nameText, const QStringList &nameItems, const QString &unitText, const QStringList &unitItems);

// A book row from field values: commas and line breaks removed from each
// value (a line break would split the row in two), joined by ",", and then
// every space removed from the whole row.
QString buildRow(const QStringList &values);

// The five pick lists of the express tab, with their data-window table codes.
struct PickList
{
    int tableCode;
    QString file;
    WaybillField combo;
    QString defaultText;
    QString header;
    QString menuEntry;
};
const QList<PickList> &pickLists();
const PickList *pickListOfCombo(const QString &comboName);
const PickList *pickListOfCode(int tableCode);

} // namespace AddressBook
} // namespace Slipdesk
