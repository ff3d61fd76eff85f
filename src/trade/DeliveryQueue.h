#pragma once

#include "context/PostingResult.h"
#include "trade/TradeNote.h"

#include <QDateTime>
#include <QSet>

namespace Slipdesk {

class AppContext;
class Paths;

// The delivery batch of a template: notes prepared in advance, their goods
// reserved as pending quantities, printed later in one run. The note lines
// and their goods lines live in two files; a note's goods lines are found
// by template and batch key (their first two fields).
namespace DeliveryQueue {

// "批打数据/" + template + ".TSK" and "批打数据/" + template + "发货清单.TSK".
QString file(const Paths &paths, const QString &templateName);
QString goodsFile(const Paths &paths, const QString &templateName);

// The batch key of a note saved at `now`: date "+" time. When `taken` (the
// keys of the template's queued notes and goods lines) already holds it, the
// time moves on by whole seconds until the key is free: two notes saved in
// one second must never share their goods lines.
QString key(const QDateTime &now, const QSet<QString> &taken);
// The keys the batch files of `templateName` use, in either file.
QSet<QString> takenKeys(const Paths &paths, const QString &templateName);

// The note line (template, key, the buyer fields, the postage) and the goods
// lines (template, key, columns 1-9 of every row with a name), each value
// without ",", every blank removed from each line.
QString noteLine(const TradeNote &note, const QString &key);
QStringList goodsLines(const TradeNote &note, const QString &key);

struct SaveResult : PostingResult
{
    QString key; // the batch key the note got
    TradeNote note; // the note as saved, its amounts and totals recomputed
};
// "批打保存": amounts and totals recomputed, the note line and its goods
// lines appended (each file in one write, created when missing), then the
// pending quantity of every goods row with a code raised by its quantity and
// the goods master saved. The goods lines are written before the note line,
// so that a note in the queue never lacks its goods.
SaveResult save(AppContext &context, TradeNote note, const QDateTime &now);

// What loading queue row `cells` (the 12 stored fields) puts into the tab:
// the buyer fields and the postage without "," and blanks.
FieldValues noteValues(const QStringList &cells);
// The goods rows of a queued note from its goods lines, fields from the third
// on into columns 1-9, numbered from 1.
GoodsRows noteGoods(const QStringList &goodsLines);

} // namespace DeliveryQueue
} // namespace Slipdesk
