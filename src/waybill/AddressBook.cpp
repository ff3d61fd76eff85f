#include "AddressBook.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"
#include "waybill/WaybillForm.h"

#include <QFileInfo>

#include <algorithm>

namespace Slipdesk::AddressBook {

QString recipientFile()
{
    return QStringLiteral("收件单位.TXT");
}
QString senderFile()
{
    return QStringLiteral("寄件单位.TXT");
}

// Columns: 代码,类别,编号,邮编,省/市,地/市,区/县,通讯地址,收件单位名称,部门,收件人,称谓,
// 收件语,单位电话,传真,网址,收件人电话,昵称,手机,支付宝,邮箱,聊天 (部门 and 称谓 left empty).
QStringList recipientSamples()
{
    return {
        QStringLiteral("R001,普通,0001,100080,北京市,北京市,海淀区,中关村大街1号,示例科技有限公司,,张三,,收,"
                       "010-62345678,010-62345679,www.example.com,010-62345670,zhangsan88,13800000001,"
                       "zhangsan@example.com,zhangsan@example.com,10001"),
        QStringLiteral("R002,特殊,0002,200120,上海市,上海市,浦东新区,世纪大道100号,示例贸易有限公司,,李四,,收,"
                       "021-58765432,021-58765433,www.example.cn,021-58765430,lisi_shop,13900000002,"
                       "lisi@example.cn,lisi@example.cn,10002"),
    };
}

// Columns: 代码,邮编,始发地,省/市,地/市,区/县,通讯地址,寄件单位名称,寄件人,单位电话,传真,税号,
// 网址,银行,账号,寄件人电话,昵称,手机,支付宝,邮箱,聊天.
QStringList senderSamples()
{
    return {
        QStringLiteral("S001,310012,杭州,浙江省,杭州市,西湖区,文三路10号,示例网店,王五,0571-88881234,"
                       "0571-88881235,91330100MA00000001,shop.example.com,示例银行杭州支行,6222000000000001,"
                       "0571-88881230,wangwu_store,13700000003,wangwu@example.com,wangwu@example.com,10003"),
        QStringLiteral("S002,510620,广州,广东省,广州市,天河区,天河路20号,示例二店,赵六,020-38881234,"
                       "020-38881235,91440100MA00000002,shop2.example.com,示例银行广州支行,6222000000000002,"
                       "020-38881230,zhaoliu_store,13600000004,zhaoliu@example.com,zhaoliu@example.com,10004"),
    };
}

namespace {
QStringList loadOrSamples(const QString &path, const QStringList &samples)
{
    if (!QFileInfo::exists(path))
        return samples;
    return TextTable::load(path);
}
} // namespace

QStringList loadRecipients(const Paths &paths)
{
    return loadOrSamples(paths.file(recipientFile()), recipientSamples());
}

QStringList loadSenders(const Paths &paths)
{
    return loadOrSamples(paths.file(senderFile()), senderSamples());
}

QStringList column(const QStringList &rows, int field)
{
    QStringList out;
    out.reserve(rows.size());
    for (const QString &row : rows)
        out.append(TextTable::field(row, field));
    return out;
}

namespace {
QStringList namesOf(const QList<WaybillField> &fields)
{
    QStringList names;
    for (WaybillField field : fields)
        names.append(controlName(field));
    return names;
}
} // namespace

const QStringList &recipientControls()
{
    static const QStringList names = namesOf(WaybillForm::recipientFields());
    return names;
}

const QStringList &senderControls()
{
    static const QStringList names = namesOf(WaybillForm::senderFields());
    return names;
}

QString storedName(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return TextTable::cleanRow(TextTable::cleanValue(std::move(text)));
}

bool holdsName(const QStringList &items, const QString &text)
{
    const QString stored = storedName(text);
    if (items.contains(stored))
        return true;
    // A row edited by hand in the data window may still hold a blank.
    return std::any_of(items.cbegin(), items.cend(),
        [&stored](const QString &item) { return item.size() > stored.size() && storedName(item) == stored; });
}

bool isNewRecipient(
    const QString &nameText, const QStringList &nameItems, const QString &unitText, const QStringList &unitItems)
{
    if (!storedName(nameText).isEmpty() && !holdsName(nameItems, nameText))
        return true;
    return !storedName(unitText).isEmpty() && !holdsName(unitItems, unitText);
}

QString buildRow(const QStringList &values)
{
    QStringList cleaned;
    cleaned.reserve(values.size());
    for (QString value : values) {
        value.remove(u'\r');
        value.remove(u'\n');
        cleaned.append(TextTable::cleanValue(std::move(value)));
    }
    return TextTable::cleanRow(cleaned.join(u','));
}

const QList<PickList> &pickLists()
{
    static const QList<PickList> lists {
        {7, QStringLiteral("收件单位部门.TXT"), WaybillField::CmbSjdwBm, QStringLiteral("采购部\r\n财务部"),
            QStringLiteral("序号,收件单位部门"), QStringLiteral("收件部门")},
        {8, QStringLiteral("收件人称谓.TXT"), WaybillField::CmbSjrCw, QStringLiteral("先生\r\n女士"),
            QStringLiteral("序号,收件人称谓"), QStringLiteral("收件称谓")},
        {9, QStringLiteral("收件语.TXT"), WaybillField::CmbSjrSy, QStringLiteral("收\r\n启"),
            QStringLiteral("序号,收件语"), QStringLiteral("收件语")},
        {10, QStringLiteral("信函物品.TXT"), WaybillField::CmbLetterWP, QStringLiteral("书籍\r\n光盘"),
            QStringLiteral("序号,信函物品"), QStringLiteral("信函物品")},
        {11, QStringLiteral("信函留言.TXT"), WaybillField::CmbLetterLy, QStringLiteral("请查收\r\n请收件后回复"),
            QStringLiteral("序号,信函留言"), QStringLiteral("信函留言")},
    };
    return lists;
}

const PickList *pickListOfCombo(const QString &comboName)
{
    for (const PickList &list : pickLists())
        if (controlName(list.combo) == comboName)
            return &list;
    return nullptr;
}

const PickList *pickListOfCode(int tableCode)
{
    for (const PickList &list : pickLists())
        if (list.tableCode == tableCode)
            return &list;
    return nullptr;
}

} // namespace Slipdesk::AddressBook
