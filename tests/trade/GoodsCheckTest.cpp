#include "trade/GoodsCheck.h"

#include "context/AppContext.h"
#include "storage/Codec.h"
#include "support/TempDir.h"
#include "trade/DeliveryQueue.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

TradeNote noteWith(NoteKind kind, const QList<QStringList> &rows)
{
    TradeNote note {kind, {}, GoodsTable::emptyRows(5)};
    note.values.insert(TradeNote::templateControl(kind),
        kind == NoteKind::Delivery ? QStringLiteral("出库发货单") : QStringLiteral("采购入库单"));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            note.goods[r][c + 1] = rows.at(r).at(c);
    return note;
}

} // namespace

// The columns 1–9 of each row as the goods file gives them.
TEST(GoodsCheck, TheFirstNumberThatDoesNotReadIsNamedWithItsRowAndColumn)
{
    struct Case
    {
        NoteKind kind;
        QList<QStringList> rows;
        GoodsCheck::Action action;
        QString refusal;
    };
    const QString code = QStringLiteral("0101");
    const QString name = QStringLiteral("手机");
    const QString unit = QStringLiteral("个");
    const QList<Case> cases {
        {NoteKind::Delivery, {{code, name, unit, QStringLiteral("2"), QStringLiteral("1,500.00")}},
            GoodsCheck::Action::Print, QString()},
        // Empty cells read as 0, as the grid reads them; blanks around a number are allowed.
        {NoteKind::Delivery, {{code, name, unit, QString(), QString(), QString(), QString(), QString()}},
            GoodsCheck::Action::Print, QString()},
        {NoteKind::Delivery, {{code, name, unit, QStringLiteral(" 2.5 "), QStringLiteral("-3")}},
            GoodsCheck::Action::Print, QString()},
        {NoteKind::Delivery,
            {{code, name, unit, QStringLiteral("1"), QStringLiteral("1500")},
                {code, name, unit, QStringLiteral("abc"), QStringLiteral("1500")}},
            GoodsCheck::Action::Print, QStringLiteral("第2行商品的数量“abc”不是有效的数字，请改正后再打印。")},
        {NoteKind::Delivery, {{code, name, unit, QStringLiteral("1,000")}}, GoodsCheck::Action::Save,
            QStringLiteral("第1行商品的数量“1,000”不是有效的数字，请改正后再保存。")},
        {NoteKind::Delivery, {{code, name, unit, QStringLiteral("1"), QStringLiteral("十五")}},
            GoodsCheck::Action::Print, QStringLiteral("第1行商品的售价“十五”不是有效的数字，请改正后再打印。")},
        {NoteKind::Delivery, {{code, name, unit, QStringLiteral("1"), QStringLiteral("15"), QStringLiteral("x")}},
            GoodsCheck::Action::Print, QStringLiteral("第1行商品的金额“x”不是有效的数字，请改正后再打印。")},
        {NoteKind::Delivery,
            {{code, name, unit, QStringLiteral("1"), QStringLiteral("15"), QString(), QString(),
                QStringLiteral("12元")}},
            GoodsCheck::Action::Print, QStringLiteral("第1行商品的进价“12元”不是有效的数字，请改正后再打印。")},
        // The inbound grid has its prices the other way round.
        {NoteKind::Inbound, {{code, name, unit, QStringLiteral("10"), QStringLiteral("12元")}},
            GoodsCheck::Action::Print, QStringLiteral("第1行商品的进价“12元”不是有效的数字，请改正后再打印。")},
        {NoteKind::Inbound,
            {{code, name, unit, QStringLiteral("10"), QStringLiteral("12"), QString(), QString(),
                QStringLiteral("n/a")}},
            GoodsCheck::Action::Print, QStringLiteral("第1行商品的售价“n/a”不是有效的数字，请改正后再打印。")},
        // A named row without a code is printed in no table but queued: checked too.
        {NoteKind::Delivery, {{QString(), QStringLiteral("赠品"), unit, QStringLiteral("一")}},
            GoodsCheck::Action::Save, QStringLiteral("第1行商品的数量“一”不是有效的数字，请改正后再保存。")},
        // A row without code or name is no goods row.
        {NoteKind::Delivery, {{QString(), QString(), QString(), QStringLiteral("abc")}}, GoodsCheck::Action::Print,
            QString()},
    };
    for (const Case &c : cases) {
        const QString got = GoodsCheck::refusal(noteWith(c.kind, c.rows), c.action);
        EXPECT_EQ(got, c.refusal) << got.toStdString();
    }
    EXPECT_EQ(GoodsCheck::gridControl(NoteKind::Delivery), QStringLiteral("SGGoods"));
    EXPECT_EQ(GoodsCheck::gridControl(NoteKind::Inbound), QStringLiteral("SgInput"));
}

// "批打保存" of such a note queues nothing and reserves nothing.
TEST(GoodsCheck, AQueueSaveIsRefusedAndChangesNothing)
{
    TempDir dir;
    dir.write(QStringLiteral("商品资料.TXT"), Codec::encode(QStringLiteral("0101,手机,个,10,1500,,1200,,0\r\n")));
    AppContext context {Paths(dir.path())};
    const TradeNote note = noteWith(NoteKind::Delivery,
        {{QStringLiteral("0101"), QStringLiteral("手机"), QStringLiteral("个"), QStringLiteral("abc")}});
    const DeliveryQueue::SaveResult result = DeliveryQueue::save(context, note, QDateTime::currentDateTime());
    EXPECT_EQ(result.failed, QStringList {QStringLiteral("第1行商品的数量“abc”不是有效的数字，请改正后再保存。")});
    EXPECT_TRUE(result.saved.isEmpty());
    EXPECT_TRUE(result.key.isEmpty());
    EXPECT_FALSE(dir.exists(QStringLiteral("批打数据/出库发货单.TSK")));
    EXPECT_FALSE(dir.exists(QStringLiteral("批打数据/出库发货单发货清单.TSK")));
    EXPECT_EQ(
        dir.read(QStringLiteral("商品资料.TXT")), Codec::encode(QStringLiteral("0101,手机,个,10,1500,,1200,,0\r\n")));
}
