#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The settings file of one template, "用户信函模版/" + name + ".INI". Every
// getter reads the file and every setter rewrites it at once. Keys live in
// section "打印设备" except the marker keys (section "业务标记").
class TemplateSettings
{
public:
    TemplateSettings(const Paths &paths, const QString &templateName);

    QString templateName() const { return m_name; }

    // Every kind. The six keys the template tab saves together.
    struct PrintDevice
    {
        QString printer; // "打印机"
        int feedDirection = 0; // "进纸方向": 0 横向进纸, 1 纵向进纸
        int paperSize = 0; // "纸张尺寸": 0 A4, 1 A3, 2 默认, 3 其他
        QString otherPaper; // "其他纸张类型", written only while paperSize is 3
        QString moveX = QStringLiteral("0"); // "水平整体移动", 0.1 mm as text
        QString moveY = QStringLiteral("0"); // "垂直整体移动", 0.1 mm as text
        // "标签纸张": a label paper such as "100x150" (millimetres), used
        // while paperSize is 2 (默认); written only then, deleted otherwise.
        QString labelPaper;
    };
    PrintDevice printDevice() const;
    void setPrintDevice(const PrintDevice &device);

    QString printer() const; // "打印机", default empty
    void setPrinter(const QString &name);
    int feedDirection() const; // "进纸方向", default 0
    void setFeedDirection(int direction);
    int paperSize() const; // "纸张尺寸", default 0
    void setPaperSize(int size);
    QString otherPaper() const; // "其他纸张类型", default empty
    void setOtherPaper(const QString &paper);
    QString moveX() const; // "水平整体移动", default "0"
    void setMoveX(const QString &tenthsMm);
    QString moveY() const; // "垂直整体移动", default "0"
    void setMoveY(const QString &tenthsMm);
    QString labelPaper() const; // "标签纸张", default empty
    // An empty text deletes the key: a template without a label paper
    // keeps its file as a program without label papers writes it.
    void setLabelPaper(const QString &paper);

    // Express waybill templates.
    int defaultSenderIndex() const; // "默认寄件单位索引", default 0
    void setDefaultSenderIndex(int index);
    QString handler() const; // "信函经办人", default "经办人"
    void setHandler(const QString &name);
    bool splitRecipientAddress() const; // "分隔打印收件单位地址", default false
    void setSplitRecipientAddress(bool on);
    bool splitSenderAddress() const; // "分隔打印寄件单位地址", default false
    void setSplitSenderAddress(bool on);
    bool previewShowPicture() const; // "预览时显示背景图片", default true
    void setPreviewShowPicture(bool on);
    QString backgroundPicture() const; // "背景图片文件路径" (file name only), default name + ".JPG"
    void setBackgroundPicture(const QString &fileName);
    int dateFormat() const; // "信函日期打印格式", default 0
    void setDateFormat(int format);
    int amountCapitalFormat() const; // "金额大写打印格式", default 1
    void setAmountCapitalFormat(int format);
    int codCapitalFormat() const; // "代收货款大写打印格式", default 0
    void setCodCapitalFormat(int format);
    int insuredCapitalFormat() const; // "保价金额大写打印格式", default 0
    void setInsuredCapitalFormat(int format);
    QString waybillNumber() const; // "信函号码", default empty
    void setWaybillNumber(const QString &number);
    QString defaultMessage() const; // "默认留言", default empty
    void setDefaultMessage(const QString &message);
    int addressType() const; // "快递地址类型", default 0 (used when not shared)
    void setAddressType(int type);

    // Delivery-note templates.
    int defaultShipperIndex() const; // "默认发货单位索引", default 0
    void setDefaultShipperIndex(int index);
    QString deliveryNumber() const; // "发货单号码", default "CK000001"
    void setDeliveryNumber(const QString &number);
    QString sellerLastMessage() const; // "卖家最后留言", default empty
    void setSellerLastMessage(const QString &message);
    int deliveryAddressType() const; // "发货地址类型", default 2 (used when not shared)
    void setDeliveryAddressType(int type);

    // Inbound-note templates.
    int defaultInboundHandlerIndex() const; // "默认入库经办人索引", default 0
    void setDefaultInboundHandlerIndex(int index);
    QString inboundNumber() const; // "入库单号码", default "RK000001"
    void setInboundNumber(const QString &number);

    // User-defined label captions, default empty: one of the keys below.
    QString captionValue(const QString &key) const;
    void setCaptionValue(const QString &key, const QString &caption);
    // The 13 delivery-note caption keys, "买家姓名值" … "快递单号值", in the
    // order of their labels LblBuyerName … LblEmsNo.
    static const QStringList &deliveryCaptionKeys();
    // The 4 inbound-note caption keys for LblInputJbr, LblInputType,
    // LblInputDate, LblInputNo.
    static const QStringList &inboundCaptionKeys();
    // Several caption values in one read, in the order of `keys`.
    QStringList captionValues(const QStringList &keys) const;

    // Marker groups of express templates, group 1..3 with 2, 4, 5 markers.
    static int markerCount(int group);
    QString markerGroupName(int group) const; // "第g组标记组名", default "第g组标记"
    void setMarkerGroupName(int group, const QString &name);
    // "第g组标记勾选项互斥", default 0. Note the sense: 0 = ticking one marker
    // clears the others; any other value = the markers are independent.
    int markerGroupMode(int group) const;
    void setMarkerGroupMode(int group, int mode);
    QString markerName(int group, int marker) const; // "第g组标记" + k, default "标记" + k
    void setMarkerName(int group, int marker, const QString &name);
    // "第g组标记最后设置": one '0'/'1' per marker, default all '0'.
    QString markerLastState(int group) const;
    void setMarkerLastState(int group, const QString &state);

    IniFile &file() { return m_ini; }

private:
    IniFile m_ini;
    QString m_name;
};

} // namespace Slipdesk
