#include "datawin/ui/BatchRunControl.h"
#include "support/MainWindowFixture.h"
#include "waybill/ui/ExpressTab.h"

#include "platform/ui/WidgetFields.h"
#include "storage/Codec.h"
#include "waybill/ui/RecipientLookupList.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace Slipdesk;

namespace {

// A recipient row: 代码,类别,编号,邮编,省/市,地/市,区/县,通讯地址,收件单位名称,部门,收件人,称谓,
// 收件语,单位电话,传真,网址,收件人电话,昵称,手机,支付宝,邮箱,聊天.
QString recipient(int n, const QString &unit, const QString &name, const QString &phone)
{
    return QStringLiteral(
        "D%1,普通,%1,10000%1,省%1,市%1,区%1,路%1号,%2,部%1,%3,先生,收,%4,传%1,网%1,电%1,昵%1,手%1,支%1,邮%1,聊%1")
        .arg(QString::number(n), unit, name, phone);
}

// Typing as the keyboard does it, Chinese characters included.
void type(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class AddressBookLookupTest : public MainWindowTest
{
protected:
    void openWithBook()
    {
        const QStringList rows {
            recipient(1, QStringLiteral("北京甲公司"), QStringLiteral("张三"), QStringLiteral("010-111")),
            recipient(2, QStringLiteral("上海2号仓库"), QStringLiteral("李四"), QStringLiteral("021-222")),
            recipient(3, QStringLiteral("南京乙公司"), QStringLiteral("王五"), QStringLiteral("025-333")),
        };
        dir.write(QStringLiteral("收件单位.TXT"),
            Codec::encode(QString(rows.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
        open();
        form->activateWindow();
        list = control<QListWidget>("LboxCmbQuery");
        unit = control<QComboBox>("CmbSjdwMc");
        name = control<QComboBox>("CmbSjrMc");
        tel = control<QLineEdit>("EdtSjDwTel");
    }

    QString text(const char *control) const { return Fields::text(this->control<QWidget>(control)); }

    static void focusIn(QWidget *w)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
    }

    QListWidget *list = nullptr;
    QComboBox *unit = nullptr;
    QComboBox *name = nullptr;
    QLineEdit *tel = nullptr;
};

} // namespace

TEST_F(AddressBookLookupTest, TypingShowsMatchingRowsAndDownEnterTakesOne)
{
    openWithBook();
    focusIn(unit);
    type(unit, QStringLiteral("京"));
    ASSERT_FALSE(list->isHidden());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("1,张三,昵1,北京甲公司,010-111"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("3,王五,昵3,南京乙公司,025-333"));
    EXPECT_EQ(list->currentRow(), 0);
    // Under the control, as wide as the unit combo.
    EXPECT_EQ(list->geometry().topLeft(), unit->mapTo(list->parentWidget(), QPoint(0, unit->height())));
    EXPECT_EQ(list->width(), unit->width());

    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(unit, Qt::Key_Down); // not past the last
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(unit, Qt::Key_Return);
    EXPECT_TRUE(list->isHidden());
    for (const auto &[control, value] : {std::pair {"CmbSjdwMc", QStringLiteral("南京乙公司")},
             {"CmbSjrMc", QStringLiteral("王五")}, {"EdtSjDwDz", QStringLiteral("路3号")},
             {"EdtSjDwDs", QStringLiteral("市3")}, {"EdtTo", QStringLiteral("市3")},
             {"EdtSjDwTel", QStringLiteral("025-333")}, {"CmbSjdwBm", QStringLiteral("部3")},
             {"EdtSjrIM", QStringLiteral("聊3")}, {"EdtSjDwDm", QStringLiteral("D3")}})
        EXPECT_EQ(text(control), value) << control;
    // The telephone changed by the fill opens no list.
    EXPECT_TRUE(list->isHidden());
}

TEST_F(AddressBookLookupTest, ExactItemFillsAtOnceAndSpacesHideTheList)
{
    openWithBook();
    focusIn(name);
    type(name, QStringLiteral("李"));
    ASSERT_FALSE(list->isHidden());
    type(name, QStringLiteral("四"));
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("上海2号仓库"));
    EXPECT_EQ(text("EdtSjrWW"), QStringLiteral("昵2"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("李四"));

    name->lineEdit()->clear();
    type(name, QStringLiteral("五"));
    ASSERT_FALSE(list->isHidden());
    name->lineEdit()->selectAll();
    type(name, QStringLiteral("  "));
    EXPECT_TRUE(list->isHidden());
    // Text nobody has hides the list too.
    type(name, QStringLiteral("无此人"));
    EXPECT_TRUE(list->isHidden());
}

TEST_F(AddressBookLookupTest, RowNumberAndEnterSelectsThatUnit)
{
    openWithBook();
    focusIn(unit);
    type(unit, QStringLiteral("2"));
    ASSERT_FALSE(list->isHidden());
    QTest::keyClick(unit, Qt::Key_Return);
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(unit->currentIndex(), 1);
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("上海2号仓库"));
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("李四"));

    // Leaving the unit combo applies the same rule.
    unit->lineEdit()->clear();
    type(unit, QStringLiteral("3"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(unit, &out);
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("南京乙公司"));
    EXPECT_EQ(text("EdtSjDwDz"), QStringLiteral("路3号"));
}

TEST_F(AddressBookLookupTest, TelephoneSearchAndTakingAnItemByClick)
{
    openWithBook();
    focusIn(tel);
    type(tel, QStringLiteral("02"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("2,")));
    // The list scrolls sideways to its widest item.
    EXPECT_GE(list->gridSize().width(), QFontMetrics(form->font()).horizontalAdvance(list->item(0)->text()) + 5);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(text("CmbSjrMc"), QStringLiteral("王五"));
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("南京乙公司"));
    EXPECT_EQ(text("EdtSjDwTel"), QStringLiteral("025-333"));

    // A fill from a close-up changes the telephone without a look-up.
    Q_EMIT name->activated(0);
    EXPECT_EQ(text("EdtSjDwTel"), QStringLiteral("010-111"));
    EXPECT_EQ(text("CmbSjdwMc"), QStringLiteral("北京甲公司"));
    EXPECT_TRUE(list->isHidden());
}

TEST_F(AddressBookLookupTest, HidingRules)
{
    openWithBook();
    auto showList = [&] {
        focusIn(unit);
        unit->lineEdit()->clear();
        type(unit, QStringLiteral("公司"));
        ASSERT_FALSE(list->isHidden());
    };
    showList();
    focusIn(control<QComboBox>("CmbJjDwMc"));
    EXPECT_TRUE(list->isHidden());
    showList();
    focusIn(control<QComboBox>("CmbSjrCw"));
    EXPECT_TRUE(list->isHidden());
    showList();
    QTest::keyClick(control<QLineEdit>("EdtWLDD"), Qt::Key_Return);
    EXPECT_TRUE(list->isHidden());
    showList();
    QTest::mouseClick(control<QWidget>("TabEmsPrn"), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(list->isHidden());
}

TEST_F(AddressBookLookupTest, DeliveryBuyerComboUsesTheSameLookUp)
{
    openWithBook();
    ASSERT_TRUE(form->switchToPage(1));
    auto *buyer = control<QComboBox>("CmbBuyerWW");
    focusIn(buyer);
    EXPECT_EQ(form->lookupList()->lookupField(), 17);
    type(buyer, QStringLiteral("昵"));
    ASSERT_EQ(list->count(), 3);
    QTest::keyClick(buyer, Qt::Key_Up); // not before the first
    QTest::keyClick(buyer, Qt::Key_Return);
    EXPECT_EQ(text("CmbBuyerName"), QStringLiteral("张三"));
    EXPECT_EQ(text("EdtBuyerMobile"), QStringLiteral("手1"));
    EXPECT_EQ(text("EdtAddress"), QStringLiteral("路1号"));
    EXPECT_EQ(text("EdtBuyerYb"), QStringLiteral("100001"));
    EXPECT_EQ(text("EdtSjDwDz"), QString()); // the waybill fields stay
}

TEST_F(AddressBookLookupTest, DoubleClickClearsExceptDuringABatch)
{
    openWithBook();
    Q_EMIT unit->activated(0);
    control<QLineEdit>("EdtWpJe")->setText(QStringLiteral("12.00"));
    auto *address = control<QLineEdit>("EdtSjDwDz");
    BatchStart run;
    run.code = TableCode::ExpressBatch;
    run.start = run.end = 1;
    run.file = dir.file(QStringLiteral("批打数据/快递批量打印数据.txt"));
    run.table = DataTable({QStringLiteral("序号"), QStringLiteral("昵称")}, {QString()});
    form->expressTab()->startBatch(run);
    // The run loaded its row; the fields are set again as the test had them.
    Q_EMIT unit->activated(0);
    control<QLineEdit>("EdtWpJe")->setText(QStringLiteral("12.00"));
    QTest::mouseDClick(address, Qt::LeftButton);
    EXPECT_EQ(text("EdtSjDwDz"), QStringLiteral("路1号"));

    form->expressTab()->batch()->endByHand();
    QTest::mouseDClick(address, Qt::LeftButton);
    for (const char *cleared : {"EdtSjDwDz", "CmbSjrMc", "EdtTo", "EdtSjDwTel", "EdtSjrIM", "EdtSjDwDm", "EdtWpJe"})
        EXPECT_EQ(text(cleared), QString()) << cleared;
    EXPECT_EQ(text("CmbSjdwBm"), QStringLiteral("部1")); // kept
    EXPECT_EQ(text("CmbSjrSy"), QStringLiteral("收"));
}

TEST_F(AddressBookLookupTest, LargeResultsFillTheListAsTheUserMovesDown)
{
    QStringList rows;
    for (int i = 1; i <= 2500; ++i)
        rows.append(recipient(i, QStringLiteral("测试单位%1").arg(i), QStringLiteral("客户%1").arg(i), QString()));
    dir.write(QStringLiteral("收件单位.TXT"), Codec::encode(QString(rows.join(QStringLiteral("\r\n")))));
    open();
    auto *list = control<QListWidget>("LboxCmbQuery");
    auto *unit = control<QComboBox>("CmbSjdwMc");
    type(unit, QStringLiteral("测"));
    EXPECT_EQ(form->lookupList()->matchCount(), 2500);
    const int first = list->count();
    ASSERT_LT(first, 2500);
    for (int i = 0; i < first; ++i)
        QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), first);
    EXPECT_EQ(list->currentItem()->text().section(u',', 0, 0), QString::number(first + 1));
    // Scrolling to the end takes the rest.
    while (list->count() < 2500) {
        const int before = list->count();
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        ASSERT_GT(list->count(), before);
    }
    QTest::keyClick(unit, Qt::Key_Return);
    EXPECT_EQ(Fields::text(control<QWidget>("CmbSjrMc")), QStringLiteral("客户%1").arg(first + 1));
}
