#include "DeliveryTabUi.h"

#include "platform/ui/FormBuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Slipdesk {

using namespace FormBuilder;

// ---------------------------------------------------------------- 出库发货

void DeliveryTabUi::setupUi(QWidget *page)
{
    TabFhdPrn = page;
    QWidget *p = TabFhdPrn;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);
    auto *v = new QVBoxLayout;
    h->addLayout(v, 1);

    SD_NEW(LblShopName, p);
    makeTitle(LblShopName, QStringLiteral("店铺名称"));
    v->addWidget(LblShopName);

    auto *g = new QGridLayout;
    g->setVerticalSpacing(5);
    v->addLayout(g);

    SD_FIELD(CmbInvoice, p, g, {0, 0}, QStringLiteral("发货单"), makePickOnly);
    SD_FIELD(EdtInvNo, p, g, {0, 1}, QStringLiteral("发货单号"));
    SD_FIELD(DTPSender, p, g, {0, 2}, QStringLiteral("发货日期"), makeDate);
    SD_NEW(LblInvAutoAdd, p);
    makeClickLabel(LblInvAutoAdd, QStringLiteral("一键填写"), QString());
    SD_NEW(CmbInvAddtype, p);
    makePickOnly(CmbInvAddtype);
    CmbInvAddtype->setToolTip(QStringLiteral("复制的订单地址格式"));
    addLabelled(g, 0, 3, LblInvAutoAdd, CmbInvAddtype);

    auto named = [p](QLabel *&label, const char *name, const QString &text) {
        label = create<QLabel>(p, name);
        label->setText(text);
    };
    named(LblBuyerName, "LblBuyerName", QStringLiteral("买家姓名"));
    SD_NEW(CmbBuyerName, p);
    makeTyped(CmbBuyerName);
    named(LblBuyerNickName, "LblBuyerNickName", QStringLiteral("昵称"));
    SD_NEW(CmbBuyerWW, p);
    makeTyped(CmbBuyerWW);
    named(LblbuyerMobile, "LblbuyerMobile", QStringLiteral("手机"));
    SD_NEW(EdtBuyerMobile, p);
    named(LblbuyerTel, "LblbuyerTel", QStringLiteral("电话"));
    SD_NEW(EdtBuyerTel, p);
    addLabelled(g, 1, 0, LblBuyerName, CmbBuyerName);
    addLabelled(g, 1, 1, LblBuyerNickName, CmbBuyerWW);
    addLabelled(g, 1, 2, LblbuyerMobile, EdtBuyerMobile);
    addLabelled(g, 1, 3, LblbuyerTel, EdtBuyerTel);

    named(LblBuyerAdd, "LblBuyerAdd", QStringLiteral("收货地址"));
    SD_NEW(EdtAddSs, p);
    EdtAddSs->setPlaceholderText(QStringLiteral("省/市"));
    SD_NEW(EdtAddDs, p);
    EdtAddDs->setPlaceholderText(QStringLiteral("地/市"));
    SD_NEW(EdtAddQx, p);
    EdtAddQx->setPlaceholderText(QStringLiteral("区/县"));
    SD_NEW(EdtAddress, p);
    EdtAddress->setToolTip(QStringLiteral("双击自动清空买家和商品信息"));
    named(LblBuyerYb, "LblBuyerYb", QStringLiteral("邮编"));
    SD_NEW(EdtBuyerYb, p);
    {
        auto *addr = new QHBoxLayout;
        addr->setSpacing(4);
        addr->addWidget(EdtAddSs, 1);
        addr->addWidget(EdtAddDs, 1);
        addr->addWidget(EdtAddQx, 1);
        addr->addWidget(EdtAddress, 4);
        LblBuyerAdd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LblBuyerAdd->setBuddy(EdtAddSs);
        g->addWidget(LblBuyerAdd, 2, 0);
        g->addLayout(addr, 2, 1, 1, 5);
        addLabelled(g, 2, 3, LblBuyerYb, EdtBuyerYb);
    }
    stretchFieldColumns(g, 4);

    SD_NEW(SGGoods, p);
    makeGrid(SGGoods,
        {QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
            QStringLiteral("数量"), QStringLiteral("售价"), QStringLiteral("金额"), QStringLiteral("出库备注"),
            QStringLiteral("进价"), QStringLiteral("入库备注")},
        30, {40, 81, 217, 46, 44, 70, 93, 135, 76, 149});
    v->addWidget(SGGoods, 1);

    auto *totals = new QGridLayout;
    v->addLayout(totals);
    SD_FIELD(LblSumCount, p, totals, {0, 0}, QStringLiteral("商品数量"));
    LblSumCount->setText(QStringLiteral("0"));
    LblSumCount->setMinimumWidth(60);
    SD_FIELD(EdtPostPrice, p, totals, {0, 1}, QStringLiteral("邮递费用"));
    EdtPostPrice->setText(QStringLiteral("0.00"));
    EdtPostPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SD_FIELD(EdtMoneySumXx, p, totals, {0, 2}, QStringLiteral("货款小计"), makeReadOnlyAmount);
    SD_FIELD(EdtInvTotalJE, p, totals, {0, 3}, QStringLiteral("金额合计"), makeReadOnlyAmount);
    stretchFieldColumns(totals, 4);

    auto *s = new QGridLayout;
    s->setVerticalSpacing(5);
    v->addLayout(s);
    named(LblSalerSay, "LblSalerSay", QStringLiteral("卖家留言"));
    SD_NEW(CmbSalerSay, p);
    makeTyped(CmbSalerSay);
    addLabelled(s, 0, 0, LblSalerSay, CmbSalerSay, 4);

    named(LblSalerShop, "LblSalerShop", QStringLiteral("店铺网址"));
    SD_NEW(EdtSalerShopWeb, p);
    named(LblSalerAdd, "LblSalerAdd", QStringLiteral("卖家地址"));
    SD_NEW(EdtSalerAdd, p);
    addLabelled(s, 1, 0, LblSalerShop, EdtSalerShopWeb, 2);
    addLabelled(s, 1, 2, LblSalerAdd, EdtSalerAdd, 2);

    named(LblSalerName, "LblSalerName", QStringLiteral("卖家姓名"));
    SD_NEW(CmbSalerName, p);
    makeTyped(CmbSalerName);
    named(LblSalerNickName, "LblSalerNickName", QStringLiteral("昵称"));
    SD_NEW(EdtSalerWW, p);
    named(LblSalerMobile, "LblSalerMobile", QStringLiteral("手机"));
    SD_NEW(EdtSalerTel, p);
    addLabelled(s, 2, 0, LblSalerName, CmbSalerName);
    addLabelled(s, 2, 1, LblSalerNickName, EdtSalerWW);
    addLabelled(s, 2, 2, LblSalerMobile, EdtSalerTel);

    named(LblInvEms, "LblInvEms", QStringLiteral("快递"));
    SD_NEW(CmbEmsCompany, p);
    makePickOnly(CmbEmsCompany);
    named(LblEmsNo, "LblEmsNo", QStringLiteral("单号"));
    SD_NEW(EdtInvEmsNo, p);
    addLabelled(s, 3, 0, LblInvEms, CmbEmsCompany);
    addLabelled(s, 3, 1, LblEmsNo, EdtInvEmsNo);
    stretchFieldColumns(s, 4);

    auto *buttons = buttonColumn();
    h->addLayout(buttons);
    SD_NEW(BtnInvoicePrn, p);
    BtnInvoicePrn->setText(QStringLiteral("打印登记"));
    SD_NEW(BtnInvoicePreview, p);
    BtnInvoicePreview->setText(QStringLiteral("打印预览"));
    SD_NEW(BtnInvoiceTskPrn, p);
    BtnInvoiceTskPrn->setText(QStringLiteral("批打保存"));
    SD_NEW(BtnInvTskData, p);
    BtnInvTskData->setText(QStringLiteral("批打数据"));
    BtnInvTskData->setToolTip(QStringLiteral("浏览当前发货单的批量打印数据，即等待发货的商品信息。"));

    SD_NEW(RzMenuBtnOutQuery, p);
    MenuOutQuery = makeMenu(RzMenuBtnOutQuery, "MenuOutQuery");
    NQueryLog = addEntry(MenuOutQuery, "NQueryLog", QStringLiteral("打印记录"));
    MenuOutQuery->addSeparator();
    NQuerySales = addEntry(MenuOutQuery, "NQuerySales", QStringLiteral("销售统计"));
    makeMenuButton(RzMenuBtnOutQuery, QStringLiteral("查询统计"), MenuOutQuery);
    RzMenuBtnOutQuery->setToolTip(QStringLiteral("查询打印记录和销售统计情况"));

    SD_NEW(RzMBtnOutMoreData, p);
    MenuOutMoreData = makeMenu(RzMBtnOutMoreData, "MenuOutMoreData");
    NOutGoods = addEntry(MenuOutMoreData, "NOutGoods", QStringLiteral("商品资料"));
    NOutUnit = addEntry(MenuOutMoreData, "NOutUnit", QStringLiteral("计量单位"));
    MenuOutMoreData->addSeparator();
    NOutInRemark = addEntry(MenuOutMoreData, "NOutInRemark", QStringLiteral("入库备注"));
    MenuOutMoreData->addSeparator();
    NOutOutRemark = addEntry(MenuOutMoreData, "NOutOutRemark", QStringLiteral("出库备注"));
    MenuOutMoreData->addSeparator();
    NOutSjdw = addEntry(MenuOutMoreData, "NOutSjdw", QStringLiteral("收件单位"));
    MenuOutMoreData->addSeparator();
    NOutJjdw = addEntry(MenuOutMoreData, "NOutJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBtnOutMoreData, QStringLiteral("基础数据"), MenuOutMoreData);

    for (QWidget *b : std::initializer_list<QWidget *> {
             BtnInvoicePrn, BtnInvoicePreview, BtnInvoiceTskPrn, BtnInvTskData, RzMenuBtnOutQuery, RzMBtnOutMoreData}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }

    SD_NEW(GBoxInvoiceTsk, p);
    GBoxInvoiceTsk->setTitle(QStringLiteral("批量打印"));
    auto *tg = new QGridLayout(GBoxInvoiceTsk);
    SD_FIELD(SpinEditInvTsk, GBoxInvoiceTsk, tg, {0, 0}, QStringLiteral("当前"));
    SpinEditInvTsk->setRange(1, 1);
    SpinEditInvTsk->setMinimumWidth(64);
    SD_FIELD(LblInvTatol, GBoxInvoiceTsk, tg, {1, 0}, QStringLiteral("总数"));
    LblInvTatol->setText(QStringLiteral("1"));
    GBoxInvoiceTsk->hide();
    buttons->addWidget(GBoxInvoiceTsk);
    buttons->addStretch(1);
}

} // namespace Slipdesk
