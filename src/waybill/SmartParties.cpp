#include "SmartParties.h"

#include "SmartText.h"

#include <vector>

namespace Slipdesk::Smart {

namespace {

enum class Party { Sender, Recipient };

struct PartyWord
{
    const char16_t *word;
    Party party;
    // Counts only before a colon, and the reading starts after it: a single
    // character or an English word is too common to count alone.
    bool colonOnly = false;
};

// Words that begin a person's block, as marketplaces, courier forms and
// buyers write them. Longer forms ("寄件人姓名", "收件人电话") begin with one
// of these.
constexpr PartyWord kPartyWords[] = {
    {u"寄件人", Party::Sender},
    {u"发件人", Party::Sender},
    {u"发货人", Party::Sender},
    {u"寄件方", Party::Sender},
    {u"发件方", Party::Sender},
    {u"发货方", Party::Sender},
    {u"寄方", Party::Sender},
    {u"寄件信息", Party::Sender},
    {u"发件信息", Party::Sender},
    {u"发货信息", Party::Sender},
    {u"寄件地址", Party::Sender},
    {u"发件地址", Party::Sender},
    {u"发货地", Party::Sender},
    {u"寄件电话", Party::Sender},
    {u"发件电话", Party::Sender},
    {u"寄件手机", Party::Sender},
    {u"发件手机", Party::Sender},
    {u"寄件单位", Party::Sender},
    {u"发件单位", Party::Sender},
    {u"寄", Party::Sender, true},
    {u"Sender", Party::Sender, true},
    {u"Shipper", Party::Sender, true},
    {u"收件人", Party::Recipient},
    {u"收货人", Party::Recipient},
    {u"收件方", Party::Recipient},
    {u"收货方", Party::Recipient},
    {u"收方", Party::Recipient},
    {u"收件信息", Party::Recipient},
    {u"收货信息", Party::Recipient},
    {u"收件地址", Party::Recipient},
    {u"收货地址", Party::Recipient},
    {u"收件电话", Party::Recipient},
    {u"收货电话", Party::Recipient},
    {u"收件手机", Party::Recipient},
    {u"收货手机", Party::Recipient},
    {u"收件单位", Party::Recipient},
    {u"收", Party::Recipient, true},
    {u"Receiver", Party::Recipient, true},
    {u"Recipient", Party::Recipient, true},
    {u"Consignee", Party::Recipient, true},
};

// The first characters of the words above: most characters begin none.
bool canBeginWord(QChar c)
{
    switch (c.unicode()) {
    case u'寄':
    case u'发':
    case u'收':
    case u'S':
    case u's':
    case u'R':
    case u'r':
    case u'C':
    case u'c':
        return true;
    default:
        return false;
    }
}

struct Mark
{
    qsizetype begin; // where the word stands
    qsizetype content; // where the block's reading starts
    Party party;
};

// A person's word starts a word of the text: "请联系寄件人" names nobody.
bool atWordStart(const QString &s, qsizetype i)
{
    return i == 0 || !(isCjk(s.at(i - 1)) || isAsciiLetter(s.at(i - 1)));
}

// Where the colon after `from` is (blanks and closing brackets between), or -1.
qsizetype colonAt(const QString &s, qsizetype from)
{
    while (from < s.size()) {
        const char16_t c = s.at(from).unicode();
        if (isColon(c))
            return from;
        if (c != u' ' && c != u'】' && c != u']' && c != u'）' && c != u')')
            return -1;
        ++from;
    }
    return -1;
}

bool markAt(const QString &s, qsizetype i, Mark *mark)
{
    for (const PartyWord &w : kPartyWords) {
        const QStringView word(w.word);
        const bool latin = isAsciiLetter(word.front());
        if (!QStringView(s).mid(i).startsWith(word, latin ? Qt::CaseInsensitive : Qt::CaseSensitive))
            continue;
        const qsizetype after = i + word.size();
        if (latin && after < s.size() && isAsciiLetter(s.at(after)))
            continue;
        if (!w.colonOnly) {
            *mark = {i, i, w.party};
            return true;
        }
        const qsizetype colon = colonAt(s, after);
        if (colon >= 0) {
            *mark = {i, colon + 1, w.party};
            return true;
        }
    }
    return false;
}

} // namespace

QString recipientPart(const QString &text)
{
    std::vector<Mark> marks;
    bool sender = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        Mark m;
        if (canBeginWord(text.at(i)) && atWordStart(text, i) && markAt(text, i, &m)) {
            marks.push_back(m);
            sender = sender || m.party == Party::Sender;
        }
    }
    if (!sender)
        return text;
    QString out;
    qsizetype lastEnd = -1;
    for (size_t k = 0; k < marks.size(); ++k) {
        if (marks[k].party != Party::Recipient)
            continue;
        const qsizetype end = k + 1 < marks.size() ? marks[k + 1].begin : text.size();
        // Blocks one after the other stay one text; others are set apart.
        if (lastEnd != marks[k].begin && !out.isEmpty())
            out += u'\n';
        out += QStringView(text).mid(marks[k].content, end - marks[k].content);
        lastEnd = end;
    }
    if (lastEnd < 0)
        return text.left(marks.front().begin);
    return out;
}

} // namespace Slipdesk::Smart
