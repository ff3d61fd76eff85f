#include "support/MainWindowFixture.h"

#include "datawin/DataTable.h"
#include "datawin/TableSpec.h"
#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "trade/ui/DeliveryTab.h"
#include "waybill/WaybillPosting.h"
#include "waybill/ui/ExpressTab.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>

using namespace Slipdesk;

namespace {

const QString kBookFile = QStringLiteral("收件单位.TXT");
const QString kTemplate = QStringLiteral("默认B6国内信封");

QByteArray gb(const QString &text)
{
    return Codec::encode(text);
}

class AddressBookSaveTest : public MainWindowTest
{
protected:
    void focusIn(QWidget *w)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
    }
    void focusOut(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    void set(const char *name, const QString &value) { Fields::setText(control<QWidget>(name), value); }
    ExpressTab &express() { return *form->expressTab(); }
    // What a printed waybill keeps: the steps after the print, on the tab's values.
    WaybillPosting::Result post()
    {
        return WaybillPosting::afterPrint(form->context(), express().values(), QDateTime::currentDateTime());
    }
};

} // namespace

TEST_F(AddressBookSaveTest, KnownNameAtNewUnitIsSavedOnceAsANewRow)
{
    dir.write(kBookFile, gb(QStringLiteral("A,,,,,,,,甲公司,,张三,,,,,,,,,,,\r\n")));
    open();
    set("CmbSjrMc", QStringLiteral("张三"));
    set("CmbSjdwMc", QStringLiteral("新 单位,二部"));
    set("EdtSjDwDz", QStringLiteral("上海 浦东,张江"));
    set("EdtSjrWW", QStringLiteral("nick"));
    ASSERT_FALSE(form->deliveryTab()->buyersStale());
    ASSERT_TRUE(post().ok());

    const QString row = QStringLiteral(",,,,,,,上海浦东张江,新单位二部,,张三,,收,,,,,nick,,,,");
    EXPECT_EQ(dir.read(kBookFile),
        gb(QString(QStringLiteral("A,,,,,,,,甲公司,,张三,,,,,,,,,,,\r\n") + row + QStringLiteral("\r\n"))));
    ASSERT_EQ(form->context().recipients().size(), 2);
    EXPECT_EQ(form->context().recipients().last(), row);
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjdwMc")),
        (QStringList {QStringLiteral("甲公司"), QStringLiteral("新单位二部")}));
    EXPECT_EQ(
        comboItems(control<QComboBox>("CmbSjrMc")), (QStringList {QStringLiteral("张三"), QStringLiteral("张三")}));
    EXPECT_EQ(control<QComboBox>("CmbSjdwMc")->currentIndex(), 1);
    EXPECT_TRUE(form->deliveryTab()->buyersStale());

    // Printing again for the same recipient adds nothing.
    EXPECT_TRUE(post().newRecipient.isEmpty());
    EXPECT_EQ(form->context().recipients().size(), 2);
    EXPECT_EQ(dir.read(kBookFile).count('\n'), 2);
}

TEST_F(AddressBookSaveTest, NothingIsSavedWhenNameAndUnitAreKnownOrEmpty)
{
    dir.write(kBookFile, gb(QStringLiteral("A,,,,,,,,甲公司,,张三\r\nB,,,,,,,,乙公司,,李四\r\n")));
    open();
    for (const auto &[name, unit] : {std::pair {QStringLiteral("张三"), QStringLiteral("乙公司")},
             {QString(), QString()}, {QStringLiteral(" "), QStringLiteral(",")}}) {
        set("CmbSjrMc", name);
        set("CmbSjdwMc", unit);
        post();
        EXPECT_EQ(form->context().recipients().size(), 2) << name.toStdString() << "/" << unit.toStdString();
    }
    EXPECT_EQ(dir.read(kBookFile).count('\n'), 2);
}

TEST_F(AddressBookSaveTest, FirstSaveCreatesTheBookBesideTheSamples)
{
    open();
    set("CmbSjrMc", QStringLiteral("新 人"));
    set("CmbSjdwMc", QString());
    post();
    EXPECT_EQ(form->context().recipients().size(), 3);
    // Only the new row goes to the file; the samples stay in memory only.
    const QByteArray file = dir.read(kBookFile);
    EXPECT_EQ(file.count('\n'), 1);
    EXPECT_TRUE(file.contains(gb(QStringLiteral(",新人,"))));
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjdwMc")).last(), QString());
}

TEST_F(AddressBookSaveTest, PickListsLoadOnFirstEntryFromFileOrDefaults)
{
    dir.write(QStringLiteral("收件语.TXT"), gb(QStringLiteral("收\r\n亲启\r\n敬启\r\n")));
    open();
    struct Case
    {
        const char *combo;
        QStringList items;
        QString text;
    };
    const QList<Case> cases {
        {"CmbSjdwBm", {QStringLiteral("采购部"), QStringLiteral("财务部")}, QString()},
        {"CmbSjrCw", {QStringLiteral("先生"), QStringLiteral("女士")}, QString()},
        {"CmbSjrSy", {QStringLiteral("收"), QStringLiteral("亲启"), QStringLiteral("敬启")}, QStringLiteral("收")},
        {"CmbLetterWP", {QStringLiteral("书籍"), QStringLiteral("光盘")}, QString()},
        {"CmbLetterLy", {QStringLiteral("请查收"), QStringLiteral("请收件后回复")}, QString()},
    };
    for (const Case &c : cases) {
        auto *combo = control<QComboBox>(c.combo);
        EXPECT_EQ(combo->count(), 0) << c.combo;
        focusIn(combo);
        EXPECT_EQ(comboItems(combo), c.items) << c.combo;
        EXPECT_EQ(combo->currentText(), c.text) << c.combo;
    }
    for (const char *file : {"收件单位部门.TXT", "收件人称谓.TXT", "信函物品.TXT", "信函留言.TXT"})
        EXPECT_FALSE(dir.exists(QString::fromUtf8(file))) << file;

    // After a data-window save the list reloads on the next entry.
    dir.write(QStringLiteral("收件单位部门.TXT"), gb(QStringLiteral("销售部\r\n")));
    tableSpec(TableCode::Departments).saved(form->context(), DataTable());
    EXPECT_EQ(control<QComboBox>("CmbSjdwBm")->count(), 0);
    focusIn(control<QComboBox>("CmbSjdwBm"));
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjdwBm")), QStringList {QStringLiteral("销售部")});
}

