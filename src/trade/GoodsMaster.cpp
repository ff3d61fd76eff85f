#include "GoodsMaster.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "trade/TradeNumbers.h"

#include <QFileInfo>

namespace Slipdesk {

namespace {
QString folded(const QString &code)
{
    return code.toCaseFolded();
}
} // namespace

QString GoodsMaster::fileName()
{
    return QStringLiteral("商品资料.TXT");
}

QStringList GoodsMaster::samples()
{
    return {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例数码批发部"),
        QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机")};
}

void GoodsMaster::load(const Paths &paths)
{
    const QString path = paths.file(fileName());
    setRows(QFileInfo::exists(path) ? TextTable::load(path) : samples());
}

void GoodsMaster::setRows(const QStringList &rows)
{
    m_rows = rows;
    m_loaded = true;
    rebuildIndex();
}

void GoodsMaster::clear()
{
    m_rows.clear();
    m_index.clear();
    m_loaded = false;
}

int GoodsMaster::find(const QString &code) const
{
    return m_index.value(folded(code), -1);
}

QString GoodsMaster::field(int line, int field) const
{
    return line >= 0 && line < m_rows.size() ? TextTable::field(m_rows.at(line), field) : QString();
}

double GoodsMaster::number(int line, int field) const
{
    return TradeNumbers::lenient(this->field(line, field));
}

void GoodsMaster::setField(int line, int field, const QString &value)
{
    if (line < 0 || line >= m_rows.size())
        return;
    const QString old = TextTable::field(m_rows.at(line), Code);
    m_rows[line] = TextTable::setField(m_rows.at(line), field, value);
    if (field == Code && old != value)
        rebuildIndex();
}

int GoodsMaster::append(const QString &line)
{
    m_rows.append(line);
    m_loaded = true;
    const int position = int(m_rows.size()) - 1;
    const QString code = folded(TextTable::field(line, Code));
    if (!m_index.contains(code))
        m_index.insert(code, position);
    return position;
}

void GoodsMaster::save(const Paths &paths) const
{
    TextTable::save(paths.file(fileName()), m_rows);
}

void GoodsMaster::rebuildIndex()
{
    m_index.clear();
    m_index.reserve(m_rows.size());
    // insert() replaces an existing key: walking backwards leaves the first
    // line of a code in the index.
    for (int i = int(m_rows.size()) - 1; i >= 0; --i)
        m_index.insert(folded(TextTable::field(m_rows.at(i), Code)), i);
}

} // namespace Slipdesk
