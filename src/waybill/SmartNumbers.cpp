#include "SmartNumbers.h"

#include "SmartText.h"

#include <vector>

namespace Slipdesk::Smart {

namespace {

// One digit group of a run such as "0510 8888-6666".
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

// Mainland area codes: 010 and 02x have three digits, the others four.
bool isAreaCode(QStringView d)
{
    if (d.size() < 3 || d.at(0) != u'0')
        return false;
    if (d.size() == 3)
        return d.at(1) == u'1' ? d.at(2) == u'0' : d.at(1) == u'2';
    return d.size() == 4 && d.at(1) >= u'3';
}

// A landline written without a separator: area code and a 7 or 8 digit
// number. The length of its area code, or 0.
qsizetype areaCodeOfJoined(QStringView d)
{
    if (d.size() == 11 && isAreaCode(d.left(3)))
        return 3;
    if ((d.size() == 11 || d.size() == 12) && isAreaCode(d.left(4)))
        return 4;
    return 0;
}

constexpr qsizetype kLongestUseful = 8; // untaken groups longer than this are noise

class RunReader
{
public:
    RunReader(QString &s, Kind kind, Found &found)
        : m_s(s)
        , m_kind(kind)
        , m_found(found)
    {
    }

    void readAll()
    {
        const qsizetype n = m_s.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_s.at(i);
            const bool plus = c == u'+' && i + 1 < n && isDigit(m_s.at(i + 1));
            if (!(isDigit(c) || plus) || (i > 0 && isAsciiAlnum(m_s.at(i - 1)))) {
                ++i;
                continue;
            }
            i = readRun(i, plus);
        }
    }

private:
    qsizetype readRun(qsizetype runBegin, bool plus)
    {
        const qsizetype n = m_s.size();
        qsizetype j = plus ? runBegin + 1 : runBegin;
        m_groups.clear();
        QChar sep;
        for (;;) {
            const qsizetype b = j;
            while (j < n && (isDigit(m_s.at(j)) || m_s.at(j) == u'*'))
                ++j;
            m_groups.push_back({b, j, sep, QStringView(m_s).mid(b, j - b)});
            if (j + 1 < n && (m_s.at(j) == u' ' || m_s.at(j) == u'-') && isDigit(m_s.at(j + 1))) {
                sep = m_s.at(j);
                ++j;
                continue;
            }
            break;
        }
        const qsizetype runEnd = j;
        // Part of a code such as "A3123B": no number of ours.
        if (runEnd < n && isAsciiLetter(m_s.at(runEnd)))
            return runEnd;

        m_taken.clear();
        const qsizetype count = qsizetype(m_groups.size());
        qsizetype k = 0;
        while (k < count) {
            const qsizetype next = takeAt(k, runBegin, runEnd);
            if (next > k) {
                k = next;
                continue;
            }
            const Group &g = m_groups[size_t(k)];
            if (g.text.size() > kLongestUseful)
                m_taken.push_back({g.begin, g.end});
            ++k;
        }
        for (const Taken &t : m_taken) {
            const bool glued = t.phone && t.begin > 0 && isCjk(m_s.at(t.begin - 1));
            for (qsizetype x = t.begin; x < t.end; ++x)
                m_s[x] = u' ';
            if (glued)
                m_s[t.begin] = kGlueMark;
        }
        return runEnd;
    }

    // Reads a number starting at group k; returns the group after it, or k
    // when nothing starts there.
    qsizetype takeAt(qsizetype k, qsizetype runBegin, qsizetype runEnd)
    {
        const qsizetype count = qsizetype(m_groups.size());
        const Group &g = m_groups[size_t(k)];
        // Masked numbers ("138****8000") are no use and no address either.
        if (g.masked()) {
            if (g.text.size() >= 7)
                m_taken.push_back({g.begin, g.end});
            return k + 1;
        }
        if (const qsizetype q = takeMobile(k, runBegin); q > k)
            return q;
        if (g.text.startsWith(u'0')) {
            if (const qsizetype q = takeLandline(k); q > k)
                return q;
        }
        // A postcode stands alone: six digits not glued to words.
        if (g.text.size() == 6) {
            const QString &s = m_s;
            const qsizetype n = s.size();
            const bool leftFree = k > 0 ? g.sepBefore == u' '
                                        : (runBegin == 0 || !isCjk(s.at(runBegin - 1)) || m_kind == Kind::Postcode);
            const bool rightFree
                = k + 1 < count ? m_groups[size_t(k + 1)].sepBefore == u' ' : (runEnd == n || !isCjk(s.at(runEnd)));
            if (leftFree && rightFree) {
                if (!m_found.postcodeSeen && g.text != u"000000")
                    m_found.postcode = g.text.toString();
                m_found.postcodeSeen = true;
                m_taken.push_back({g.begin, g.end});
                return k + 1;
            }
        }
        return k;
    }

