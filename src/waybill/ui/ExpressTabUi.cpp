#include "ExpressTabUi.h"

#include "platform/ui/FormBuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Slipdesk {

using namespace FormBuilder;

QList<QCheckBox *> ExpressTabUi::markerBoxes() const
{
    return {ChbSelect1, ChbSelect2, ChbSelect3, ChbSelect4, ChbSelect5, ChbSelect6, ChbSelect7, ChbSelect8, ChbSelect9,
        ChbSelect10, Chbselect11};
}

QList<QGroupBox *> ExpressTabUi::markerGroups() const
{
    return {GBox1, GBox2, GBox3};
}

QList<ClickLabel *> ExpressTabUi::formatLabels() const
{
    return {StaticTextDate, LblJe, LblDSHK, LblBJJE};
}

QList<QLineEdit *> ExpressTabUi::amountFields() const
{
    return {EdtWpJe, EdtDshk, EdtBjje, EdtBF, EdtYF, EdtJJF};
}

// ---------------------------------------------------------------- 快递打印

void ExpressTabUi::setupUi(QWidget *page)
{
    TabEmsPrn = page;
    QWidget *p = TabEmsPrn;
    auto *v = new QVBoxLayout(p);
    v->setContentsMargins(6, 6, 6, 6);

    auto *top = new QHBoxLayout;
    v->addLayout(top);

    // Recipient block: the fields of an envelope.
    SD_NEW(GBoxSjr, p);
    GBoxSjr->setTitle(QStringLiteral("收件人信息"));
    // Top-aligned so that showing the batch panel beside it does not stretch it.
    top->addWidget(GBoxSjr, 1, Qt::AlignTop);
    QWidget *r = GBoxSjr;
    auto *g = new QGridLayout(r);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(5);

    SD_NEW(LblLetterSelect, r);
    LblLetterSelect->setText(QStringLiteral("快递单模版"));
    SD_NEW(CmbLetterSelect, r);
    makePickOnly(CmbLetterSelect);
    addLabelled(g, 0, 0, LblLetterSelect, CmbLetterSelect, 2);
    SD_NEW(LblLetterNo, r);
    LblLetterNo->setText(QStringLiteral("信函编号"));
    SD_NEW(EdtEmsNo, r);
    addLabelled(g, 0, 2, LblLetterNo, EdtEmsNo);

    SD_FIELD(CmbSjrMc, r, g, {1, 0}, QStringLiteral("收件人"), makeTyped);
    CmbSjrMc->setToolTip(QStringLiteral("输入姓名任意字词，可以动态模糊查询"));
    SD_FIELD(CmbSjrCw, r, g, {1, 1}, QStringLiteral("称谓"), makeTyped);
    SD_FIELD(CmbSjrSy, r, g, {1, 2}, QStringLiteral("收件语"), makeTyped);
    CmbSjrSy->setEditText(QStringLiteral("收"));

    SD_FIELD(CmbSjdwMc, r, g, {2, 0, 2}, QStringLiteral("收件单位"), makeTyped);
    CmbSjdwMc->setToolTip(QStringLiteral("可以输入关键字词模糊查询收件单位名称\n新的单位信息在信函打印后会自动保存"));
    SD_FIELD(CmbSjdwBm, r, g, {2, 2}, QStringLiteral("部门"), makeTyped);

    SD_FIELD(EdtSjDwSs, r, g, {3, 0}, QStringLiteral("省/市"));
    SD_FIELD(EdtSjDwDs, r, g, {3, 1}, QStringLiteral("地/市"));
    SD_FIELD(EdtSjDwQx, r, g, {3, 2}, QStringLiteral("区/县"));

    SD_FIELD(EdtSjDwDz, r, g, {4, 0, 3}, QStringLiteral("通讯地址"));
    EdtSjDwDz->setToolTip(QStringLiteral("双击自动清空收件人信息"));

    SD_FIELD(EdtSjDwTel, r, g, {5, 0}, QStringLiteral("单位电话"));
    EdtSjDwTel->setToolTip(QStringLiteral("输入电话任意数字，可以动态模糊查询"));
    SD_FIELD(EdtSjdwYb, r, g, {5, 1}, QStringLiteral("邮编"));
    SD_FIELD(EdtTo, r, g, {5, 2}, QStringLiteral("目的地"));

    SD_NEW(LblAutoAdd, r);
    makeClickLabel(LblAutoAdd, QStringLiteral("一键填写"), QString());
    LblAutoAdd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SD_NEW(CmbAddType, r);
    makePickOnly(CmbAddType);
    CmbAddType->addItems({QStringLiteral("有啊地址1"), QStringLiteral("淘宝地址2"), QStringLiteral("淘宝地址3"),
        QStringLiteral("淘宝地址4"), QStringLiteral("淘宝地址5"), QStringLiteral("淘宝地址6"),
        QStringLiteral("拍拍地址1")});
    CmbAddType->setToolTip(QStringLiteral("复制的订单地址格式"));
    g->addWidget(LblAutoAdd, 6, 0);
    g->addWidget(CmbAddType, 6, 1);
    stretchFieldColumns(g, 3);

    // Actions of the tab.
    auto *buttons = buttonColumn();
    top->addLayout(buttons);
    SD_NEW(BtnPrint, p);
    BtnPrint->setText(QStringLiteral("打印(&P)"));
    SD_NEW(BtnPreview, p);
    BtnPreview->setText(QStringLiteral("预览(&V)"));
    SD_NEW(BtnTskSave, p);
    BtnTskSave->setText(QStringLiteral("保存(&S)"));
    BtnTskSave->setToolTip(QStringLiteral("将当前内容先保存到批打数据中，以后进行批量打印"));
    SD_NEW(BtnTskData, p);
    BtnTskData->setText(QStringLiteral("批打数据"));
    BtnTskData->setToolTip(QStringLiteral("浏览当前信函的批量打印数据。"));
    SD_NEW(BtnPrnLog, p);
    BtnPrnLog->setText(QStringLiteral("打印记录"));
    BtnPrnLog->setToolTip(QStringLiteral("浏览当前快递单的打印记录"));

    SD_NEW(RzMBtnFromToDw, p);
    MenuFromToDw = makeMenu(RzMBtnFromToDw, "MenuFromToDw");
    NFromSjdw = addEntry(MenuFromToDw, "NFromSjdw", QStringLiteral("收件单位"));
    MenuFromToDw->addSeparator();
    NFromJjdw = addEntry(MenuFromToDw, "NFromJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBtnFromToDw, QStringLiteral("收寄单位"), MenuFromToDw);
    RzMBtnFromToDw->setToolTip(QStringLiteral("浏览收件单位和寄件单位信息。"));

    SD_NEW(RzMBtnMoreData, p);
    MenuMoreData = makeMenu(RzMBtnMoreData, "MenuMoreData");
    NSjdwBm = addEntry(MenuMoreData, "NSjdwBm", QStringLiteral("收件部门"));
    NSjrCw = addEntry(MenuMoreData, "NSjrCw", QStringLiteral("收件称谓"));
    NSjrSy = addEntry(MenuMoreData, "NSjrSy", QStringLiteral("收件语"));
    MenuMoreData->addSeparator();
    NLetterWP = addEntry(MenuMoreData, "NLetterWP", QStringLiteral("信函物品"));
    NLetterLy = addEntry(MenuMoreData, "NLetterLy", QStringLiteral("信函留言"));
    makeMenuButton(RzMBtnMoreData, QStringLiteral("更多数据"), MenuMoreData);

    SD_NEW(RzMBtnSysSet, p);
    MenuSysSet = makeMenu(RzMBtnSysSet, "MenuSysSet");
    NAbout = addEntry(MenuSysSet, "NAbout", QStringLiteral("关于..."));
    makeMenuButton(RzMBtnSysSet, QStringLiteral("系统设置"), MenuSysSet);

    for (QWidget *b : std::initializer_list<QWidget *> {
             BtnPrint, BtnPreview, BtnTskSave, BtnTskData, BtnPrnLog, RzMBtnFromToDw, RzMBtnMoreData, RzMBtnSysSet}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }

    SD_NEW(GroupBTsk, p);
    GroupBTsk->setTitle(QStringLiteral("批量打印"));
    auto *tg = new QGridLayout(GroupBTsk);
    SD_FIELD(SpinEditTsk, GroupBTsk, tg, {0, 0}, QStringLiteral("当前"));
    SpinEditTsk->setRange(1, 1);
    SpinEditTsk->setMinimumWidth(64);
    SD_FIELD(LblAllTsk, GroupBTsk, tg, {1, 0}, QStringLiteral("总数"));
    LblAllTsk->setText(QStringLiteral("1"));
    GroupBTsk->hide();
    buttons->addWidget(GroupBTsk);
    buttons->addStretch(1);

    // Detail cards.
    SD_NEW(PageControlFjxx, p);
    v->addWidget(PageControlFjxx, 1);
    SD_NEW(TabJjdw, PageControlFjxx);
    SD_NEW(TabSjdw, PageControlFjxx);
    SD_NEW(TabXhxx, PageControlFjxx);
    SD_NEW(TabWpxx, PageControlFjxx);
    SD_NEW(TabXxsz, PageControlFjxx);
    PageControlFjxx->addTab(TabJjdw, QStringLiteral("寄件单位"));
    PageControlFjxx->addTab(TabSjdw, QStringLiteral("收件单位"));
    PageControlFjxx->addTab(TabXhxx, QStringLiteral("信函信息"));
    PageControlFjxx->addTab(TabWpxx, QStringLiteral("物品信息"));
    PageControlFjxx->addTab(TabXxsz, QStringLiteral("选项设置"));

    setupSenderPage();
    setupRecipientPage();
    setupLetterPage();
    setupGoodsPage();
    setupOptionsPage();
}

void ExpressTabUi::setupSenderPage()
{
    QWidget *p = TabJjdw;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_FIELD(CmbJjDwMc, p, g, {0, 0, 2}, QStringLiteral("寄件单位"), makeTyped);
    SD_FIELD(CmbJjrMc, p, g, {0, 2}, QStringLiteral("寄件人"), makeTyped);
    SD_FIELD(EdtJjDwJbrQm, p, g, {0, 3}, QStringLiteral("经办人签名"));
    EdtJjDwJbrQm->setToolTip(QStringLiteral("不同的快递可以设置不同的快递经办人，软件会自动保存。"));

    SD_FIELD(EdtJjDwSs, p, g, {1, 0}, QStringLiteral("省/市"));
    SD_FIELD(EdtJjDwDs, p, g, {1, 1}, QStringLiteral("地/市"));
    SD_FIELD(EdtJjDwQx, p, g, {1, 2}, QStringLiteral("区/县"));
    SD_FIELD(EdtFrom, p, g, {1, 3}, QStringLiteral("始发地"));

    SD_FIELD(EdtJjDwDz, p, g, {2, 0, 3}, QStringLiteral("通讯地址"));
    SD_FIELD(EdtJjDwYb, p, g, {2, 3}, QStringLiteral("邮编"));

    SD_FIELD(EdtJjDwTel, p, g, {3, 0}, QStringLiteral("单位电话"));
    SD_FIELD(EdtJjDwFax, p, g, {3, 1}, QStringLiteral("传真"));
    SD_FIELD(EdtJjDwDm, p, g, {3, 2}, QStringLiteral("代码"));
    SD_FIELD(EdtJjDwTax, p, g, {3, 3}, QStringLiteral("税号"));

    SD_FIELD(EdtJjDwWeb, p, g, {4, 0}, QStringLiteral("网址"));
    SD_FIELD(EdtJjDwBank, p, g, {4, 1}, QStringLiteral("银行"));
    SD_FIELD(EdtJjDwBankId, p, g, {4, 2, 2}, QStringLiteral("账号"));

    SD_FIELD(EdtJjrTel1, p, g, {5, 0}, QStringLiteral("寄件人电话"));
    SD_FIELD(EdtJjrMobile, p, g, {5, 1}, QStringLiteral("手机"));
    SD_FIELD(EdtJjrWW, p, g, {5, 2}, QStringLiteral("昵称"));
    SD_FIELD(EdtJjrIM, p, g, {5, 3}, QStringLiteral("聊天"));

    SD_FIELD(EdtJjrPayEmail, p, g, {6, 0}, QStringLiteral("支付宝"));
    SD_FIELD(EdtJjrEmail, p, g, {6, 1}, QStringLiteral("邮箱"));

    stretchFieldColumns(g, 4);
    g->setRowStretch(7, 1);
}

void ExpressTabUi::setupRecipientPage()
{
    QWidget *p = TabSjdw;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_FIELD(EdtSjrWW, p, g, {0, 0}, QStringLiteral("昵称"));
    SD_FIELD(EdtSjrMobile, p, g, {0, 1}, QStringLiteral("手机"));
    SD_FIELD(EdtSjrTel1, p, g, {0, 2}, QStringLiteral("收件人电话"));

    SD_FIELD(EdtSjrPayEmail, p, g, {1, 0}, QStringLiteral("支付宝"));
    SD_FIELD(EdtSjrEmail, p, g, {1, 1}, QStringLiteral("邮箱"));
    SD_FIELD(EdtSjrIM, p, g, {1, 2}, QStringLiteral("聊天"));

    SD_FIELD(EdtSjDwFax, p, g, {2, 0}, QStringLiteral("传真"));
    SD_FIELD(EdtSjDwDm, p, g, {2, 1}, QStringLiteral("代码"));
    SD_FIELD(EdtSjDwType, p, g, {2, 2}, QStringLiteral("类别"));

    SD_FIELD(EdtSjDwNo, p, g, {3, 0}, QStringLiteral("编号"));
    SD_FIELD(EdtSjDwWeb, p, g, {3, 1, 2}, QStringLiteral("网址"));

    stretchFieldColumns(g, 3);
    g->setRowStretch(4, 1);
}

void ExpressTabUi::setupLetterPage()
{
    QWidget *p = TabXhxx;
    auto *v = new QVBoxLayout(p);

    auto *g = new QGridLayout;
    v->addLayout(g);
    SD_NEW(StaticTextDate, p);
    makeClickLabel(StaticTextDate, QStringLiteral("信函日期"), QStringLiteral("点击选择信函日期的打印格式"));
    SD_NEW(DateTimeP, p);
    makeDate(DateTimeP);
    addLabelled(g, 0, 0, StaticTextDate, DateTimeP);
    SD_FIELD(CmbLetterLy, p, g, {0, 1, 2}, QStringLiteral("信函留言"), makeTyped);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 3);

    auto *markers = new QHBoxLayout;
    v->addLayout(markers);
    auto group = [&](QGroupBox *&box, const char *name, const QString &title, std::initializer_list<QCheckBox **> boxes,
                     std::initializer_list<const char *> names) {
        box = create<QGroupBox>(p, name);
        box->setTitle(title);
        auto *gl = new QGridLayout(box);
        int k = 0;
        auto nameIt = names.begin();
        for (QCheckBox **cb : boxes) {
            *cb = create<QCheckBox>(box, *nameIt++);
            (*cb)->setText(QStringLiteral("标记") + QString::number(k + 1));
            gl->addWidget(*cb, k / 3, k % 3);
            ++k;
        }
        markers->addWidget(box, static_cast<int>(boxes.size()));
    };
    group(GBox1, "GBox1", QStringLiteral("第1组标记"), {&ChbSelect1, &ChbSelect2}, {"ChbSelect1", "ChbSelect2"});
    group(GBox2, "GBox2", QStringLiteral("第2组标记"), {&ChbSelect3, &ChbSelect4, &ChbSelect5, &ChbSelect6},
        {"ChbSelect3", "ChbSelect4", "ChbSelect5", "ChbSelect6"});
    group(GBox3, "GBox3", QStringLiteral("第3组标记"),
        {&ChbSelect7, &ChbSelect8, &ChbSelect9, &ChbSelect10, &Chbselect11},
        {"ChbSelect7", "ChbSelect8", "ChbSelect9", "ChbSelect10", "Chbselect11"});
    v->addStretch(1);
}

