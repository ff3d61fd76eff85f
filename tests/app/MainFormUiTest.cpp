#include "app/MainFormUi.h"
#include "app/PageControl.h"
#include "app/RadioGroup.h"

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

class MainFormUiTest : public ::testing::Test
{
protected:
    void SetUp() override { ui.setupUi(&form); }

    QMainWindow form;
    MainFormUi ui;
};

QStringList tabCaptions(const QTabWidget *tabs)
{
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

} // namespace

TEST_F(MainFormUiTest, MainTabsAndSubTabsInOrder)
{
    ASSERT_EQ(form.findChild<PageControl *>(QStringLiteral("PageControlMain")), ui.PageControlMain);
    EXPECT_EQ(tabCaptions(ui.PageControlMain),
              QStringList({"快递打印", "出库发货", "采购入库", "模版设置"}));
    EXPECT_EQ(ui.PageControlMain->widget(0)->objectName(), "TabEmsPrn");
    EXPECT_EQ(ui.PageControlMain->widget(1)->objectName(), "TabFhdPrn");
    EXPECT_EQ(ui.PageControlMain->widget(2)->objectName(), "TabSheet2");
    EXPECT_EQ(ui.PageControlMain->widget(3)->objectName(), "TabPrnSet");

    ASSERT_TRUE(ui.TabEmsPrn->isAncestorOf(ui.PageControlFjxx));
    EXPECT_EQ(tabCaptions(ui.PageControlFjxx),
              QStringList({"寄件单位", "收件单位", "信函信息", "物品信息", "选项设置"}));
}

// Each named control exists once, with the type the window logic casts to,
// on the tab that owns it.
TEST_F(MainFormUiTest, NamedControlsHaveTheirTypeAndTab)
{
    using Check = std::function<bool(QObject *)>;
    auto is = [](auto *sample) -> Check {
        using T = std::remove_pointer_t<decltype(sample)>;
        return [](QObject *o) { return qobject_cast<T *>(o) != nullptr; };
    };
    struct Row {
        const char *name;
        Check typeOk;
        QWidget *tab;
    };
    const QList<Row> rows = {
        {"CmbLetterSelect", is((QComboBox *)nullptr), ui.TabEmsPrn},
        {"EdtEmsNo", is((QLineEdit *)nullptr), ui.TabEmsPrn},
        {"CmbSjrMc", is((QComboBox *)nullptr), ui.TabEmsPrn},
        {"EdtSjDwDz", is((QLineEdit *)nullptr), ui.TabEmsPrn},
        {"EdtSjdwYb", is((QLineEdit *)nullptr), ui.TabEmsPrn},
        {"CmbAddType", is((QComboBox *)nullptr), ui.TabEmsPrn},
        {"LblAutoAdd", is((QLabel *)nullptr), ui.TabEmsPrn},
        {"BtnPrint", is((QPushButton *)nullptr), ui.TabEmsPrn},
        {"BtnTskSave", is((QPushButton *)nullptr), ui.TabEmsPrn},
        {"GroupBTsk", is((QGroupBox *)nullptr), ui.TabEmsPrn},
        {"SpinEditTsk", is((QSpinBox *)nullptr), ui.TabEmsPrn},
        {"RzMBtnSysSet", is((QToolButton *)nullptr), ui.TabEmsPrn},
        {"CmbJjrMc", is((QComboBox *)nullptr), ui.TabJjdw},
        {"EdtJjDwBankId", is((QLineEdit *)nullptr), ui.TabJjdw},
        {"EdtJjDwJbrQm", is((QLineEdit *)nullptr), ui.TabJjdw},
        {"EdtSjrIM", is((QLineEdit *)nullptr), ui.TabSjdw},
        {"EdtSjDwType", is((QLineEdit *)nullptr), ui.TabSjdw},
        {"DateTimeP", is((QDateEdit *)nullptr), ui.TabXhxx},
        {"StaticTextDate", is((QLabel *)nullptr), ui.TabXhxx},
        {"CmbLetterLy", is((QComboBox *)nullptr), ui.TabXhxx},
        {"LblBJJE", is((QLabel *)nullptr), ui.TabWpxx},
        {"EdtJJF", is((QLineEdit *)nullptr), ui.TabWpxx},
        {"CmbLetterWP", is((QComboBox *)nullptr), ui.TabWpxx},
        {"CmbDefJjDw", is((QComboBox *)nullptr), ui.TabXxsz},
        {"ChbAutoAdd", is((QCheckBox *)nullptr), ui.TabXxsz},
        {"BtnSavePrnSet", is((QPushButton *)nullptr), ui.TabXxsz},
        {"CmbInvoice", is((QComboBox *)nullptr), ui.TabFhdPrn},
        {"DTPSender", is((QDateEdit *)nullptr), ui.TabFhdPrn},
        {"CmbBuyerWW", is((QComboBox *)nullptr), ui.TabFhdPrn},
        {"LblbuyerTel", is((QLabel *)nullptr), ui.TabFhdPrn},
        {"SGGoods", is((QTableWidget *)nullptr), ui.TabFhdPrn},
        {"EdtInvTotalJE", is((QLineEdit *)nullptr), ui.TabFhdPrn},
        {"GBoxInvoiceTsk", is((QGroupBox *)nullptr), ui.TabFhdPrn},
        {"SpinEditInvTsk", is((QSpinBox *)nullptr), ui.TabFhdPrn},
        {"RzMenuBtnOutQuery", is((QToolButton *)nullptr), ui.TabFhdPrn},
        {"RzMBtnOutMoreData", is((QToolButton *)nullptr), ui.TabFhdPrn},
        {"CmbInputJbr", is((QComboBox *)nullptr), ui.TabSheet2},
        {"DtpInputDate", is((QDateEdit *)nullptr), ui.TabSheet2},
        {"SgInput", is((QTableWidget *)nullptr), ui.TabSheet2},
        {"RzMBInput", is((QToolButton *)nullptr), ui.TabSheet2},
        {"SgSet", is((QTableWidget *)nullptr), ui.TabPrnSet},
        {"LBoxModel", is((QListWidget *)nullptr), ui.TabPrnSet},
        {"RGPaperSize", is((RadioGroup *)nullptr), ui.TabPrnSet},
        {"CmbPaperList", is((QComboBox *)nullptr), ui.TabPrnSet},
        {"BtnMoveXLeft", is((QPushButton *)nullptr), ui.TabPrnSet},
        {"RzMBtnMoreFunc", is((QToolButton *)nullptr), ui.TabPrnSet},
        {"StSoftHelp", is((QLabel *)nullptr), nullptr},
        {"SgQuery", is((QTableWidget *)nullptr), nullptr},
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

TEST_F(MainFormUiTest, MarkersSitInTheirGroupsWithTags)
{
    const QList<QCheckBox *> boxes = ui.markerBoxes();
    const QList<QGroupBox *> groups = ui.markerGroups();
    ASSERT_EQ(boxes.size(), 11);
    ASSERT_EQ(groups.size(), 3);
    EXPECT_EQ(boxes.last()->objectName(), "Chbselect11");

    const int groupOf[11] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 2};
    const int tags[11] = {11, 12, 21, 22, 23, 24, 31, 32, 33, 34, 35};
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes[i]->parentWidget(), groups[groupOf[i]]);
        EXPECT_EQ(boxes[i]->property("tag").toInt(), tags[i]);
        EXPECT_TRUE(ui.TabXhxx->isAncestorOf(boxes[i]));
    }
    EXPECT_EQ(groups[0]->findChildren<QCheckBox *>().size(), 2);
    EXPECT_EQ(groups[1]->findChildren<QCheckBox *>().size(), 4);
    EXPECT_EQ(groups[2]->findChildren<QCheckBox *>().size(), 5);
}

