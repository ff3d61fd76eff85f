#pragma once

// A generated goods master of 100,000 lines and the keystrokes the goods
// benchmarks type against it, shared by the core and the window benchmarks.

#include <QString>
#include <QStringList>

#include <iterator>

namespace GoodsBench {

constexpr int kLines = 100000;

// Goods lines as a seller keeps them: codes "SP000001" …, names made of a
// brand, a product and a model that repeat as real catalogues do, units,
// stock that may be negative, prices, remarks, and a pending quantity on
// some lines only.
inline const QStringList &goodsMaster()
{
    static const QStringList lines = [] {
        static const char16_t *const brands[] = {u"华为", u"小米", u"联想", u"海尔", u"美的", u"格力", u"苹果", u"索尼",
            u"飞利浦", u"得力", u"晨光", u"公牛", u"九阳", u"苏泊尔", u"罗技", u"雷蛇"};
        static const char16_t *const products[] = {u"手机", u"电脑", u"平板", u"耳机", u"充电器", u"数据线", u"电饭煲",
            u"电风扇", u"插座", u"鼠标", u"键盘", u"显示器", u"打印纸", u"签字笔", u"保温杯", u"路由器"};
        static const char16_t *const models[] = {u"Pro", u"Max", u"Lite", u"mini", u"标准版", u"豪华版", u"青春版"};
        static const char16_t *const units[] = {u"个", u"台", u"件", u"套", u"盒", u"包", u"箱"};
        static const char16_t *const remarks[] = {u"", u"翻盖型", u"宽屏", u"黑色", u"白色", u"促销", u"样品"};
        static const char16_t *const suppliers[]
            = {u"A供应商", u"B供应商", u"自己组装机", u"广州数码批发部", u"义乌小商品城", u"深圳华强北"};
        QStringList out;
        out.reserve(kLines);
        quint32 seed = 4711;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) & 0xFFFFFF;
        };
        auto pick = [&next](const auto &list) { return QString::fromUtf16(list[next() % std::size(list)]); };
        for (int i = 0; i < kLines; ++i) {
            const QString code = QStringLiteral("SP%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            const QString name = pick(brands) + pick(products) + pick(models) + QString::number(next() % 50);
            const int price = 5 + int(next() % 500000) / 100;
            QStringList fields {code, name, pick(units), QString::number(int(next() % 400) - 20),
                QString::number(price), pick(remarks), QString::number(price * 0.7, 'f', 2), pick(suppliers)};
            if (next() % 3 == 0)
                fields.append(QString::number(next() % 20));
            out.append(fields.join(u','));
        }
        return out;
    }();
    return lines;
}

struct Query
{
    const char *label;
    int field; // 0 the code, 1 the name
    const char16_t *text;
};

// One keystroke each. "S" is the worst case: one character that every code
// holds, so every line is listed.
constexpr Query kQueries[] = {
    {"code S (every line)", 0, u"S"},
    {"code 7", 0, u"7"},
    {"code sp0012", 0, u"sp0012"},
    {"name 电", 1, u"电"},
    {"name 手机", 1, u"手机"},
    {"name 华为手机pro", 1, u"华为手机pro"},
};
constexpr int kQueryCount = int(std::size(kQueries));

// The floor: find the field in every line and test it for the text (already
// upper-cased, compared case-sensitively), building nothing.
inline qsizetype bareScan(const QStringList &lines, int field, QStringView upperText)
{
    qsizetype hits = 0;
    for (const QString &line : lines) {
        const QStringView l(line);
        qsizetype start = 0;
        bool present = true;
        for (int i = 0; i < field && present; ++i) {
            const qsizetype comma = l.indexOf(u',', start);
            present = comma >= 0;
            start = comma + 1;
        }
        if (!present)
            continue;
        const qsizetype end = l.indexOf(u',', start);
        if (l.mid(start, end < 0 ? -1 : end - start).contains(upperText))
            ++hits;
    }
    return hits;
}

} // namespace GoodsBench
