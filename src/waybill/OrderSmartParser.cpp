#include "OrderSmartParser.h"

#include "waybill/DivisionTable.h"

#include <QStringList>

#include <vector>

namespace Slipdesk {

namespace {

using Table = DivisionTable;

enum class Kind { Free, Name, Mobile, Phone, Address, Region, Postcode, Nickname, Payment, Chat, Ignore };

struct Label
{
    const char16_t *word;
    Kind kind;
};

// Labels as marketplaces and buyers write them. A label is recognised when it
// ends the words in front of a colon, so "新收货地址：" reads as "收货地址：".
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
    {u"电话", Kind::Phone},
    {u"固话", Kind::Phone},
    {u"座机", Kind::Phone},
    {u"联系方式", Kind::Phone},
    {u"号码", Kind::Phone},
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

// Common surnames: a name found without a label must begin with one. Common
// words that are also rare surnames (文, 安, 明 …) are left out on purpose.
const QString &singleSurnames()
{
    static const QString s = QStringLiteral(
        "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕丁任沈姚"
        "卢姜崔钟谭陆汪范金石廖贾夏韦付傅方白邹孟熊秦邱江尹薛闫阎段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤"
        "施牛樊葛邢齐易乔伍庞颜倪庄聂章鲁岳翟殷詹申欧耿兰焦俞左柳甘祝包宁尚符舒阮柯纪梅童凌毕季裴霍涂苗盛曲翁冉"
        "骆蓝游辛靳管柴蒙鲍华喻祁蒲房滕屈饶解牟艾尤穆农卓吉缪简车项芦麦褚娄窦戚岑党费卜冷晏席卫米柏宗瞿桂佟臧闵"
        "苟邬边卞姬仇栾隋刁荣巫寇桑郎甄丛仲虞敖巩佘池查麻迟邝封谈匡鞠荆冀郁晋");
    return s;
}

constexpr const char16_t *kCompoundSurnames[] = {
    u"欧阳",
    u"司马",
    u"上官",
    u"诸葛",
    u"东方",
    u"皇甫",
    u"尉迟",
    u"公孙",
    u"慕容",
    u"令狐",
    u"长孙",
    u"宇文",
    u"司徒",
    u"夏侯",
    u"端木",
    u"南宫",
    u"轩辕",
    u"西门",
    u"独孤",
    u"呼延",
};

bool isCjk(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x9fff) || (u >= 0xf900 && u <= 0xfaff);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlnum(QChar c)
{
    return isDigit(c) || isAsciiLetter(c);
}

bool isSpace(QChar c)
{
    return c == u' ';
}

bool isStrongSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u',':
    case u'，':
    case u';':
    case u'；':
    case u'/':
    case u'／':
    case u'|':
        return true;
    default:
        return false;
    }
}

bool isColon(QChar c)
{
    return c == u':' || c == u'：';
}

// Punctuation that may wrap a word without belonging to it.
bool isWrapping(QChar c)
{
    static const QString chars = QStringLiteral("[]【】()（）<>《》\"'“”‘’.。:：!！?？、~`");
    return chars.contains(c);
}

// Full-width digits and signs become ASCII, odd blanks become spaces, tabs
// separate like line breaks.
QString normalise(const QString &text)
{
    QString s = text;
    for (QChar &c : s) {
        const char16_t u = c.unicode();
        if (u >= 0xff10 && u <= 0xff19)
            c = QChar(u - 0xff10 + u'0');
        else if (u == 0xff0b)
            c = u'+';
        else if (u == 0xff0d || u == 0x2014 || u == 0x2013)
            c = u'-';
        else if (u == 0x3000 || u == 0xa0)
            c = u' ';
        else if (u == u'\t')
            c = u'\n';
    }
    return s;
}

QString simplified(QStringView s)
{
    QString out;
    out.reserve(s.size());
    bool space = false;
    for (QChar c : s) {
        if (c.unicode() <= u' ') {
            space = !out.isEmpty();
            continue;
        }
        if (space)
            out += u' ';
        space = false;
        out += c;
    }
    return out;
}

