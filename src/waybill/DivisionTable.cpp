#include "DivisionTable.h"

#include <QFile>
#include <QHash>

#include <algorithm>

static void initDivisionResource()
{
    Q_INIT_RESOURCE(divisions);
}

namespace Slipdesk {

const DivisionTable &DivisionTable::instance()
{
    static const DivisionTable table;
    return table;
}

DivisionTable::DivisionTable()
    : m_buckets(65536, 0)
{
    initDivisionResource();
    QFile file(QStringLiteral(":/divisions/divisions.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("divisions.tsv is not compiled in");
    const QString text = QString::fromUtf8(file.readAll());
    QHash<QString, int> byCode;
    struct Raw
    {
        QString parentCode;
        QStringList shorts;
    };
    std::vector<Raw> raw;
    for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const auto parts = line.split(u'\t');
        if (parts.size() < 3)
            continue;
        Division d;
        d.code = parts.at(0).toString();
        d.name = parts.at(1).toString();
        d.level = d.code.size() <= 2 ? Province : d.code.size() == 4 ? Prefecture : County;
        byCode.insert(d.code, int(m_divisions.size()));
        m_divisions.push_back(d);
        QStringList shorts;
        if (parts.size() > 3 && !parts.at(3).isEmpty())
            for (QStringView s : parts.at(3).split(u'|'))
                shorts.append(s.toString());
        raw.push_back({parts.at(2).toString(), shorts});
    }
    std::vector<Entry> entries;
    for (size_t i = 0; i < m_divisions.size(); ++i) {
        m_divisions[i].parent = byCode.value(raw[i].parentCode, -1);
        entries.push_back({m_divisions[i].name, int(i), false});
        for (const QString &s : raw[i].shorts)
            entries.push_back({s, int(i), true});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.name.at(0) != b.name.at(0))
            return a.name.at(0) < b.name.at(0);
        return a.name.size() > b.name.size();
    });
    m_entries = std::move(entries);
    for (size_t i = 0; i < m_entries.size();) {
        const char16_t first = m_entries[i].name.at(0).unicode();
        size_t j = i;
        while (j < m_entries.size() && m_entries[j].name.at(0).unicode() == first)
            ++j;
        m_buckets[first] = uint32_t(i) << 8 | uint32_t(std::min<size_t>(j - i, 255));
        i = j;
    }
}

int DivisionTable::find(const QString &name, Level level) const
{
    for (int i = 0; i < size(); ++i)
        if (m_divisions[size_t(i)].level == level && m_divisions[size_t(i)].name == name)
            return i;
    return -1;
}

int DivisionTable::provinceOf(int i) const
{
    while (i >= 0 && m_divisions[size_t(i)].parent >= 0)
        i = m_divisions[size_t(i)].parent;
    return i;
}

int DivisionTable::prefectureOf(int i) const
{
    if (i < 0)
        return -1;
    const Division &d = m_divisions[size_t(i)];
    if (d.level == Prefecture)
        return i;
    if (d.level == County && d.parent >= 0 && m_divisions[size_t(d.parent)].level == Prefecture)
        return d.parent;
    return -1;
}

bool DivisionTable::isMunicipality(int province) const
{
    if (province < 0)
        return false;
    const QString &code = m_divisions[size_t(province)].code;
    return code == u"11" || code == u"12" || code == u"31" || code == u"50" || code == u"81" || code == u"82";
}

bool DivisionTable::isBelow(int i, int ancestor) const
{
    for (int p = m_divisions[size_t(i)].parent; p >= 0; p = m_divisions[size_t(p)].parent)
        if (p == ancestor)
            return true;
    return false;
}

bool DivisionTable::continuesStreet(QStringView after)
{
    static const QString chars = QStringLiteral("路街道巷弄里村镇乡桥园苑湾坊庄场厦楼府");
    if (after.isEmpty())
        return false;
    if (chars.contains(after.front()))
        return true;
    for (const char16_t *pair : {u"大道", u"大街", u"大厦", u"大楼", u"大桥", u"大院", u"广场", u"花园"})
        if (after.startsWith(QStringView(pair)))
            return true;
    return false;
}

DivisionTable::Match DivisionTable::matchAt(
    QStringView text, qsizetype pos, Level level, int within, bool allowShort) const
{
    Match m;
    if (pos < 0 || pos >= text.size())
        return m;
    const uint32_t bucket = m_buckets[text.at(pos).unicode()];
    if (!bucket)
        return m;
    const size_t start = bucket >> 8;
    const size_t end = start + (bucket & 0xff);
    const QStringView rest = text.mid(pos);
    for (size_t e = start; e < end; ++e) {
        const Entry &entry = m_entries[e];
        if (m.division >= 0 || m.ambiguous) {
            if (entry.name.size() < m.length)
                break; // only equally long names can still compete
        }
        if (entry.isShort && !allowShort)
            continue;
        const Division &d = m_divisions[size_t(entry.division)];
        if (d.level != level)
            continue;
        if (!rest.startsWith(entry.name))
            continue;
        if (within >= 0 && !isBelow(entry.division, within))
            continue;
        if (entry.isShort && continuesStreet(rest.mid(entry.name.size())))
            continue;
        if (m.length == entry.name.size() && (m.division >= 0 || m.ambiguous)) {
            if (m.division != entry.division) {
                m.ambiguous = true;
                m.division = -1;
            }
            continue;
        }
        m.division = entry.division;
        m.length = int(entry.name.size());
        m.isShort = entry.isShort;
    }
    return m;
}

bool DivisionTable::isName(QStringView word) const
{
    if (word.isEmpty())
        return false;
    const uint32_t bucket = m_buckets[word.at(0).unicode()];
    const size_t start = bucket >> 8;
    const size_t end = start + (bucket & 0xff);
    for (size_t e = start; e < end; ++e)
        if (m_entries[e].name == word)
            return true;
    return false;
}

} // namespace Slipdesk
