#include "trade/GoodsSearch.h"
#include "trade/GoodsMaster.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

using Positions = QList<int>;

// The sample lines plus what the user types against them.
TEST(GoodsSearchTest, MatchesCodeOrNameInGoodsOrder)
{
    GoodsSearch search;
    QStringList lines = GoodsMaster::samples();
    lines.append(QStringLiteral("ab12,Cable,根,5,9.9,,7,"));
    lines.append(QStringLiteral("X-AB,电脑包,个,1,80,,60,"));

    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"01"), (Positions {0, 1}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"0101"), (Positions {0}));
    // Only the field of the column is searched: no code holds 电.
    EXPECT_EQ(search.find(lines, GoodsSearch::NameField, u"电"), (Positions {1, 3}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"电"), Positions {});
    EXPECT_EQ(search.find(lines, GoodsSearch::NameField, u"01"), Positions {});
    // Letter case is ignored on both sides.
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"AB"), (Positions {2, 3}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"Ab1"), (Positions {2}));
    EXPECT_EQ(search.find(lines, GoodsSearch::NameField, u"cAB"), (Positions {2}));
    // A line is listed once however often it matches.
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"1"), (Positions {0, 1, 2}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u""), Positions {});
    EXPECT_EQ(search.find(lines, 2, u"个"), Positions {});
}

TEST(GoodsSearchTest, NeverMatchesAcrossLinesOrShiftsThem)
{
    GoodsSearch search;
    // Upper-casing ß gives SS: the value grows, the lines after it must
    // still be found at their own positions.
    const QStringList lines {QStringLiteral("straße,a"), QStringLiteral("B7,b"), QStringLiteral("7C"),
        QStringLiteral(""), QStringLiteral("D9,")};
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"SS"), (Positions {0}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"B7"), (Positions {1}));
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"D9"), (Positions {4}));
    // "…B7" and "7C" are neighbours in the searched text, not one value.
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"77"), Positions {});
    EXPECT_EQ(search.find(lines, GoodsSearch::CodeField, u"7\n7"), Positions {});
    // A line without a name is no match for any name.
    EXPECT_EQ(search.find(lines, GoodsSearch::NameField, u"b"), (Positions {1}));
}

TEST(GoodsSearchTest, FollowsTheGoodsMasterAsItChanges)
{
    GoodsSearch search;
    GoodsMaster goods;
    goods.setRows(GoodsMaster::samples());
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::CodeField, u"0102"), (Positions {1}));

    // A posting appends a line; a field is replaced in place; a reload.
    goods.append(QStringLiteral("0103,平板,台,-2,2000,,1500,"));
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::CodeField, u"010"), (Positions {0, 1, 2}));
    goods.setField(1, GoodsMaster::Code, QStringLiteral("9900"));
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::CodeField, u"0102"), Positions {});
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::CodeField, u"99"), (Positions {1}));
    goods.setField(0, GoodsMaster::Name, QStringLiteral("Phone"));
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::NameField, u"PHONE"), (Positions {0}));
    goods.setRows({QStringLiteral("0101,手机")});
    EXPECT_EQ(search.find(goods.rows(), GoodsSearch::CodeField, u"010"), (Positions {0}));
}

} // namespace
