#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The marketplace's seller order table (comma-separated text in GBK, one
// order per line after a header line) read into express batch rows.
namespace OrderImport {

// The delivery address "省 市 区 街道(邮编)" split into its parts.
struct Address
{
    QString province;
    QString city;
    QString district;
    QString postcode;
    QString street;
};
Address splitAddress(const QString &address);

// The express queue rows of the orders (37 cells each, the batch table's
// columns 昵称 … 加急费): order number, nickname, freight, amount, unit,
// recipient, the address parts (the city also as destination), phone,
// mobile and goods without their apostrophes; the rest empty. Lines with
// fewer fields give empty cells for the missing ones.
QList<QStringList> rows(const QByteArray &fileBytes);

// "淘宝订单表格" imported and saved to the express queue: the rows appended
// (each cleaned as a save cleans it). Returns how many. Throws IoError.
int appendToQueue(const Paths &paths, const QByteArray &fileBytes);

} // namespace OrderImport
} // namespace Slipdesk
