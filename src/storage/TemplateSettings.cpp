#include "TemplateSettings.h"

#include "Paths.h"

namespace Slipdesk {

namespace {

const QString kDevice = QStringLiteral("打印设备");
const QString kMarkers = QStringLiteral("业务标记");

const QString kPrinter = QStringLiteral("打印机");
const QString kFeedDirection = QStringLiteral("进纸方向");
const QString kPaperSize = QStringLiteral("纸张尺寸");
const QString kOtherPaper = QStringLiteral("其他纸张类型");
const QString kMoveX = QStringLiteral("水平整体移动");
const QString kMoveY = QStringLiteral("垂直整体移动");
const QString kLabelPaper = QStringLiteral("标签纸张");
constexpr int kDefaultPaperSize = 2;
constexpr int kOtherPaperSize = 3;

const QString kDefaultSender = QStringLiteral("默认寄件单位索引");
const QString kHandler = QStringLiteral("信函经办人");
const QString kSplitRecipient = QStringLiteral("分隔打印收件单位地址");
const QString kSplitSender = QStringLiteral("分隔打印寄件单位地址");
const QString kPreviewPicture = QStringLiteral("预览时显示背景图片");
const QString kBackgroundPicture = QStringLiteral("背景图片文件路径");
const QString kDateFormat = QStringLiteral("信函日期打印格式");
const QString kAmountCapital = QStringLiteral("金额大写打印格式");
const QString kCodCapital = QStringLiteral("代收货款大写打印格式");
const QString kInsuredCapital = QStringLiteral("保价金额大写打印格式");
const QString kWaybillNumber = QStringLiteral("信函号码");
const QString kDefaultMessage = QStringLiteral("默认留言");
const QString kAddressType = QStringLiteral("快递地址类型");

const QString kDefaultShipper = QStringLiteral("默认发货单位索引");
const QString kDeliveryNumber = QStringLiteral("发货单号码");
const QString kSellerLastMessage = QStringLiteral("卖家最后留言");
const QString kDeliveryAddressType = QStringLiteral("发货地址类型");

const QString kDefaultInboundHandler = QStringLiteral("默认入库经办人索引");
const QString kInboundNumber = QStringLiteral("入库单号码");

// "第g组标记", the group's default name and the stem of its other keys.
QString groupStem(int group)
{
    return QStringLiteral("第%1组标记").arg(group);
}

} // namespace

TemplateSettings::TemplateSettings(const Paths &paths, const QString &templateName)
    : m_ini(paths.templateIni(templateName))
    , m_name(templateName)
{
}

TemplateSettings::PrintDevice TemplateSettings::printDevice() const
{
    return {printer(), feedDirection(), paperSize(), otherPaper(), moveX(), moveY(), labelPaper()};
}

void TemplateSettings::setPrintDevice(const PrintDevice &device)
{
    QList<std::pair<QString, QString>> values {
        {kPrinter, device.printer},
        {kFeedDirection, QString::number(device.feedDirection)},
        {kPaperSize, QString::number(device.paperSize)},
        {kMoveX, device.moveX},
        {kMoveY, device.moveY},
    };
    if (device.paperSize == kOtherPaperSize)
        values.append({kOtherPaper, device.otherPaper});
    QStringList deleted;
    if (device.paperSize == kDefaultPaperSize && !device.labelPaper.isEmpty())
        values.append({kLabelPaper, device.labelPaper});
    else
        deleted.append(kLabelPaper);
    m_ini.writeValues(kDevice, values, deleted);
}

QString TemplateSettings::printer() const
{
    return m_ini.readString(kDevice, kPrinter);
}
void TemplateSettings::setPrinter(const QString &name)
{
    m_ini.writeString(kDevice, kPrinter, name);
}
int TemplateSettings::feedDirection() const
{
    return m_ini.readInteger(kDevice, kFeedDirection, 0);
}
void TemplateSettings::setFeedDirection(int direction)
{
    m_ini.writeInteger(kDevice, kFeedDirection, direction);
}
int TemplateSettings::paperSize() const
{
    return m_ini.readInteger(kDevice, kPaperSize, 0);
}
void TemplateSettings::setPaperSize(int size)
{
    m_ini.writeInteger(kDevice, kPaperSize, size);
}
QString TemplateSettings::otherPaper() const
{
    return m_ini.readString(kDevice, kOtherPaper);
}
void TemplateSettings::setOtherPaper(const QString &paper)
{
    m_ini.writeString(kDevice, kOtherPaper, paper);
}
QString TemplateSettings::moveX() const
{
    return m_ini.readString(kDevice, kMoveX, QStringLiteral("0"));
}
void TemplateSettings::setMoveX(const QString &tenthsMm)
{
    m_ini.writeString(kDevice, kMoveX, tenthsMm);
}
QString TemplateSettings::labelPaper() const
{
    return m_ini.readString(kDevice, kLabelPaper);
}
void TemplateSettings::setLabelPaper(const QString &paper)
{
    if (paper.isEmpty()) {
        if (m_ini.valueExists(kDevice, kLabelPaper))
            m_ini.deleteKey(kDevice, kLabelPaper);
    } else {
        m_ini.writeString(kDevice, kLabelPaper, paper);
    }
}
QString TemplateSettings::moveY() const
{
    return m_ini.readString(kDevice, kMoveY, QStringLiteral("0"));
}
void TemplateSettings::setMoveY(const QString &tenthsMm)
{
    m_ini.writeString(kDevice, kMoveY, tenthsMm);
}

int TemplateSettings::defaultSenderIndex() const
{
    return m_ini.readInteger(kDevice, kDefaultSender, 0);
}
void TemplateSettings::setDefaultSenderIndex(int index)
{
    m_ini.writeInteger(kDevice, kDefaultSender, index);
}
QString TemplateSettings::handler() const
{
    return m_ini.readString(kDevice, kHandler, QStringLiteral("经办人"));
}
void TemplateSettings::setHandler(const QString &name)
{
    m_ini.writeString(kDevice, kHandler, name);
}
bool TemplateSettings::splitRecipientAddress() const
{
    return m_ini.readBool(kDevice, kSplitRecipient, false);
}
void TemplateSettings::setSplitRecipientAddress(bool on)
{
    m_ini.writeBool(kDevice, kSplitRecipient, on);
}
bool TemplateSettings::splitSenderAddress() const
{
    return m_ini.readBool(kDevice, kSplitSender, false);
}
void TemplateSettings::setSplitSenderAddress(bool on)
{
    m_ini.writeBool(kDevice, kSplitSender, on);
}
bool TemplateSettings::previewShowPicture() const
{
    return m_ini.readBool(kDevice, kPreviewPicture, true);
}
void TemplateSettings::setPreviewShowPicture(bool on)
{
    m_ini.writeBool(kDevice, kPreviewPicture, on);
}
QString TemplateSettings::backgroundPicture() const
{
    return m_ini.readString(kDevice, kBackgroundPicture, m_name + QStringLiteral(".JPG"));
}
void TemplateSettings::setBackgroundPicture(const QString &fileName)
{
    m_ini.writeString(kDevice, kBackgroundPicture, fileName);
}
int TemplateSettings::dateFormat() const
{
    return m_ini.readInteger(kDevice, kDateFormat, 0);
}
void TemplateSettings::setDateFormat(int format)
{
    m_ini.writeInteger(kDevice, kDateFormat, format);
}
int TemplateSettings::amountCapitalFormat() const
{
    return m_ini.readInteger(kDevice, kAmountCapital, 1);
}
void TemplateSettings::setAmountCapitalFormat(int format)
{
    m_ini.writeInteger(kDevice, kAmountCapital, format);
}
int TemplateSettings::codCapitalFormat() const
{
    return m_ini.readInteger(kDevice, kCodCapital, 0);
}
void TemplateSettings::setCodCapitalFormat(int format)
{
    m_ini.writeInteger(kDevice, kCodCapital, format);
}
int TemplateSettings::insuredCapitalFormat() const
{
    return m_ini.readInteger(kDevice, kInsuredCapital, 0);
}
void TemplateSettings::setInsuredCapitalFormat(int format)
{
    m_ini.writeInteger(kDevice, kInsuredCapital, format);
}
QString TemplateSettings::waybillNumber() const
{
    return m_ini.readString(kDevice, kWaybillNumber);
}
void TemplateSettings::setWaybillNumber(const QString &number)
{
    m_ini.writeString(kDevice, kWaybillNumber, number);
}
QString TemplateSettings::defaultMessage() const
{
    return m_ini.readString(kDevice, kDefaultMessage);
}
void TemplateSettings::setDefaultMessage(const QString &message)
{
    m_ini.writeString(kDevice, kDefaultMessage, message);
}
int TemplateSettings::addressType() const
{
    return m_ini.readInteger(kDevice, kAddressType, 0);
}
void TemplateSettings::setAddressType(int type)
{
    m_ini.writeInteger(kDevice, kAddressType, type);
}

int TemplateSettings::defaultShipperIndex() const
{
    return m_ini.readInteger(kDevice, kDefaultShipper, 0);
}
void TemplateSettings::setDefaultShipperIndex(int index)
{
    m_ini.writeInteger(kDevice, kDefaultShipper, index);
}
QString TemplateSettings::deliveryNumber() const
{
    return m_ini.readString(kDevice, kDeliveryNumber, QStringLiteral("CK000001"));
}
void TemplateSettings::setDeliveryNumber(const QString &number)
{
    m_ini.writeString(kDevice, kDeliveryNumber, number);
}
QString TemplateSettings::sellerLastMessage() const
{
    return m_ini.readString(kDevice, kSellerLastMessage);
}
void TemplateSettings::setSellerLastMessage(const QString &message)
{
    m_ini.writeString(kDevice, kSellerLastMessage, message);
}
int TemplateSettings::deliveryAddressType() const
{
    return m_ini.readInteger(kDevice, kDeliveryAddressType, 2);
}
void TemplateSettings::setDeliveryAddressType(int type)
{
    m_ini.writeInteger(kDevice, kDeliveryAddressType, type);
}

int TemplateSettings::defaultInboundHandlerIndex() const
{
    return m_ini.readInteger(kDevice, kDefaultInboundHandler, 0);
}
void TemplateSettings::setDefaultInboundHandlerIndex(int index)
{
    m_ini.writeInteger(kDevice, kDefaultInboundHandler, index);
}
QString TemplateSettings::inboundNumber() const
{
    return m_ini.readString(kDevice, kInboundNumber, QStringLiteral("RK000001"));
}
void TemplateSettings::setInboundNumber(const QString &number)
{
    m_ini.writeString(kDevice, kInboundNumber, number);
}

QString TemplateSettings::captionValue(const QString &key) const
{
    return m_ini.readString(kDevice, key);
}
void TemplateSettings::setCaptionValue(const QString &key, const QString &caption)
{
    m_ini.writeString(kDevice, key, caption);
}
QStringList TemplateSettings::captionValues(const QStringList &keys) const
{
    return m_ini.readStrings(kDevice, keys);
}

const QStringList &TemplateSettings::deliveryCaptionKeys()
{
    static const QStringList keys {
        QStringLiteral("买家姓名值"),
        QStringLiteral("买家昵称值"),
        QStringLiteral("买家手机值"),
        QStringLiteral("买家电话值"),
        QStringLiteral("收货地址值"),
        QStringLiteral("卖家留言值"),
        QStringLiteral("店铺网址值"),
        QStringLiteral("卖家地址值"),
        QStringLiteral("卖家姓名值"),
        QStringLiteral("卖家昵称值"),
        QStringLiteral("卖家手机值"),
        QStringLiteral("发货快递值"),
        QStringLiteral("快递单号值"),
    };
    return keys;
}

const QStringList &TemplateSettings::inboundCaptionKeys()
{
    static const QStringList keys {
        QStringLiteral("入库经办人值"),
        QStringLiteral("入库类别值"),
        QStringLiteral("入库日期值"),
        QStringLiteral("入库单号值"),
    };
    return keys;
}

int TemplateSettings::markerCount(int group)
{
    switch (group) {
    case 1:
        return 2;
    case 2:
        return 4;
    case 3:
        return 5;
    }
    return 0;
}

QString TemplateSettings::markerGroupName(int group) const
{
    return m_ini.readString(kMarkers, groupStem(group) + QStringLiteral("组名"), groupStem(group));
}

void TemplateSettings::setMarkerGroupName(int group, const QString &name)
{
    m_ini.writeString(kMarkers, groupStem(group) + QStringLiteral("组名"), name);
}

int TemplateSettings::markerGroupMode(int group) const
{
    return m_ini.readInteger(kMarkers, groupStem(group) + QStringLiteral("勾选项互斥"), 0);
}

void TemplateSettings::setMarkerGroupMode(int group, int mode)
{
    m_ini.writeInteger(kMarkers, groupStem(group) + QStringLiteral("勾选项互斥"), mode);
}

QString TemplateSettings::markerName(int group, int marker) const
{
    return m_ini.readString(
        kMarkers, groupStem(group) + QString::number(marker), QStringLiteral("标记") + QString::number(marker));
}

void TemplateSettings::setMarkerName(int group, int marker, const QString &name)
{
    m_ini.writeString(kMarkers, groupStem(group) + QString::number(marker), name);
}

QString TemplateSettings::markerLastState(int group) const
{
    return m_ini.readString(kMarkers, groupStem(group) + QStringLiteral("最后设置"), QString(markerCount(group), u'0'));
}

void TemplateSettings::setMarkerLastState(int group, const QString &state)
{
    m_ini.writeString(kMarkers, groupStem(group) + QStringLiteral("最后设置"), state);
}

} // namespace Slipdesk
