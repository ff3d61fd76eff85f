#include "app/TForm1.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/RadioGroup.h"
#include "support/TempDir.h"
#include "templates/ui/TemplateTab.h"
#include "trade/ui/DeliveryTab.h"
#include "trade/ui/InboundTab.h"
#include "waybill/MarkerGroups.h"
#include "waybill/ui/ExpressTab.h"
#include "waybill/ui/MarkerGroupsPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace Slipdesk;

namespace {

// The window as built, before its creation step loads anything: every
// tab's widgets in place.
class WindowLayoutTest : public ::testing::Test
{
protected:
    ExpressTabUi &ex() { return form.expressTab()->ui(); }
    DeliveryTabUi &de() { return form.deliveryTab()->ui(); }
    InboundTabUi &in() { return form.inboundTab()->ui(); }
    TemplateTabUi &te() { return form.templateTab()->ui(); }
    PageControl *pages() { return form.pageControl(); }
    template<typename T> T *shell(const char *name) { return form.findChild<T *>(QLatin1String(name)); }

    TempDir dir;
    TForm1 form {Paths(dir.path()), dir.path(), QStringLiteral("/nonexistent-temp")};
};

QStringList tabCaptions(const QTabWidget *tabs)
{
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

} // namespace

TEST_F(WindowLayoutTest, MainTabsAndSubTabsInOrder)
{
    ASSERT_EQ(form.findChild<PageControl *>(QStringLiteral("PageControlMain")), pages());
    EXPECT_EQ(tabCaptions(pages()), QStringList({"快递打印", "出库发货", "采购入库", "模版设置"}));
    EXPECT_EQ(pages()->widget(0)->objectName(), "TabEmsPrn");
    EXPECT_EQ(pages()->widget(1)->objectName(), "TabFhdPrn");
    EXPECT_EQ(pages()->widget(2)->objectName(), "TabSheet2");
    EXPECT_EQ(pages()->widget(3)->objectName(), "TabPrnSet");

    ASSERT_TRUE(ex().TabEmsPrn->isAncestorOf(ex().PageControlFjxx));
    EXPECT_EQ(
        tabCaptions(ex().PageControlFjxx), QStringList({"寄件单位", "收件单位", "信函信息", "物品信息", "选项设置"}));
}

// Each named control exists once, with the type the window logic casts to,
// on the tab that owns it.
TEST_F(WindowLayoutTest, NamedControlsHaveTheirTypeAndTab)
{
    using Check = std::function<bool(QObject *)>;
    auto is = [](auto *sample) -> Check {
        using T = std::remove_pointer_t<decltype(sample)>;
        return [](QObject *o) { return qobject_cast<T *>(o) != nullptr; };
    };
    struct Row
    {
        const char *name;
        Check typeOk;
        QWidget *tab;
    };
    const QList<Row> rows = {
        {"CmbLetterSelect", is((QComboBox *)nullptr), ex().TabEmsPrn},
        {"EdtEmsNo", is((QLineEdit *)nullptr), ex().TabEmsPrn},
        {"CmbSjrMc", is((QComboBox *)nullptr), ex().TabEmsPrn},
        {"EdtSjDwDz", is((QLineEdit *)nullptr), ex().TabEmsPrn},
        {"EdtSjdwYb", is((QLineEdit *)nullptr), ex().TabEmsPrn},
        {"CmbAddType", is((QComboBox *)nullptr), ex().TabEmsPrn},
        {"LblAutoAdd", is((QLabel *)nullptr), ex().TabEmsPrn},
        {"BtnPrint", is((QPushButton *)nullptr), ex().TabEmsPrn},
        {"BtnTskSave", is((QPushButton *)nullptr), ex().TabEmsPrn},
        {"GroupBTsk", is((QGroupBox *)nullptr), ex().TabEmsPrn},
        {"SpinEditTsk", is((QSpinBox *)nullptr), ex().TabEmsPrn},
        {"RzMBtnSysSet", is((QToolButton *)nullptr), ex().TabEmsPrn},
        {"CmbJjrMc", is((QComboBox *)nullptr), ex().TabJjdw},
        {"EdtJjDwBankId", is((QLineEdit *)nullptr), ex().TabJjdw},
        {"EdtJjDwJbrQm", is((QLineEdit *)nullptr), ex().TabJjdw},
        {"EdtSjrIM", is((QLineEdit *)nullptr), ex().TabSjdw},
        {"EdtSjDwType", is((QLineEdit *)nullptr), ex().TabSjdw},
        {"DateTimeP", is((QDateEdit *)nullptr), ex().TabXhxx},
        {"StaticTextDate", is((QLabel *)nullptr), ex().TabXhxx},
        {"CmbLetterLy", is((QComboBox *)nullptr), ex().TabXhxx},
        {"LblBJJE", is((QLabel *)nullptr), ex().TabWpxx},
        {"EdtJJF", is((QLineEdit *)nullptr), ex().TabWpxx},
        {"CmbLetterWP", is((QComboBox *)nullptr), ex().TabWpxx},
        {"CmbDefJjDw", is((QComboBox *)nullptr), ex().TabXxsz},
        {"ChbAutoAdd", is((QCheckBox *)nullptr), ex().TabXxsz},
        {"BtnSavePrnSet", is((QPushButton *)nullptr), ex().TabXxsz},
        {"CmbInvoice", is((QComboBox *)nullptr), de().TabFhdPrn},
        {"DTPSender", is((QDateEdit *)nullptr), de().TabFhdPrn},
        {"CmbBuyerWW", is((QComboBox *)nullptr), de().TabFhdPrn},
        {"LblbuyerTel", is((QLabel *)nullptr), de().TabFhdPrn},
        {"SGGoods", is((QTableWidget *)nullptr), de().TabFhdPrn},
        {"EdtInvTotalJE", is((QLineEdit *)nullptr), de().TabFhdPrn},
        {"GBoxInvoiceTsk", is((QGroupBox *)nullptr), de().TabFhdPrn},
        {"SpinEditInvTsk", is((QSpinBox *)nullptr), de().TabFhdPrn},
        {"RzMenuBtnOutQuery", is((QToolButton *)nullptr), de().TabFhdPrn},
        {"RzMBtnOutMoreData", is((QToolButton *)nullptr), de().TabFhdPrn},
        {"CmbInputJbr", is((QComboBox *)nullptr), in().TabSheet2},
        {"DtpInputDate", is((QDateEdit *)nullptr), in().TabSheet2},
        {"SgInput", is((QTableWidget *)nullptr), in().TabSheet2},
        {"RzMBInput", is((QToolButton *)nullptr), in().TabSheet2},
        {"SgSet", is((QTableWidget *)nullptr), te().TabPrnSet},
        {"LBoxModel", is((QListWidget *)nullptr), te().TabPrnSet},
        {"RGPaperSize", is((RadioGroup *)nullptr), te().TabPrnSet},
        {"CmbPaperList", is((QComboBox *)nullptr), te().TabPrnSet},
        {"BtnMoveXLeft", is((QPushButton *)nullptr), te().TabPrnSet},
        {"RzMBtnMoreFunc", is((QToolButton *)nullptr), te().TabPrnSet},
        {"StSoftHelp", is((QLabel *)nullptr), nullptr},
        {"SgQuery", is((QTableView *)nullptr), nullptr},
        {"LboxCmbQuery", is((QListWidget *)nullptr), nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto found = form.findChildren<QWidget *>(QLatin1String(row.name));
        ASSERT_EQ(found.size(), 1);
        EXPECT_TRUE(row.typeOk(found.first()));
        if (row.tab) {
            EXPECT_TRUE(row.tab->isAncestorOf(found.first()));
        }
    }
}

TEST_F(WindowLayoutTest, MarkersSitInTheirGroupsAndPlaces)
{
    const QList<QCheckBox *> boxes = ex().markerBoxes();
    const QList<QGroupBox *> groups = ex().markerGroups();
    ASSERT_EQ(boxes.size(), 11);
    ASSERT_EQ(groups.size(), 3);
    EXPECT_EQ(boxes.last()->objectName(), "Chbselect11");

    const int groupOf[11] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 2};
    const int places[11] = {11, 12, 21, 22, 23, 24, 31, 32, 33, 34, 35};
    const MarkerGroupsPanel &panel = *form.expressTab()->markers();
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes[i]->parentWidget(), groups[groupOf[i]]);
        EXPECT_EQ(panel.groupOf(boxes[i]) * 10 + panel.placeOf(boxes[i]), places[i]);
        EXPECT_EQ(MarkerGroups::boxControl(panel.groupOf(boxes[i]), panel.placeOf(boxes[i])), boxes[i]->objectName());
        EXPECT_TRUE(ex().TabXhxx->isAncestorOf(boxes[i]));
    }
    EXPECT_EQ(groups[0]->findChildren<QCheckBox *>().size(), 2);
    EXPECT_EQ(groups[1]->findChildren<QCheckBox *>().size(), 4);
    EXPECT_EQ(groups[2]->findChildren<QCheckBox *>().size(), 5);
}

