#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The program-wide settings file "SlipdeskPosts.INI". Every getter reads the
// file and every setter rewrites it at once; the key is named beside each.
class ProgramSettings
{
public:
    explicit ProgramSettings(const Paths &paths);

    // Section "Main".
    int lastTemplate() const; // "最后模版", default 0
    void setLastTemplate(int index);
    bool autoCopy() const; // "自动感应复制操作", default false
    void setAutoCopy(bool on);
    QString sellerMessage() const; // "卖家留言", default defaultSellerMessage()
    void setSellerMessage(const QString &text);
    bool expressSharedAddress() const; // "快递是否共用地址", default true
    void setExpressSharedAddress(bool shared);
    int expressAddressType() const; // "快递地址类型", default 2
    void setExpressAddressType(int type);
    bool deliverySharedAddress() const; // "发货是否共用地址", default true
    void setDeliverySharedAddress(bool shared);
    int deliveryAddressType() const; // "发货地址类型", default 0
    void setDeliveryAddressType(int type);
    // Reads a key of the old comma-separated lists ("计量单位", "商品备注")
    // and deletes it; empty when it is not there.
    QString takeLegacyList(const QString &key);

    static QString defaultSellerMessage();

    // Template lists: section kindName(kind) + "列表", kind 0 express,
    // 1 delivery note, 2 inbound note.
    static QString kindName(int kind); // "信函快递单模版", "出库发货单模版", "采购入库单模版"
    static QString defaultTemplateName(int kind); // "默认B6国内信封", "出库发货单", "采购入库单"
    int templateCount(int kind) const; // "模版总数", default 0
    // "模版1" … "模版<count>"; empty when the count is 0 or less.
    QStringList templateNames(int kind) const;
    // Writes the count and the names in one rewrite, deleting names left
    // over beyond the new count.
    void setTemplateNames(int kind, const QStringList &names);

    IniFile &file() { return m_ini; }

private:
    IniFile m_ini;
};

} // namespace Slipdesk
