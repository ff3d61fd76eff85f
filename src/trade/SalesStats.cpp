#include "SalesStats.h"

#include "render/Amounts.h"
#include "storage/Paths.h"
#include "trade/TradeLogs.h"
#include "trade/TradeNumbers.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace Slipdesk::SalesStats {

namespace {

enum Field { Date = 2, Code = 3, Name = 4, Unit = 5, Quantity = 6, Amount = 8, CostPrice = 10 };

// The fields of one line, read left to right without copying: each call
// returns the next field, empty ones once the line has run out.
class FieldCursor
{
public:
    explicit FieldCursor(QStringView line)
        : m_line(line)
    {
    }

    // Fields are a few characters long: a plain loop beats a library search
    // per field.
    QStringView next()
    {
        const qsizetype size = m_line.size();
        if (m_at > size)
            return {};
        const char16_t *const data = m_line.utf16();
        qsizetype end = m_at;
        while (end < size && data[end] != u',')
            ++end;
        const QStringView field = m_line.sliced(m_at, end - m_at);
        m_at = end + 1;
        return field;
    }

    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            next();
    }

private:
    QStringView m_line;
    qsizetype m_at = 0;
};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Reads from `min` to `max` digits at `at` into `value`; false when fewer
// than `min` are there.
bool readNumber(QStringView text, qsizetype &at, int min, int max, int *value)
{
    int digits = 0;
    *value = 0;
    while (at < text.size() && digits < max && isDigit(text[at].unicode())) {
        *value = *value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++digits;
    }
    return digits >= min;
}

// A day as yyyymmdd, so that comparing two of them compares their
// "yyyy-MM-dd" texts; -1 when the text is not a date. The short date form
// is "yyyy-MM-dd"; a month or day of one digit, as a hand-edited log may
// hold, reads too.
int dayNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype at = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!readNumber(text, at, 4, 4, &year) || at >= text.size() || text[at] != u'-')
        return -1;
    ++at;
    if (!readNumber(text, at, 1, 2, &month) || at >= text.size() || text[at] != u'-')
        return -1;
    ++at;
    if (!readNumber(text, at, 1, 2, &day) || at != text.size() || !QDate::isValid(year, month, day))
        return -1;
    return year * 10000 + month * 100 + day;
}

