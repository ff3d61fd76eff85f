#include "AppContext.h"

#include "storage/ProgramSettings.h"
#include "storage/TextTable.h"
#include "waybill/AddressBook.h"

namespace Slipdesk {

AppContext::AppContext(const Paths &paths, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_template(paths)
{
}

void AppContext::loadAddressBooks()
{
    QStringList recipients = AddressBook::loadRecipients(m_paths);
    QStringList senders = AddressBook::loadSenders(m_paths);
    m_recipients = std::move(recipients);
    m_senders = std::move(senders);
    columnsChanged();
    Q_EMIT addressBooksLoaded();
}

void AppContext::reloadRecipients()
{
    m_recipients = AddressBook::loadRecipients(m_paths);
    columnsChanged();
    Q_EMIT recipientsReloaded();
}

void AppContext::reloadSenders()
{
    m_senders = AddressBook::loadSenders(m_paths);
    Q_EMIT sendersReloaded();
}

void AppContext::setRecipients(const QStringList &rows)
{
    m_recipients = rows;
    columnsChanged();
    Q_EMIT recipientsReloaded();
}

void AppContext::setSenders(const QStringList &rows)
{
    m_senders = rows;
    Q_EMIT sendersReloaded();
}

const QStringList &AppContext::recipientNames() const
{
    if (!m_columnsValid) {
        m_recipientNames = AddressBook::column(m_recipients, AddressBook::RecipientNameField);
        m_recipientUnits = AddressBook::column(m_recipients, AddressBook::RecipientUnitField);
        m_columnsValid = true;
    }
    return m_recipientNames;
}

const QStringList &AppContext::recipientUnits() const
{
    recipientNames();
    return m_recipientUnits;
}

void AppContext::appendRecipient(const QString &row)
{
    TextTable::appendRow(m_paths.file(AddressBook::recipientFile()), row);
    m_recipients.append(row);
    if (m_columnsValid) {
        m_recipientNames.append(TextTable::field(row, AddressBook::RecipientNameField));
        m_recipientUnits.append(TextTable::field(row, AddressBook::RecipientUnitField));
    }
    Q_EMIT recipientAppended(row);
}

void AppContext::ensureGoods()
{
    if (m_goods.isLoaded())
        return;
    m_goods.load(m_paths);
    Q_EMIT goodsLoaded();
}

void AppContext::reloadGoods()
{
    m_goods.load(m_paths);
    Q_EMIT goodsLoaded();
}

void AppContext::setGoods(const QStringList &rows)
{
    m_goods.setRows(rows);
    Q_EMIT goodsLoaded();
}

void AppContext::ensureSmallLists()
{
    ProgramSettings settings(m_paths);
    m_smallLists.loadMissing(m_paths, settings);
}

void AppContext::saveSmallLists() const
{
    m_smallLists.saveAll(m_paths);
}

QString AppContext::pickListFile(int code)
{
    if (code == InboundTypesCode)
        return QStringLiteral("入库类别.txt");
    const AddressBook::PickList *list = AddressBook::pickListOfCode(code);
    return list ? list->file : QString();
}

QString AppContext::pickListDefaults(int code)
{
    if (code == InboundTypesCode)
        return QStringLiteral("采购入库\r\n期初余额\r\n销售退货\r\n盘点调整");
    const AddressBook::PickList *list = AddressBook::pickListOfCode(code);
    return list ? list->defaultText : QString();
}

QStringList AppContext::loadPickList(int code)
{
    if (const auto it = m_pickLists.constFind(code); it != m_pickLists.cend())
        return *it;
    const QString file = pickListFile(code);
    if (file.isEmpty())
        return {};
    const QStringList entries = TextTable::load(m_paths.file(file), pickListDefaults(code));
    m_pickLists.insert(code, entries);
    return entries;
}

void AppContext::addToPickList(int code, const QString &entry)
{
    QStringList entries = loadPickList(code);
    entries.append(entry);
    TextTable::save(m_paths.file(pickListFile(code)), entries);
    m_pickLists.insert(code, entries);
    Q_EMIT pickListChanged(code);
}

void AppContext::forgetPickList(int code)
{
    m_pickLists.remove(code);
    Q_EMIT pickListChanged(code);
}

void AppContext::clear()
{
    m_recipients.clear();
    m_senders.clear();
    columnsChanged();
    m_goods.clear();
}

} // namespace Slipdesk
