#include "GoodsMaster.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"

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