// Typed combos mirror the address lists index for index: Enter must not add
// the typed text as an item, and no inline completion may replace it.
TEST_F(MainFormUiTest, TypedCombosNeverAddOrCompleteByThemselves)
{
    for (QComboBox *c : {ui.CmbSjrMc, ui.CmbSjdwMc, ui.CmbJjDwMc, ui.CmbJjrMc, ui.CmbBuyerName,
                         ui.CmbBuyerWW, ui.CmbLetterWP, ui.CmbSalerSay}) {
        SCOPED_TRACE(c->objectName().toStdString());
        EXPECT_TRUE(c->isEditable());
        EXPECT_EQ(c->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(c->completer(), nullptr);
    }
    for (QComboBox *c : {ui.CmbLetterSelect, ui.CmbPrn, ui.CmbModelType, ui.CmbPaperList, ui.CmbMoveLength,
                         ui.CmbDefJjDw, ui.CmbAddType, ui.CmbInvAddtype, ui.CmbInvoice, ui.CmbInputModel,
                         ui.CmbEmsCompany, ui.CmbInputType})
        EXPECT_FALSE(c->isEditable()) << c->objectName().toStdString();

    ui.CmbSjrMc->addItems({"张三", "李四"});
    ui.CmbSjrMc->setEditText("王五");
    ui.CmbSjrMc->lineEdit()->returnPressed();
    EXPECT_EQ(ui.CmbSjrMc->count(), 2);
}

TEST_F(MainFormUiTest, TemplateTabEditorsAndChoices)
{
    EXPECT_EQ(ui.SgSet->columnCount(), 11);
    EXPECT_EQ(ui.SgSet->horizontalHeaderItem(10)->text(), "换行方式");
    // In-cell editors are hidden siblings of the grid, positioned in its parent.
    EXPECT_EQ(ui.SpinEdit1->parentWidget(), ui.SgSet->parentWidget());
    EXPECT_EQ(ui.CmbSgSelect->parentWidget(), ui.SgSet->parentWidget());
    EXPECT_TRUE(ui.SpinEdit1->isHidden());
    EXPECT_TRUE(ui.CmbSgSelect->isHidden());

    EXPECT_EQ(ui.CmbMoveLength->currentIndex(), 1);
    EXPECT_EQ(ui.CmbModelType->count(), 3);
    EXPECT_EQ(ui.RGPaperSize->items(), QStringList({"A4", "A3", "默认", "其他"}));

    // The management menu in its order; the upgrade entry is hidden.
    QStringList names;
    for (QAction *a : ui.PopupMenu1->actions())
        names << a->objectName();
    EXPECT_EQ(names, QStringList({"N6", "N7", "N20", "NOut", "NInput", "N3", "MReName", "N1", "NUpdate",
                                  "N5", "MDeleteM"}));
    EXPECT_FALSE(ui.NUpdate->isVisible());
    EXPECT_EQ(ui.RzMBtnMoreFunc->menu(), ui.PopupMenu1);
    EXPECT_EQ(ui.RzMBtnMoreFunc->popupMode(), QToolButton::InstantPopup);
}

TEST_F(MainFormUiTest, BatchPanelsStartHidden)
{
    EXPECT_TRUE(ui.GroupBTsk->isHidden());
    EXPECT_TRUE(ui.GBoxInvoiceTsk->isHidden());
    EXPECT_TRUE(ui.LboxCmbQuery->isHidden());
    EXPECT_TRUE(ui.SgQuery->isHidden());
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