QStringView stripWrapping(QStringView w)
{
    while (!w.isEmpty() && isWrapping(w.front()))
        w = w.mid(1);
    while (!w.isEmpty() && isWrapping(w.back()))
        w.chop(1);
    return w;
}

// --- Labels ----------------------------------------------------------------------

struct LabelHit
{
    qsizetype begin = 0; // where the label word starts
    qsizetype content = 0; // where its value starts
    Kind kind = Kind::Free;
};

// The known label that ends `run`, longest first; nullptr when none.
const Label *labelEnding(QStringView run)
{
    const Label *best = nullptr;
    for (const Label &label : kLabels) {
        const QStringView word(label.word);
        if (run.endsWith(word) && (!best || word.size() > QStringView(best->word).size()))
            best = &label;
    }
    return best;
}

std::vector<LabelHit> findLabels(QStringView chunk)
{
    std::vector<LabelHit> hits;
    const qsizetype n = chunk.size();
    for (qsizetype j = 1; j < n; ++j) {
        const QChar c = chunk.at(j);
        const bool colon = isColon(c);
        const bool number = (isDigit(c) || c == u'+') && isCjk(chunk.at(j - 1));
        if (!colon && !number)
            continue;
        qsizetype end = j;
        while (colon && end > 0 && isSpace(chunk.at(end - 1)))
            --end;
        qsizetype begin = end;
        while (begin > 0 && (isCjk(chunk.at(begin - 1)) || (colon && isAsciiLetter(chunk.at(begin - 1))))
            && end - begin < 12)
            --begin;
        if (begin == end)
            continue;
        const QStringView run = chunk.mid(begin, end - begin);
        const Label *label = labelEnding(run);
        if (number) {
            if (label && (label->kind == Kind::Mobile || label->kind == Kind::Phone || label->kind == Kind::Postcode))
                hits.push_back({end - qsizetype(QStringView(label->word).size()), j, label->kind});
            continue;
        }
        if (label) {
            hits.push_back({end - qsizetype(QStringView(label->word).size()), j + 1, label->kind});
        } else if (run.size() >= 2 && run.size() <= 6 && (begin == 0 || isSpace(chunk.at(begin - 1)))
            && !isAsciiLetter(run.front())) {
            // An unknown label: its words go, its value is read like free text.
            hits.push_back({begin, j + 1, Kind::Free});
        }
    }
    return hits;
}

// --- Numbers ---------------------------------------------------------------------

struct Group
{
    qsizetype begin;
    qsizetype end;
    QChar sepBefore;
    QStringView text;
    bool masked() const { return text.contains(u'*'); }
};

bool isMobile(QStringView d)
{
    return d.size() == 11 && d.at(0) == u'1' && d.at(1) >= u'3' && d.at(1) <= u'9';
}

struct Found
{
    QString mobile;
    QString telephone;
    QString postcode;
    bool postcodeSeen = false;
};

