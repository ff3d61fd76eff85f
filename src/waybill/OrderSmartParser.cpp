#include "OrderSmartParser.h"

#include "SmartAddress.h"
#include "SmartLabels.h"
#include "SmartNames.h"
#include "SmartNumbers.h"
#include "SmartParties.h"
#include "SmartText.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace Slipdesk {

using namespace Smart;

namespace {

// The name glued between a street part and a telephone number
// ("南昌街1号陆小凤13957212345"), taken off `word`; empty when none. The
// longest name that fits wins; a name by shape alone must be short or
// transcribed ("买买提·艾力"); no name begins with a house mark.
QString takeNameBeforeNumber(QString &word)
{
    static const QString houseMarks = QStringLiteral("号室楼栋幢弄层座");
    for (qsizetype cut = std::max<qsizetype>(1, word.size() - 16); cut + 2 <= word.size(); ++cut) {
        if (!endsStreetBeforeNumber(word.at(cut - 1)) || houseMarks.contains(word.at(cut)))
            continue;
        const QStringView tail = QStringView(word).mid(cut);
        if (isCommonName(tail) || (hasNameShape(tail) && (tail.size() <= 3 || tail.contains(kNameDot)))) {
            const QString name = tail.toString();
            word.truncate(cut);
            return name;
        }
    }
    return {};
}

struct Word
{
    QString text;
    int chunk;
    bool gluedToNumber; // a telephone number followed it without a blank
};

// The words of a piece after its numbers were taken out.
struct Token
{
    QStringView text;
    bool gluedToNumber;
};

std::vector<Token> tokens(QStringView s)
{
    std::vector<Token> out;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s.at(i).unicode() <= u' ') {
            ++i;
            continue;
        }
        const qsizetype b = i;
        while (i < s.size() && s.at(i).unicode() > u' ')
            ++i;
        out.push_back({s.mid(b, i - b), i < s.size() && s.at(i) == kGlueMark});
    }
    return out;
}

struct Candidate
{
    qsizetype order; // position among the words, for "first one wins"
    QString name;
    bool common; // begins with a common surname
};

// One parse: the words of the text sorted into fields.
class SmartReader
{
public:
    explicit SmartReader(const QString &text)
        : m_text(text)
    {
    }

    OrderResult read()
    {
        readChunks();
        m_r.mobile = m_found.mobile;
        m_r.telephone = m_found.telephone;
        m_r.postcode = m_found.postcode;
        m_used.assign(m_words.size(), false);
        if (!m_labelledAddress.isEmpty())
            placeLabelledAddress();
        else
            placeAddress();
        if (secondAddress())
            return accountsOnly();
        chooseName();
        keepNameOutOfAddress();
        return m_r;
    }

private:
    void readChunks();
    void readPiece(Kind kind, QStringView text, int chunk);
    void readName(const std::vector<Token> &words, int chunk);
    void addWord(QStringView word, int chunk, bool gluedToNumber);
    void placeLabelledAddress();
    void placeAddress();
    void placeStreetOnly();
    QString takeTrailingName(QStringList &parts, qsizetype lastWord, bool gluedToNumber);
    bool secondAddress() const;
    OrderResult accountsOnly() const;
    void chooseName();
    void keepNameOutOfAddress();

    bool hasBuyerData() const
    {
        return !m_r.mobile.isEmpty() || !m_r.telephone.isEmpty() || !m_r.province.isEmpty() || !m_r.address.isEmpty();
    }

    const QString m_text;
    OrderResult m_r;
    Found m_found;
    QString m_labelledName;
    QString m_labelledAddress;
    bool m_labelledAddressGlued = false; // its last word was glued to a number
    bool m_secondPerson = false; // a second labelled person began: stop reading
    std::vector<Word> m_words;
    std::vector<bool> m_used;
    std::vector<Candidate> m_candidates;
};

