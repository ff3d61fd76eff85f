#include "SmartText.h"

namespace Slipdesk::Smart {

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

bool isWrapping(QChar c)
{
    switch (c.unicode()) {
    case u'[':
    case u']':
    case u'【':
    case u'】':
    case u'(':
    case u')':
    case u'（':
    case u'）':
    case u'<':
    case u'>':
    case u'《':
    case u'》':
    case u'"':
    case u'\'':
    case u'“':
    case u'”':
    case u'‘':
    case u'’':
    case u'.':
    case u'。':
    case u':':
    case u'：':
    case u'!':
    case u'！':
    case u'?':
    case u'？':
    case u'、':
    case u'~':
    case u'`':
        return true;
    default:
        return false;
    }
}

namespace {

bool isOpening(QChar c)
{
    return c == u'(' || c == u'（' || c == u'[' || c == u'【';
}

bool isClosing(QChar c)
{
    return c == u')' || c == u'）' || c == u']' || c == u'】';
}

qsizetype skipBlanks(const QString &s, qsizetype i)
{
    while (i < s.size() && s.at(i) == u' ')
        ++i;
    return i;
}

// At an opening bracket: the area code inside and where the number after the
// closing bracket begins, or false.
bool bracketedAreaCode(const QString &s, qsizetype open, qsizetype *codeBegin, qsizetype *codeEnd, qsizetype *after)
{
    qsizetype i = skipBlanks(s, open + 1);
    const qsizetype b = i;
    while (i < s.size() && isDigit(s.at(i)))
        ++i;
    const qsizetype e = i;
    if (e - b < 3 || e - b > 4 || s.at(b) != u'0')
        return false;
    i = skipBlanks(s, i);
    if (i >= s.size() || !isClosing(s.at(i)))
        return false;
    i = skipBlanks(s, i + 1);
    if (i >= s.size() || !isDigit(s.at(i)))
        return false;
    *codeBegin = b;
    *codeEnd = e;
    *after = i;
    return true;
}

// "(收)" in any bracket pair: how many characters it covers, or 0.
qsizetype receivingMark(const QString &s, qsizetype open)
{
    qsizetype i = skipBlanks(s, open + 1);
    if (i >= s.size() || s.at(i) != u'收')
        return 0;
    i = skipBlanks(s, i + 1);
    if (i >= s.size() || !isClosing(s.at(i)))
        return 0;
    return i + 1 - open;
}

} // namespace

QString normalise(const QString &text)
{
    QString s = text;
    bool brackets = false;
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
        else if (u < u' ' && u != u'\n' && u != u'\r')
            c = u' ';
        else if (u == 0x2022 || u == 0x30fb || u == 0xff65 || u == 0x2027)
            c = kNameDot;
        else if (isOpening(c))
            brackets = true;
    }
    if (!brackets)
        return s;

    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (isOpening(s.at(i))) {
            qsizetype b = 0, e = 0, after = 0;
            if (bracketedAreaCode(s, i, &b, &e, &after)) {
                out += QStringView(s).mid(b, e - b);
                out += u'-';
                i = after;
                continue;
            }
            if (const qsizetype mark = receivingMark(s, i)) {
                out += u' ';
                i += mark;
                continue;
            }
        }
        out += s.at(i);
        ++i;
    }
    return out;
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

} // namespace Slipdesk::Smart