int dayNumber(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

// TradeNumbers::lenient on a field in place. Plain decimals ("3", "2.5") of
// at most 15 digits are read here: the digits as a whole number and a power
// of ten are both exact doubles, so their quotient is the correctly rounded
// value, the very double the library's reading gives. Anything else goes to
// the library.
double quantityOf(QStringView text)
{
    static constexpr double kPowers[]
        = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const qsizetype n = text.size();
    qsizetype at = 0;
    const bool negative = n > 0 && text[0] == u'-';
    if (n > 0 && (text[0] == u'-' || text[0] == u'+'))
        ++at;
    qint64 digits = 0;
    int wholeCount = 0;
    int fractionCount = 0;
    for (; at < n && isDigit(text[at].unicode()) && wholeCount <= 15; ++at, ++wholeCount)
        digits = digits * 10 + (text[at].unicode() - u'0');
    if (at < n && text[at] == u'.') {
        for (++at; at < n && isDigit(text[at].unicode()) && wholeCount + fractionCount <= 15; ++at, ++fractionCount)
            digits = digits * 10 + (text[at].unicode() - u'0');
        if (fractionCount == 0)
            wholeCount = 0; // "5." and "." are left to the library
    }
    if (at == n && wholeCount > 0 && wholeCount + fractionCount <= 15) {
        const double value = double(digits) / kPowers[fractionCount];
        return negative ? -value : value;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

// amountOrZero on a field: the plain "1200.00" the logs store is read in
// place, exactly as parseAmount reads it (rounded on the third decimal, half
// away from zero); anything else goes through parseAmount itself.
qint64 fenOf(QStringView text)
{
    const qsizetype n = text.size();
    qsizetype at = 0;
    bool negative = false;
    if (at < n && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    while (at < n && isDigit(text[at].unicode()) && wholeDigits <= 15) {
        whole = whole * 10 + (text[at].unicode() - u'0');
        ++at;
        ++wholeDigits;
    }
    int fraction[3] = {0, 0, 0};
    int fractionDigits = 0;
    if (at < n && text[at] == u'.') {
        ++at;
        while (at < n && isDigit(text[at].unicode())) {
            if (fractionDigits < 3)
                fraction[fractionDigits] = text[at].unicode() - u'0';
            ++at;
            ++fractionDigits;
        }
    }
    if (at != n || wholeDigits > 15 || wholeDigits + fractionDigits == 0)
        return amountOrZero(text.toString());
    qint64 fen = whole * 100 + fraction[0] * 10 + fraction[1];
    if (fraction[2] >= 5)
        ++fen;
    return negative ? -fen : fen;
}

struct Group
{
    QString key; // the code with letter case folded: the hash key and sort key
    QStringView code;
    QStringView name;
    QStringView unit;
    double quantity = 0;
    qint64 income = 0;
    qint64 cost = 0;
};

// The code with letter case folded into `key`, reusing its buffer: codes are
// nearly always ASCII, which is folded here without any allocation.
void foldInto(QStringView code, QString &key)
{
    key.resize(code.size());
    QChar *out = key.data();
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = code[i].unicode();
        if (c >= 0x80) {
            key = code.toString().toCaseFolded();
            return;
        }
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c);
    }
}

} // namespace

QStringList header()
{
    return QStringLiteral("序号,商品编码,商品名称,单位,数量,收入合计,成本合计,毛利合计").split(u',');
}

std::optional<SalesTable> compute(const QStringList &detailLines, const QDate &from, const QDate &to)
{
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    const int first = dayNumber(from);
    const int last = dayNumber(to);

    QList<Group> groups;
    QHash<QString, qsizetype> byKey;
    QString key;
    key.reserve(64);
    for (const QString &line : detailLines) {
        FieldCursor fields(line);
        fields.skip(Date);
        const int day = dayNumber(fields.next());
        if (day < 0 || day < first || day > last)
            continue;
        const QStringView code = fields.next();
        const QStringView name = fields.next();
        const QStringView unit = fields.next();
        const double quantity = quantityOf(fields.next());
        fields.skip(Amount - Quantity - 1);
        const qint64 income = fenOf(fields.next());
        fields.skip(CostPrice - Amount - 1);
        const qint64 cost = TradeNumbers::times(quantity, fenOf(fields.next()));

        foldInto(code, key);
        auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            found = byKey.insert(key, groups.size());
            groups.append(Group {key, code, name, unit});
        }
        Group &group = groups[*found];
        group.quantity += quantity;
        group.income += income;
        group.cost += cost;
    }
    if (groups.isEmpty())
        return std::nullopt;

    std::sort(groups.begin(), groups.end(), [](const Group &a, const Group &b) { return a.key < b.key; });
    SalesTable table;
    table.header = header();
    table.rows.reserve(groups.size() + 1);
    double quantity = 0;
    qint64 income = 0;
    qint64 cost = 0;
    for (const Group &group : std::as_const(groups)) {
        table.rows.append({QString::number(table.rows.size() + 1), group.code.toString(), group.name.toString(),
            group.unit.toString(), TradeNumbers::shortest(group.quantity), formatGrouped(group.income),
            formatGrouped(group.cost), formatGrouped(group.income - group.cost)});
        quantity += group.quantity;
        income += group.income;
        cost += group.cost;
    }
    table.rows.append({QString::number(table.rows.size() + 1), QString(), QStringLiteral("合计"), QString(),
        TradeNumbers::shortest(quantity), formatGrouped(income), formatGrouped(cost), formatGrouped(income - cost)});
    return table;
}

QString detailLogFor(const Paths &paths, const QString &deliveryTemplate, const QDate &today)
{
    for (const int year : {today.year(), today.year() - 1}) {
        const QString path = TradeLogs::detailPath(paths, NoteKind::Delivery, deliveryTemplate, year);
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

} // namespace Slipdesk::SalesStats