// Chunks between strong separators; inside each, labelled pieces. A label
// without a value ("收货人" alone on its line, "手机：" at a line's end)
// labels the beginning of the next chunk.
void SmartReader::readChunks()
{
    int chunkIndex = 0;
    qsizetype start = 0;
    Kind pending = Kind::Free;
    const qsizetype n = m_text.size();
    for (qsizetype i = 0; i <= n && !m_secondPerson; ++i) {
        if (i < n && !isStrongSeparator(m_text.at(i)))
            continue;
        const QStringView chunk = QStringView(m_text).mid(start, i - start);
        start = i + 1;
        if (chunk.trimmed().isEmpty())
            continue;
        if (labelOnly(chunk, &pending))
            continue;
        const std::vector<LabelHit> hits = findLabels(chunk);
        const qsizetype firstLabel = hits.empty() ? chunk.size() : hits.front().begin;
        readPiece(pending, chunk.left(firstLabel), chunkIndex);
        pending = Kind::Free;
        for (size_t h = 0; h < hits.size() && !m_secondPerson; ++h) {
            const qsizetype end = h + 1 < hits.size() ? hits[h + 1].begin : chunk.size();
            const QStringView value = chunk.mid(hits[h].content, std::max<qsizetype>(0, end - hits[h].content));
            if (h + 1 == hits.size() && value.trimmed().isEmpty())
                pending = hits[h].kind;
            else
                readPiece(hits[h].kind, value, chunkIndex);
        }
        ++chunkIndex;
    }
}

void SmartReader::readPiece(Kind kind, QStringView text, int chunk)
{
    const QString value = simplified(text);
    if (value.isEmpty())
        return;
    switch (kind) {
    case Kind::Nickname:
        if (m_r.nickname.isEmpty())
            m_r.nickname = value;
        return;
    case Kind::Payment:
        if (m_r.payment.isEmpty())
            m_r.payment = value;
        return;
    case Kind::Chat:
        if (m_r.chat.isEmpty())
            m_r.chat = value;
        return;
    case Kind::Ignore:
        return;
    default:
        break;
    }
    QString numbersOut = value;
    extractNumbers(numbersOut, kind, m_found);
    const std::vector<Token> words = tokens(numbersOut);
    if (words.empty())
        return;
    switch (kind) {
    case Kind::Name:
        readName(words, chunk);
        return;
    case Kind::Address:
    case Kind::Region: {
        // "收货地址：张三，138…，江苏省…": a label over the whole copy holds
        // no address itself; its words are read like free text. A region
        // ("District: 城关区") or a piece after one always belongs to it.
        const QString rest = simplified(numbersOut);
        if (kind == Kind::Region || !m_labelledAddress.isEmpty() || divisionStartsAt(rest, 0) || hasStreetMark(rest)) {
            m_labelledAddress += (m_labelledAddress.isEmpty() ? QString() : QStringLiteral(" ")) + rest;
            m_labelledAddressGlued = words.back().gluedToNumber;
            return;
        }
        break;
    }
    default:
        break;
    }
    // Beside a number label only the number belongs to it.
    for (const Token &w : words)
        addWord(w.text, chunk, w.gluedToNumber);
}

// The first word is the name; anything after it is read as free text. A
// second, different name after a whole person's data begins the next
// person ("收货人：…手机：…地址：… 收货人：…"), which is not read.
void SmartReader::readName(const std::vector<Token> &words, int chunk)
{
    const QString name = withoutReceivingMark(stripWrapping(words.front().text)).toString();
    if (m_labelledName.isEmpty()) {
        m_labelledName = name;
    } else if (name != m_labelledName) {
        const bool phone = !m_found.mobile.isEmpty() || !m_found.telephone.isEmpty();
        const bool address = !m_labelledAddress.isEmpty()
            || std::any_of(m_words.begin(), m_words.end(), [](const Word &w) { return divisionStartsAt(w.text, 0); });
        if (phone && address) {
            m_secondPerson = true;
            return;
        }
    }
    for (size_t w = 1; w < words.size(); ++w)
        addWord(words[w].text, chunk, words[w].gluedToNumber);
}

void SmartReader::addWord(QStringView word, int chunk, bool gluedToNumber)
{
    word = stripWrapping(word);
    if (word.isEmpty() || word == u"收" || isNumberNoise(word))
        return;
    m_words.push_back({withoutReceivingMark(word).toString(), chunk, gluedToNumber});
}