// Takes mobiles, landlines and standalone postcodes out of `s`, blanking
// what it took so that the rest reads as words.
void extractNumbers(QString &s, Kind kind, Found &found)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    std::vector<Group> groups;
    while (i < n) {
        const QChar c = s.at(i);
        const bool plus = c == u'+' && i + 1 < n && isDigit(s.at(i + 1));
        if (!(isDigit(c) || plus) || (i > 0 && isAsciiAlnum(s.at(i - 1)))) {
            ++i;
            continue;
        }
        const qsizetype runBegin = i;
        qsizetype j = plus ? i + 1 : i;
        groups.clear();
        QChar sep;
        for (;;) {
            const qsizetype b = j;
            while (j < n && (isDigit(s.at(j)) || s.at(j) == u'*'))
                ++j;
            groups.push_back({b, j, sep, QStringView(s).mid(b, j - b)});
            if (j + 1 < n && (s.at(j) == u' ' || s.at(j) == u'-') && isDigit(s.at(j + 1))) {
                sep = s.at(j);
                ++j;
                continue;
            }
            break;
        }
        const qsizetype runEnd = j;
        if (runEnd < n && isAsciiLetter(s.at(runEnd))) {
            i = runEnd;
            continue;
        }
        const qsizetype count = qsizetype(groups.size());
        std::vector<std::pair<qsizetype, qsizetype>> taken;
        qsizetype k = 0;
        while (k < count) {
            const Group &g = groups[size_t(k)];
            // Masked numbers ("138****8000") are no use and no address either.
            if (g.masked()) {
                if (g.text.size() >= 7)
                    taken.push_back({g.begin, g.end});
                ++k;
                continue;
            }
            // Mobile, with an optional 86 / 0086 prefix group.
            {
                qsizetype p = k;
                if ((g.text == u"86" || g.text == u"0086") && k + 1 < count)
                    p = k + 1;
                QString digits;
                qsizetype q = p;
                while (q < count && digits.size() < 11 && !groups[size_t(q)].masked()) {
                    digits += groups[size_t(q)].text;
                    ++q;
                }
                if (p == k && digits.size() == 13 && digits.startsWith(u"86") && q == k + 1)
                    digits = digits.mid(2);
                if (isMobile(digits)) {
                    if (found.mobile.isEmpty())
                        found.mobile = digits;
                    taken.push_back({k == 0 ? runBegin : g.begin, groups[size_t(q - 1)].end});
                    k = q;
                    continue;
                }
            }
            // Landline with area code: 0xx(x) then 7 or 8 digits, optional extension.
            if (g.text.startsWith(u'0')) {
                if ((g.text.size() == 3 || g.text.size() == 4) && k + 1 < count) {
                    QString number;
                    qsizetype q = k + 1;
                    while (q < count && q <= k + 2 && number.size() < 7 && !groups[size_t(q)].masked()) {
                        number += groups[size_t(q)].text;
                        ++q;
                    }
                    if (number.size() == 7 || number.size() == 8) {
                        QString tel = g.text.toString() + u'-' + number;
                        qsizetype last = groups[size_t(q - 1)].end;
                        if (q < count && groups[size_t(q)].sepBefore == u'-' && groups[size_t(q)].text.size() <= 6) {
                            tel += u'-' + groups[size_t(q)].text.toString();
                            last = groups[size_t(q)].end;
                            ++q;
                        } else if (q == count && last < n && s.at(last) == u'转') {
                            qsizetype e = last + 1;
                            while (e < n && isDigit(s.at(e)))
                                ++e;
                            if (e > last + 1) {
                                tel += u'-' + s.mid(last + 1, e - last - 1);
                                last = e;
                            }
                        }
                        if (found.telephone.isEmpty())
                            found.telephone = tel;
                        taken.push_back({g.begin, last});
                        k = q;
                        continue;
                    }
                } else if (g.text.size() >= 10 && g.text.size() <= 12 && count == 1) {
                    if (found.telephone.isEmpty())
                        found.telephone = g.text.toString();
                    taken.push_back({g.begin, g.end});
                    ++k;
                    continue;
                }
            }
            // A postcode stands alone: six digits not glued to words.
            if (g.text.size() == 6) {
                const bool leftFree = k > 0 ? g.sepBefore == u' '
                                            : (runBegin == 0 || !isCjk(s.at(runBegin - 1)) || kind == Kind::Postcode);
                const bool rightFree
                    = k + 1 < count ? groups[size_t(k + 1)].sepBefore == u' ' : (runEnd == n || !isCjk(s.at(runEnd)));
                if (leftFree && rightFree) {
                    if (!found.postcodeSeen && g.text != u"000000")
                        found.postcode = g.text.toString();
                    found.postcodeSeen = true;
                    taken.push_back({g.begin, g.end});
                }
            }
            ++k;
        }
        for (const auto &[b, e] : taken)
            for (qsizetype x = b; x < e; ++x)
                s[x] = u' ';
        i = runEnd;
    }
}

// --- Names -------------------------------------------------------------------------

bool hasStopChar(QStringView w)
{
    static const QString anywhere
        = QStringLiteral("的店铺司址话编码省市县区镇乡村街巷弄楼室栋层厦号货购买卖件递价款单收");
    static const QString atEnd = QStringLiteral("路道园苑场庄湾府桥坊里组");
    for (QChar c : w)
        if (anywhere.contains(c))
            return true;
    return atEnd.contains(w.back());
}

// --- Address -------------------------------------------------------------------------

