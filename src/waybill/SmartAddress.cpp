#include "SmartAddress.h"

#include "SmartText.h"
#include "waybill/DivisionTable.h"

namespace Slipdesk::Smart {

namespace {

using Table = DivisionTable;

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

} // namespace

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

bool endsStreetPart(QChar c)
{
    static const QString marks = QStringLiteral("号室楼栋幢弄巷层座路街道村组");
    return marks.contains(c);
}

bool endsStreetBeforeNumber(QChar c)
{
    static const QString marks = QStringLiteral("院园苑区厦城");
    return endsStreetPart(c) || isAsciiAlnum(c) || marks.contains(c);
}

qsizetype chatBeforeDivision(QStringView address)
{
    if (divisionStartsAt(address, 0))
        return 0;
    for (qsizetype p = 1; p <= 8 && p < address.size(); ++p) {
        const QChar c = address.at(p - 1);
        if (isDigit(c) || hasStreetMark(QStringView(&c, 1)))
            return 0;
        if (divisionStartsAt(address, p))
            return p;
    }
    return 0;
}

bool splitAddress(const QString &address, OrderResult &r)
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

} // namespace Slipdesk::Smart
