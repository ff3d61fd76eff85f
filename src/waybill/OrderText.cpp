#include "OrderText.h"

namespace Slipdesk {

QStringList OrderText::lines(const QString &s)
{
    QStringList out;
    const qsizetype n = s.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s.at(i);
        if (c == u'\r' || c == u'\n') {
            out.append(s.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && s.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        out.append(s.mid(start));
    return out;
}

QString OrderText::trim(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).unicode() <= u' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= u' ')
        --e;
    return s.mid(b, e - b);
}

QString OrderText::field(const QString &s, int k, QChar c)
{
    if (k < 0)
        return QString();
    qsizetype start = 0;
    for (int piece = 0; piece < k; ++piece) {
        const qsizetype at = s.indexOf(c, start);
        if (at < 0)
            return QString();
        start = at + 1;
    }
    const qsizetype end = s.indexOf(c, start);
    return s.mid(start, end < 0 ? -1 : end - start);
}

int OrderText::count(const QString &s, QChar c)
{
    if (s.isEmpty())
        return 0;
    return int(trim(s).count(c)) + 1;
}

QString OrderText::remove(const QString &s, const QString &p)
{
    if (p.isEmpty())
        return s;
    QString out = s;
    out.remove(p, Qt::CaseSensitive);
    return out;
}

QString OrderText::removeLeading(const QString &s, const QString &p)
{
    return !p.isEmpty() && s.startsWith(p) ? s.mid(p.size()) : s;
}

QString OrderText::upTo(const QString &s, QChar ch)
{
    const qsizetype at = s.indexOf(ch);
    return at < 0 ? QString() : s.left(at + 1);
}

QString OrderText::upTo(const QString &s, const QString &ch)
{
    const qsizetype at = s.indexOf(ch);
    return at < 0 ? QString() : s.left(at + ch.size());
}

} // namespace Slipdesk
