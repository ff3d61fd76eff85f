#include "datawin/ColumnFit.h"
#include "datawin/DataTable.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

constexpr int kDefault = 64;

QString randomText(QRandomGenerator &random)
{
    static const QStringList pieces {QString(), QStringLiteral("1"), QStringLiteral("WWW"), QStringLiteral("iii"),
        QStringLiteral("上海"), QStringLiteral("浦东新区张江路"), QStringLiteral("2026-12-08"), QStringLiteral("作废")};
    QString text;
    const int parts = random.bounded(4);
    for (int i = 0; i < parts; ++i)
        text += pieces.at(random.bounded(int(pieces.size())));
    return text;
}

} // namespace

TEST(ColumnFit, WidthsAreTheWidestTextPlusFourAndHiddenColumnsStayHidden)
{
    const QFont font = QGuiApplication::font();
    const QFontMetrics metrics(font);
    DataTable table(QStringLiteral("序号,名称,地址,空").split(u','),
        {QStringLiteral("甲,上海浦东张江,"), QStringLiteral("乙乙乙乙乙乙乙乙乙乙,北京,")});
    ColumnFit fit;
    const QList<int> widths = fit.fit(table, font, kDefault, {1, 1, 0, 1});
    EXPECT_EQ(widths.at(0), metrics.horizontalAdvance(QStringLiteral("序号")) + 4);
    EXPECT_EQ(widths.at(1), metrics.horizontalAdvance(QStringLiteral("乙乙乙乙乙乙乙乙乙乙")) + 4);
    EXPECT_EQ(widths.at(2), 0);
    EXPECT_EQ(widths.at(3), metrics.horizontalAdvance(QStringLiteral("空")) + 4);
}

TEST(ColumnFit, RefittingAfterEditsGivesWhatAFullFitGives)
{
    // Edits grow and shrink cells, the widest included, and rows are
    // appended: measuring only the changed rows must agree with measuring all.
    const QFont font = QGuiApplication::font();
    QRandomGenerator random(20261208);
    QStringList lines;
    for (int r = 0; r < 300; ++r)
        lines.append(randomText(random) + u',' + randomText(random) + u',' + randomText(random));
    DataTable table(QStringLiteral("序号,甲,乙,丙").split(u','), lines);
    const QList<int> shown {1, 1, 1, 1};
    ColumnFit incremental;
    incremental.fit(table, font, kDefault, shown);
    for (int round = 0; round < 200; ++round) {
        QSet<int> changed;
        const int edits = 1 + random.bounded(5);
        for (int e = 0; e < edits; ++e) {
            int row = random.bounded(table.rowCount() + 1);
            if (row == table.rowCount())
                row = table.append();
            table.setCell(row, 1 + random.bounded(3), randomText(random));
            changed.insert(row);
        }
        // The widest cells are the likeliest to be shrunk by a user.
        if (round % 10 == 0) {
            ColumnFit probe;
            const QList<int> now = probe.fit(table, font, kDefault, shown);
            for (int r = 0; r < table.rowCount(); ++r)
                for (int c = 1; c < 4; ++c)
                    if (QFontMetrics(font).horizontalAdvance(table.cell(r, c)) + 4 == now.at(c)) {
                        table.setCell(r, c, QString());
                        changed.insert(r);
                    }
        }
        ColumnFit full;
        ASSERT_EQ(incremental.refit(table, font, kDefault, shown, changed), full.fit(table, font, kDefault, shown))
            << "round " << round;
    }
}