void ExpressTabUi::setupGoodsPage()
{
    QWidget *p = TabWpxx;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_FIELD(CmbLetterWP, p, g, {0, 0, 2}, QStringLiteral("信函物品"), makeTyped);
    SD_FIELD(EdtWLDD, p, g, {0, 2, 2}, QStringLiteral("物流订单"));

    SD_FIELD(EdtWpCount, p, g, {1, 0}, QStringLiteral("物品件数"));
    SD_FIELD(EdtWpWeight, p, g, {1, 1}, QStringLiteral("物品重量"));
    SD_NEW(LblJe, p);
    makeClickLabel(LblJe, QStringLiteral("金额"), QStringLiteral("点击选择金额大写的打印格式"));
    SD_NEW(EdtWpJe, p);
    addLabelled(g, 1, 2, LblJe, EdtWpJe);

    SD_NEW(LblDSHK, p);
    makeClickLabel(LblDSHK, QStringLiteral("代收货款"), QStringLiteral("点击选择代收货款大写的打印格式"));
    SD_NEW(EdtDshk, p);
    SD_NEW(LblBJJE, p);
    makeClickLabel(LblBJJE, QStringLiteral("保价金额"), QStringLiteral("点击选择保价金额大写的打印格式"));
    SD_NEW(EdtBjje, p);
    SD_FIELD(EdtBF, p, g, {2, 2}, QStringLiteral("保费"));
    addLabelled(g, 2, 0, LblDSHK, EdtDshk);
    addLabelled(g, 2, 1, LblBJJE, EdtBjje);

    SD_FIELD(EdtYF, p, g, {3, 0}, QStringLiteral("运费"));
    SD_FIELD(EdtJJF, p, g, {3, 1}, QStringLiteral("加急费"));

    for (QLineEdit *e : {EdtWpJe, EdtDshk, EdtBjje, EdtBF, EdtYF, EdtJJF})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    stretchFieldColumns(g, 4);
    g->setRowStretch(4, 1);
}

