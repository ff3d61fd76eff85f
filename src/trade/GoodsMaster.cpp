#include "GoodsMaster.h"

#include "storage/Codec.h"
#include "storage/FileIo.h"
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
    // Encoded now, while the lines are read, so that no posting pays for it.
    m_bytes.clear();
    m_bytes.reserve(m_rows.size());
    for (const QString &row : std::as_const(m_rows))
        m_bytes.append(Codec::encode(QString(row + QStringLiteral("\r\n"))));
    m_loaded = true;
    rebuildIndex();
}

void GoodsMaster::clear()
{
    m_rows.clear();
    m_bytes.clear();
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
    encodeLine(line);
    if (field == Code && old != value)
        rebuildIndex();
}

int GoodsMaster::append(const QString &line)
{
    m_rows.append(line);
    if (!m_bytes.isEmpty())
        m_bytes.append(QByteArray());
    encodeLine(int(m_rows.size()) - 1);
    m_loaded = true;
    const int position = int(m_rows.size()) - 1;
    const QString code = folded(TextTable::field(line, Code));
    if (!m_index.contains(code))
        m_index.insert(code, position);
    return position;
}

void GoodsMaster::encodeLine(int line) const
{
    if (m_bytes.size() == m_rows.size())
        m_bytes[line] = Codec::encode(QString(m_rows.at(line) + QStringLiteral("\r\n")));
}

void GoodsMaster::save(const Paths &paths) const
{
    if (m_bytes.size() != m_rows.size()) {
        m_bytes.clear();
        m_bytes.reserve(m_rows.size());
        for (const QString &row : m_rows)
            m_bytes.append(Codec::encode(QString(row + QStringLiteral("\r\n"))));
    }
    qsizetype size = 0;
    for (const QByteArray &line : std::as_const(m_bytes))
        size += line.size();
    QByteArray file;
    file.reserve(size);
    for (const QByteArray &line : std::as_const(m_bytes))
        file.append(line);
    FileIo::writeAtomic(paths.file(fileName()), file);
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
