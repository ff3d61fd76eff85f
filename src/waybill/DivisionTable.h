#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace Slipdesk {

// The administrative divisions of China (provinces, prefectures, counties)
// with their official names and short forms, compiled in from
// divisions/divisions.tsv. Built once, on first use; read-only afterwards.
class DivisionTable
{
public:
    enum Level { Province = 0, Prefecture = 1, County = 2 };

    struct Division
    {
        QString code;
        QString name; // official full name
        int parent = -1;
        Level level = Province;
    };

    // A name found in a text: the division, how many characters it covers and
    // whether the text used a short form. `division` is -1 when nothing
    // matched, or when two divisions fit equally well (`ambiguous`).
    struct Match
    {
        int division = -1;
        int length = 0;
        bool isShort = false;
        bool ambiguous = false;
        bool found() const { return division >= 0; }
    };

    static const DivisionTable &instance();

    int size() const { return int(m_divisions.size()); }
    const Division &at(int i) const { return m_divisions[size_t(i)]; }
    int find(const QString &name, Level level) const; // first division with that official name, or -1
    int provinceOf(int i) const;
    int prefectureOf(int i) const; // -1 for provinces and for counties directly below a province
    // Provinces whose counties sit directly below them (the four
    // municipalities, Hong Kong and Macau).
    bool isMunicipality(int province) const;

    // The longest name of a division of `level` that begins at `pos` of
    // `text` and whose division passes `within` (-1: any; else the division
    // must lie below it, at any depth). Short forms are taken only when
    // `allowShort`, and never when the next character continues a street
    // name ("南京路" is no city).
    Match matchAt(QStringView text, qsizetype pos, Level level, int within, bool allowShort) const;

    // Whether `c` is a character that can begin any division name.
    bool canStart(QChar c) const { return m_buckets[c.unicode()] != 0; }
    // Whether `word` is a division name or short form of any level.
    bool isName(QStringView word) const;
    // Whether `after`, the text right after a place word, continues that word
    // into a street or building name ("南京路", "南山大道").
    static bool continuesStreet(QStringView after);

private:
    DivisionTable();
    bool isBelow(int i, int ancestor) const;

    struct Entry
    {
        QString name;
        int division;
        bool isShort;
    };
    std::vector<Division> m_divisions;
    std::vector<Entry> m_entries; // grouped by first character, longest first
    std::vector<uint32_t> m_buckets; // per first character: start << 8 | count, 0 = none
};

} // namespace Slipdesk
