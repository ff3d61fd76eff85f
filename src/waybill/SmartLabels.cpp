#include "SmartLabels.h"

#include "SmartText.h"

#include <cstring>
#include <unordered_map>

namespace Slipdesk::Smart {

namespace {

struct Label
{
    const char16_t *word;
    Kind kind;
};

// Labels as marketplaces and buyers write them. A label before a colon is
// recognised when it ends the words in front of the colon, so "新收货地址："
// reads as "收货地址：".
constexpr Label kLabels[] = {
    {u"收货人姓名", Kind::Name},
    {u"收件人姓名", Kind::Name},
    {u"收货人", Kind::Name},
    {u"收件人", Kind::Name},
    {u"买家姓名", Kind::Name},
    {u"姓名", Kind::Name},
    {u"联系人", Kind::Name},
    {u"名字", Kind::Name},
    {u"手机号码", Kind::Mobile},
    {u"手机号", Kind::Mobile},
    {u"手机", Kind::Mobile},
    {u"移动电话", Kind::Mobile},
    {u"电话号码", Kind::Phone},
    {u"联系电话", Kind::Phone},
    {u"电话", Kind::Phone},
    {u"固话", Kind::Phone},
    {u"座机", Kind::Phone},
    {u"联系方式", Kind::Phone},
    {u"号码", Kind::Phone},
    {u"收货地址", Kind::Address},
    {u"收件地址", Kind::Address},
    {u"详细地址", Kind::Address},
    {u"街道地址", Kind::Address},
    {u"联系地址", Kind::Address},
    {u"送货地址", Kind::Address},
    {u"地址", Kind::Address},
    {u"所在地区", Kind::Region},
    {u"所在地", Kind::Region},
    {u"省市区", Kind::Region},
    {u"地区", Kind::Region},
    {u"邮政编码", Kind::Postcode},
    {u"邮编", Kind::Postcode},
    {u"昵称", Kind::Nickname},
    {u"旺旺", Kind::Nickname},
    {u"旺旺号", Kind::Nickname},
    {u"会员名", Kind::Nickname},
    {u"支付宝", Kind::Payment},
    {u"支付宝账号", Kind::Payment},
    {u"QQ", Kind::Chat},
    {u"qq", Kind::Chat},
    {u"微信", Kind::Chat},
    {u"微信号", Kind::Chat},
    {u"财付通", Kind::Chat},
    {u"收货信息", Kind::Free},
    {u"收件信息", Kind::Free},
    {u"收货人信息", Kind::Free},
    {u"收件人信息", Kind::Free},
    // English labels, read in any letter case and only before a colon.
    {u"Name", Kind::Name},
    {u"Full Name", Kind::Name},
    {u"Receiver", Kind::Name},
    {u"Recipient", Kind::Name},
    {u"Consignee", Kind::Name},
    {u"Contact", Kind::Name},
    {u"Mobile", Kind::Mobile},
    {u"Mobile Phone", Kind::Mobile},
    {u"Cell", Kind::Mobile},
    {u"Cellphone", Kind::Mobile},
    {u"Cell Phone", Kind::Mobile},
    {u"Phone", Kind::Phone},
    {u"Phone Number", Kind::Phone},
    {u"Tel", Kind::Phone},
    {u"Telephone", Kind::Phone},
    {u"Contact Number", Kind::Phone},
    {u"Address", Kind::Address},
    {u"Addr", Kind::Address},
    {u"Add", Kind::Address},
    {u"Street", Kind::Address},
    {u"Shipping Address", Kind::Address},
    {u"Delivery Address", Kind::Address},
    {u"Province", Kind::Region},
    {u"City", Kind::Region},
    {u"District", Kind::Region},
    {u"Region", Kind::Region},
    {u"Zip", Kind::Postcode},
    {u"Zip Code", Kind::Postcode},
    {u"Zipcode", Kind::Postcode},
    {u"Postcode", Kind::Postcode},
    {u"Postal Code", Kind::Postcode},
    {u"Post Code", Kind::Postcode},
    {u"Nickname", Kind::Nickname},
    {u"WeChat", Kind::Chat},
    {u"Order No", Kind::Ignore},
    {u"Remark", Kind::Ignore},
    {u"订单编号", Kind::Ignore},
    {u"订单号", Kind::Ignore},
    {u"留言", Kind::Ignore},
    {u"备注", Kind::Ignore},
    {u"时间", Kind::Ignore},
    {u"运费", Kind::Ignore},
    {u"实付款", Kind::Ignore},
    {u"金额", Kind::Ignore},
    {u"商品", Kind::Ignore},
    {u"宝贝", Kind::Ignore},
    {u"数量", Kind::Ignore},
    {u"单价", Kind::Ignore},
    {u"价格", Kind::Ignore},
    {u"快递", Kind::Ignore},
    {u"物流", Kind::Ignore},
    {u"配送方式", Kind::Ignore},
    {u"发票", Kind::Ignore},
    {u"状态", Kind::Ignore},
    {u"付款方式", Kind::Ignore},
};

struct LabelView
{
    QStringView word;
    Kind kind;
    bool latin; // an English label: letter case does not count
};

QChar lowerAscii(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

enum class End { Front, Back };

// The labels by the character at either end (English ones in lower case), so
// that matching, which runs at every word of every copied text, looks at a
// few labels only.
class LabelIndex
{
public:
    LabelIndex()
    {
        for (const Label &label : kLabels) {
            const QStringView word(label.word);
            const LabelView view {word, label.kind, isAsciiLetter(word.front())};
            m_front[lowerAscii(word.front()).unicode()].push_back(view);
            m_back[lowerAscii(word.back()).unicode()].push_back(view);
        }
    }

    const std::vector<LabelView> *at(QChar c, End end) const
    {
        const auto &map = end == End::Front ? m_front : m_back;
        const auto it = map.find(lowerAscii(c).unicode());
        return it == map.end() ? nullptr : &it->second;
    }

private:
    std::unordered_map<char16_t, std::vector<LabelView>> m_front;
    std::unordered_map<char16_t, std::vector<LabelView>> m_back;
};

bool sameText(const QChar *a, const LabelView &label)
{
    const QStringView b = label.word;
    if (!label.latin)
        return std::memcmp(a, b.data(), size_t(b.size()) * sizeof(QChar)) == 0;
    for (qsizetype i = 0; i < b.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// The longest known label standing at the front or the back of `text`;
// nullptr when none.
const LabelView *longestLabel(QStringView text, End end)
{
    if (text.isEmpty())
        return nullptr;
    static const LabelIndex index;
    const bool front = end == End::Front;
    const std::vector<LabelView> *candidates = index.at(front ? text.front() : text.back(), end);
    if (!candidates)
        return nullptr;
    const LabelView *best = nullptr;
    for (const LabelView &label : *candidates) {
        const qsizetype n = label.word.size();
        if (n > text.size() || (best && n <= best->word.size()))
            continue;
        // An English label is a whole word: "Add" is no label in "Address".
        if (label.latin && n < text.size() && isAsciiLetter(front ? text.at(n) : text.at(text.size() - n - 1)))
            continue;
        if (sameText(front ? text.data() : text.data() + text.size() - n, label))
            best = &label;
    }
    return best;
}

const LabelView *labelEnding(QStringView run)
{
    return longestLabel(run, End::Back);
}

const LabelView *labelBeginning(QStringView text)
{
    return longestLabel(text, End::Front);
}

bool isFieldKind(Kind kind)
{
    return kind != Kind::Free && kind != Kind::Ignore;
}

// The last field label inside a run of words before a colon, for chat words
// around a label ("地址改一下：", "收货人电话换成："); nullptr when none.
const LabelView *labelInside(QStringView run)
{
    const LabelView *last = nullptr;
    for (qsizetype p = 0; p < run.size(); ++p) {
        const LabelView *label = labelBeginning(run.mid(p));
        if (label && isFieldKind(label->kind)) {
            last = label;
            p += label->word.size() - 1;
        }
    }
    return last;
}

bool isClosing(QChar c)
{
    return c == u'】' || c == u']' || c == u'）' || c == u')';
}

// Where a colon ends the run of Chinese characters from `from`, or -1.
qsizetype colonAfterWord(QStringView chunk, qsizetype from)
{
    qsizetype k = from;
    while (k < chunk.size() && isCjk(chunk.at(k)))
        ++k;
    return k < chunk.size() && isColon(chunk.at(k)) ? k : -1;
}

// A letter of an English label, or a blank between two of its words
// ("Zip Code").
bool isLatinWordPart(QStringView chunk, qsizetype i)
{
    if (isAsciiLetter(chunk.at(i)))
        return true;
    return isSpace(chunk.at(i)) && i > 0 && i + 1 < chunk.size() && isAsciiLetter(chunk.at(i - 1))
        && isAsciiLetter(chunk.at(i + 1));
}

bool isWordStart(QStringView chunk, qsizetype j)
{
    if (j == 0)
        return true;
    const QChar before = chunk.at(j - 1);
    return isSpace(before) || isDigit(before) || isWrapping(before);
}

// A name or address label at a word start with its value after it, without
// a colon: "收件人张三", "地址江苏省…", "收件人 张三".
bool bareLabelAt(QStringView chunk, qsizetype j, LabelHit *hit)
{
    // The first characters of the name and address labels: most words begin
    // with none of them.
    static const QString firsts = QStringLiteral("收买姓联名详街送地所省");
    if (!firsts.contains(chunk.at(j)) || !isWordStart(chunk, j))
        return false;
    const LabelView *label = labelBeginning(chunk.mid(j));
    if (!label || (label->kind != Kind::Name && label->kind != Kind::Address && label->kind != Kind::Region))
        return false;
    const qsizetype end = j + label->word.size();
    // "地址改一下：…": chat words and a colon; the colon reading takes it.
    const qsizetype colon = colonAfterWord(chunk, end);
    if (colon > end && !labelEnding(chunk.mid(j, colon - j)))
        return false;
    qsizetype value = end;
    while (value < chunk.size() && (isSpace(chunk.at(value)) || isClosing(chunk.at(value))))
        ++value;
    if (value >= chunk.size() || !isCjk(chunk.at(value)))
        return false;
    *hit = {j, value, label->kind};
    return true;
}

// A label of another field glued to the end of a two to four character name
// that begins at `name`.
bool labelAfterName(QStringView chunk, qsizetype name, LabelHit *hit)
{
    for (qsizetype o = 2; o <= 4 && name + o < chunk.size(); ++o) {
        if (!isCjk(chunk.at(name + o - 1)))
            return false;
        const LabelView *label = labelBeginning(chunk.mid(name + o));
        if (!label || label->kind == Kind::Name || label->kind == Kind::Free || label->kind == Kind::Ignore)
            continue;
        qsizetype value = name + o + label->word.size();
        while (value < chunk.size() && (isSpace(chunk.at(value)) || isColon(chunk.at(value))))
            ++value;
        if (value >= chunk.size())
            return false;
        *hit = {name + o, value, label->kind};
        return true;
    }
    return false;
}

} // namespace

std::vector<LabelHit> findLabels(QStringView chunk)
{
    std::vector<LabelHit> hits;
    const qsizetype n = chunk.size();
    qsizetype covered = 0; // text before this is inside a label already found
    for (qsizetype j = 0; j < n; ++j) {
        const QChar c = chunk.at(j);
        if (j >= covered && isCjk(c)) {
            LabelHit bare;
            if (bareLabelAt(chunk, j, &bare)) {
                // A colon right after the label is read below, as usual.
                qsizetype after = bare.content;
                while (after > j && isSpace(chunk.at(after - 1)))
                    --after;
                const bool colonFollows = after < n && isColon(chunk.at(after));
                if (!colonFollows) {
                    hits.push_back(bare);
                    covered = bare.content;
                    j = bare.content - 1;
                    if (bare.kind == Kind::Name) {
                        // "收货人王五地址江苏省…": the next label may follow
                        // the name directly.
                        LabelHit next;
                        if (labelAfterName(chunk, bare.content, &next)) {
                            hits.push_back(next);
                            covered = next.content;
                            j = next.content - 1;
                        }
                    }
                    continue;
                }
            }
        }
        if (j == 0)
            continue;
        const bool colon = isColon(c);
        const bool number = (isDigit(c) || c == u'+') && isCjk(chunk.at(j - 1));
        if (!colon && !number)
            continue;
        qsizetype end = j;
        while (colon && end > 0 && isSpace(chunk.at(end - 1)))
            --end;
        qsizetype begin = end;
        while (begin > 0 && end - begin < 20
            && (isCjk(chunk.at(begin - 1)) || (colon && isLatinWordPart(chunk, begin - 1))))
            --begin;
        begin = std::max(begin, std::min(covered, end));
        if (begin == end)
            continue;
        const QStringView run = chunk.mid(begin, end - begin);
        const LabelView *label = labelEnding(run);
        qsizetype labelBegin = label ? end - label->word.size() : begin;
        if (colon && !label) {
            // The chat words around the label go with it.
            label = labelInside(run);
            labelBegin = begin;
        }
        if (number) {
            if (label && (label->kind == Kind::Mobile || label->kind == Kind::Phone || label->kind == Kind::Postcode))
                hits.push_back({labelBegin, j, label->kind});
            continue;
        }
        if (label) {
            hits.push_back({labelBegin, j + 1, label->kind});
        } else if (run.size() >= 2 && run.size() <= 6 && (begin == 0 || isSpace(chunk.at(begin - 1)))
            && !isAsciiLetter(run.front())) {
            // An unknown label: its words go, its value is read like free text.
            hits.push_back({begin, j + 1, Kind::Free});
        }
        covered = j + 1;
    }
    return hits;
}

bool labelOnly(QStringView chunk, Kind *kind)
{
    const QStringView word = stripWrapping(chunk.trimmed()).trimmed();
    const LabelView *label = labelBeginning(word);
    if (!label || label->word.size() != word.size())
        return false;
    *kind = label->kind;
    return true;
}

bool isNumberNoise(QStringView word)
{
    static constexpr const char16_t *kWords[] = {
        u"订单",
        u"订单号",
        u"订单编号",
        u"单号",
        u"运单号",
        u"快递单号",
        u"物流单号",
        u"身份证",
        u"身份证号",
        u"交易号",
        u"流水号",
    };
    for (const char16_t *w : kWords)
        if (word == QStringView(w))
            return true;
    return false;
}

} // namespace Slipdesk::Smart