// A name written after the address, apart from it ("…8号 张三"), glued to
// it with a receiving mark ("…8号张三收") or glued between it and a phone
// number ("…8号张三138…"): taken off the parts, returned.
QString SmartReader::takeTrailingName(QStringList &parts, qsizetype lastWord, bool gluedToNumber)
{
    if (parts.isEmpty())
        return {};
    QString &last = parts.last();
    if (parts.size() >= 2) {
        const bool named
            = m_labelledName.isEmpty() ? isCommonName(last, 3) || hasNameShape(last) : last == m_labelledName;
        if (named) {
            const QString name = parts.takeLast();
            m_candidates.push_back({lastWord, name, isCommonName(name, 3)});
            return name;
        }
    }
    if (last.size() >= 4 && last.endsWith(u'收')) {
        for (qsizetype cut = last.size() - 3; cut >= 1 && cut >= last.size() - 5; --cut) {
            if (!endsStreetPart(last.at(cut - 1)))
                continue;
            const QString name = last.mid(cut, last.size() - 1 - cut);
            if (isCommonName(name) || hasNameShape(name)) {
                last.truncate(cut);
                m_candidates.push_back({lastWord, name, isCommonName(name)});
                return name;
            }
        }
    }
    // With a labelled name the street keeps what is not that name (it is
    // cut off below when it is).
    if (gluedToNumber && m_labelledName.isEmpty()) {
        if (const QString name = takeNameBeforeNumber(last); !name.isEmpty()) {
            m_candidates.push_back({lastWord, name, isCommonName(name)});
            return name;
        }
    }
    return {};
}

void SmartReader::placeLabelledAddress()
{
    QStringList parts = m_labelledAddress.split(u' ', Qt::SkipEmptyParts);
    if (!m_labelledName.isEmpty())
        parts.removeAll(m_labelledName);
    takeTrailingName(parts, -1, m_labelledAddressGlued);
    QString address = parts.join(u' ');
    if (const qsizetype chat = chatBeforeDivision(address)) {
        // A name glued in front ("地址：张三江苏省…") is a name, other
        // words are chat.
        const QString front = simplified(QStringView(address).left(chat));
        if (isCommonName(front))
            m_candidates.push_back({-1, front, true});
        address = simplified(QStringView(address).mid(chat));
    }
    if (!OrderSmartParser::splitAddress(address, m_r))
        m_r.address = address;
}

// The address starts at the first word that begins with a division; a name
// may be glued in front of it ("张三江苏省…").
void SmartReader::placeAddress()
{
    const qsizetype count = qsizetype(m_words.size());
    qsizetype first = -1;
    qsizetype offset = 0;
    for (qsizetype w = 0; w < count && first < 0; ++w) {
        const QStringView word(m_words[size_t(w)].text);
        if (divisionStartsAt(word, 0)) {
            first = w;
        } else {
            for (qsizetype o = 2; o <= 4 && o < word.size(); ++o) {
                if (isCommonName(word.left(o)) && divisionStartsAt(word, o)) {
                    first = w;
                    offset = o;
                    break;
                }
            }
        }
    }
    if (first < 0) {
        placeStreetOnly();
        return;
    }
    const int chunk = m_words[size_t(first)].chunk;
    QStringList parts;
    qsizetype last = first;
    for (qsizetype w = first; w < count && m_words[size_t(w)].chunk == chunk; ++w) {
        parts.append(w == first ? m_words[size_t(w)].text.mid(offset) : m_words[size_t(w)].text);
        m_used[size_t(w)] = true;
        last = w;
    }
    if (offset > 0)
        m_candidates.push_back({first, m_words[size_t(first)].text.left(offset), true});
    takeTrailingName(parts, last, m_words[size_t(last)].gluedToNumber);
    OrderSmartParser::splitAddress(parts.join(u' '), m_r);

    // Region and street split by a comma: the next chunk is the street.
    if (m_r.address.isEmpty() && last + 1 < count) {
        const int next = m_words[size_t(last + 1)].chunk;
        QStringList street;
        qsizetype w = last + 1;
        for (; w < count && m_words[size_t(w)].chunk == next; ++w)
            street.append(m_words[size_t(w)].text);
        const QString joined = street.join(u' ');
        if (hasStreetMark(joined) && !(street.size() == 1 && isCommonName(joined)) && !divisionStartsAt(joined, 0)) {
            takeTrailingName(street, w - 1, m_words[size_t(w - 1)].gluedToNumber);
            m_r.address = street.join(u' ');
            for (qsizetype x = last + 1; x < w; ++x)
                m_used[size_t(x)] = true;
        }
    }
}