void ExpressTabUi::setupOptionsPage()
{
    QWidget *p = TabXxsz;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(6);

    SD_FIELD(CmbDefJjDw, p, g, {0, 0, 2}, QStringLiteral("默认寄件单位"), makePickOnly);
    CmbDefJjDw->setToolTip(
        QStringLiteral("请为当前信函\"选择\"相应的默认单位信息。不同的信函模版，可以分别设置不同的默认寄件单位。"));

    SD_NEW(ChbFgSjAddress, p);
    ChbFgSjAddress->setText(QStringLiteral("分隔打印收件单位地址"));
    SD_NEW(ChbFgJjAddress, p);
    ChbFgJjAddress->setText(QStringLiteral("分隔打印寄件单位地址"));
    g->addWidget(ChbFgSjAddress, 1, 1);
    g->addWidget(ChbFgJjAddress, 1, 3);

    SD_NEW(ChbPrevShowPic, p);
    ChbPrevShowPic->setText(QStringLiteral("打印预览时显示信函背景图片"));
    ChbPrevShowPic->setToolTip(QStringLiteral("请先将图片文件复制到用户信函模版目录中"));
    g->addWidget(ChbPrevShowPic, 2, 1, 1, 3);

    SD_FIELD(EdtBackPicFile, p, g, {3, 0, 2}, QStringLiteral("背景图片"));
    SD_NEW(BtnPicFile, p);
    BtnPicFile->setText(QStringLiteral("浏览..."));
    g->addWidget(BtnPicFile, 3, 4);

    SD_NEW(ChbAutoAdd, p);
    ChbAutoAdd->setText(QStringLiteral("自动感应复制操作"));
    g->addWidget(ChbAutoAdd, 4, 1, 1, 3);

    SD_NEW(BtnSavePrnSet, p);
    BtnSavePrnSet->setText(QStringLiteral("保存设置(&S)"));
    g->addWidget(BtnSavePrnSet, 5, 4);

    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 2);
    g->setRowStretch(6, 1);
}

} // namespace Slipdesk
