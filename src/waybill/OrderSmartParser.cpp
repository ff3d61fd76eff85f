#include "OrderSmartParser.h"

#include "SmartLabels.h"
#include "SmartNames.h"
#include "SmartNumbers.h"
#include "SmartText.h"
#include "waybill/DivisionTable.h"

#include <QStringList>

#include <vector>

namespace Slipdesk {

using namespace Smart;

namespace {

using Table = DivisionTable;

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

// Characters after which a street part of an address ends and a name may
// begin ("湖滨路8号钱七收").
bool endsStreetPart(QChar c)
{
    static const QString marks = QStringLiteral("号室楼栋幢弄巷层座路街道村组");
    return marks.contains(c);
}

struct Word
{
    QString text;
    int chunk;
};

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
        : m_text(normalise(text))
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
        chooseName();
        keepNameOutOfAddress();
        return m_r;
    }

private:
    void readChunks();
    void readPiece(Kind kind, QStringView text, int chunk);
    void addWord(QStringView word, int chunk);
    void placeLabelledAddress();
    void placeAddress();
    void placeStreetOnly();
    QString takeTrailingName(QStringList &parts, qsizetype lastWord);
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
    std::vector<Word> m_words;
    std::vector<bool> m_used;
    std::vector<Candidate> m_candidates;
};

// Chunks between strong separators; inside each, labelled pieces.
void SmartReader::readChunks()
{
    int chunkIndex = 0;
    qsizetype start = 0;
    const qsizetype n = m_text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !isStrongSeparator(m_text.at(i)))
            continue;
        const QStringView chunk = QStringView(m_text).mid(start, i - start);
        start = i + 1;
        if (chunk.trimmed().isEmpty())
            continue;
        const std::vector<LabelHit> hits = findLabels(chunk);
        const qsizetype firstLabel = hits.empty() ? chunk.size() : hits.front().begin;
        readPiece(Kind::Free, chunk.left(firstLabel), chunkIndex);
        for (size_t h = 0; h < hits.size(); ++h) {
            const qsizetype end = h + 1 < hits.size() ? hits[h + 1].begin : chunk.size();
            readPiece(
                hits[h].kind, chunk.mid(hits[h].content, std::max<qsizetype>(0, end - hits[h].content)), chunkIndex);
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
    QString rest = value;
    extractNumbers(rest, kind, m_found);
    rest = simplified(rest);
    if (rest.isEmpty())
        return;
    const QList<QStringView> words = QStringView(rest).split(u' ', Qt::SkipEmptyParts);
    switch (kind) {
    case Kind::Name: {
        // The first word is the name; anything after it is read as free text.
        const QStringView name = withoutReceivingMark(stripWrapping(words.front()));
        if (m_labelledName.isEmpty())
            m_labelledName = name.toString();
        for (qsizetype w = 1; w < words.size(); ++w)
            addWord(words[w], chunk);
        return;
    }
    case Kind::Address:
    case Kind::Region:
        // "收货地址：张三，138…，江苏省…": a label over the whole copy holds
        // no address itself; its words are read like free text.
        if (divisionStartsAt(rest, 0) || hasStreetMark(rest)) {
            m_labelledAddress += (m_labelledAddress.isEmpty() ? QString() : QStringLiteral(" ")) + rest;
            return;
        }
        break;
    default:
        break;
    }
    // Beside a number label only the number belongs to it.
    for (QStringView w : words)
        addWord(w, chunk);
}

void SmartReader::addWord(QStringView word, int chunk)
{
    word = stripWrapping(word);
    if (word.isEmpty() || word == u"收" || isNumberNoise(word))
        return;
    m_words.push_back({withoutReceivingMark(word).toString(), chunk});
}

// A name written after the address, apart from it ("…8号 张三") or glued to
// it with a receiving mark ("…8号张三收"): taken off the parts, returned.
QString SmartReader::takeTrailingName(QStringList &parts, qsizetype lastWord)
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
    return {};
}

void SmartReader::placeLabelledAddress()
{
    QStringList parts = m_labelledAddress.split(u' ', Qt::SkipEmptyParts);
    if (!m_labelledName.isEmpty())
        parts.removeAll(m_labelledName);
    takeTrailingName(parts, -1);
    const QString address = parts.join(u' ');
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
    takeTrailingName(parts, last);
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
            takeTrailingName(street, w - 1);
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
        takeTrailingName(parts, x - 1);
        m_r.address = parts.join(u' ');
        return;
    }
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
    return SmartReader(text).read();
}

} // namespace Slipdesk