// Typed combos mirror the address lists index for index: Enter must not add
// the typed text as an item, and no inline completion may replace it.
TEST_F(WindowLayoutTest, TypedCombosNeverAddOrCompleteByThemselves)
{
    for (QComboBox *c : {ex().CmbSjrMc, ex().CmbSjdwMc, ex().CmbJjDwMc, ex().CmbJjrMc, de().CmbBuyerName,
             de().CmbBuyerWW, ex().CmbLetterWP, de().CmbSalerSay}) {
        SCOPED_TRACE(c->objectName().toStdString());
        EXPECT_TRUE(c->isEditable());
        EXPECT_EQ(c->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(c->completer(), nullptr);
    }
    for (QComboBox *c : {ex().CmbLetterSelect, te().CmbPrn, te().CmbModelType, te().CmbPaperList, te().CmbMoveLength,
             ex().CmbDefJjDw, ex().CmbAddType, de().CmbInvAddtype, de().CmbInvoice, in().CmbInputModel,
             de().CmbEmsCompany, in().CmbInputType})
        EXPECT_FALSE(c->isEditable()) << c->objectName().toStdString();

    ex().CmbSjrMc->addItems({"张三", "李四"});
    ex().CmbSjrMc->setEditText("王五");
    ex().CmbSjrMc->lineEdit()->returnPressed();
    EXPECT_EQ(ex().CmbSjrMc->count(), 2);
}

TEST_F(WindowLayoutTest, TemplateTabEditorsAndChoices)
{
    EXPECT_EQ(te().SgSet->columnCount(), 11);
    EXPECT_EQ(te().SgSet->horizontalHeaderItem(10)->text(), "换行方式");
    // In-cell editors are hidden siblings of the grid, positioned in its parent.
    EXPECT_EQ(te().SpinEdit1->parentWidget(), te().SgSet->parentWidget());
    EXPECT_EQ(te().CmbSgSelect->parentWidget(), te().SgSet->parentWidget());
    EXPECT_TRUE(te().SpinEdit1->isHidden());
    EXPECT_TRUE(te().CmbSgSelect->isHidden());

    EXPECT_EQ(te().CmbMoveLength->currentIndex(), 1);
    EXPECT_EQ(te().CmbModelType->count(), 3);
    EXPECT_EQ(te().RGPaperSize->items(), QStringList({"A4", "A3", "默认", "其他"}));

    // The management menu in its order, with the barcode rows' sub-menu
    // after the renaming; the upgrade entry is hidden.
    QStringList names;
    for (QAction *a : te().PopupMenu1->actions())
        names << a->objectName();
    EXPECT_EQ(names,
        QStringList({"N6", "N7", "N20", "NOut", "NInput", "N3", "MReName", "NOptionalItemsSeparator",
            "NAddOptionalItem", "N1", "NUpdate", "N5", "MDeleteM"}));
    EXPECT_FALSE(te().NUpdate->isVisible());
    EXPECT_EQ(te().RzMBtnMoreFunc->menu(), te().PopupMenu1);
    EXPECT_EQ(te().RzMBtnMoreFunc->popupMode(), QToolButton::InstantPopup);
}

TEST_F(WindowLayoutTest, BatchPanelsStartHidden)
{
    EXPECT_TRUE(ex().GroupBTsk->isHidden());
    EXPECT_TRUE(de().GBoxInvoiceTsk->isHidden());
    EXPECT_TRUE(shell<QListWidget>("LboxCmbQuery")->isHidden());
    EXPECT_TRUE(shell<QTableView>("SgQuery")->isHidden());
}

TEST(RadioGroupTest, IndexSelectionAndClicks)
{
    RadioGroup group;
    group.setItems({"A", "B", "C"});
    EXPECT_EQ(group.itemIndex(), -1);

    QList<int> clicks;
    QObject::connect(&group, &RadioGroup::clicked, [&](int i) { clicks << i; });
    group.setItemIndex(2);
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_TRUE(clicks.isEmpty()); // programmatic choice is silent

    group.button(1)->click();
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_EQ(clicks, QList<int>({1}));

    group.setItemIndex(7); // out of range clears
    EXPECT_EQ(group.itemIndex(), -1);

    group.setItems({"X", "Y"}); // replacing items drops the old buttons
    EXPECT_EQ(group.items(), QStringList({"X", "Y"}));
    EXPECT_EQ(group.button(2), nullptr);
    EXPECT_EQ(group.itemIndex(), -1);
}