// No division at all: a chunk that reads as a street is the address.
void SmartReader::placeStreetOnly()
{
    const qsizetype count = qsizetype(m_words.size());
    for (qsizetype w = 0; w < count; ++w) {
        const QStringView word(m_words[size_t(w)].text);
        if (!hasStreetMark(word) || isCommonName(word))
            continue;
        QStringList parts;
        qsizetype x = w;
        for (; x < count && m_words[size_t(x)].chunk == m_words[size_t(w)].chunk; ++x) {
            parts.append(m_words[size_t(x)].text);
            m_used[size_t(x)] = true;
        }
        takeTrailingName(parts, x - 1, m_words[size_t(x - 1)].gluedToNumber);
        m_r.address = parts.join(u' ');
        return;
    }
}

// Another address in words not used, in divisions other than the one read
// ("张三 138… 浙江省…\n李四 139… 江苏省…"): two people and no word to
// tell which one receives.
bool SmartReader::secondAddress() const
{
    if (m_r.province.isEmpty())
        return false;
    const qsizetype count = qsizetype(m_words.size());
    for (qsizetype w = 0; w < count; ++w) {
        if (m_used[size_t(w)] || !divisionStartsAt(m_words[size_t(w)].text, 0))
            continue;
        QStringList parts;
        const int chunk = m_words[size_t(w)].chunk;
        for (qsizetype x = w; x < count && m_words[size_t(x)].chunk == chunk; ++x)
            parts.append(m_words[size_t(x)].text);
        OrderResult other;
        if (!OrderSmartParser::splitAddress(parts.join(u' '), other))
            continue;
        const auto differ = [](const QString &a, const QString &b) { return !a.isEmpty() && !b.isEmpty() && a != b; };
        if (other.province != m_r.province || differ(other.city, m_r.city) || differ(other.district, m_r.district))
            return true;
    }
    return false;
}

// What is left when the text holds two people: the buyer's accounts, which
// only the buyer has.
OrderResult SmartReader::accountsOnly() const
{
    OrderResult r;
    r.nickname = m_r.nickname;
    r.payment = m_r.payment;
    r.chat = m_r.chat;
    return r;
}

void SmartReader::chooseName()
{
    if (!m_labelledName.isEmpty()) {
        m_r.name = m_labelledName;
        return;
    }
    // Without a label a name needs buyer data beside it: a chat line with a
    // word that looks like a name is no order.
    if (!hasBuyerData())
        return;
    const qsizetype count = qsizetype(m_words.size());
    for (qsizetype w = 0; w < count; ++w) {
        if (m_used[size_t(w)])
            continue;
        const int chunk = m_words[size_t(w)].chunk;
        const bool firstInChunk = w == 0 || m_words[size_t(w - 1)].chunk != chunk;
        const bool lastInChunk = w + 1 == count || m_words[size_t(w + 1)].chunk != chunk;
        const QString &word = m_words[size_t(w)].text;
        if (isCommonName(word, firstInChunk && lastInChunk ? 4 : 3))
            m_candidates.push_back({w, word, true});
        else if (firstInChunk && hasNameShape(word))
            m_candidates.push_back({w, word, false});
    }
    // The first name with a common surname, else the first of any shape.
    const Candidate *best = nullptr;
    for (const Candidate &c : m_candidates) {
        if (!best || (c.common && !best->common) || (c.common == best->common && c.order < best->order))
            best = &c;
    }
    if (best)
        m_r.name = best->name;
}

// The street part never carries the recipient's name, glued or apart.
void SmartReader::keepNameOutOfAddress()
{
    if (m_r.name.isEmpty() || m_r.address.size() <= m_r.name.size() || !m_r.address.endsWith(m_r.name))
        return;
    m_r.address.chop(m_r.name.size());
    m_r.address = simplified(m_r.address);
}

} // namespace

bool OrderSmartParser::looksLikeName(QStringView w, int maxLength)
{
    return isCommonName(w, maxLength);
}

bool OrderSmartParser::splitAddress(const QString &address, OrderResult &r)
{
    return Smart::splitAddress(address, r);
}

OrderResult OrderSmartParser::parse(const QString &text)
{
    return SmartReader(recipientPart(normalise(text))).read();
}

} // namespace Slipdesk