qsizetype skipSpaces(QStringView s, qsizetype pos)
{
    while (pos < s.size() && isSpace(s.at(pos)))
        ++pos;
    return pos;
}

// After a short form, the next words must name a division below it (or the
// text ends): "无锡 滨湖" is an address, "朝阳门内大街" is no city 朝阳.
bool followedByBelow(QStringView s, qsizetype pos, int division)
{
    const Table &t = Table::instance();
    pos = skipSpaces(s, pos);
    if (pos >= s.size())
        return true;
    for (Table::Level level : {Table::Prefecture, Table::County}) {
        const Table::Match m = t.matchAt(s, pos, level, division, true);
        if (m.found() || m.ambiguous)
            return true;
    }
    return false;
}

// Whether some division begins at `pos` (the start of an address).
bool divisionStartsAt(QStringView s, qsizetype pos)
{
    const Table &t = Table::instance();
    if (pos >= s.size() || !t.canStart(s.at(pos)))
        return false;
    for (Table::Level level : {Table::Province, Table::Prefecture}) {
        const Table::Match m = t.matchAt(s, pos, level, -1, true);
        if (m.found() && (!m.isShort || followedByBelow(s, pos + m.length, m.division)))
            return true;
    }
    return t.matchAt(s, pos, Table::County, -1, false).found();
}

bool hasStreetMark(QStringView s)
{
    static const QString marks = QStringLiteral("路街道巷弄号村镇乡栋楼室幢");
    for (QChar c : s)
        if (marks.contains(c))
            return true;
    return false;
}

struct Word
{
    QString text;
    int chunk;
};

} // namespace

bool OrderSmartParser::looksLikeName(QStringView w, int maxLength)
{
    if (w.size() < 2 || w.size() > maxLength)
        return false;
    for (QChar c : w)
        if (!isCjk(c))
            return false;
    bool compound = false;
    for (const char16_t *s : kCompoundSurnames)
        if (w.startsWith(QStringView(s)))
            compound = true;
    if (compound ? w.size() < 3 : (w.size() > 3 || !singleSurnames().contains(w.front())))
        return false;
    if (hasStopChar(w))
        return false;
    return !Table::instance().isName(w);
}

bool OrderSmartParser::splitAddress(const QString &address, OrderResult &r)
{
    const Table &t = Table::instance();
    const QStringView s(address);
    qsizetype pos = skipSpaces(s, 0);
    for (const char16_t *country : {u"中华人民共和国", u"中国大陆", u"中国"}) {
        if (s.mid(pos).startsWith(QStringView(country))) {
            pos = skipSpaces(s, pos + QStringView(country).size());
            break;
        }
    }
    int province = -1, prefecture = -1, county = -1;

    Table::Match mp = t.matchAt(s, pos, Table::Province, -1, true);
    Table::Match mc = t.matchAt(s, pos, Table::Prefecture, -1, true);
    if (mp.found() && mp.isShort && !t.isMunicipality(mp.division) && !followedByBelow(s, pos + mp.length, mp.division))
        mp = {};
    if (mc.found() && mc.isShort && !followedByBelow(s, pos + mc.length, mc.division))
        mc = {};
    if (mp.found() && mp.length >= mc.length) {
        province = mp.division;
        pos = skipSpaces(s, pos + mp.length);
        if (t.isMunicipality(province)) {
            // "北京 北京市 朝阳区", "上海市市辖区": the city level repeats the province.
            for (;;) {
                const Table::Match again = t.matchAt(s, pos, Table::Province, -1, true);
                if (again.division == province) {
                    pos = skipSpaces(s, pos + again.length);
                } else if (s.mid(pos).startsWith(u"市辖区")) {
                    pos = skipSpaces(s, pos + 3);
                } else {
                    break;
                }
            }
        } else {
            const Table::Match m = t.matchAt(s, pos, Table::Prefecture, province, true);
            if (m.found()) {
                prefecture = m.division;
                pos = skipSpaces(s, pos + m.length);
            }
        }
    } else if (mc.found()) {
        prefecture = mc.division;
        province = t.provinceOf(prefecture);
        pos = skipSpaces(s, pos + mc.length);
    }

    const int within = prefecture >= 0 ? prefecture : province;
    const Table::Match md = t.matchAt(s, pos, Table::County, within, within >= 0);
    if (md.found()) {
        county = md.division;
        pos += md.length;
        if (province < 0)
            province = t.provinceOf(county);
        if (prefecture < 0)
            prefecture = t.prefectureOf(county);
    }
    if (province < 0)
        return false;

    OrderResult out = r;
    out.province = t.at(province).name;
    if (t.isMunicipality(province)) {
        out.city.clear();
        out.destination = out.province;
        out.district = county >= 0 ? t.at(county).name : QString();
    } else if (prefecture < 0 && county >= 0) {
        // A county-level city governed by the province itself (仙桃市) is its
        // own destination.
        out.city = t.at(county).name;
        out.destination = out.city;
        out.district.clear();
    } else {
        out.city = prefecture >= 0 ? t.at(prefecture).name : QString();
        out.destination = out.city;
        out.district = county >= 0 ? t.at(county).name : QString();
    }
    out.address = simplified(s.mid(pos));
    r = out;
    return true;
}