TEST_F(AddressBookSaveTest, NewGoodsDescriptionIsKeptOnlyInALoadedList)
{
    open();
    auto *goods = control<QComboBox>("CmbLetterWP");
    goods->setEditText(QStringLiteral("茶叶"));
    post();
    EXPECT_FALSE(dir.exists(QStringLiteral("信函物品.TXT")));

    focusIn(goods);
    goods->setEditText(QStringLiteral("茶叶"));
    post();
    EXPECT_EQ(dir.read(QStringLiteral("信函物品.TXT")), gb(QStringLiteral("书籍\r\n光盘\r\n茶叶\r\n")));
    EXPECT_EQ(goods->currentText(), QStringLiteral("茶叶"));
    goods->setEditText(QStringLiteral("书籍"));
    post();
    EXPECT_EQ(comboItems(goods).size(), 3);
}

TEST_F(AddressBookSaveTest, TemplateDefaultSenderHandlerAndMessage)
{
    dir.write(QStringLiteral("寄件单位.TXT"),
        gb(QStringLiteral("S1,100001,杭州,浙江省,杭州市,西湖区,路1号,一店,甲,0571-1\r\n"
                          "S2,200002,广州,广东省,广州市,天河区,路2号,二店,乙,020-2,传真2,,,,,,,,,,IM2\r\n")));
    QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
    TemplateSettings settings(Paths(dir.path()), kTemplate);
    settings.setDefaultSenderIndex(1);
    settings.setHandler(QStringLiteral("小王"));
    settings.setDefaultMessage(QStringLiteral("轻放"));
    open();
    EXPECT_EQ(control<QComboBox>("CmbDefJjDw")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("CmbJjDwMc")->currentText(), QStringLiteral("二店"));
    EXPECT_EQ(control<QComboBox>("CmbJjrMc")->currentText(), QStringLiteral("乙"));
    EXPECT_EQ(control<QLineEdit>("EdtFrom")->text(), QStringLiteral("广州"));
    EXPECT_EQ(control<QLineEdit>("EdtJjrIM")->text(), QStringLiteral("IM2"));
    EXPECT_EQ(control<QLineEdit>("EdtJjDwJbrQm")->text(), QStringLiteral("小王"));
    EXPECT_EQ(control<QComboBox>("CmbLetterLy")->currentText(), QStringLiteral("轻放"));

    // Choosing another default sender fills from that row.
    Q_EMIT control<QComboBox>("CmbDefJjDw")->activated(0);
    EXPECT_EQ(control<QComboBox>("CmbJjDwMc")->currentText(), QStringLiteral("一店"));
    EXPECT_EQ(control<QLineEdit>("EdtJjDwTel")->text(), QStringLiteral("0571-1"));

    // Leaving the handler and the message writes them to the template at once.
    control<QLineEdit>("EdtJjDwJbrQm")->setText(QStringLiteral("老李"));
    focusOut(control<QLineEdit>("EdtJjDwJbrQm"));
    control<QComboBox>("CmbLetterLy")->setEditText(QStringLiteral("请当面验货"));
    focusOut(control<QComboBox>("CmbLetterLy"));
    const TemplateSettings saved(Paths(dir.path()), kTemplate);
    EXPECT_EQ(saved.handler(), QStringLiteral("老李"));
    EXPECT_EQ(saved.defaultMessage(), QStringLiteral("请当面验货"));
}

TEST_F(AddressBookSaveTest, MenuEntriesAskForTheDataWindow)
{
    open();
    QSignalSpy spy(form->expressTab(), &ExpressTab::dataWindowRequested);
    for (const char *entry : {"NFromSjdw", "NFromJjdw", "NSjdwBm", "NSjrCw", "NSjrSy", "NLetterWP", "NLetterLy"})
        control<QAction>(entry)->trigger();
    QList<int> codes;
    for (const QList<QVariant> &call : spy)
        codes.append(call.at(0).toInt());
    EXPECT_EQ(codes, (QList<int> {3, 5, 7, 8, 9, 10, 11}));
}

TEST_F(AddressBookSaveTest, RecipientBookReloadAfterDataWindowSave)
{
    open();
    set("EdtSjDwDz", QStringLiteral("旧地址"));
    dir.write(kBookFile, gb(QStringLiteral("A,,,,,,,,丙公司,,赵六\r\n")));
    tableSpec(TableCode::Recipients).saved(form->context(), DataTable());
    EXPECT_EQ(form->context().recipients().size(), 1);
    EXPECT_EQ(comboItems(control<QComboBox>("CmbSjdwMc")), QStringList {QStringLiteral("丙公司")});
    EXPECT_EQ(comboItems(control<QComboBox>("CmbBuyerName")), QStringList {QStringLiteral("赵六")});
    EXPECT_EQ(control<QLineEdit>("EdtSjDwDz")->text(), QString());
}
