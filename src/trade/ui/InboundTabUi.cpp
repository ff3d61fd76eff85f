#include "InboundTabUi.h"

#include "platform/ui/FormBuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Slipdesk {

using namespace FormBuilder;

// ---------------------------------------------------------------- 采购入库

void InboundTabUi::setupUi(QWidget *page)
{
    TabSheet2 = page;
    QWidget *p = TabSheet2;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);
    auto *v = new QVBoxLayout;
    h->addLayout(v, 1);

    SD_NEW(LblInputShop, p);
    makeTitle(LblInputShop, QStringLiteral("店铺名称"));
    v->addWidget(LblInputShop);

    auto *g = new QGridLayout;
    g->setVerticalSpacing(5);
    v->addLayout(g);
    SD_FIELD(CmbInputModel, p, g, {0, 0, 2}, QStringLiteral("入库单"), makePickOnly);
    SD_NEW(LblInputNo, p);
    LblInputNo->setText(QStringLiteral("入库单号"));
    SD_NEW(EdtInputNo, p);
    addLabelled(g, 0, 2, LblInputNo, EdtInputNo);

    SD_NEW(LblInputJbr, p);
    LblInputJbr->setText(QStringLiteral("经办人"));
    SD_NEW(CmbInputJbr, p);
    makeTyped(CmbInputJbr);
    SD_NEW(LblInputType, p);
    LblInputType->setText(QStringLiteral("入库类别"));
    SD_NEW(CmbInputType, p);
    makePickOnly(CmbInputType);
    SD_NEW(LblInputDate, p);
    LblInputDate->setText(QStringLiteral("入库日期"));
    SD_NEW(DtpInputDate, p);
    makeDate(DtpInputDate);
    addLabelled(g, 1, 0, LblInputJbr, CmbInputJbr);
    addLabelled(g, 1, 1, LblInputType, CmbInputType);
    addLabelled(g, 1, 2, LblInputDate, DtpInputDate);
    stretchFieldColumns(g, 3);

    SD_NEW(SgInput, p);
    makeGrid(SgInput,
        {QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
            QStringLiteral("数量"), QStringLiteral("进价"), QStringLiteral("金额"), QStringLiteral("入库备注"),
            QStringLiteral("售价"), QStringLiteral("出库备注")},
        29, {40, 77, 232, 40, 45, 69, 93, 138, 76, 146});
    v->addWidget(SgInput, 1);

    auto *totals = new QGridLayout;
    v->addLayout(totals);
    SD_FIELD(LblInputSumCount, p, totals, {0, 0}, QStringLiteral("商品数量"));
    LblInputSumCount->setText(QStringLiteral("0"));
    LblInputSumCount->setMinimumWidth(60);
    SD_FIELD(EdtInputSumMoney, p, totals, {0, 1}, QStringLiteral("货款小计"), makeReadOnlyAmount);
    totals->setColumnStretch(4, 2);
    stretchFieldColumns(totals, 2);

    auto *buttons = buttonColumn();
    h->addLayout(buttons);
    SD_NEW(BtnInputPrn, p);
    BtnInputPrn->setText(QStringLiteral("打印登记"));
    BtnInputPrn->setToolTip(QStringLiteral("打印采购入库单，并且更新库存数量、进价等商品资料信息。"));
    SD_NEW(BtnInputPreV, p);
    BtnInputPreV->setText(QStringLiteral("打印预览"));
    SD_NEW(BtnInputPrnLog, p);
    BtnInputPrnLog->setText(QStringLiteral("打印记录"));

    SD_NEW(RzMBInput, p);
    MenuInMoreData = makeMenu(RzMBInput, "MenuInMoreData");
    NInGoods = addEntry(MenuInMoreData, "NInGoods", QStringLiteral("商品资料"));
    NInUnit = addEntry(MenuInMoreData, "NInUnit", QStringLiteral("计量单位"));
    MenuInMoreData->addSeparator();
    NInInRemark = addEntry(MenuInMoreData, "NInInRemark", QStringLiteral("入库备注"));
    NInInType = addEntry(MenuInMoreData, "NInInType", QStringLiteral("入库类别"));
    MenuInMoreData->addSeparator();
    NInOutRemark = addEntry(MenuInMoreData, "NInOutRemark", QStringLiteral("出库备注"));
    MenuInMoreData->addSeparator();
    NInSjdw = addEntry(MenuInMoreData, "NInSjdw", QStringLiteral("收件单位"));
    MenuInMoreData->addSeparator();
    NInJjdw = addEntry(MenuInMoreData, "NInJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBInput, QStringLiteral("基础数据"), MenuInMoreData);

    for (QWidget *b : std::initializer_list<QWidget *> {BtnInputPrn, BtnInputPreV, BtnInputPrnLog, RzMBInput}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
}

} // namespace Slipdesk