    // A mobile, with an optional 86 / 0086 prefix group, its digits possibly
    // split into groups ("138 1234 5678").
    qsizetype takeMobile(qsizetype k, qsizetype runBegin)
    {
        const qsizetype count = qsizetype(m_groups.size());
        const Group &g = m_groups[size_t(k)];
        qsizetype p = k;
        if ((g.text == u"86" || g.text == u"0086") && k + 1 < count)
            p = k + 1;
        QString digits;
        qsizetype q = p;
        while (q < count && digits.size() < 11 && !m_groups[size_t(q)].masked()) {
            digits += m_groups[size_t(q)].text;
            ++q;
        }
        if (p == k && digits.size() == 13 && digits.startsWith(u"86") && q == k + 1)
            digits = digits.mid(2);
        if (!isMobile(digits))
            return k;
        if (m_found.mobile.isEmpty())
            m_found.mobile = digits;
        m_taken.push_back({k == 0 ? runBegin : g.begin, m_groups[size_t(q - 1)].end, true});
        return q;
    }

    // A landline: area code, then 7 or 8 digits in one or two groups, then an
    // optional extension after "-" or "转".
    qsizetype takeLandline(qsizetype k)
    {
        const qsizetype count = qsizetype(m_groups.size());
        const Group &g = m_groups[size_t(k)];
        if (isAreaCode(g.text) && k + 1 < count) {
            QString number;
            qsizetype q = k + 1;
            while (q < count && q <= k + 2 && number.size() < 7 && !m_groups[size_t(q)].masked()) {
                number += m_groups[size_t(q)].text;
                ++q;
            }
            if (number.size() != 7 && number.size() != 8)
                return k;
            QString tel = g.text.toString() + u'-' + number;
            qsizetype last = m_groups[size_t(q - 1)].end;
            if (q < count && m_groups[size_t(q)].sepBefore == u'-' && m_groups[size_t(q)].text.size() <= 6) {
                tel += u'-' + m_groups[size_t(q)].text.toString();
                last = m_groups[size_t(q)].end;
                ++q;
            } else if (q == count) {
                last = takeExtension(last, tel);
            }
            if (m_found.telephone.isEmpty())
                m_found.telephone = tel;
            m_taken.push_back({g.begin, last, true});
            return q;
        }
        if (count == 1) {
            const qsizetype area = areaCodeOfJoined(g.text);
            if (area == 0)
                return k;
            QString tel = g.text.left(area).toString() + u'-' + g.text.mid(area).toString();
            const qsizetype last = takeExtension(g.end, tel);
            if (m_found.telephone.isEmpty())
                m_found.telephone = tel;
            m_taken.push_back({g.begin, last, true});
            return k + 1;
        }
        return k;
    }

    // "转808" after a landline: appends "-808" and returns where it ends.
    qsizetype takeExtension(qsizetype last, QString &tel)
    {
        const QString &s = m_s;
        const qsizetype n = s.size();
        if (last >= n || s.at(last) != u'转')
            return last;
        qsizetype e = last + 1;
        while (e < n && isDigit(s.at(e)))
            ++e;
        if (e == last + 1 || e - last - 1 > 6)
            return last;
        tel += u'-' + s.mid(last + 1, e - last - 1);
        return e;
    }

    QString &m_s;
    Kind m_kind;
    Found &m_found;
    std::vector<Group> m_groups;
    struct Taken
    {
        qsizetype begin;
        qsizetype end;
        bool phone = false;
    };
    std::vector<Taken> m_taken;
};

} // namespace

void extractNumbers(QString &s, Kind kind, Found &found)
{
    RunReader(s, kind, found).readAll();
}

} // namespace Slipdesk::Smart
