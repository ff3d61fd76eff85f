#include "ProgramSettings.h"

#include "Paths.h"

#include <algorithm>

namespace Slipdesk {

namespace {

const QString kMain = QStringLiteral("Main");
const QString kLastTemplate = QStringLiteral("最后模版");
const QString kAutoCopy = QStringLiteral("自动感应复制操作");
const QString kSellerMessage = QStringLiteral("卖家留言");
const QString kExpressShared = QStringLiteral("快递是否共用地址");
const QString kExpressAddressType = QStringLiteral("快递地址类型");
const QString kDeliveryShared = QStringLiteral("发货是否共用地址");
const QString kDeliveryAddressType = QStringLiteral("发货地址类型");
const QString kTemplateCount = QStringLiteral("模版总数");

QString listSection(int kind)
{
    return ProgramSettings::kindName(kind) + QStringLiteral("列表");
}

QString nameKey(qsizetype position) // 1-based
{
    return QStringLiteral("模版") + QString::number(position);
}

// The position of a name key ("模版7" -> 7) among `keys`, 0 for other keys.
qsizetype namePosition(const QString &key)
{
    const QString prefix = QStringLiteral("模版");
    if (!key.startsWith(prefix))
        return 0;
    bool ok = false;
    const qsizetype position = key.mid(prefix.size()).toLongLong(&ok);
    return ok && position > 0 && nameKey(position) == key ? position : 0;
}

// The positions of the name keys the section holds.
QList<qsizetype> namePositions(const QStringList &keys)
{
    QList<qsizetype> positions;
    for (const QString &key : keys)
        if (const qsizetype position = namePosition(key))
            positions.append(position);
    return positions;
}

} // namespace

ProgramSettings::ProgramSettings(const Paths &paths)
    : m_ini(paths.programIni())
{
}

int ProgramSettings::lastTemplate() const
{
    return m_ini.readInteger(kMain, kLastTemplate, 0);
}
void ProgramSettings::setLastTemplate(int index)
{
    m_ini.writeInteger(kMain, kLastTemplate, index);
}

bool ProgramSettings::autoCopy() const
{
    return m_ini.readBool(kMain, kAutoCopy, false);
}
void ProgramSettings::setAutoCopy(bool on)
{
    m_ini.writeBool(kMain, kAutoCopy, on);
}

QString ProgramSettings::sellerMessage() const
{
    return m_ini.readString(kMain, kSellerMessage, defaultSellerMessage());
}
void ProgramSettings::setSellerMessage(const QString &text)
{
    m_ini.writeString(kMain, kSellerMessage, text);
}

bool ProgramSettings::expressSharedAddress() const
{
    return m_ini.readBool(kMain, kExpressShared, true);
}
void ProgramSettings::setExpressSharedAddress(bool shared)
{
    m_ini.writeBool(kMain, kExpressShared, shared);
}

int ProgramSettings::expressAddressType() const
{
    return m_ini.readInteger(kMain, kExpressAddressType, 2);
}
void ProgramSettings::setExpressAddressType(int type)
{
    m_ini.writeInteger(kMain, kExpressAddressType, type);
}

bool ProgramSettings::deliverySharedAddress() const
{
    return m_ini.readBool(kMain, kDeliveryShared, true);
}
void ProgramSettings::setDeliverySharedAddress(bool shared)
{
    m_ini.writeBool(kMain, kDeliveryShared, shared);
}

int ProgramSettings::deliveryAddressType() const
{
    return m_ini.readInteger(kMain, kDeliveryAddressType, 0);
}
void ProgramSettings::setDeliveryAddressType(int type)
{
    m_ini.writeInteger(kMain, kDeliveryAddressType, type);
}

QString ProgramSettings::takeLegacyList(const QString &key)
{
    if (!m_ini.valueExists(kMain, key))
        return QString();
    const QString value = m_ini.readString(kMain, key);
    m_ini.deleteKey(kMain, key);
    return value;
}

QString ProgramSettings::defaultSellerMessage()
{
    return QStringLiteral("收货时请当场清点核对，单、货是否一致。如有疑议，请当面指出，并及时联系卖家。");
}

QString ProgramSettings::kindName(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("信函快递单模版");
    case 1:
        return QStringLiteral("出库发货单模版");
    case 2:
        return QStringLiteral("采购入库单模版");
    }
    Q_ASSERT_X(false, "ProgramSettings::kindName", "template kind out of range");
    return QString();
}

QString ProgramSettings::defaultTemplateName(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("默认B6国内信封");
    case 1:
        return QStringLiteral("出库发货单");
    case 2:
        return QStringLiteral("采购入库单");
    }
    Q_ASSERT_X(false, "ProgramSettings::defaultTemplateName", "template kind out of range");
    return QString();
}

int ProgramSettings::templateCount(int kind) const
{
    return m_ini.readInteger(listSection(kind), kTemplateCount, 0);
}

QStringList ProgramSettings::templateNames(int kind) const
{
    const QString section = listSection(kind);
    const int count = m_ini.readInteger(section, kTemplateCount, 0);
    if (count <= 0)
        return {};
    // A count beyond the keys the section holds comes from a damaged file
    // ("模版总数=2000000000" would make two thousand million names and hang
    // the start): the list then ends at the last name key the section holds
    // (a missing key before it is still an empty entry).
    qsizetype length = count;
    const QStringList present = m_ini.readSectionKeys(section);
    if (count >= present.size()) {
        qsizetype last = 0;
        for (const qsizetype position : namePositions(present))
            if (position <= count)
                last = std::max(last, position);
        length = std::min(last, present.size());
    }
    QStringList keys;
    keys.reserve(length);
    for (qsizetype i = 1; i <= length; ++i)
        keys.append(nameKey(i));
    return m_ini.readStrings(section, keys);
}

void ProgramSettings::setTemplateNames(int kind, const QStringList &names)
{
    const QString section = listSection(kind);
    QList<std::pair<QString, QString>> values {{kTemplateCount, QString::number(names.size())}};
    for (qsizetype i = 0; i < names.size(); ++i)
        values.append({nameKey(i + 1), names[i]});
    // The name keys beyond the new count up to the old one, of those the
    // section holds: a damaged count must not make a list of missing keys.
    const qsizetype oldCount = qMax(templateCount(kind), 0);
    QList<qsizetype> positions = namePositions(m_ini.readSectionKeys(section));
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    QStringList leftOver;
    for (const qsizetype position : std::as_const(positions))
        if (position > names.size() && position <= oldCount)
            leftOver.append(nameKey(position));
    m_ini.writeValues(section, values, leftOver);
}

} // namespace Slipdesk
