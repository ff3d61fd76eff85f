#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

// The text operations the copy formats are written in. All of them work on
// characters, exactly and case-sensitively.
class OrderText
{
public:
    // The text split at CR LF, CR or LF; an empty line counts, a final line
    // break adds no line, an empty text has no lines.
    static QStringList lines(const QString &s);
    // Without leading and trailing characters at or below the space.
    static QString trim(const QString &s);
    // The k-th piece (from 0) of s split at c; empty when there are fewer
    // pieces or k is negative.
    static QString field(const QString &s, int k, QChar c);
    // The number of c in trim(s) plus one; 0 for an empty s.
    static int count(const QString &s, QChar c);
    // s with every occurrence of p removed, left to right without overlap; an
    // empty p leaves s unchanged.
    static QString remove(const QString &s, const QString &p);
    // s without p when s begins with p, else s unchanged.
    static QString removeLeading(const QString &s, const QString &p);
    // The beginning of s through the first ch; empty when ch does not occur.
    static QString upTo(const QString &s, QChar ch);
    static QString upTo(const QString &s, const QString &ch);
};

} // namespace Slipdesk
