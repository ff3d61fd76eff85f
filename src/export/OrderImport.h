#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace Slipdesk {

class Paths;

// Marketplace order tables read into express batch rows: the seller order
// table "淘宝订单表格" by the positions of its 24 columns, and the order
// exports of the other marketplaces by the names in their header row
// (orders/headers.tsv). Text tables may be UTF-8 (with or without a
// byte-order mark) or GBK, separated by commas or tabs; quoted fields keep
// their commas, blanks and line breaks.
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

// What an order table gives one waybill.
struct Order
{
    QString number; // 订单号
    QString nickname;
    QString recipient;
    QString unit; // 收件单位名称
    QString telephone;
    QString mobile;
    QString province;
    QString city;
    QString destination;
    QString district;
    QString street;
    QString postcode;
    QString goods;
    QString amount;
    QString freight;
};

// The express queue row of an order (37 cells, the batch table's columns
// 昵称 … 加急费); the columns an order does not fill stay empty. Every
// import goes through here.
QStringList queueCells(const Order &order);

// The text of a table file: UTF-8 when it starts with the byte-order mark or
// is valid UTF-8 throughout, else GBK (GB18030) when it is valid as such;
// nothing when it is neither. `encoding` gets "UTF-8" or "GBK".
std::optional<QString> decodeText(QByteArrayView bytes, QString *encoding = nullptr);

// What an import read: the layout it recognised and the queue rows, or why
// it read nothing.
struct Imported
{
    QString layout; // "淘宝订单表格", "京东", …
    QString encoding; // of a text table
    QList<QStringList> rows; // queue cells, one row per order
    QString refusal; // set: nothing may be added
    bool ok() const { return refusal.isEmpty(); }
};

// The seller order table "淘宝订单表格" by position, its header line
// skipped unread: order number, nickname, freight, amount, unit, recipient,
// the address parts (the city also as destination), phone, mobile and
// goods without their apostrophes. Records with fewer fields give empty
// cells for the missing ones. A line break inside a field becomes a blank.
Imported readSellerTable(const QByteArray &fileBytes);

// Any order table, its layout recognised from its header: the seller order
// table by position when its header names its columns where that table has
// them, else the marketplace layout that finds the most of its columns by
// name. An unknown header is refused, naming the columns not found.
Imported readOrderTable(const QByteArray &fileBytes);
// The same for the rows of a sheet (the header first).
Imported readOrderRecords(const QList<QStringList> &records);
// A file: .xlsx, .xls and .ods through the spreadsheet program (its first
// sheet), any other file as a text table. `poll` runs while the program works.
Imported readOrderFile(const QString &fileName, const std::function<void()> &poll = {});

// The seller order table's queue rows (readSellerTable(…).rows).
QList<QStringList> rows(const QByteArray &fileBytes);

// The rows appended to the express queue, each cleaned as the data window's
// save cleans it, in one write. Returns how many. Throws IoError.
int appendToQueue(const Paths &paths, const QList<QStringList> &rows);

// The seller order table's rows appended (nothing for a refused table).
int appendToQueue(const Paths &paths, const QByteArray &fileBytes);

} // namespace OrderImport
} // namespace Slipdesk
