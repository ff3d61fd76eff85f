#pragma once

#include <QString>
#include <QStringView>

// Character classes and clean-up shared by the parts of the smart order
// reader. Internal to it.
namespace Slipdesk::Smart {

inline bool isCjk(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x9fff) || (u >= 0xf900 && u <= 0xfaff);
}

inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

inline bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

inline bool isAsciiAlnum(QChar c)
{
    return isDigit(c) || isAsciiLetter(c);
}

inline bool isSpace(QChar c)
{
    return c == u' ';
}

inline bool isColon(QChar c)
{
    return c == u':' || c == u'：';
}

// The dot between the parts of a minority or transcribed name.
constexpr char16_t kNameDot = u'·';

// Put where a telephone number was taken out of a text that went on right
// before it ("…1号陆小凤13957212345"): reads as a blank, but tells that the
// word in front was glued to the number.
constexpr char16_t kGlueMark = u'\x01';

// Line breaks, commas, semicolons, slashes and bars end a field.
bool isStrongSeparator(QChar c);

// Punctuation that may wrap a word without belonging to it.
bool isWrapping(QChar c);

// Full-width digits and signs become ASCII, odd blanks and other control
// characters become spaces, tabs separate like line breaks, name dots become
// one dot. An area code in
// brackets before its number, "(0510) 8888 6666", becomes "0510-8888 6666";
// a receiving mark "(收)" becomes a blank.
QString normalise(const QString &text);

// Blanks and control characters collapsed to single spaces, none at the ends.
QString simplified(QStringView s);

QStringView stripWrapping(QStringView w);

} // namespace Slipdesk::Smart