OrderResult OrderSmartParser::parse(const QString &text)
{
    OrderResult r;
    const QString s = normalise(text);
    Found found;
    QString labelledName;
    QString labelledAddress;
    std::vector<Word> words;

    // Chunks between strong separators; inside each, labelled pieces.
    int chunkIndex = 0;
    qsizetype start = 0;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !isStrongSeparator(s.at(i)))
            continue;
        const QStringView chunk = QStringView(s).mid(start, i - start);
        start = i + 1;
        if (chunk.trimmed().isEmpty())
            continue;
        const std::vector<LabelHit> hits = findLabels(chunk);
        struct Piece
        {
            Kind kind;
            QStringView text;
        };
        std::vector<Piece> pieces;
        const qsizetype firstLabel = hits.empty() ? chunk.size() : hits.front().begin;
        pieces.push_back({Kind::Free, chunk.left(firstLabel)});
        for (size_t h = 0; h < hits.size(); ++h) {
            const qsizetype end = h + 1 < hits.size() ? hits[h + 1].begin : chunk.size();
            pieces.push_back({hits[h].kind, chunk.mid(hits[h].content, std::max<qsizetype>(0, end - hits[h].content))});
        }
        for (const Piece &piece : pieces) {
            const QString value = simplified(piece.text);
            if (value.isEmpty())
                continue;
            switch (piece.kind) {
            case Kind::Nickname:
                if (r.nickname.isEmpty())
                    r.nickname = value;
                continue;
            case Kind::Payment:
                if (r.payment.isEmpty())
                    r.payment = value;
                continue;
            case Kind::Chat:
                if (r.chat.isEmpty())
                    r.chat = value;
                continue;
            case Kind::Ignore:
                continue;
            default:
                break;
            }
            QString rest = value;
            extractNumbers(rest, piece.kind, found);
            rest = simplified(rest);
            if (rest.isEmpty())
                continue;
            switch (piece.kind) {
            case Kind::Name:
                if (labelledName.isEmpty())
                    labelledName = stripWrapping(QStringView(rest).split(u' ').front()).toString();
                break;
            case Kind::Address:
            case Kind::Region:
                // "收货地址：张三，138…，江苏省…": a label over the whole copy
                // holds no address itself; its words are read like free text.
                if (divisionStartsAt(rest, 0) || hasStreetMark(rest)) {
                    labelledAddress += (labelledAddress.isEmpty() ? QString() : QStringLiteral(" ")) + rest;
                    break;
                }
                [[fallthrough]];
            case Kind::Free:
            case Kind::Mobile:
            case Kind::Phone:
            case Kind::Postcode:
                // Beside a number label only the number belongs to it.
                for (QStringView w : QStringView(rest).split(u' ', Qt::SkipEmptyParts)) {
                    w = stripWrapping(w);
                    if (!w.isEmpty())
                        words.push_back({w.toString(), chunkIndex});
                }
                break;
            default:
                break;
            }
        }
        ++chunkIndex;
    }
    r.mobile = found.mobile;
    r.telephone = found.telephone;
    r.postcode = found.postcode;

    // Name candidates, in the order they stand in the text.
    struct Candidate
    {
        qsizetype order;
        QString name;
    };
    std::vector<Candidate> candidates;
    std::vector<bool> used(words.size(), false);

    if (!labelledAddress.isEmpty()) {
        if (!splitAddress(labelledAddress, r))
            r.address = labelledAddress;
    } else {
        // The address starts at the first word that begins with a division;
        // a name may be glued in front of it ("张三江苏省…").
        qsizetype first = -1;
        qsizetype offset = 0;
        for (qsizetype w = 0; w < qsizetype(words.size()) && first < 0; ++w) {
            const QStringView word(words[size_t(w)].text);
            if (divisionStartsAt(word, 0)) {
                first = w;
            } else {
                for (qsizetype o = 2; o <= 4 && o < word.size(); ++o) {
                    if (looksLikeName(word.left(o)) && divisionStartsAt(word, o)) {
                        first = w;
                        offset = o;
                        break;
                    }
                }
            }
        }
        if (first >= 0) {
            const int chunk = words[size_t(first)].chunk;
            QStringList parts;
            qsizetype last = first;
            for (qsizetype w = first; w < qsizetype(words.size()) && words[size_t(w)].chunk == chunk; ++w) {
                parts.append(w == first ? words[size_t(w)].text.mid(offset) : words[size_t(w)].text);
                used[size_t(w)] = true;
                last = w;
            }
            if (offset > 0)
                candidates.push_back({first, words[size_t(first)].text.left(offset)});
            // A name written after the address, separated by a blank.
            if (parts.size() >= 2 && looksLikeName(parts.last(), 3)
                && (labelledName.isEmpty() || parts.last() == labelledName)) {
                const QString trailing = parts.takeLast();
                candidates.push_back({last, trailing});
            }
            splitAddress(parts.join(u' '), r);
            // Region and street split by a comma: the next chunk is the street.
            if (r.address.isEmpty() && last + 1 < qsizetype(words.size())) {
                const int next = words[size_t(last + 1)].chunk;
                QStringList street;
                qsizetype w = last + 1;
                for (; w < qsizetype(words.size()) && words[size_t(w)].chunk == next; ++w)
                    street.append(words[size_t(w)].text);
                const QString joined = street.join(u' ');
                if (!(street.size() == 1 && looksLikeName(joined)) && !divisionStartsAt(joined, 0)) {
                    r.address = joined;
                    for (qsizetype x = last + 1; x < w; ++x)
                        used[size_t(x)] = true;
                }
            }
        } else {
            // No division at all: a chunk that reads as a street is the address.
            for (qsizetype w = 0; w < qsizetype(words.size()) && first < 0; ++w) {
                const QStringView word(words[size_t(w)].text);
                if (!hasStreetMark(word) || looksLikeName(word))
                    continue;
                first = w;
                QStringList parts;
                for (qsizetype x = w; x < qsizetype(words.size()) && words[size_t(x)].chunk == words[size_t(w)].chunk;
                     ++x) {
                    parts.append(words[size_t(x)].text);
                    used[size_t(x)] = true;
                }
                if (parts.size() >= 2 && looksLikeName(parts.last(), 3)
                    && (labelledName.isEmpty() || parts.last() == labelledName))
                    candidates.push_back({w + parts.size() - 1, parts.takeLast()});
                r.address = parts.join(u' ');
            }
        }
    }

    if (!labelledName.isEmpty()) {
        r.name = labelledName;
    } else {
        for (size_t w = 0; w < words.size(); ++w) {
            if (used[w])
                continue;
            const bool alone = (w == 0 || words[w - 1].chunk != words[w].chunk)
                && (w + 1 == words.size() || words[w + 1].chunk != words[w].chunk);
            if (looksLikeName(words[w].text, alone ? 4 : 3))
                candidates.push_back({qsizetype(w), words[w].text});
        }
        qsizetype best = -1;
        for (const Candidate &c : candidates) {
            if (best < 0 || c.order < best) {
                best = c.order;
                r.name = c.name;
            }
        }
    }
    return r;
}

} // namespace Slipdesk
