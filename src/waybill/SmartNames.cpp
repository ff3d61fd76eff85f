#include "SmartNames.h"

#include "SmartText.h"

#include "waybill/DivisionTable.h"

#include <QString>

namespace Slipdesk::Smart {

namespace {

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
    u"单于",
    u"第五",
    u"亓官",
    u"司空",
    u"万俟",
    u"闻人",
    u"澹台",
    u"公冶",
    u"宗政",
    u"濮阳",
    u"太叔",
    u"申屠",
    u"公羊",
    u"钟离",
    u"拓跋",
    u"百里",
    u"东郭",
    u"羊舌",
    u"微生",
    u"梁丘",
    u"左丘",
};

bool containsAny(QStringView w, const QString &chars)
{
    for (QChar c : w)
        if (chars.contains(c))
            return true;
    return false;
}

// Characters that put a word into an address, a shop or an order.
bool hasStopChar(QStringView w)
{
    static const QString anywhere
        = QStringLiteral("的店铺司址话编码省市县区镇乡村街巷弄楼室栋层厦号货购买卖件递价款单收");
    static const QString atEnd = QStringLiteral("路道园苑场庄湾府桥坊里组");
    return containsAny(w, anywhere) || atEnd.contains(w.back());
}

// Without a known surname the shape must be cleaner: no building or place
// word, and none of the words buyers chat with.
bool hasPlaceOrChatChar(QStringView w)
{
    static const QString chars
        = QStringLiteral("汇园苑院校学城馆场府湾坊庭轩阁居墅邸寓厂部处所站局门座幢舍社队侧旁边面近对隔内外台堂厅亭"
                         "吗呢吧啊哦呀么嘛了谢请您你我他她亲好是在有没不要快点发付钱元块改换");
    return containsAny(w, chars);
}

bool allCjk(QStringView w)
{
    for (QChar c : w)
        if (!isCjk(c))
            return false;
    return true;
}

bool isChatWord(QStringView w)
{
    static constexpr const char16_t *kWords[] = {u"谢谢", u"多谢", u"感谢", u"老板", u"麻烦", u"快点", u"尽快", u"发货",
        u"你好", u"您好", u"在吗", u"好的", u"亲爱"};
    for (const char16_t *word : kWords)
        if (w.contains(QStringView(word)))
            return true;
    return false;
}

bool isTranscribedName(QStringView w)
{
    if (w.size() < 3 || w.size() > 16 || !w.contains(kNameDot))
        return false;
    qsizetype part = 0;
    for (QChar c : w) {
        if (c == kNameDot) {
            if (part == 0)
                return false;
            part = 0;
        } else if (isCjk(c)) {
            ++part;
        } else {
            return false;
        }
    }
    return part > 0;
}

} // namespace

bool isCommonName(QStringView w, int maxLength)
{
    if (w.size() < 2 || w.size() > maxLength || !allCjk(w))
        return false;
    bool compound = false;
    for (const char16_t *s : kCompoundSurnames)
        if (w.startsWith(QStringView(s)))
            compound = true;
    if (compound ? w.size() < 3 : (w.size() > 3 || !singleSurnames().contains(w.front())))
        return false;
    // The surname itself may be a word of the stop list (单于).
    if (hasStopChar(w.mid(compound ? 2 : 1)) || isChatWord(w))
        return false;
    return !DivisionTable::instance().isName(w);
}

bool hasNameShape(QStringView w)
{
    if (isTranscribedName(w))
        return true;
    if (w.size() < 2 || w.size() > 4 || !allCjk(w))
        return false;
    if (hasStopChar(w) || hasPlaceOrChatChar(w) || isChatWord(w))
        return false;
    return !DivisionTable::instance().isName(w);
}

QStringView withoutReceivingMark(QStringView word)
{
    if (word.size() >= 3 && word.back() == u'收') {
        const QStringView rest = word.chopped(1);
        if (isCommonName(rest) || hasNameShape(rest))
            return rest;
    }
    return word;
}

} // namespace Slipdesk::Smart
